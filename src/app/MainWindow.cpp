// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/AuxOptionsBox.h"
#include "app/BannerWidget.h"
#include "app/IdentifyCommands.h"
#include "app/IdentifyWindow.h"
#include "app/InputScrollArea.h"
#include "app/LabelBox.h"
#include "app/MainMenus.h"
#include "app/ProgressRun.h"
#include "app/RestoreOffers.h"
#include "app/RestoredFit.h"
#include "app/RowRoles.h"
#include "app/TransferCommands.h"
#include "keyselect/KeySelector.h"
#include "keyselect/OnScreenKeyboard.h"
#include "model/KeyCodes.h"
#include "model/SlotText.h"
#include "windowfit/ScreenMetrics.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <cmath>
#include <utility>

using Flag = Configuration::Flag;
using Option = Configuration::Option;

// The logo lives in this static library; make sure its resources are registered.
static void initResources() {
    Q_INIT_RESOURCE(tarvenpad);
}

namespace {

// The client area the layout was designed for, in pixels.
constexpr int DesignClientWidth = 751;
constexpr int DesignClientHeight = 628;
// The rotary panel's allowance past its label column (it leaves out the Repeat column).
constexpr int RotaryPanelAllowance = 179;
// The banner keeps the picture's proportions.
constexpr double BannerAspect = 454.0 / 141.0;
const QColor MenuRuleColour(190, 190, 190);
// However narrow the window is dragged, the input panel stays whole and the right-hand side
// keeps this much room for its scroll bars.
constexpr int MinimumRightWidth = 60;

} // namespace

MainWindow::MainWindow(const ProgrammerServices& services, QWidget* parent)
    : QMainWindow(parent), m_history(m_config), m_services(services),
      m_files(m_config, m_history, services.dialogs, this),
      m_legend(m_config, services.dialogs, this),
      m_emulators(m_config, m_history, services.dialogs, this), m_run(new ProgressRun(this)),
      m_transfers(new TransferCommands(m_config, m_history, services, m_files, *m_run, this)),
      m_offers(new RestoreOffers(services, *m_transfers, *m_run, this)),
      m_identify(new IdentifyCommands(m_config, m_history, services, *m_transfers, *m_run,
                                      *m_offers, this)),
      m_restoredFit(new RestoredFit(*this)) {
    initResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Quelmark Electronics, Inc. - TARVEN-PAD Programmer"));
    setWindowIcon(QIcon(QStringLiteral(":/logo.png")));
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("Form1Client"));
    setCentralWidget(m_client);

    m_menus = new MainMenus(*this, {m_config, m_history, m_files, m_legend, m_emulators,
                                    *m_transfers, *m_identify, services.dialogs});
    // The design client area, under a menu bar whose height is known only now it has menus.
    resize(DesignClientWidth, DesignClientHeight + menuBar()->sizeHint().height());
    m_picEdge = new InputScrollArea(m_client);
    m_picEdge->installEventFilter(this); // Tab after a key was chosen
    m_inputRows = &m_picEdge->rows();
    connectRows(*m_inputRows);
    buildRightSide();
    m_roles = new RowRoles(*this, services.dialogs, {m_inputRows, m_rotaryRows});
    m_menus->addEditItem(m_roles->menuAction());
    m_client->installEventFilter(this);

    connect(&m_config, &Configuration::flagChanged, this, &MainWindow::onFlagChanged);
    connect(&m_config, &Configuration::keyChanged, this, &MainWindow::onKeyChanged);
    connect(&m_config, &Configuration::optionChanged, this, &MainWindow::onOptionChanged);
    connect(&m_config, &Configuration::trackballAvailabilityChanged, this,
            &MainWindow::onTrackballAvailability);
    followIdentify();
    showConfiguration();
}

