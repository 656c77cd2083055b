// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IdentifyWindow.h"

#include "identify/KeyPressSource.h"
#include "model/KeySlot.h"
#include "model/ScanCodes.h"
#include "model/SlotText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// X11 and Wayland number their key codes from 8: the input event code plus 8.
constexpr int NativeScanCodeOffset = 8;
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

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("identifyDone"));
    // Never the focus: while the window reads its own keys, Space and Enter are presses too.
    done->setFocusPolicy(Qt::NoFocus);
    connect(done, &QPushButton::clicked, this, &IdentifyWindow::doneRequested);
    bottom->addWidget(done);
    layout->addLayout(bottom);
    resize(380, 460);
}

void IdentifyWindow::begin(const QString& serial, const QList<int>& pressable, bool temporary) {
    m_pressable = pressable;
    m_presses.fill(0);
    m_items.fill(nullptr);
    m_list->clear();
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
    showNotPressed();
}

void IdentifyWindow::readUnit() {
    m_readingOwnKeys = false;
    m_source->setText(tr("Presses are read from the unit itself, so they type into no other "
                         "window."));
}

void IdentifyWindow::readOwnKeys(const QString& reason) {
    m_readingOwnKeys = true;
    m_source->setText(tr("The unit's own presses cannot be read (%1), so this window reads the "
                         "keys that reach it: keep it in front while you press the inputs.")
                          .arg(reason));
}

void IdentifyWindow::showPress(int slot, int eventCode) {
    if (slot < 0 || slot >= Configuration::SlotCount) {
        KeySlot key;
        key.keyCode = quint8(HidUsageFromEventCode(eventCode));
        const QString name =
            key.keyCode ? AssignmentText(key) : tr("the key with code %1").arg(eventCode);
        m_last->setText(tr("No input of this unit sends %1.").arg(name));
        return;
    }
    const int count = ++m_presses[slot];
    QTreeWidgetItem*& item = m_items[slot];
    if (!item) {
        // In slot order, whatever order the inputs are pressed in.
        int at = 0;
        for (int s = 0; s < slot; ++s)
            at += m_items[s] != nullptr;
        item = new QTreeWidgetItem({SlotName(slot), QString()});
        item->setTextAlignment(1, Qt::AlignRight);
        m_list->insertTopLevelItem(at, item);
    }
    item->setText(1, QString::number(count));
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
    m_last->setText(SlotName(slot));
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
        runs << (last == i
                     ? SlotName(m_pressable[i])
                     : tr("%1 to %2").arg(SlotName(m_pressable[i]), SlotName(m_pressable[last])));
        i = last;
    }
    m_notPressed->setText(runs.isEmpty()
                              ? tr("Every input has been pressed.")
                              : tr("Not pressed yet: %1.").arg(runs.join(QStringLiteral(", "))));
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

bool IdentifyWindow::event(QEvent* event) {
    if (!m_readingOwnKeys)
        return QWidget::event(event);
    // Every key is a press: no shortcut, no focus change on Tab.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int scanCode = int(key->nativeScanCode());
        if (!key->isAutoRepeat() && scanCode > NativeScanCodeOffset)
            emit m_ownKeys->pressed(scanCode - NativeScanCodeOffset);
        return true;
    }
    return QWidget::event(event);
}

void IdentifyWindow::closeEvent(QCloseEvent* event) {
    // It goes once the unit's own configuration is back (or could not be put back).
    event->ignore();
    emit doneRequested();
}
