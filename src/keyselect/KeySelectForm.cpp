// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyselect/KeySelectForm.h"

#include "keyselect/KeyGrid.h"
#include "model/KeyCodes.h"
#include "model/ScanCodes.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleHints>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace {

// The reference label's design size, 1335 x 255 twips, in pixels at 15 twips per pixel.
constexpr double DesignLabelWidth = 1335.0 / 15;
constexpr double DesignLabelHeight = 255.0 / 15;
// The Space bar's key code: its wide key is known by the code, as a translation may change
// its caption.
constexpr int SpaceCode = 0x2C;
// X11 and Wayland number their key codes from 8: the input event code plus 8.
constexpr int NativeScanCodeOffset = 8;

QFont baseFont(const char* family) {
    QFont f(QString::fromLatin1(family));
    f.setStyleHint(family[0] == 'C' ? QFont::TypeWriter : QFont::SansSerif);
    f.setPointSizeF(8.25);
    return f;
}

QString captionOf(int index) {
    if (index == NotUsedButton)
        return KeySelectForm::tr("Not Used");
    if (index == CancelButton)
        return KeySelectForm::tr("Cancel");
    return KeycapLabel(KeyGrid[index].code);
}

} // namespace

bool KeySelectForm::isEnterPress(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    // A held Enter repeats into the window its first press opened; only a new press counts.
    return !key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

KeySelectForm::KeySelectForm(QWidget* parent, QRect screen)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_screen(screen),
      // A Wayland window cannot place itself: only full screen is sure to be wholly visible.
      m_fullScreen(screen.isNull() &&
                   QGuiApplication::platformName().startsWith(QLatin1String("wayland"))),
      m_labelWidth(DesignLabelWidth), m_labelHeight(DesignLabelHeight) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Key Selection"));
    setWindowIcon(QIcon(QStringLiteral(":/logo.png")));
    setModal(true);

    m_focusSink = new QWidget(this);
    m_focusSink->setObjectName(QStringLiteral("Picture1"));
    m_focusSink->setGeometry(0, 0, 1, 1);
    m_focusSink->setFocusPolicy(Qt::StrongFocus);
    m_focusSink->installEventFilter(this); // the arrows start from it

    m_label = new QLabel(tr("Mouse Buttons"), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setFont(baseFont("Verdana"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setGeometry(264, 24, int(DesignLabelWidth), int(DesignLabelHeight));

    const QFont keyFont = baseFont("Courier New");
    for (int i = 0; i < KeyButtonCount; ++i) {
        auto* key = new QPushButton(captionOf(i), this);
        key->setObjectName(QStringLiteral("CKey_%1").arg(i));
        key->setFont(keyFont);
        key->setAutoDefault(false);
        key->installEventFilter(this);
        connect(key, &QPushButton::clicked, this, [this, i] {
            m_selectedCode = GetKeyCode(i);
            m_result = m_selectedCode;
            accept();
        });
        m_keys[i] = key;
    }
    m_selectedCode = -2;
    fitToScreen();
}

int KeySelectForm::GetKeyCode(int index) {
    m_selectedCode = KeyGrid.at(index).code;
    return m_selectedCode;
}

double KeySelectForm::fontSizeFor(int index, const QString& caption, double keyWidth,
                                  double labelWidth, double labelHeight) {
    double f = 1.5 * (labelHeight / labelWidth) * (keyWidth / caption.size());
    if (KeyGrid.at(index).code == SpaceCode)
        f = f / 1.5 * 1.3;
    else if (caption.size() >= 3)
        f *= 1.5;
    if (index == KeypadZeroButton)
        f /= 2;
    return std::max(f, 1.0);
}

void KeySelectForm::fitToScreen() {
    if (m_fullScreen) {
        // The compositor sizes the window; the keyboard keeps its band across the middle.
        setWindowState(windowState() | Qt::WindowFullScreen);
        return;
    }
    QRect area = m_screen;
    if (area.isNull()) {
        const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
        area = s ? s->geometry() : QRect(0, 0, 1024, 768);
    }
    // Outer size: the screen's full width, 8/27 of it high, vertically centred.
    const QSize frame = m_frame.margins();
    m_frame.fitted(frame);
    const int outerWidth = area.width();
    const int outerHeight = int(std::lround(outerWidth / 27.0 * 8));
    const QSize client(outerWidth - frame.width(), outerHeight - frame.height());
    if (size() != client)
        setFixedSize(client);
    move(area.left(), area.top() + area.height() / 2 - outerHeight / 2);
}

void KeySelectForm::PlaceKey(int index, double x, double y, double w, double h) {
    QPushButton* key = m_keys[index];
    const int left = int(std::lround(x * m_unitX));
    const int top = int(std::lround(m_top + y * m_unitY));
    key->setGeometry(left, top, int(std::lround((x + w) * m_unitX)) - left,
                     int(std::lround(m_top + (y + h) * m_unitY)) - top);
    // A key held down shows no caption; it keeps its size until it is released.
    const QString caption = key->text();
    if (!caption.isEmpty()) {
        QFont font = key->font();
        font.setPointSizeF(fontSizeFor(index, caption, w * m_unitX, m_labelWidth, m_labelHeight));
        key->setFont(font);
    }
    if (key->toolTip().isEmpty())
        key->setToolTip(PlainKeyText(KeyCodeName(GetKeyCode(index))));
    m_selectedCode = -2;
}

void KeySelectForm::layoutKeys() {
    // The keyboard keys take their font from the reference label's size of the pass
    // before; a second pass once the label has moved gives them the final size, as the
    // nested resize would.
    for (int pass = 0; pass < 2; ++pass) {
        const double oldWidth = m_labelWidth, oldHeight = m_labelHeight;
        layoutPass();
        if (m_labelWidth == oldWidth && m_labelHeight == oldHeight)
            break;
    }
    update();
}

void KeySelectForm::layoutPass() {
    const double sw = width();
    // Full screen, the keyboard is as high as the window it would be, centred vertically.
    const double sh = m_fullScreen ? std::min(double(height()), sw / 27 * 8) : height();
    m_top = (height() - sh) / 2;
    m_unitX = sw / 27;
    m_unitY = sh / 8;
    // The keyboard keys use the reference label's size from before this pass; the mouse
    // buttons and the wide buttons the new one.
    for (int i = 0; i < FirstMouseButton; ++i) {
        const KeyGridEntry& g = KeyGrid[i];
        PlaceKey(i, g.x, g.y, g.w, g.h);
    }
    m_labelWidth = sw / 9;
    m_labelHeight = sh / 8;
    m_label->setGeometry(int(std::lround(sw / 9 * 8)), int(std::lround(m_top + sh / 8)),
                         int(std::lround(m_labelWidth)), int(std::lround(m_labelHeight)));
    for (int i = FirstMouseButton; i < KeyButtonCount; ++i) {
        const KeyGridEntry& g = KeyGrid[i];
        PlaceKey(i, g.x, g.y, g.w, g.h);
    }
    // The mouse body hangs under its three buttons, 2 pixels inside their outer edges.
    const QRect mouse = m_keys[FirstMouseButton]->geometry();
    const double radius = m_labelWidth - 4;
    const QPointF centre(m_label->x() + m_labelWidth / 2, mouse.y() + mouse.height());
    m_mouseOutline = QRectF(centre.x() - radius / 2, centre.y() - radius, radius, 2 * radius);
}

void KeySelectForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutKeys();
}

void KeySelectForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_shownFor.start();
    m_activated = false;
    fitToScreen();
    if (QWindow* window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, &KeySelectForm::followScreen,
                Qt::UniqueConnection);
        followScreen(window->screen());
    }
}