void MainWindow::buildRightSide() {
    // Below the grey rule: the area starts at the client's second pixel row.
    m_rightArea = new QScrollArea(m_client);
    m_rightArea->setObjectName(QStringLiteral("RightSide"));
    m_rightArea->setFrameShape(QFrame::NoFrame);
    m_rightArea->setFocusPolicy(Qt::NoFocus);
    m_right = new QWidget;
    m_right->setObjectName(QStringLiteral("RightSideContent"));
    m_banner = new BannerWidget(m_right);
    m_frame1 = new AuxOptionsBox(m_right);
    connect(m_frame1, &AuxOptionsBox::optionClicked, &m_history, &EditHistory::setOption);
    buildRotarySection(m_right);
    m_rightArea->setWidget(m_right);
    m_rightArea->viewport()->setAutoFillBackground(false);
    m_right->setAutoFillBackground(false);
    // Tab into a hidden option or rotary row brings it into view.
    for (QWidget* w : m_right->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
}

void MainWindow::connectRows(const RowSet& rows) {
    connect(&rows, &RowSet::flagClicked, &m_history, &EditHistory::setFlag);
    connect(&rows, &RowSet::keyClicked, this, &MainWindow::chooseKey);
}

void MainWindow::showConfiguration() {
    for (int slot = 0; slot < Configuration::SlotCount; ++slot) {
        onKeyChanged(slot);
        for (Flag flag : Configuration::Flags)
            onFlagChanged(slot, flag, m_config.flag(slot, flag));
    }
    for (Option option : Configuration::Options)
        m_frame1->box(option)->setChecked(m_config.option(option));
    setRotaryVisible(m_config.aux().rotaryOnAux);
    onTrackballAvailability(m_config.trackballOptionsAvailable());
}

void MainWindow::onTrackballAvailability(bool available) {
    for (Option option : Configuration::TrackballOptions)
        m_frame1->box(option)->setEnabled(available);
}

MainWindow::~MainWindow() = default;

void MainWindow::showSlot(int slot) {
    const bool input = slot >= 0 && Configuration::isInputSlot(slot);
    const bool rotary = slot >= 0 && !input;
    m_picEdge->panel()->setHighlightedRow(input ? slot : -1);
    m_rPicInner->setHighlightedRow(rotary ? slot - Configuration::InputCount : -1);
    if (input)
        m_picEdge->scrollRowIntoView(slot);
    else if (rotary && m_frame2->isVisibleTo(m_right))
        m_rightArea->ensureWidgetVisible(rowOf(slot).key, 0, 0);
    IdentifyWindow* identifying = m_identify->identifyWindow();
    if (slot >= 0 && identifying && identifying->isVisible() && rowOf(slot).key->isVisible())
        identifying->keepClearOf((input ? m_inputRows : m_rotaryRows)->screenRect(slot));
}

void MainWindow::followIdentify() {
    connect(m_identify, &IdentifyCommands::runningChanged, this, [this](bool running) {
        if (!running)
            showSlot(-1);
    });
    connect(m_identify, &IdentifyCommands::slotPressed, this, &MainWindow::showSlot);
    m_identify->setRowShown([this](int slot) {
        return Configuration::isInputSlot(slot) || m_config.aux().rotaryOnAux;
    });
    // Through the check box, as the user's click would go.
    connect(m_identify, &IdentifyCommands::rotaryRowsRequested, this, [this] {
        if (!m_config.aux().rotaryOnAux)
            m_frame1->box(Option::RotaryOnAux)->click();
        // The press that asked for the rows is shown again once they are laid out, so the
        // Identify window moves off its row.
        if (const int row = m_rPicInner->highlightedRow(); row >= 0)
            QTimer::singleShot(0, this, [this, row] { showSlot(Configuration::InputCount + row); });
    });
}

void MainWindow::buildRotarySection(QWidget* client) {
    // Created in this order so that the panel lies above its box and the box above the frame.
    m_frame2 = new QGroupBox(tr("Rotary-5 Key Assignments"), client);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_rPicEdge = new QFrame(client);
    m_rPicEdge->setObjectName(QStringLiteral("RPicEdge"));
    m_rPicEdge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_rPicEdge->setLineWidth(m_picEdge->lineWidth());
    m_rPicEdge->setFocusPolicy(Qt::StrongFocus);
    m_rPicEdge->installEventFilter(this); // Tab after a key was chosen
    m_rPicInner = new RowPanel(Configuration::RotaryCount, 26, client);
    m_rPicInner->setObjectName(QStringLiteral("RPicInner"));
    m_rPicInner->resize(251, 251);
    m_rotaryRows = new RowSet(m_rPicInner, QStringLiteral("R"), Configuration::InputCount,
                              Configuration::RotaryCount, 25, this);
    connectRows(*m_rotaryRows);
    // Shown or hidden with the rotary option, by showConfiguration().
}

void MainWindow::placeInputRows() {
    m_labelColumnWidth = m_inputRows->labelRows();
    m_inputRows->layOut(m_labelColumnWidth, m_inputRows->rowWidth(m_labelColumnWidth) - 4 -
                                                m_picEdge->scrollBar()->width());
}

void MainWindow::ArrangeRows() {
    ScreenMetrics::store(this);
    m_rPicInner->setGeometry(m_frame1->x() + 10, m_frame1->y() + m_frame1->height() + 29, 251,
                             m_rPicInner->height());
    m_labelColumnWidth = m_rotaryRows->labelRows();
    const RowSet::Row& first = m_rotaryRows->row(0);
    m_rotaryRows->layOut(m_labelColumnWidth, first.alt->width() + first.shift->width() +
                                                 first.control->width() + m_labelColumnWidth +
                                                 RotaryPanelAllowance - 4);
    for (int j = 0; j < m_rotaryRows->count(); ++j)
        m_rotaryRows->row(j).repeat->setEnabled(false); // a rotary Repeat only comes from loading
    // Let pending events (a further resize, the banner) run once; not from within itself.
    if (!m_arranging) {
        m_arranging = true;
        QCoreApplication::processEvents();
        m_arranging = false;
    }
}

void MainWindow::reflow() {
    if (isMinimized())
        return;
    const int width = m_inputRows->rowWidth(m_labelColumnWidth);
    const int h = std::max(m_client->height(), 1);
    m_picEdge->setGeometry(5, 1, width, std::max(h - 1, 1));

    const int x = m_picEdge->x() + m_picEdge->width();
    m_client->setMinimumWidth(x + MinimumRightWidth);
    m_rightArea->setGeometry(x, 1, std::max(m_client->width() - x, 1), std::max(h - 1, 1));
    // The regions keep their places relative to the window; the right-hand side's content
    // starts at the area's corner, so its coordinates are the window's less (x, 1).
    const double bannerWidth = m_client->width() - x;
    const double bannerHeight = bannerWidth / BannerAspect;
    m_banner->setGeometry(0, 0, std::max(int(std::lround(bannerWidth)), 1),
                          std::max(int(std::lround(bannerHeight)), 1));

    m_frame1->move(m_picEdge->width() + m_picEdge->x() + 20 - x,
                   m_banner->height() + m_banner->y() + 10);
    const int rotaryWidth = m_rotaryRows->rowWidth(m_labelColumnWidth);
    m_rPicEdge->setGeometry(m_frame1->x() + 5, m_frame1->height() + m_frame1->y() + 24,
                            rotaryWidth + 5, 265);
    m_frame2->setGeometry(m_frame1->x(), m_frame1->height() + m_frame1->y() + 10, rotaryWidth + 15,
                          285);
    ArrangeRows();
    fitRightSide();
}

QSize MainWindow::rightSideExtent() const {
    QRect used = m_frame1->geometry();
    if (m_frame2->isVisibleTo(m_right))
        for (const QWidget* w :
             {static_cast<const QWidget*>(m_frame2), static_cast<const QWidget*>(m_rPicEdge),
              static_cast<const QWidget*>(m_rPicInner),
              static_cast<const QWidget*>(m_rotaryRows->row(0).key)})
            used |= QRect(w->mapTo(m_right, QPoint(0, 0)), w->size());
    return {used.right() + 1, used.bottom() + 1};
}

void MainWindow::fitRightSide() {
    const QSize area = m_rightArea->size();
    const int bar = m_rightArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The banner fills the width it is given; a vertical scroll bar takes some of it.
    const auto extentFor = [this](int width) {
        m_banner->resize(std::max(width, 1), std::max(int(std::lround(width / BannerAspect)), 1));
        m_frame1->move(m_frame1->x(), m_banner->height() + m_banner->y() + 10);
        return rightSideExtent();
    };
    QSize need = extentFor(area.width());
    bool vertical = need.height() > area.height();
    bool horizontal = need.width() > area.width() - (vertical ? bar : 0);
    vertical = vertical || need.height() > area.height() - (horizontal ? bar : 0);
    if (vertical) {
        need = extentFor(area.width() - bar);
        horizontal = need.width() > area.width() - bar;
    }
    if (vertical || horizontal) {
        // The frames moved with the banner: lay the rotary rows out again beside them.
        if (m_frame2->isVisibleTo(m_right)) {
            m_frame2->move(m_frame2->x(), m_frame1->y() + m_frame1->height() + 10);
            m_rPicEdge->move(m_rPicEdge->x(), m_frame1->y() + m_frame1->height() + 24);
            ArrangeRows();
        }
        need = rightSideExtent();
    }
    m_rightArea->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn
                                                     : Qt::ScrollBarAlwaysOff);
    m_rightArea->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAlwaysOff);
    const QSize view(area.width() - (vertical ? bar : 0), area.height() - (horizontal ? bar : 0));
    m_right->resize(need.expandedTo(view));
}

