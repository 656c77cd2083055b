// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InputTestWindow.h"

#include "app/RoleLabel.h"

#include "model/Configuration.h"
#include "model/KeyCodes.h"
#include "model/ScanCodes.h"
#include "model/SlotText.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int MouseLeft = 0xE8;
constexpr int MouseMiddle = 0xE9;
constexpr int MouseRight = 0xEA;
// X11 and Wayland number their key codes from 8: the input event code plus 8.
constexpr int NativeScanCodeOffset = 8;

const QString TileStyle = QStringLiteral(
    "QLabel { background: #f4f4f4; border: 1px solid #a0a0a0; border-radius: 3px; }");
const QString LitTileStyle = QStringLiteral(
    "QLabel { background: #ffd23f; border: 2px solid #b07800; border-radius: 3px; }");

// A modifier key is matched as itself, whatever else is held: Left Alt pressed while Left
// Control is down is the input that sends Left Alt, not "Control + Left Alt".
bool isModifierKey(int usage) {
    return usage >= 0xE0 && usage <= 0xE7;
}

} // namespace

InputTestWindow::InputTestWindow(const Configuration& config, QWidget* parent)
    // A dialog of the main window: the window manager keeps it above, whichever is clicked.
    : QWidget(parent, Qt::Dialog), m_config(config) {
    setObjectName(QStringLiteral("frmTestInputs"));
    setWindowTitle(tr("Test Inputs"));
    setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(
        tr("Operate the panel's inputs: each lights the inputs that send its key."), this);
    hint->setObjectName(QStringLiteral("lblTestHint"));
    layout->addWidget(hint);

    auto* inputs = new QWidget(this);
    auto* inputGrid = new QGridLayout(inputs);
    inputGrid->setContentsMargins(0, 0, 0, 0);
    for (int slot = 0; slot < Configuration::InputCount; ++slot)
        inputGrid->addWidget(makeTile(slot, inputs), slot / 6, slot % 6);
    layout->addWidget(inputs);

    auto* rotary = new QGroupBox(tr("Rotary-5 on AUX"), this);
    rotary->setObjectName(QStringLiteral("TestRotary"));
    auto* rotaryGrid = new QGridLayout(rotary);
    for (int j = 0; j < Configuration::RotaryCount; ++j)
        rotaryGrid->addWidget(makeTile(Configuration::InputCount + j, rotary), j % 2, j / 2);
    m_rotary = rotary;
    layout->addWidget(rotary);

    layout->addLayout(makeStatusLine());

    connect(&m_config, &Configuration::keyChanged, this, &InputTestWindow::showTile);
    connect(&m_config, &Configuration::roleChanged, this, &InputTestWindow::showTile);
    connect(&m_config, &Configuration::flagChanged, this,
            [this](int slot, Configuration::Flag, bool) { showTile(slot); });
    connect(&m_config, &Configuration::optionChanged, this,
            [this](Configuration::Option option, bool) {
                if (option == Configuration::Option::RotaryOnAux)
                    showTiles();
            });
    showTiles();
}

QLabel* InputTestWindow::makeTile(int slot, QWidget* parent) {
    auto* tile = new QLabel(parent);
    tile->setObjectName(QStringLiteral("TestTile_%1").arg(slot));
    tile->setAlignment(Qt::AlignCenter);
    tile->setMinimumSize(104, 52);
    tile->setStyleSheet(TileStyle);
    // Clicks on a tile are the window's, so a mouse button can be tested anywhere.
    tile->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_tiles[slot] = tile;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(LitMilliseconds);
    connect(timer, &QTimer::timeout, this, [this, slot] { showTile(slot); });
    m_lit[slot] = timer;
    return tile;
}

QLayout* InputTestWindow::makeStatusLine() {
    auto* bottom = new QHBoxLayout;
    m_status = new QLabel(QStringLiteral(" "), this);
    m_status->setObjectName(QStringLiteral("lblTestStatus"));
    bottom->addWidget(m_status, 1);
    auto* reset = new QPushButton(tr("Reset"), this);
    reset->setObjectName(QStringLiteral("TestReset"));
    // Never the focus: every key belongs to the test, Space and Enter too.
    reset->setFocusPolicy(Qt::NoFocus);
    connect(reset, &QPushButton::clicked, this, &InputTestWindow::reset);
    bottom->addWidget(reset);
    return bottom;
}

