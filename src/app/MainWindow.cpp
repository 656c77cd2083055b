#include "MainWindow.h"

#include "AboutWindow.h"
#include "BannerWidget.h"
#include "DeviceLink.h"
#include "HidAccess.h"
#include "InputTestWindow.h"
#include "KeyCodes.h"
#include "KeySelector.h"
#include "LabelBox.h"
#include "Module1.h"
#include "MultiUnitsWindow.h"
#include "OnScreenKeyboard.h"
#include "RowPanel.h"
#include "StatusWindow.h"
#include "UserDialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

using Flag = Configuration::Flag;
using Option = Configuration::Option;

// The logo lives in this static library; make sure its resources are registered.
static void initResources() {
    Q_INIT_RESOURCE(tarvenpad);
}

namespace {

constexpr int ScrollBarWidth = 17;
constexpr int PanelBorder = 2;
constexpr int CheckHeight = 17;
constexpr int KeyWidth = 107;
const QColor GridColour(170, 170, 170);
const QColor MenuRuleColour(190, 190, 190);

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
    : QMainWindow(parent), m_services(services), m_files(m_config, services.dialogs, this),
      m_comparison(services.access, services.dialogs, this), m_labelFont(rowFont(true)) {
    initResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quelmark Electronics, Inc. - TARVEN-PAD Programmer"));
    setWindowIcon(QIcon(QStringLiteral(":/logo.png")));
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("Form1Client"));
    setCentralWidget(m_client);
    resize(751, 628 + menuBar()->sizeHint().height());

    buildMenus();
    buildInputPanel(m_client);
    m_banner = new BannerWidget(m_client);
    buildOptions(m_client);
    buildRotarySection(m_client);
    m_client->installEventFilter(this);

    connect(&m_config, &Configuration::flagChanged, this, &MainWindow::onFlagChanged);
    connect(&m_config, &Configuration::keyChanged, this, &MainWindow::onKeyChanged);
    connect(&m_config, &Configuration::optionChanged, this, &MainWindow::onOptionChanged);
    connect(&m_config, &Configuration::trackballAvailabilityChanged, this,
            &MainWindow::onTrackballAvailability);
    showConfiguration();
}

void MainWindow::showConfiguration() {
    for (int slot = 0; slot < Configuration::SlotCount; ++slot) {
        onKeyChanged(slot);
        for (Flag flag : {Flag::Control, Flag::Shift, Flag::Alt, Flag::Repeat})
            onFlagChanged(slot, flag, m_config.flag(slot, flag));
    }
    for (int o = 0; o < 5; ++o)
        m_checks[o]->setChecked(m_config.option(Option(o)));
    setRotaryVisible(m_config.aux().rotaryOnAux);
    onTrackballAvailability(m_config.trackballOptionsAvailable());
}

