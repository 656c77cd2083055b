// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "app/BannerWidget.h"
#include "app/IdentifyCommands.h"
#include "app/IdentifyWindow.h"
#include "app/InputTestWindow.h"
#include "app/LabelBox.h"
#include "app/ProgressRun.h"
#include "app/RestoreOffers.h"
#include "app/RowPanel.h"
#include "app/TransferCommands.h"
#include "app/UserDialogs.h"
#include "device/HidAccess.h"
#include "files/Presets.h"
#include "keyselect/KeySelectForm.h"
#include "keyselect/KeySelector.h"
#include "keyselect/OnScreenKeyboard.h"
#include "model/KeyCodes.h"
#include "model/SlotText.h"
#include "windowfit/ScreenMetrics.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <QWindowStateChangeEvent>
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
constexpr int ScrollBarWidth = 17;
constexpr int PanelBorder = 2;
constexpr int CheckHeight = 17;
constexpr int KeyWidth = 107;
// A row's key button ends this far past the label column: the row width's allowance.
constexpr int RowKeyAllowance = 132;
// The rotary panel's allowance past its label column (it leaves out the Repeat column).
constexpr int RotaryPanelAllowance = 179;
// The banner keeps the picture's proportions.
constexpr double BannerAspect = 454.0 / 141.0;
const QColor MenuRuleColour(190, 190, 190);
// However narrow the window is dragged, the input panel stays whole and the right-hand side
// keeps this much room for its scroll bars.
constexpr int MinimumRightWidth = 60;

