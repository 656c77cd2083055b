// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IdentifyWindow.h"

#include "app/GuidedPassBox.h"
#include "device/KeyPressSource.h"
#include "model/KeySlot.h"
#include "model/ScanCodes.h"
#include "model/SlotText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// X11 and Wayland number their key codes from 8: the input event code plus 8.
constexpr int NativeScanCodeOffset = 8;
constexpr int EventEsc = 1;
constexpr int EventEnter = 28;
constexpr int EventSpace = 57;
} // namespace

IdentifyWindow::IdentifyWindow(QWidget* parent)
    // A dialog of the main window: kept above it, and the main window stays usable.
    : QWidget(parent, Qt::Dialog), m_ownKeys(new KeyPressSource(this)) {
    setObjectName(QStringLiteral("identifyWindow"));
    setWindowTitle(tr("Identify Inputs"));
    setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QVBoxLayout(this);
    const auto label = [this, layout](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setWordWrap(true);
        layout->addWidget(l);
        return l;
    };
    m_hint = label("identifyHint");
    m_source = label("identifySource");
    m_guided = new GuidedPassBox(this);
    layout->addWidget(m_guided);
    m_last = label("identifyLastPress");
    QFont large = m_last->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.5);
    m_last->setFont(large);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("identifyPresses"));
    m_list->setHeaderLabels({tr("Input"), tr("Presses")});
    m_list->setRootIsDecorated(false);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    layout->addWidget(m_list, 1);
    m_notPressed = label("identifyNotPressed");

    m_rotaryHidden = makeRotaryNote();
    layout->addWidget(m_rotaryHidden);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    m_done = new QPushButton(tr("Done"), this);
    m_done->setObjectName(QStringLiteral("identifyDone"));
    connect(m_done, &QPushButton::clicked, this, &IdentifyWindow::doneRequested);
    bottom->addWidget(m_done);
    layout->addLayout(bottom);
    resize(380, 460);
}

// Said when a rotary slot is pressed while the main window hides the rotary rows.
QWidget* IdentifyWindow::makeRotaryNote() {
    auto* box = new QWidget(this);
    auto* hidden = new QHBoxLayout(box);
    hidden->setContentsMargins(0, 0, 0, 0);
    auto* note = new QLabel(tr("The main window hides its rotary rows: \"Rotary-5 on AUX\" is "
                               "off there, but on in the unit."),
                            box);
    note->setObjectName(QStringLiteral("identifyRotaryHidden"));
    note->setWordWrap(true);
    hidden->addWidget(note, 1);
    auto* show = new QPushButton(tr("Show Rotary Rows"), box);
    show->setObjectName(QStringLiteral("identifyShowRotary"));
    // Once asked for, the rows show, and the note would be stale.
    connect(show, &QPushButton::clicked, this, [this, box] {
        box->hide();
        emit rotaryRowsRequested();
    });
    hidden->addWidget(show);
    box->hide();
    return box;
}

void IdentifyWindow::begin(const QString& serial, const QList<int>& pressable, bool temporary) {
    m_pressable = pressable;
    m_presses.fill(0);
    m_items.fill(nullptr);
    m_list->clear();
    m_lastSlot = -1;
    QString hint = tr("Press the panel's inputs one at a time. Each press is named here and "
                      "its row is shown in the main window, where you can assign its key.");
    hint += QLatin1Char(' ');
    hint += temporary ? tr("Unit %1 holds a temporary configuration until you click Done; then "
                           "its own goes back onto it.")
                            .arg(serial)
                      : tr("Unit %1 keeps its own configuration: each of its inputs already "
                           "sends a key of its own.")
                            .arg(serial);
    m_hint->setText(hint);
    m_last->setText(tr("No input pressed yet."));
    m_rotaryHidden->hide();
    m_guided->showIdle(QString());
    showNotPressed();
}

