// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, memory and re-flow figures of the programmer window, beside a bare window that
// holds the same widgets without the model, the layout rules or the device check; and the
// time the on-screen keyboard takes to open. Run under a display (xvfb-run works):
//   tarvenpad-window-bench programmer | bare | reflow | keyboard
#include "app/MainWindow.h"
#include "app/Module1.h"
#include "app/UserDialogs.h"
#include "device/EmulatedAccess.h"
#include "keyselect/KeySelectForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextStream>
#include <QWindow>
#include <sys/resource.h>

namespace {

class SilentDialogs : public UserDialogs {
public:
    Answer message(QWidget*, const QString&, const QString&, Icon, Buttons) override {
        return Answer::Ok;
    }
    std::optional<QString> chooseOpenFile(QWidget*) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(QWidget*) override { return std::nullopt; }
    std::optional<QString> chooseLegendFile(QWidget*, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> askText(QWidget*, const QString&, const QString&, const QString&,
                                   int) override {
        return std::nullopt;
    }
    std::optional<QString> chooseEmulatorFile(QWidget*, Emulator, bool, const QString&) override {
        return std::nullopt;
    }
    std::optional<int> chooseItem(QWidget*, const QString&, const QString&,
                                  const QStringList&) override {
        return std::nullopt;
    }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
};

// Waits until the window system has shown the window.
void waitExposed(QWidget* w) {
    while (!w->windowHandle() || !w->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents();
}

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QMainWindow* bareWindow() {
    auto* w = new QMainWindow;
    w->menuBar()->addMenu("&File")->addAction("New");
    auto* client = new QWidget(w);
    w->setCentralWidget(client);
    auto* inner = new QWidget(client);
    for (int r = 0; r < 46; ++r) {
        int x = 1;
        for (const char* caption : {"Repeat", "Control", "Alt", "Shift"}) {
            auto* b = new QCheckBox(caption, inner);
            b->setGeometry(x, 4 + 25 * r, 60, 17);
            x += 60;
        }
        (new QLabel(QString("Input %1").arg(r + 1), inner))->setGeometry(x, 4 + 25 * r, 60, 17);
        (new QPushButton("Not Used", inner))->setGeometry(x + 62, 25 * r + 1, 107, 24);
    }
    inner->resize(400, 46 * 25 + 1);
    (new QScrollBar(Qt::Vertical, client))->setGeometry(400, 0, 17, 500);
    auto* frame = new QGroupBox("Trackball/AUX Controls:", client);
    frame->setGeometry(430, 200, 153, 193);
    for (int i = 0; i < 5; ++i)
        (new QCheckBox("Option", frame))->setGeometry(16, 24 + 32 * i, 113, 33);
    (new QLabel(client))->setGeometry(430, 0, 400, 141);
    w->setWindowState(Qt::WindowMaximized);
    return w;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("programmer");
    EmulatedAccess access(1);
    SilentDialogs dialogs;

    if (mode == QLatin1String("bare")) {
        QMainWindow* w = bareWindow();
        w->show();
        waitExposed(w);
        out << "bare: visible after " << sinceStart.nsecsElapsed() / 1e6 << " ms, peak "
            << peakKiB() << " KiB\n";
        return 0;
    }
    auto form1 = Module1::Start(ProgrammerServices{access, dialogs});
    waitExposed(form1.get());
    if (mode == QLatin1String("programmer")) {
        out << "programmer: visible after " << sinceStart.nsecsElapsed() / 1e6 << " ms, peak "
            << peakKiB() << " KiB\n";
    } else if (mode == QLatin1String("reflow")) {
        form1->config().setOption(Configuration::Option::RotaryOnAux, true);
        const int runs = 200;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < runs; ++i)
            form1->reflow();
        out << "reflow of the maximised window (" << form1->centralWidget()->width() << " x "
            << form1->centralWidget()->height() << "): " << t.nsecsElapsed() / 1e6 / runs
            << " ms each\n";
    } else if (mode == QLatin1String("keyboard")) {
        const int runs = 20;
        double total = 0, worst = 0;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            KeySelectForm form(form1.get());
            form.show();
            waitExposed(&form);
            const double ms = t.nsecsElapsed() / 1e6;
            total += ms;
            worst = std::max(worst, ms);
        }
        out << "key selection window: laid out and shown in " << total / runs << " ms on average, "
            << worst << " ms at worst\n";
    }
    return 0;
}