QFont rowFont(bool bold) {
    QFont f(QStringLiteral("Verdana"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(8.25);
    f.setBold(bold);
    return f;
}

int rightEdge(const QWidget* w) {
    return w->x() + w->width();
}

// The vertical centre of a row is 12.5 pixels below its top.
int centredTop(int height, int index) {
    return int(std::lround(12.5 - height / 2.0)) + MainWindow::RowPitch * index;
}

} // namespace

MainWindow::MainWindow(const ProgrammerServices& services, QWidget* parent)
    : QMainWindow(parent), m_history(m_config), m_services(services),
      m_files(m_config, m_history, services.dialogs, this),
      m_legend(m_config, services.dialogs, this), m_run(new ProgressRun(this)),
      m_transfers(new TransferCommands(m_config, m_history, services, m_files, *m_run, this)),
      m_offers(new RestoreOffers(services, *m_transfers, *m_run, this)),
      m_identify(new IdentifyCommands(services, *m_transfers, *m_run, *m_offers, this)),
      m_labelFont(rowFont(true)) {
    initResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Quelmark Electronics, Inc. - TARVEN-PAD Programmer"));
    setWindowIcon(QIcon(QStringLiteral(":/logo.png")));
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("Form1Client"));
    setCentralWidget(m_client);

    buildMenus();
    // The design client area, under a menu bar whose height is known only now it has menus.
    resize(DesignClientWidth, DesignClientHeight + menuBar()->sizeHint().height());
    buildInputPanel(m_client);
    // Below the grey rule: the area starts at the client's second pixel row.
    m_rightArea = new QScrollArea(m_client);
    m_rightArea->setObjectName(QStringLiteral("RightSide"));
    m_rightArea->setFrameShape(QFrame::NoFrame);
    m_rightArea->setFocusPolicy(Qt::NoFocus);
    m_right = new QWidget;
    m_right->setObjectName(QStringLiteral("RightSideContent"));
    m_banner = new BannerWidget(m_right);
    buildOptions(m_right);
    buildRotarySection(m_right);
    m_rightArea->setWidget(m_right);
    m_rightArea->viewport()->setAutoFillBackground(false);
    m_right->setAutoFillBackground(false);
    // Tab into a hidden option or rotary row brings it into view.
    for (QWidget* w : m_right->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
    m_client->installEventFilter(this);

    connect(&m_config, &Configuration::flagChanged, this, &MainWindow::onFlagChanged);
    connect(&m_config, &Configuration::keyChanged, this, &MainWindow::onKeyChanged);
    connect(&m_config, &Configuration::optionChanged, this, &MainWindow::onOptionChanged);
    connect(&m_config, &Configuration::trackballAvailabilityChanged, this,
            &MainWindow::onTrackballAvailability);
    followIdentify();
    showConfiguration();
}

void MainWindow::showConfiguration() {
    for (int slot = 0; slot < Configuration::SlotCount; ++slot) {
        onKeyChanged(slot);
        for (Flag flag : Configuration::Flags)
            onFlagChanged(slot, flag, m_config.flag(slot, flag));
    }
    for (Option option : Configuration::Options)
        m_checks[int(option)]->setChecked(m_config.option(option));
    setRotaryVisible(m_config.aux().rotaryOnAux);
    onTrackballAvailability(m_config.trackballOptionsAvailable());
}

void MainWindow::onTrackballAvailability(bool available) {
    for (Option option : Configuration::TrackballOptions)
        m_checks[int(option)]->setEnabled(available);
}

MainWindow::~MainWindow() = default;

namespace {
// A menu item's text with an access key that no earlier item of its menu (`taken`) has:
// the first free initial of a word, else the first free letter or digit. A text without
// one stays as it is; its own ampersands show as written.
QString withMnemonic(const QString& text, QString& taken) {
    QString shown = text;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    int at = -1;
    for (int pass = 0; pass < 2 && at < 0; ++pass)
        for (int i = 0; i < shown.size() && at < 0; ++i) {
            const QChar c = shown[i];
            const bool initial = i == 0 || !shown[i - 1].isLetterOrNumber();
            if (c.isLetterOrNumber() && (initial || pass == 1) && !taken.contains(c.toLower()))
                at = i;
        }
    if (at < 0)
        return shown;
    taken += shown[at].toLower();
    return shown.insert(at, QLatin1Char('&'));
}
} // namespace

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("file"));
    file->menuAction()->setObjectName(QStringLiteral("file"));
    const auto item = [this, file](const char* name, const QString& text, const QKeySequence& key) {
        QAction* a = file->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        addAction(a); // shortcuts work while the menu is closed
        return a;
    };
    const auto separator = [file](const char* name) {
        file->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    connect(item("fnew", tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N)), &QAction::triggered, this,
            [this] { m_files.fileNew(); });
    connect(item("fopen", tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O)), &QAction::triggered,
            this, [this] { m_files.fileOpen(); });
    connect(item("fsave", tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S)), &QAction::triggered,
            this, [this] { m_files.fileSave(); });
    connect(item("fsaveas", tr("Save &As..."), {}), &QAction::triggered, this,
            [this] { m_files.fileSaveAs(); });
    separator("fspc1");
    m_sendAction = item("fsend", tr("&Write To TARVENPAD"), {});
    separator("fspc2");
    m_receiveAction = item("freceive", tr("&Read From TARVENPAD"), {});
    separator("fspc3");
    QAction* exit = item("fexit", tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(m_sendAction, &QAction::triggered, this, [this] {
        int identifier = DeviceIdentifier;
        m_transfers->WriteToDevice(identifier);
    });
    connect(m_receiveAction, &QAction::triggered, this, [this] {
        int identifier = DeviceIdentifier;
        m_transfers->ReadFromDevice(identifier);
    });
    // One transfer at a time.
    connect(m_transfers, &TransferCommands::runningChanged, this, [this](bool running) {
        updateDeviceActions();
        m_presetsMenu->setEnabled(!running);
        updateEditActions();
    });
    // Reading a unit meanwhile would bring the temporary configuration into the rows.
    connect(m_identify, &IdentifyCommands::runningChanged, this, [this](bool running) {
        updateDeviceActions();
        if (!running)
            showSlot(-1);
    });

    buildEditMenu();

    buildToolsMenu();

    QMenu* about = menuBar()->addMenu(tr("&About"));
    about->setObjectName(QStringLiteral("about"));
    about->menuAction()->setObjectName(QStringLiteral("about"));
    QAction* aabout = about->addAction(tr("&About..."));
    aabout->setObjectName(QStringLiteral("aabout"));
    connect(aabout, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("edit"));
    edit->menuAction()->setObjectName(QStringLiteral("edit"));
    m_undoAction = edit->addAction(tr("&Undo"));
    m_undoAction->setObjectName(QStringLiteral("eundo"));
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = edit->addAction(tr("&Redo"));
    m_redoAction->setObjectName(QStringLiteral("eredo"));
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addAction(m_undoAction);
    addAction(m_redoAction);
    connect(m_undoAction, &QAction::triggered, &m_history, &EditHistory::undo);
    connect(m_redoAction, &QAction::triggered, &m_history, &EditHistory::redo);
    connect(&m_history, &EditHistory::changed, this, &MainWindow::updateEditActions);
    updateEditActions();
}