void InputTestWindow::reset() {
    m_presses.fill(0);
    for (QTimer* timer : m_lit)
        timer->stop();
    showTiles();
    m_status->setText(QStringLiteral(" "));
    setWindowTitle(tr("Test Inputs"));
}

bool InputTestWindow::isLit(int slot) const {
    return m_lit.at(slot)->isActive();
}

QString InputTestWindow::statusText() const {
    return m_status->text();
}

void InputTestWindow::showTiles() {
    for (int slot = 0; slot < Configuration::SlotCount; ++slot)
        showTile(slot);
    m_rotary->setVisible(m_config.aux().rotaryOnAux);
    adjustSize();
}

void InputTestWindow::showTile(int slot) {
    // The role goes on a line of its own in its short form ("P1 Button 5 · Jump"), so that
    // the name, the key and the count all keep their lines in a tile of the grid's width.
    QString text = SlotName(slot) + QLatin1Char('\n');
    if (const QString role = RoleLabel::shortText(m_config.slotRole(slot)); !role.isEmpty())
        text += role + QLatin1Char('\n');
    text += AssignmentText(m_config.slot(slot));
    if (m_presses[slot] > 0)
        text += QStringLiteral("\n\u00d7%1").arg(m_presses[slot]);
    m_tiles[slot]->setText(text);
    m_tiles[slot]->setStyleSheet(isLit(slot) ? LitTileStyle : TileStyle);
}

bool InputTestWindow::event(QEvent* event) {
    // Every key is the window's: no shortcut, no focus change on Tab.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            const int scanCode = int(key->nativeScanCode());
            const int usage = scanCode > NativeScanCodeOffset
                                  ? HidUsageFromEventCode(scanCode - NativeScanCodeOffset)
                                  : 0;
            const QString unknown =
                key->key() ? QKeySequence(key->key()).toString() : tr("scan code %1").arg(scanCode);
            press(usage, key->modifiers(), unknown);
        }
        return true;
    }
    return QWidget::event(event);
}

void InputTestWindow::mousePressEvent(QMouseEvent* event) {
    const int usage = event->button() == Qt::LeftButton     ? MouseLeft
                      : event->button() == Qt::MiddleButton ? MouseMiddle
                      : event->button() == Qt::RightButton  ? MouseRight
                                                            : 0;
    if (usage)
        press(usage, event->modifiers(), QString());
}

void InputTestWindow::press(int usage, Qt::KeyboardModifiers held, const QString& unknownName) {
    if (isModifierKey(usage))
        held = Qt::NoModifier;
    KeySlot pressed;
    pressed.keyCode = quint8(usage);
    pressed.control = held.testFlag(Qt::ControlModifier);
    pressed.shift = held.testFlag(Qt::ShiftModifier);
    pressed.alt = held.testFlag(Qt::AltModifier);

    const int slotCount =
        m_config.aux().rotaryOnAux ? Configuration::SlotCount : Configuration::InputCount;
    const auto matching = [&](const KeySlot& wanted) {
        QList<int> found;
        for (int slot = 0; wanted.keyCode && slot < slotCount; ++slot) {
            const KeySlot& s = m_config.slot(slot);
            if (s.keyCode == wanted.keyCode && s.control == wanted.control &&
                s.shift == wanted.shift && s.alt == wanted.alt)
                found << slot;
        }
        return found;
    };
    QList<int> found = matching(pressed);
    // Panel buttons are pressed together in play: a modifier held by one input leaves the
    // next input's own key alone, unless some input sends that very combination.
    if (found.isEmpty() && (pressed.control || pressed.shift || pressed.alt)) {
        KeySlot plain;
        plain.keyCode = pressed.keyCode;
        if (const QList<int> own = matching(plain); !own.isEmpty()) {
            pressed = plain;
            found = own;
        }
    }
    QStringList hits;
    for (int slot : found) {
        ++m_presses[slot];
        m_lit[slot]->start();
        showTile(slot);
        hits << SlotNameWithRole(m_config, slot);
    }
    if (hits.isEmpty()) {
        const QString name = usage ? AssignmentText(pressed) : unknownName;
        m_status->setText(tr("not assigned: %1").arg(name));
        return;
    }
    m_status->setText(tr("%1: %2").arg(hits.join(QStringLiteral(", ")), AssignmentText(pressed)));
    setWindowTitle(tr("Test Inputs - %1").arg(hits.first()));
}