bool MainWindow::fittingRestored() const {
    return m_restoredFit->pending();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_picEdge || watched == m_rPicEdge) && m_tabFrom) {
        if (event->type() == QEvent::FocusOut) {
            m_tabFrom = nullptr;
        } else if (event->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(event)->key();
            if (k == Qt::Key_Tab || k == Qt::Key_Backtab) {
                // The button takes the Tab as if it had kept the focus.
                QPushButton* from = std::exchange(m_tabFrom, nullptr);
                from->setFocus(Qt::OtherFocusReason);
                QCoreApplication::sendEvent(from, event);
                return true;
            }
        }
    }
    if (event->type() == QEvent::FocusIn) {
        // Only the keyboard: a click scrolling the row away under the mouse would lose it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* w = qobject_cast<QWidget*>(watched);
        const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        if (w && byKeyboard && m_right->isAncestorOf(w))
            m_rightArea->ensureWidgetVisible(w, 0, 0);
    } else if (watched == m_client && event->type() == QEvent::Resize)
        reflow();
    else if (watched == m_client && event->type() == QEvent::Paint) {
        QPainter p(m_client);
        p.setPen(MenuRuleColour);
        p.drawLine(0, 0, m_client->width(), 0);
    }
    return QMainWindow::eventFilter(watched, event);
}