void MainWindow::updateEditActions() {
    const bool undo = m_history.canUndo() && !m_transfers->running();
    const bool redo = m_history.canRedo() && !m_transfers->running();
    m_undoAction->setEnabled(undo);
    m_undoAction->setText(m_history.canUndo() ? tr("&Undo %1").arg(m_history.undoText())
                                              : tr("&Undo"));
    m_redoAction->setEnabled(redo);
    m_redoAction->setText(m_history.canRedo() ? tr("&Redo %1").arg(m_history.redoText())
                                              : tr("&Redo"));
}

void MainWindow::buildToolsMenu() {
    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("tools"));
    tools->menuAction()->setObjectName(QStringLiteral("tools"));
    QAction* test = tools->addAction(tr("&Test Inputs..."));
    test->setObjectName(QStringLiteral("ttest"));
    connect(test, &QAction::triggered, this, [this] {
        if (!m_inputTest) {
            m_inputTest = new InputTestWindow(m_config, this);
            // Counts of another configuration's presses would mislead.
            connect(&m_history, &EditHistory::replaced, m_inputTest, &InputTestWindow::reset);
        }
        m_inputTest->show();
        m_inputTest->raise();
        m_inputTest->activateWindow();
    });
    m_identifyAction = tools->addAction(tr("&Identify Inputs..."));
    m_identifyAction->setObjectName(QStringLiteral("tidentify"));
    connect(m_identifyAction, &QAction::triggered, m_identify, &IdentifyCommands::identify);
    m_compareAction = tools->addAction(tr("&Compare With TARVENPAD..."));
    m_compareAction->setObjectName(QStringLiteral("tcompare"));
    connect(m_compareAction, &QAction::triggered, this, &MainWindow::compareWithUnit);
    QAction* verify = tools->addAction(tr("&Verify After Writing"));
    verify->setObjectName(QStringLiteral("tverify"));
    verify->setCheckable(true);
    verify->setChecked(UnitComparison::verifyAfterWriting());
    connect(verify, &QAction::toggled, this, &UnitComparison::setVerifyAfterWriting);
    tools->addSeparator();
    QAction* print = tools->addAction(tr("&Print Legend..."));
    print->setObjectName(QStringLiteral("tprint"));
    connect(print, &QAction::triggered, this, [this] { m_legend.printLegend(); });
    QAction* exportLegend = tools->addAction(tr("&Export Legend..."));
    exportLegend->setObjectName(QStringLiteral("texport"));
    connect(exportLegend, &QAction::triggered, this, [this] { m_legend.exportLegend(); });
    m_presetsMenu = tools->addMenu(tr("P&resets"));
    m_presetsMenu->setObjectName(QStringLiteral("tpresets"));
    m_presetsMenu->menuAction()->setObjectName(QStringLiteral("tpresets"));
    QString taken;
    for (const QString& name : PresetNames()) {
        QAction* preset = m_presetsMenu->addAction(withMnemonic(PresetTitle(name), taken));
        preset->setObjectName(QStringLiteral("tpreset_") + PresetKey(name));
        connect(preset, &QAction::triggered, this, [this, name] { applyPreset(name); });
    }
}

