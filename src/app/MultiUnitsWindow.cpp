// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MultiUnitsWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

MultiUnitsWindow::MultiUnitsWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("frmMultiUnits"));
    setFixedSize(288, 157);
    // While the units are counted and one is chosen, nothing else takes input: an edit made
    // then would miss a write whose image is already built, and a read or a comparison
    // would answer for a configuration the window no longer shows. The other windows still
    // repaint, as the wait keeps processing events.
    setWindowModality(Qt::ApplicationModal);
    const QRect geometry[4] = {
        {24, 24, 97, 33}, {160, 24, 113, 33}, {24, 96, 97, 33}, {160, 96, 105, 33}};
    for (int i = 0; i < int(m_buttons.size()); ++i) {
        auto* b = new QPushButton(tr("SN"), this);
        b->setObjectName(QStringLiteral("SerialNo%1").arg(i + 1));
        b->setGeometry(geometry[i]);
        // Enter chooses the focused unit, as Space and a click do.
        b->setAutoDefault(true);
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, i] { choose(i + 1); });
        m_buttons[i] = b;
    }
    m_label = new QLabel(QStringLiteral(" "), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setGeometry(96, 72, 121, 17);
    m_label->setAlignment(Qt::AlignCenter);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void MultiUnitsWindow::showDetecting() {
    m_label->setText(QStringLiteral(" "));
    setWindowTitle(tr("Detecting Multiple Units ..."));
    show();
    QCoreApplication::processEvents();
}

int MultiUnitsWindow::SelectMultiples(int count, const UnitSerials& serials) {
    // Every button gets its caption, so a unit that did not open shows "Unit " alone.
    for (int i = 0; i < int(m_buttons.size()); ++i)
        m_buttons[i]->setText(tr("Unit %1").arg(serials[i]));
    // The same words on the write path: the choice is of a unit, whichever way data goes.
    m_label->setText(tr("Select Unit to Read"));
    setWindowTitle(tr("Multiple Units Detected!"));
    m_selection = 0;
    m_buttons[0]->show();
    m_buttons[1]->show();
    m_buttons[2]->setVisible(count > 2);
    m_buttons[3]->setVisible(count > 3);
    show();
    raise();
    activateWindow();
    QCoreApplication::processEvents();

    // The other windows stay live but take no input; only a unit button or closing the
    // window ends the wait.
    QEventLoop wait;
    m_wait = &wait;
    if (m_selection == 0 && isVisible())
        wait.exec();
    m_wait = nullptr;

    hide();
    QCoreApplication::processEvents();
    for (QPushButton* b : m_buttons)
        b->hide();
    return m_selection;
}

void MultiUnitsWindow::choose(int unit) {
    m_selection = unit;
    if (m_wait)
        m_wait->quit();
}

void MultiUnitsWindow::closeEvent(QCloseEvent* event) {
    // Closing without a choice cancels the command instead of leaving it waiting.
    event->accept();
    if (m_wait)
        m_wait->quit();
}

void MultiUnitsWindow::reject() {
    hide();
    if (m_wait)
        m_wait->quit();
}
