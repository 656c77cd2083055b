// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageListWindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace {

// The smallest the window gets: a few lines of the list still show.
constexpr QSize MinimumSize(320, 240);

QStyle::StandardPixmap pixmapOf(UserDialogs::Icon icon) {
    switch (icon) {
    case UserDialogs::Icon::Information:
        return QStyle::SP_MessageBoxInformation;
    case UserDialogs::Icon::Exclamation:
        return QStyle::SP_MessageBoxWarning;
    case UserDialogs::Icon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case UserDialogs::Icon::None:
        break;
    }
    return QStyle::SP_CustomBase;
}

} // namespace

MessageListWindow::MessageListWindow(QWidget* parent, const QString& text, const QStringList& lines,
                                     const QString& title, UserDialogs::Icon icon,
                                     UserDialogs::Buttons buttons)
    : QDialog(parent), m_list(new QTextEdit(this)) {
    setObjectName(QStringLiteral("MessageList"));
    setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    setModal(true);
    setSizeGripEnabled(true);

    auto* grid = new QGridLayout(this);
    if (icon != UserDialogs::Icon::None) {
        auto* picture = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        picture->setPixmap(style()->standardIcon(pixmapOf(icon), nullptr, this).pixmap(size));
        grid->addWidget(picture, 0, 0, Qt::AlignTop);
    }
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("MessageText"));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(label, 0, 1);

    m_list->setObjectName(QStringLiteral("MessageDetails"));
    m_list->setReadOnly(true);
    // Long lines (an emulator's warnings) wrap at the box's width, each line a paragraph of
    // its own with a little room below, so that where one ends can be seen.
    m_list->setLineWrapMode(QTextEdit::WidgetWidth);
    // A cursor the keys move, so the arrows, the page keys and Home/End scroll the list.
    m_list->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_list->setTabChangesFocus(true);
    m_list->setPlainText(lines.join(QLatin1Char('\n')));
    QTextCursor all(m_list->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat spaced;
    spaced.setBottomMargin(QFontMetrics(m_list->font()).lineSpacing() / 3.0);
    all.mergeBlockFormat(spaced);
    grid->addWidget(m_list, 1, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);

    const bool cancel = buttons == UserDialogs::Buttons::OkCancel;
    auto* box = new QDialogButtonBox(
        cancel ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel : QDialogButtonBox::Ok, this);
    QPushButton* ok = box->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(box, 2, 0, 1, 2);
    m_list->setFocus();

    // As large as the list asks, up to most of the screen; the rest scrolls.
    const QFontMetrics metrics(m_list->font());
    int widest = metrics.horizontalAdvance(text.section(QLatin1Char('\n'), 0, 0));
    for (const QString& line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const QRect screen =
        (parent ? parent->screen() : QApplication::primaryScreen())->availableGeometry();
    setMinimumSize(MinimumSize);
    const QSize wanted = sizeHint().expandedTo(
        QSize(widest + 80, sizeHint().height() + int(lines.size()) * metrics.lineSpacing()));
    resize(wanted.boundedTo(screen.size() * 0.8).expandedTo(MinimumSize));
}