void MainWindow::applyPreset(const QString& name) {
    Configuration preset;
    if (const FileResult r = LoadPreset(preset, name); !r.ok()) {
        m_services.dialogs.message(this, r.message, PresetTitle(name),
                                   UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
        return;
    }
    m_history.replaceAll(PresetTitle(name), preset.state());
}

void MainWindow::updateDeviceActions() {
    const bool idle = !m_transfers->running() && !m_identify->running();
    for (QAction* a : {m_sendAction, m_receiveAction, m_compareAction, m_identifyAction})
        a->setEnabled(idle);
}

void MainWindow::showSlot(int slot) {
    const bool input = slot >= 0 && Configuration::isInputSlot(slot);
    const bool rotary = slot >= 0 && !input;
    m_picInner->setHighlightedRow(input ? slot : -1);
    m_rPicInner->setHighlightedRow(rotary ? slot - Configuration::InputCount : -1);
    if (input)
        scrollRowIntoView(slot);
    else if (rotary && m_frame2->isVisibleTo(m_right))
        m_rightArea->ensureWidgetVisible(rowOf(slot).key, 0, 0);
    IdentifyWindow* identifying = m_identify->identifyWindow();
    if (slot >= 0 && identifying && identifying->isVisible() && rowOf(slot).key->isVisible()) {
        const Row& row = rowOf(slot);
        QRect shown;
        for (const QWidget* w :
             {static_cast<QWidget*>(row.repeat), static_cast<QWidget*>(row.shift),
              static_cast<QWidget*>(row.label), static_cast<QWidget*>(row.key)})
            shown |= QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
        identifying->keepClearOf(shown);
    }
}

void MainWindow::followIdentify() {
    connect(m_identify, &IdentifyCommands::slotPressed, this, &MainWindow::showSlot);
    m_identify->setRowShown([this](int slot) {
        return Configuration::isInputSlot(slot) || m_config.aux().rotaryOnAux;
    });
    // Through the check box, as the user's click would go.
    connect(m_identify, &IdentifyCommands::rotaryRowsRequested, this, [this] {
        if (!m_config.aux().rotaryOnAux)
            m_checks[int(Option::RotaryOnAux)]->click();
        // The press that asked for the rows is shown again once they are laid out, so the
        // Identify window moves off its row.
        if (const int row = m_rPicInner->highlightedRow(); row >= 0)
            QTimer::singleShot(0, this, [this, row] { showSlot(Configuration::InputCount + row); });
    });
}

void MainWindow::compareWithUnit() {
    int identifier = DeviceIdentifier;
    m_transfers->CompareWithDevice(identifier);
}

MainWindow::Row MainWindow::makeRow(QWidget* parent, const QString& prefix, int index, int slot) {
    const QFont plain = rowFont(false);
    const auto box = [&](const char* name, int width, Flag flag) {
        const QString caption = FlagName(flag);
        auto* b = new QCheckBox(caption, parent);
        b->setObjectName(QStringLiteral("%1%2_%3").arg(prefix, QLatin1String(name)).arg(index));
        b->setFont(plain);
        b->resize(width, CheckHeight);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QCheckBox::clicked, this,
                [this, b, slot, flag] { m_history.setFlag(slot, flag, b->isChecked()); });
        b->setAccessibleName(SlotName(slot) + QLatin1Char(' ') + caption);
        return b;
    };
    Row row;
    row.repeat = box("ChkRepeat", 65, Flag::Repeat);
    row.control = box("ChkCtrl", 66, Flag::Control);
    row.alt = box("ChkAlt", 41, Flag::Alt);
    row.shift = box("ChkShift", 50, Flag::Shift);
    row.label = new LabelBox(parent);
    row.label->setObjectName(QStringLiteral("%1LabelI_%2").arg(prefix).arg(index));
    row.label->setFont(m_labelFont);
    row.label->resize(1, CheckHeight);
    row.label->setAccessibleName(SlotName(slot));
    row.key = new QPushButton(tr("N/U"), parent);
    row.key->setObjectName(prefix.isEmpty() ? QStringLiteral("SKey_%1").arg(index)
                                            : QStringLiteral("Rkey_%1").arg(index));
    row.key->setFont(plain);
    row.key->setProperty("Tag", QString());
    connect(row.key, &QPushButton::clicked, this, [this, slot] { chooseKey(slot); });
    row.key->installEventFilter(this); // Enter clicks it
    if (Configuration::isInputSlot(slot))
        for (QWidget* w : {static_cast<QWidget*>(row.repeat), static_cast<QWidget*>(row.control),
                           static_cast<QWidget*>(row.alt), static_cast<QWidget*>(row.shift),
                           static_cast<QWidget*>(row.key)})
            w->installEventFilter(this); // Tab into a row scrolls it into view
    return row;
}

