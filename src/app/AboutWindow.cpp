#include "AboutWindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("About TARVEN-PAD Programmer"));
    setModal(true);
    setFixedSize(354, 209);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Picture1"));
    logo->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    logo->setGeometry(8, 8, 120, 120);

    QFont bold(QStringLiteral("MS Sans Serif"));
    bold.setStyleHint(QFont::SansSerif);
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    const struct {
        const char* name;
        const char* text;
        QRect geometry;
    } labels[] = {{"Label1", "Quelmark Electronics, Inc.", {136, 24, 177, 17}},
                  {"Label2", "TARVEN-PAD Programmer", {136, 44, 185, 17}},
                  {"Label3", " Version 30790W", {136, 104, 185, 17}}};
    for (const auto& l : labels) {
        auto* label = new QLabel(QString::fromLatin1(l.text), this);
        label->setObjectName(QString::fromLatin1(l.name));
        label->setFont(bold);
        label->setGeometry(l.geometry);
    }

    auto* rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Frame1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(8, 136, 337, 8);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(256, 160, 81, 33);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
