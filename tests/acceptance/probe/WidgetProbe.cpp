// SPDX-License-Identifier: GPL-3.0-or-later
// A generic Qt plugin that the acceptance suite loads into the real programs through
// QT_QPA_GENERIC_PLUGINS. It only reports where things are on the screen, as a person
// would see them, so the suite can aim its real mouse clicks; it never acts on a widget.
// Every 50 ms it writes a JSON snapshot of the visible windows, named widgets, buttons,
// labels and menu items to $TARVENPAD_PROBE_FILE.
#include <QAbstractButton>
#include <QApplication>
#include <QGenericPlugin>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

namespace {

QJsonObject rectOf(const QRect& r) {
    return {{"x", r.x()}, {"y", r.y()}, {"w", r.width()}, {"h", r.height()}};
}

class Reporter : public QObject {
public:
    explicit Reporter(QString path) : m_path(std::move(path)) {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &Reporter::write);
        timer->start(50);
    }

private:
    void write() {
        const auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
        if (!app)
            return;
        QJsonArray windows, widgets, actions;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible())
                continue;
            QJsonObject o = rectOf(QRect(w->mapToGlobal(QPoint(0, 0)), w->size()));
            o["name"] = w->objectName();
            o["class"] = QString::fromLatin1(w->metaObject()->className());
            o["title"] = w->windowTitle();
            o["active"] = w->isActiveWindow();
            o["modal"] = w->isModal();
            o["frame"] = rectOf(w->frameGeometry());
            o["icon"] = !w->windowIcon().isNull();
            windows.append(o);
        }
        for (QWidget* w : QApplication::allWidgets()) {
            if (!w->isVisible() || w->isWindow())
                continue;
            const auto* button = qobject_cast<QAbstractButton*>(w);
            const auto* label = qobject_cast<QLabel*>(w);
            const auto* edit = qobject_cast<QLineEdit*>(w);
            const auto* textEdit = qobject_cast<QTextEdit*>(w);
            if (w->objectName().isEmpty() && !button && !label && !textEdit)
                continue;
            QJsonObject o = rectOf(QRect(w->mapToGlobal(QPoint(0, 0)), w->size()));
            o["name"] = w->objectName();
            o["class"] = QString::fromLatin1(w->metaObject()->className());
            o["window"] = w->window()->objectName();
            o["windowActive"] = w->window()->isActiveWindow();
            o["enabled"] = w->isEnabled();
            o["focus"] = w->hasFocus();
            o["font"] = w->font().pointSizeF();
            // The part not cut off by its containers, as it shows on the screen.
            const QRect shown = w->visibleRegion().boundingRect();
            o["shown"] = rectOf(QRect(w->mapToGlobal(shown.topLeft()), shown.size()));
            if (button) {
                o["text"] = button->text();
                o["checked"] = button->isChecked();
            } else if (label) {
                o["text"] = label->text();
            } else if (edit) {
                o["text"] = edit->text();
            } else if (textEdit) {
                o["text"] = textEdit->toPlainText();
            }
            if (const QVariant row = w->property("highlightedRow"); row.isValid())
                o["highlightedRow"] = row.toInt();
            if (const QVariant at = w->property("highlightPaintedAt"); at.isValid())
                o["highlightPaintedAt"] = at.toDouble();
            if (const auto* bar = qobject_cast<QScrollBar*>(w)) {
                o["value"] = bar->value();
                o["maximum"] = bar->maximum();
            }
            widgets.append(o);
        }
        for (QWidget* w : QApplication::allWidgets()) {
            const bool isMenu = qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w);
            if (!isMenu || !w->isVisible())
                continue;
            for (QAction* a : w->actions()) {
                QRect r;
                if (auto* m = qobject_cast<QMenu*>(w))
                    r = m->actionGeometry(a);
                else
                    r = static_cast<QMenuBar*>(w)->actionGeometry(a);
                if (r.isEmpty() || a->isSeparator())
                    continue;
                QJsonObject o = rectOf(QRect(w->mapToGlobal(r.topLeft()), r.size()));
                o["name"] = a->objectName();
                o["text"] = a->text();
                o["enabled"] = a->isEnabled();
                o["checked"] = a->isChecked();
                actions.append(o);
            }
        }
        const QWidget* focus = QApplication::focusWidget();
        QJsonObject root{
            {"windows", windows},
            {"widgets", widgets},
            {"actions", actions},
            {"focus", focus ? focus->objectName() : QString()},
            // Whether the focus frame shows: the style draws it only then.
            {"focusRing", focus && focus->window()->testAttribute(Qt::WA_KeyboardFocusChange)}};
        QSaveFile file(m_path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QJsonDocument(root).toJson(QJsonDocument::Compact));
            file.commit();
        }
    }

    QString m_path;
};

} // namespace

class WidgetProbe : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "probe.json")
public:
    QObject* create(const QString&, const QString&) override {
        const QString path = qEnvironmentVariable("TARVENPAD_PROBE_FILE");
        return path.isEmpty() ? nullptr : new Reporter(path);
    }
};

#include "WidgetProbe.moc"