void MainWindow::buildInputPanel(QWidget* client) {
    m_picEdge = new QFrame(client);
    m_picEdge->setObjectName(QStringLiteral("PicEdge"));
    m_picEdge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_picEdge->setLineWidth(PanelBorder);
    m_picEdge->setFocusPolicy(Qt::StrongFocus);
    // The viewport is the panel's client area, so the rows scroll under the border.
    m_picEdgeView = new QWidget(m_picEdge);
    m_picEdgeView->setObjectName(QStringLiteral("PicEdgeClient"));
    m_picEdgeView->move(PanelBorder, PanelBorder);
    m_picInner = new RowPanel(Configuration::InputCount, 25, m_picEdgeView);
    m_picInner->setObjectName(QStringLiteral("PicInner"));
    for (int i = 0; i < Configuration::InputCount; ++i)
        m_rows[i] = makeRow(m_picInner, QString(), i, i);
    m_vscroll = new QScrollBar(Qt::Vertical, m_picEdgeView);
    m_vscroll->setObjectName(QStringLiteral("VScroll1"));
    m_vscroll->setMinimum(0);
    m_vscroll->setSingleStep(1);
    m_vscroll->resize(ScrollBarWidth, 1);
    // Dragging the thumb scrolls at once, row by row, not only on release.
    connect(m_vscroll, &QScrollBar::valueChanged, this, &MainWindow::applyScroll);
    connect(m_vscroll, &QScrollBar::sliderMoved, this, &MainWindow::applyScroll);
    m_picEdge->installEventFilter(this);
}

void MainWindow::buildOptions(QWidget* client) {
    m_frame1 = new QGroupBox(tr("Trackball/AUX Controls:"), client);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setFont(rowFont(false));
    m_frame1->resize(153, 193);
    const struct {
        const char* name;
        Option option;
        QRect geometry;
    } boxes[] = {{"Check1", Option::ReverseX, {16, 56, 113, 33}},
                 {"Check2", Option::ReverseY, {16, 88, 113, 33}},
                 {"Check3", Option::ActiveHigh, {16, 24, 113, 33}},
                 {"Check4", Option::RotaryOnAux, {16, 120, 129, 33}},
                 {"Check5", Option::RelayOnAux, {16, 152, 129, 33}}};
    for (const auto& b : boxes) {
        auto* box = new QCheckBox(OptionName(b.option), m_frame1);
        box->setObjectName(QString::fromLatin1(b.name));
        box->setGeometry(b.geometry);
        const Option option = b.option;
        connect(box, &QCheckBox::clicked, this,
                [this, box, option] { m_history.setOption(option, box->isChecked()); });
        m_checks[int(option)] = box;
    }
    // Top to bottom as they read on screen.
    QWidget::setTabOrder(m_checks[2], m_checks[0]);
    QWidget::setTabOrder(m_checks[0], m_checks[1]);
    QWidget::setTabOrder(m_checks[1], m_checks[3]);
    QWidget::setTabOrder(m_checks[3], m_checks[4]);
}

void MainWindow::buildRotarySection(QWidget* client) {
    // Created in this order so that the panel lies above its box and the box above the frame.
    m_frame2 = new QGroupBox(tr("Rotary-5 Key Assignments"), client);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_rPicEdge = new QFrame(client);
    m_rPicEdge->setObjectName(QStringLiteral("RPicEdge"));
    m_rPicEdge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_rPicEdge->setLineWidth(PanelBorder);
    m_rPicEdge->setFocusPolicy(Qt::StrongFocus);
    m_rPicEdge->installEventFilter(this); // Tab after a key was chosen
    m_rPicInner = new RowPanel(Configuration::RotaryCount, 26, client);
    m_rPicInner->setObjectName(QStringLiteral("RPicInner"));
    m_rPicInner->resize(251, 251);
    for (int j = 0; j < Configuration::RotaryCount; ++j)
        m_rrows[j] = makeRow(m_rPicInner, QStringLiteral("R"), j, Configuration::InputCount + j);
    // Shown or hidden with the rotary option, by showConfiguration().
}

int MainWindow::measureLabels(const Row* rows, int count) const {
    const QFontMetrics metrics(m_labelFont);
    int widest = 0;
    for (int i = 0; i < count; ++i)
        widest = std::max(widest, metrics.horizontalAdvance(rows[i].label->tag()));
    return widest + 1;
}

int MainWindow::rowWidth(const Row& first) const {
    return first.control->width() + first.repeat->width() + first.alt->width() +
           first.shift->width() + m_labelColumnWidth + RowKeyAllowance;
}