void IdentifyWindow::placeBeside(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    QRect place(QPoint(frame.right() - width() - 24, frame.top() + 80), size());
    if (const QScreen* screen = window->screen()) {
        const QRect free = screen->availableGeometry();
        place = place.intersected(free).size() == place.size()
                    ? place
                    : QRect(free.topLeft(), place.size().boundedTo(free.size()));
    }
    setGeometry(place);
}

void IdentifyWindow::keepClearOf(const QRect& row) {
    const QRect frame = frameGeometry();
    if (!frame.intersects(row) || !screen())
        return;
    const QRect free = screen()->availableGeometry();
    const QMargins decoration(geometry().left() - frame.left(), geometry().top() - frame.top(),
                              frame.right() - geometry().right(),
                              frame.bottom() - geometry().bottom());
    // Right of the row, left of it, below it, above it: the first where the whole window
    // fits, keeping its height; else the widest side, narrowed to fit.
    const QRect sides[] = {QRect(QPoint(row.right() + 1, free.top()), free.bottomRight()),
                           QRect(free.topLeft(), QPoint(row.left() - 1, free.bottom())),
                           QRect(QPoint(free.left(), row.bottom() + 1), free.bottomRight()),
                           QRect(free.topLeft(), QPoint(free.right(), row.top() - 1))};
    const auto placeIn = [&](const QRect& side, QSize size) {
        const auto within = [](int at, int low, int high) {
            return std::max(low, std::min(at, high));
        };
        QRect place(QPoint(within(frame.left(), side.left(), side.right() - size.width() + 1),
                           within(frame.top(), side.top(), side.bottom() - size.height() + 1)),
                    size);
        setGeometry(place - decoration);
    };
    for (const QRect& side : sides)
        if (side.width() >= frame.width() && side.height() >= frame.height())
            return placeIn(side, frame.size());
    const QRect& widest = sides[0].width() >= sides[1].width() ? sides[0] : sides[1];
    placeIn(widest, QSize(std::max(widest.width(), minimumSizeHint().width()),
                          std::min(frame.height(), widest.height())));
}

void IdentifyWindow::readUnit() {
    m_readingOwnKeys = false;
    m_done->setFocusPolicy(Qt::StrongFocus);
    m_guided->setKeyboardFocus(false, true);
    m_source->setText(tr("Presses are read from the unit itself, so they type into no other "
                         "window."));
}

void IdentifyWindow::readOwnKeys(const QString& reason) {
    m_readingOwnKeys = true;
    // Done takes the focus only when neither Space nor Enter can be a press it would take.
    const bool pressable =
        worksWindow(Qt::Key_Space, EventSpace) && worksWindow(Qt::Key_Return, EventEnter);
    m_done->setFocusPolicy(pressable ? Qt::StrongFocus : Qt::NoFocus);
    m_guided->setKeyboardFocus(true, pressable);
    if (QWidget* focus = focusWidget();
        focus && focus != this && focus->focusPolicy() == Qt::NoFocus)
        setFocus();
    m_source->setText(tr("The unit's own presses cannot be read (%1), so this window reads the "
                         "keys that reach it: keep it in front while you press the inputs.")
                          .arg(reason) +
                      QLatin1Char(' ') + finishHint());
}

void IdentifyWindow::showPress(int slot, int eventCode, bool rowShown) {
    if (slot < 0 || slot >= Configuration::SlotCount) {
        KeySlot key;
        key.keyCode = quint8(HidUsageFromEventCode(eventCode));
        const QString name =
            key.keyCode ? AssignmentText(key) : tr("the key with code %1").arg(eventCode);
        m_last->setText(tr("No input of this unit sends %1.").arg(name));
        m_lastSlot = -1;
        return;
    }
    const int count = ++m_presses[slot];
    QTreeWidgetItem*& item = m_items[slot];
    if (!item) {
        // In slot order, whatever order the inputs are pressed in.
        int at = 0;
        for (int s = 0; s < slot; ++s)
            at += m_items[s] != nullptr;
        item = new QTreeWidgetItem({slotName(slot), QString()});
        item->setTextAlignment(1, Qt::AlignRight);
        m_list->insertTopLevelItem(at, item);
    }
    item->setText(1, QString::number(count));
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
    m_lastSlot = slot;
    m_last->setText(slotName(slot));
    m_rotaryHidden->setVisible(!rowShown);
    showNotPressed();
}