void MainWindow::onTrackballAvailability(bool available) {
    for (int i = 0; i < 3; ++i)
        m_checks[i]->setEnabled(available);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
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
    connect(item("fnew", QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, [this] { m_files.fileNew(); });
    connect(item("fopen", QStringLiteral("Open..."), QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [this] { m_files.fileOpen(); });
    connect(item("fsave", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, [this] { m_files.fileSave(); });
    connect(item("fsaveas", QStringLiteral("Save As..."), {}), &QAction::triggered, this,
            [this] { m_files.fileSaveAs(); });
    separator("fspc1");
    m_sendAction = item("fsend", QStringLiteral("Write To TARVENPAD"), {});
    separator("fspc2");
    m_receiveAction = item("freceive", QStringLiteral("Read From TARVENPAD"), {});
    separator("fspc3");
    QAction* exit = item("fexit", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(m_sendAction, &QAction::triggered, this, [this] {
        int identifier = DeviceIdentifier;
        WriteToDevice(identifier);
    });
    connect(m_receiveAction, &QAction::triggered, this, [this] {
        int identifier = DeviceIdentifier;
        ReadFromDevice(identifier);
    });

    buildToolsMenu();

    QMenu* about = menuBar()->addMenu(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("about"));
    about->menuAction()->setObjectName(QStringLiteral("about"));
    QAction* aabout = about->addAction(QStringLiteral("About..."));
    aabout->setObjectName(QStringLiteral("aabout"));
    connect(aabout, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::buildToolsMenu() {
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("tools"));
    tools->menuAction()->setObjectName(QStringLiteral("tools"));
    QAction* test = tools->addAction(QStringLiteral("Test Inputs..."));
    test->setObjectName(QStringLiteral("ttest"));
    connect(test, &QAction::triggered, this, [this] {
        if (!m_inputTest)
            m_inputTest = new InputTestWindow(m_config, this);
        m_inputTest->show();
        m_inputTest->raise();
        m_inputTest->activateWindow();
    });
    QAction* compare = tools->addAction(QStringLiteral("Compare With TARVENPAD..."));
    compare->setObjectName(QStringLiteral("tcompare"));
    connect(compare, &QAction::triggered, this, &MainWindow::compareWithUnit);
    QAction* verify = tools->addAction(QStringLiteral("Verify After Writing"));
    verify->setObjectName(QStringLiteral("tverify"));
    verify->setCheckable(true);
    verify->setChecked(UnitComparison::verifyAfterWriting());
    connect(verify, &QAction::toggled, this, &UnitComparison::setVerifyAfterWriting);
}

void MainWindow::compareWithUnit() {
    if (m_transferRunning)
        return;
    beginTransfer();
    m_comparison.compare(m_config, DeviceIdentifier, unitSelector());
    endTransfer();
}

MainWindow::Row MainWindow::makeRow(QWidget* parent, const QString& prefix, int index, int slot) {
    const QFont plain = rowFont(false);
    const auto box = [&](const char* name, const QString& caption, int width, Flag flag) {
        auto* b = new QCheckBox(caption, parent);
        b->setObjectName(QStringLiteral("%1%2_%3").arg(prefix, QLatin1String(name)).arg(index));
        b->setFont(plain);
        b->resize(width, CheckHeight);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QCheckBox::clicked, this,
                [this, b, slot, flag] { m_config.setFlag(slot, flag, b->isChecked()); });
        return b;
    };
    Row row;
    row.repeat = box("ChkRepeat", QStringLiteral("Repeat"), 65, Flag::Repeat);
    row.control = box("ChkCtrl", QStringLiteral("Control"), 66, Flag::Control);
    row.alt = box("ChkAlt", QStringLiteral("Alt"), 41, Flag::Alt);
    row.shift = box("ChkShift", QStringLiteral("Shift"), 50, Flag::Shift);
    row.label = new LabelBox(parent);
    row.label->setObjectName(QStringLiteral("%1LabelI_%2").arg(prefix).arg(index));
    row.label->setFont(m_labelFont);
    row.label->resize(1, CheckHeight);
    row.key = new QPushButton(QStringLiteral("N/U"), parent);
    row.key->setObjectName(prefix.isEmpty() ? QStringLiteral("SKey_%1").arg(index)
                                            : QStringLiteral("Rkey_%1").arg(index));
    row.key->setFont(plain);
    row.key->setProperty("Tag", QString());
    connect(row.key, &QPushButton::clicked, this, [this, slot] { chooseKey(slot); });
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
    m_frame1 = new QGroupBox(QStringLiteral("Trackball/AUX Controls:"), client);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setFont(rowFont(false));
    m_frame1->resize(153, 193);
    const struct {
        const char* name;
        const char* caption;
        Option option;
        QRect geometry;
    } boxes[] = {{"Check1", "Reverse X Axis", Option::ReverseX, {16, 56, 113, 33}},
                 {"Check2", "Reverse Y Axis", Option::ReverseY, {16, 88, 113, 33}},
                 {"Check3", "Active High", Option::ActiveHigh, {16, 24, 113, 33}},
                 {"Check4", "Rotary-5 on AUX", Option::RotaryOnAux, {16, 120, 129, 33}},
                 {"Check5", "Relay-8 on AUX", Option::RelayOnAux, {16, 152, 129, 33}}};
    for (const auto& b : boxes) {
        auto* box = new QCheckBox(QString::fromLatin1(b.caption), m_frame1);
        box->setObjectName(QString::fromLatin1(b.name));
        box->setGeometry(b.geometry);
        const Option option = b.option;
        connect(box, &QCheckBox::clicked, this,
                [this, box, option] { m_config.setOption(option, box->isChecked()); });
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
    m_frame2 = new QGroupBox(QStringLiteral("Rotary-5 Key Assignments"), client);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_rPicEdge = new QFrame(client);
    m_rPicEdge->setObjectName(QStringLiteral("RPicEdge"));
    m_rPicEdge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_rPicEdge->setLineWidth(PanelBorder);
    m_rPicEdge->setFocusPolicy(Qt::StrongFocus);
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
           first.shift->width() + m_labelColumnWidth + 132;
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
        m_rows[i].label->setTag(QStringLiteral("Input %1").arg(i + 1));
    m_labelColumnWidth = measureLabels(m_rows.data(), Configuration::InputCount);
    m_picInner->resize(rowWidth(m_rows[0]) - 4 - m_vscroll->width(),
                       Configuration::InputCount * RowPitch + 1);
    for (int i = 0; i < Configuration::InputCount; ++i)
        layoutRow(m_rows[i], i, 24);
    m_picInner->setSeparatorX(m_rows[0].label->x() - 1);
}

void MainWindow::ArrangeRows() {
    Module1::storeTwipsPerPixel(this);
    m_rPicInner->setGeometry(m_frame1->x() + 10, m_frame1->y() + m_frame1->height() + 29, 251,
                             m_rPicInner->height());
    for (int j = 0; j < Configuration::RotaryCount; j += 2) {
        const int n = j / 2 + 1;
        m_rrows[j].label->setTag(QStringLiteral("Rotary  %1A").arg(n));
        m_rrows[j + 1].label->setTag(QStringLiteral("Rotary  %1B").arg(n));
    }
    m_labelColumnWidth = measureLabels(m_rrows.data(), Configuration::RotaryCount);
    const Row& first = m_rrows[0];
    m_rPicInner->resize(first.alt->width() + first.shift->width() + first.control->width() +
                            m_labelColumnWidth + 179 - 4,
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
    const double bannerWidth = m_client->width() - x;
    const double bannerHeight = bannerWidth / (454.0 / 141.0);
    m_banner->setGeometry(x, 1, std::max(int(std::lround(bannerWidth)), 1),
                          std::max(int(std::lround(bannerHeight)), 1));

    m_frame1->move(m_picEdge->width() + m_picEdge->x() + 20,
                   m_banner->height() + m_banner->y() + 10);
    const int rotaryWidth = rowWidth(m_rrows[0]);
    m_rPicEdge->setGeometry(m_frame1->x() + 5, m_frame1->height() + m_frame1->y() + 24,
                            rotaryWidth + 5, 265);
    m_frame2->setGeometry(m_frame1->x(), m_frame1->height() + m_frame1->y() + 10, rotaryWidth + 15,
                          285);
    ArrangeRows();
}

void MainWindow::picEdgeResized() {
    const QSize client = m_picEdge->size() - QSize(2 * PanelBorder, 2 * PanelBorder);
    m_picEdgeView->resize(client.expandedTo(QSize(0, 0)));
    m_vscroll->setGeometry(client.width() - m_vscroll->width(), 0, m_vscroll->width(),
                           std::max(client.height(), 1));
    if (m_picEdge->height() <= 900) {
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
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
    key->setText(KeyCodeName(s.keyCode));
    key->setProperty("Tag", s.keyTag());
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
}

void MainWindow::chooseKey(int slot) {
    OnScreenKeyboard keyboard;
    KeySelector& selector = m_services.keySelector ? *m_services.keySelector : keyboard;
    const int code = selector.selectKey(this);
    if (code >= 0)
        m_config.assignKey(slot, quint8(code));
    (Configuration::isInputSlot(slot) ? m_picEdge : m_rPicEdge)->setFocus();
}

void MainWindow::showAbout() {
    AboutWindow about(this);
    about.exec();
}

UnitSelector& MainWindow::unitSelector() {
    if (m_services.unitSelector)
        return *m_services.unitSelector;
    if (!m_multiUnits)
        m_multiUnits = std::make_unique<MultiUnitsWindow>();
    return *m_multiUnits;
}

void MainWindow::beginTransfer() {
    m_transferRunning = true;
    m_sendAction->setEnabled(false);
    m_receiveAction->setEnabled(false);
}

void MainWindow::endTransfer() {
    m_transferRunning = false;
    m_sendAction->setEnabled(true);
    m_receiveAction->setEnabled(true);
    if (m_closeAfterTransfer) {
        m_closeAfterTransfer = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

TransferResult MainWindow::runTransfer(const std::function<TransferResult(DeviceLink&)>& exchange,
                                       const std::function<void()>& onSuccess) {
    auto status = std::make_unique<StatusWindow>(this);
    status->show();
    QCoreApplication::processEvents();
    DeviceLink link(m_services.access, *status, unitSelector());
    const TransferResult result = exchange(link);
    // Success is applied, and failures are reported, while the progress window still shows.
    if (result == TransferResult::Success && onSuccess)
        onSuccess();
    else if (result == TransferResult::DeviceNotFound)
        m_services.dialogs.message(this, QStringLiteral("Device Not Found"),
                                   QStringLiteral("Error"), UserDialogs::Icon::Exclamation,
                                   UserDialogs::Buttons::Ok);
    else if (result == TransferResult::IoError)
        m_services.dialogs.message(this, QStringLiteral("Device I/O Error"),
                                   QStringLiteral("Error"), UserDialogs::Icon::Exclamation,
                                   UserDialogs::Buttons::Ok);
    status.reset();
    QCoreApplication::processEvents();
    return result;
}

void MainWindow::WriteToDevice(int& identifier) {
    if (m_transferRunning)
        return;
    beginTransfer();
    const bool verify = UnitComparison::verifyAfterWriting();
    DeviceImage image, readBack;
    const TransferResult result = runTransfer(
        [&](DeviceLink& link) {
            // The image is complete before the first exchange: edits during the transfer
            // wait for the next write.
            image = BuildDeviceImage(m_config);
            if (verify)
                return UnitComparison::sendAndReadBack(link, identifier, image, readBack);
            return link.SendImage(identifier, image);
        },
        nullptr);
    if (result == TransferResult::Success &&
        (!verify || m_comparison.confirmWritten(image, readBack)))
        m_services.dialogs.message(this, QStringLiteral("TARVEN-PAD Programmed Successfully"),
                                   QStringLiteral("Programmed"), UserDialogs::Icon::Information,
                                   UserDialogs::Buttons::Ok);
    endTransfer();
}

void MainWindow::ReadFromDevice(int& identifier) {
    if (m_transferRunning || !m_files.maySetConfigurationAside())
        return;
    beginTransfer();
    DeviceImage image;
    const TransferResult result =
        runTransfer([&](DeviceLink& link) { return link.ReceiveImage(identifier, image); },
                    // Only a complete image, through the same setters as a click.
                    [&] { ApplyDeviceImage(m_config, image); });
    if (result == TransferResult::Success)
        m_services.dialogs.message(
            this, QStringLiteral("Configuration File Read Successfully From The TARVENPAD Device"),
            QStringLiteral("Successful Read"), UserDialogs::Icon::Information,
            UserDialogs::Buttons::Ok);
    // What is on screen now belongs to no file, even after a failed read; a cancelled
    // unit choice is not a read at all.
    if (result != TransferResult::Cancelled) {
        m_config.setCurrentFileName(QString());
        m_config.setConfigModified(true);
    }
    endTransfer();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A unit is open while a transfer runs: close once it has ended.
    if (m_transferRunning) {
        m_closeAfterTransfer = true;
        event->ignore();
        return;
    }
    if (!m_files.maySetConfigurationAside()) {
        event->ignore();
        return;
    }
    if (m_multiUnits)
        m_multiUnits->hide();
    event->accept();
}
