// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutWindow.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(tr("About TARVEN-PAD Programmer"));
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
    } labels[] = {{"Label1", QT_TR_NOOP("Quelmark Electronics, Inc."), {136, 24, 177, 17}},
                  {"Label2", QT_TR_NOOP("TARVEN-PAD Programmer"), {136, 44, 185, 17}},
                  {"Label3", QT_TR_NOOP(" Version 30790W"), {136, 104, 185, 17}}};
    for (const auto& l : labels) {
        auto* label = new QLabel(tr(l.text), this);
        label->setObjectName(QString::fromLatin1(l.name));
        label->setFont(bold);
        label->setGeometry(l.geometry);
    }

    auto* rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Frame1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(8, 136, 337, 8);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(256, 160, 81, 33);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // Until the window manager reports this window's frame, the owner's is the best guess.
    const QWidget* owner = parent ? parent->window() : nullptr;
    centre(owner ? owner->frameGeometry().size() - owner->size() : QSize());
}

void AboutWindow::centre(QSize margins) {
    m_frame.fitted(margins);
    const QSize frame = size() + margins;
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->availableGeometry();
    move(area.x() + (area.width() - frame.width()) / 2,
         area.y() + (area.height() - frame.height()) / 2);
}

bool AboutWindow::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (m_frame.outdated(*event))
        centre(m_frame.margins());
    return handled;
}