void IdentifyWindow::showNotPressed() {
    // Runs of inputs, "Input 1 to Input 6, Input 8", rather than forty names.
    QStringList runs;
    for (int i = 0; i < m_pressable.size(); ++i) {
        if (m_presses[m_pressable[i]] > 0)
            continue;
        int last = i;
        // A run stays among the inputs or among the rotary slots.
        const auto continues = [&](int next) {
            return next < m_pressable.size() && m_pressable[next] == m_pressable[next - 1] + 1 &&
                   m_presses[m_pressable[next]] == 0 &&
                   Configuration::isInputSlot(m_pressable[next]) ==
                       Configuration::isInputSlot(m_pressable[i]);
        };
        while (continues(last + 1))
            ++last;
        // Two in a row are two names: "Input 2 to Input 3" reads as if more were between.
        // Those name their roles; a run is a stretch of numbers, its ends named alone.
        if (last - i == 1)
            runs << slotName(m_pressable[i]) << slotName(m_pressable[last]);
        else
            runs << (last == i ? slotName(m_pressable[i])
                               : tr("%1 to %2")
                                     .arg(SlotName(m_pressable[i]), SlotName(m_pressable[last])));
        i = last;
    }
    m_notPressed->setText(runs.isEmpty()
                              ? tr("Every input has been pressed.")
                              : tr("Not pressed yet: %1.").arg(runs.join(QStringLiteral(", "))));
}

void IdentifyWindow::renameSlots() {
    for (int slot = 0; slot < Configuration::SlotCount; ++slot)
        if (m_items[slot])
            m_items[slot]->setText(0, slotName(slot));
    if (m_lastSlot >= 0)
        m_last->setText(slotName(m_lastSlot));
    showNotPressed();
}

QString IdentifyWindow::slotName(int slot) const {
    return m_slotName ? m_slotName(slot) : SlotName(slot);
}

QString IdentifyWindow::sourceText() const {
    return m_source->text();
}

QString IdentifyWindow::lastPressText() const {
    return m_last->text();
}

QString IdentifyWindow::notPressedText() const {
    return m_notPressed->text();
}

QString IdentifyWindow::finishHint() const {
    return worksWindow(Qt::Key_Escape, EventEsc)
               ? tr("To finish, press Esc, or Tab to Done and press Enter.")
               : tr("To finish, click Done.");
}

bool IdentifyWindow::worksWindow(int key, int eventCode) const {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        // The temporary configuration sends none of these; a unit's own may.
        return !m_readingOwnKeys || !m_unitSends || !m_unitSends(eventCode);
    default:
        return !m_readingOwnKeys;
    }
}

bool IdentifyWindow::event(QEvent* event) {
    const bool keyPress = event->type() == QEvent::KeyPress;
    if (!keyPress && event->type() != QEvent::ShortcutOverride)
        return QWidget::event(event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int eventCode = int(key->nativeScanCode()) - NativeScanCodeOffset;
    if (worksWindow(key->key(), eventCode)) {
        if (keyPress && key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        // A plain window's buttons take Space but not Enter.
        auto* button = qobject_cast<QAbstractButton*>(focusWidget());
        if (keyPress && button && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            button->animateClick();
            return true;
        }
        return QWidget::event(event);
    }
    // Every other key is a press: no shortcut takes it.
    event->accept();
    if (keyPress && !key->isAutoRepeat() && eventCode > 0)
        emit m_ownKeys->pressed(eventCode);
    return true;
}

void IdentifyWindow::closeEvent(QCloseEvent* event) {
    // It goes once the unit's own configuration is back (or could not be put back).
    event->ignore();
    emit doneRequested();
}