const RowSet::Row& MainWindow::rowOf(int slot) const {
    return m_inputRows->holds(slot) ? m_inputRows->rowOf(slot) : m_rotaryRows->rowOf(slot);
}

void MainWindow::onFlagChanged(int slot, Flag flag, bool on) {
    const RowSet::Row& row = rowOf(slot);
    QCheckBox* box = flag == Flag::Control ? row.control
                     : flag == Flag::Shift ? row.shift
                     : flag == Flag::Alt   ? row.alt
                                           : row.repeat;
    box->setChecked(on);
}

void MainWindow::onKeyChanged(int slot) {
    const KeySlot& s = m_config.slot(slot);
    QPushButton* key = rowOf(slot).key;
    const QString name = KeyCodeName(s.keyCode);
    key->setText(name);
    key->setProperty("Tag", s.keyTag());
    // Said as shown, with the button's doubled ampersand as one.
    QString spoken = name.isEmpty() ? tr("code %1").arg(s.keyCode) : name;
    spoken.replace(QLatin1String("&&"), QLatin1String("&"));
    key->setAccessibleName(tr("%1 key: %2").arg(SlotName(slot), spoken));
}

void MainWindow::onOptionChanged(Option option, bool on) {
    m_frame1->box(option)->setChecked(on);
    if (option == Option::RotaryOnAux)
        setRotaryVisible(on);
}

void MainWindow::setRotaryVisible(bool visible) {
    m_rotaryRows->setRowsVisible(visible);
    m_rPicEdge->setVisible(visible);
    m_rPicInner->setVisible(visible);
    m_frame2->setVisible(visible);
    if (visible)
        ArrangeRows();
    fitRightSide();
}

void MainWindow::chooseKey(int slot, bool byKeyboard) {
    OnScreenKeyboard keyboard;
    KeySelector& selector = m_services.keySelector ? *m_services.keySelector : keyboard;
    const int code = selector.selectKey(this);
    if (code >= 0)
        m_history.assignKey(slot, quint8(code));
    QPushButton* key = rowOf(slot).key;
    // Opened by Space or Enter, the window gives the focus back to its button, with the
    // focus frame: the next Space opens it again, and nothing else is ticked by surprise.
    if (byKeyboard)
        return key->setFocus(Qt::TabFocusReason);
    // After a click the focus goes to the box that holds the button's rows, as it always has,
    // so that no button keeps a focus frame; but Tab goes on from the button that was chosen
    // for, not from the top of the rows, or a keyboard user at Input 30 would start over.
    m_tabFrom = key;
    (Configuration::isInputSlot(slot) ? m_picEdge : m_rPicEdge)->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Roles learnt by pressing the panel are part of what the save prompt asks about.
    m_identify->endPass();
    if (!m_run->mayCloseWindow() || !m_files.maySetConfigurationAside()) {
        event->ignore();
        return;
    }
    // A unit being identified gets its own configuration back before the program goes.
    m_identify->finish();
    event->accept();
}