void KeySelectForm::followScreen(QScreen* screen) {
    disconnect(m_screenConnection);
    if (screen)
        m_screenConnection =
            connect(screen, &QScreen::geometryChanged, this, [this] { fitToScreen(); });
    fitToScreen();
}

bool KeySelectForm::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        // The window takes clicks from here on; the interval counts from the later moment.
        m_activated = true;
        m_shownFor.start();
    }
    // So the outer window, not the inner area, spans the screen.
    if (m_frame.outdated(*event))
        fitToScreen();
    return handled;
}

void KeySelectForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.drawArc(m_mouseOutline, 180 * 16, 180 * 16);
}

int KeySelectForm::clickGuardMilliseconds() {
    // Nobody sees a window this size come up and aims at one of its keys within half a
    // second, and some desktops count a double-click up to 500 ms: a click sooner than
    // that, or than this desktop's double-click interval if longer, is the end of the
    // double-click that opened the window.
    return std::max(500, QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

bool KeySelectForm::eventFilter(QObject* watched, QEvent* event) {
    auto* key = qobject_cast<QPushButton*>(watched);
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (key && press && m_shownFor.isValid() && m_shownFor.elapsed() < clickGuardMilliseconds())
        return true; // the key never sees it, so its release chooses nothing
    if (key && isEnterPress(event)) {
        key->click(); // Enter chooses the focused key, as Space does
        return true;
    }
    if ((key || watched == m_focusSink) && event->type() == QEvent::KeyPress &&
        moveFocus(*static_cast<QKeyEvent*>(event),
                  key ? int(std::find(m_keys.begin(), m_keys.end(), key) - m_keys.begin()) : -1))
        return true;
    if (key && event->type() == QEvent::MouseButtonPress) {
        m_pressedCaption = key->text();
        key->setText(QString());
    } else if (key && event->type() == QEvent::MouseButtonRelease) {
        if (key->text().isEmpty())
            key->setText(m_pressedCaption);
        m_pressedCaption.clear();
        // Only once the button has seen the release: losing the focus first would cancel
        // its click.
        QMetaObject::invokeMethod(
            m_focusSink, [sink = m_focusSink] { sink->setFocus(); }, Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

bool KeySelectForm::moveFocus(const QKeyEvent& event, int from) {
    // Tab, Space, Enter and Esc keep their meaning, and so do the modifiers, which would
    // otherwise leave for their own key before Shift+Tab or a shortcut.
    const int k = event.key();
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
        k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Space || k == Qt::Key_Return ||
        k == Qt::Key_Enter || k == Qt::Key_Escape)
        return false;
    int to = -1;
    const bool arrow = !(event.modifiers() & Qt::KeypadModifier) && k >= Qt::Key_Left &&
                       k <= Qt::Key_Down; // a keypad arrow is the keypad's own key
    if (arrow) {
        static constexpr GridStep Steps[] = {GridStep::Left, GridStep::Up, GridStep::Right,
                                             GridStep::Down};
        to = from < 0 ? 0 : KeyGridNeighbour(from, Steps[k - Qt::Key_Left]);
    } else {
        const int scanCode = int(event.nativeScanCode());
        const int usage = scanCode > NativeScanCodeOffset
                              ? HidUsageFromEventCode(scanCode - NativeScanCodeOffset)
                              : 0;
        if (usage >= 0xE0 && usage <= 0xE7)
            return false;
        to = KeyGridButtonOf(usage);
    }
    if (to >= 0)
        m_keys[to]->setFocus(Qt::TabFocusReason); // with its focus frame
    return arrow || to >= 0;
}

void KeySelectForm::done(int result) {
    if (m_selectedCode == -2) {
        m_selectedCode = -1;
        m_result = -1;
    }
    QDialog::done(result);
}