void MainWindow::layoutRow(const Row& row, int index, int keyHeight) {
    row.repeat->move(1, centredTop(row.repeat->height(), index));
    row.control->move(rightEdge(row.repeat), centredTop(row.control->height(), index));
    row.alt->move(rightEdge(row.control), centredTop(row.alt->height(), index));
    row.shift->move(rightEdge(row.alt), centredTop(row.shift->height(), index));
    row.label->setGeometry(rightEdge(row.shift) + 1, centredTop(row.label->height(), index),
                           m_labelColumnWidth, row.label->height());
    row.key->setGeometry(rightEdge(row.label) + 2, RowPitch * index + 1, KeyWidth, keyHeight);
}

void MainWindow::placeInputRows() {
    for (int i = 0; i < Configuration::InputCount; ++i)
        m_rows[i].label->setTag(SlotLabel(i));
    m_labelColumnWidth = measureLabels(m_rows.data(), Configuration::InputCount);
    m_picInner->resize(rowWidth(m_rows[0]) - 4 - m_vscroll->width(),
                       Configuration::InputCount * RowPitch + 1);
    for (int i = 0; i < Configuration::InputCount; ++i)
        layoutRow(m_rows[i], i, 24);
    m_picInner->setSeparatorX(m_rows[0].label->x() - 1);
}

void MainWindow::ArrangeRows() {
    ScreenMetrics::store(this);
    m_rPicInner->setGeometry(m_frame1->x() + 10, m_frame1->y() + m_frame1->height() + 29, 251,
                             m_rPicInner->height());
    for (int j = 0; j < Configuration::RotaryCount; ++j)
        m_rrows[j].label->setTag(SlotLabel(Configuration::InputCount + j));
    m_labelColumnWidth = measureLabels(m_rrows.data(), Configuration::RotaryCount);
    const Row& first = m_rrows[0];
    m_rPicInner->resize(first.alt->width() + first.shift->width() + first.control->width() +
                            m_labelColumnWidth + RotaryPanelAllowance - 4,
                        Configuration::RotaryCount * RowPitch + 1);
    for (int j = 0; j < Configuration::RotaryCount; ++j) {
        m_rrows[j].repeat->setEnabled(false); // a rotary slot's Repeat only comes from loading
        layoutRow(m_rrows[j], j, 25);
    }
    m_rPicInner->setSeparatorX(first.label->x() - 1);
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
    const int width = rowWidth(m_rows[0]);
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
    const int rotaryWidth = rowWidth(m_rrows[0]);
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
              static_cast<const QWidget*>(m_rrows[0].key)})
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

