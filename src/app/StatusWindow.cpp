// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QWindow>
#include <QtMath>

StatusWindow::StatusWindow(QWidget* owner)
    // No parent widget, or it would take the owner's icon; the owner is its transient parent.
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(tr("TARVENPAD Programmer"));
    setModal(false);
    setFixedSize(208, 42);
    m_label = new QLabel(tr("Initializing..."), this);
    m_label->setObjectName(QStringLiteral("lblStatus"));
    m_label->setGeometry(8, 8, 193, 33);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (owner) {
        const QRect r = owner->window()->frameGeometry();
        move(r.center() - QPoint(width() / 2, height() / 2));
        create();
        if (QWindow* ownerWindow = owner->window()->windowHandle())
            windowHandle()->setTransientParent(ownerWindow);
    }
}

void StatusWindow::SetStatus(const QString& text) {
    m_label->setText(text);
    processEvents();
}

QString StatusWindow::progressText(TransferDirection direction, int done, int total) {
    const int percent = total > 0 ? qRound(done * 100.0 / total) : 0;
    return direction == TransferDirection::Writing ? tr("Writing configuration - %1%").arg(percent)
                                                   : tr("Reading configuration - %1%").arg(percent);
}

void StatusWindow::showProgress(TransferDirection direction, int done, int total) {
    SetStatus(progressText(direction, done, total));
}

void StatusWindow::processEvents() {
    QCoreApplication::processEvents();
}

void StatusWindow::reject() {}

void StatusWindow::closeEvent(QCloseEvent* event) {
    // Only the window manager's close button or Alt+F4 arrive here; the transfer's owner
    // deletes the window when it is done.
    event->ignore();
}