void MainWindow::fitRestoredToScreen() {
    const QScreen* s = screen();
    if (!s || windowState() != Qt::WindowNoState)
        return;
    const QRect free = s->availableGeometry();
    const QRect frame = frameGeometry();
    if (free.contains(frame))
        return;
    const QSize margins = frame.size() - size();
    resize(size().boundedTo(free.size() - margins));
    const QRect now = frameGeometry();
    move(pos() +
         QPoint(std::max(free.left() - now.left(), std::min(0, free.right() - now.right())),
                std::max(free.top() - now.top(), std::min(0, free.bottom() - now.bottom()))));
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Restored from maximised: the window manager gives back the design size, which may not
    // fit a small screen. Once it has placed the frame, its size is known.
    if (event->type() == QEvent::WindowStateChange && windowState() == Qt::WindowNoState &&
        (static_cast<QWindowStateChangeEvent*>(event)->oldState() &
         (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        if (!m_restoredFit) {
            m_restoredFit = new QTimer(this);
            m_restoredFit->setSingleShot(true);
            m_restoredFit->setInterval(100);
            connect(m_restoredFit, &QTimer::timeout, this, &MainWindow::fitRestoredToScreen);
        }
        m_restoredFit->start();
    }
}

bool MainWindow::fittingRestored() const {
    return m_restoredFit && m_restoredFit->isActive();
}

void MainWindow::picEdgeResized() {
    const QSize client = m_picEdge->size() - QSize(2 * PanelBorder, 2 * PanelBorder);
    m_picEdgeView->resize(client.expandedTo(QSize(0, 0)));
    m_vscroll->setGeometry(client.width() - m_vscroll->width(), 0, m_vscroll->width(),
                           std::max(client.height(), 1));
    // Scroll while the client area is shorter than the rows' 901 pixels: testing the outer
    // height against 900 instead left Input 36 out of reach at 901 to 904.
    if (client.height() < Configuration::InputCount * RowPitch + 1) {
        const int visibleRows = std::max(client.height(), 0) / RowPitch;
        m_vscroll->setPageStep(client.height() >= RowPitch ? visibleRows : 1);
        m_vscroll->setMaximum(Configuration::InputCount - visibleRows); // clamps the value
    } else {
        m_vscroll->setMaximum(0);
    }
    applyScroll();
}

void MainWindow::applyScroll() {
    const int value = m_vscroll->isSliderDown() ? m_vscroll->sliderPosition() : m_vscroll->value();
    m_picInner->move(0, -RowPitch * value);
}

void MainWindow::scrollRowIntoView(int row) {
    const int visible = std::max(m_picEdgeView->height() / RowPitch, 1);
    int value = m_vscroll->value();
    if (row < value)
        value = row;
    else if (row >= value + visible)
        value = row - visible + 1;
    m_vscroll->setValue(value); // whole rows, within the range the panel's size gives
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (auto* key = qobject_cast<QPushButton*>(watched);
        key && KeySelectForm::isEnterPress(event)) {
        key->click();
        return true;
    }
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
        if (w && byKeyboard && w->parentWidget() == m_picInner)
            scrollRowIntoView(w->y() / RowPitch);
        else if (w && byKeyboard && m_right->isAncestorOf(w))
            m_rightArea->ensureWidgetVisible(w, 0, 0);
    } else if (watched == m_picEdge && event->type() == QEvent::Wheel) {
        // The wheel anywhere over the rows turns the panel's scroll bar; the rows' own
        // controls pass it on to here.
        QCoreApplication::sendEvent(m_vscroll, event);
        return true;
    } else if (watched == m_client && event->type() == QEvent::Resize)
        reflow();
    else if (watched == m_picEdge && event->type() == QEvent::Resize)
        picEdgeResized();
    else if (watched == m_client && event->type() == QEvent::Paint) {
        QPainter p(m_client);
        p.setPen(MenuRuleColour);
        p.drawLine(0, 0, m_client->width(), 0);
    }
    return QMainWindow::eventFilter(watched, event);
}

MainWindow::Row& MainWindow::rowOf(int slot) {
    return Configuration::isInputSlot(slot) ? m_rows[slot]
                                            : m_rrows[slot - Configuration::InputCount];
}

void MainWindow::onFlagChanged(int slot, Flag flag, bool on) {
    const Row& row = rowOf(slot);
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
    m_checks[int(option)]->setChecked(on);
    if (option == Option::RotaryOnAux)
        setRotaryVisible(on);
}

void MainWindow::setRotaryVisible(bool visible) {
    for (const Row& r : m_rrows)
        for (QWidget* w : {static_cast<QWidget*>(r.key), static_cast<QWidget*>(r.label),
                           static_cast<QWidget*>(r.repeat), static_cast<QWidget*>(r.control),
                           static_cast<QWidget*>(r.alt), static_cast<QWidget*>(r.shift)})
            w->setVisible(visible);
    m_rPicEdge->setVisible(visible);
    m_rPicInner->setVisible(visible);
    m_frame2->setVisible(visible);
    if (visible)
        ArrangeRows();
    fitRightSide();
}

void MainWindow::chooseKey(int slot) {
    OnScreenKeyboard keyboard;
    KeySelector& selector = m_services.keySelector ? *m_services.keySelector : keyboard;
    const int code = selector.selectKey(this);
    if (code >= 0)
        m_history.assignKey(slot, quint8(code));
    // The focus goes to the box that holds the button's rows, as it always has, so that no
    // button keeps a focus frame; but Tab goes on from the button that was chosen for, not
    // from the top of the rows, or a keyboard user at Input 30 would start over.
    m_tabFrom = rowOf(slot).key;
    (Configuration::isInputSlot(slot) ? m_picEdge : m_rPicEdge)->setFocus();
}

void MainWindow::showAbout() {
    AboutWindow about(this);
    about.exec();
}

bool MainWindow::transferRunning() const {
    return m_transfers->running();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_run->mayCloseWindow() || !m_files.maySetConfigurationAside()) {
        event->ignore();
        return;
    }
    // A unit being identified gets its own configuration back before the program goes.
    m_identify->finish();
    event->accept();
}
