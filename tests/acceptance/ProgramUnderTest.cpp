// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramUnderTest.h"

#include "XDisplay.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QPoint>
#include <QThread>

ProgramUnderTest::ProgramUnderTest(XDisplay& display, const QString& executable,
                                   const QStringList& args, const QStringList& environment)
    : ProgramUnderTest(executable,
                       QStringList{QStringLiteral("DISPLAY=") + display.name()} + environment,
                       args) {
    m_display = &display;
}

ProgramUnderTest::ProgramUnderTest(const QString& executable, const QStringList& environment,
                                   const QStringList& args) {
    m_probeFile = m_work.filePath(QStringLiteral("probe.json"));
    QDir(m_work.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(m_work.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("HOME"), m_work.path());
    env.remove(QStringLiteral("XDG_STATE_HOME")); // kept configurations go under HOME
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_work.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_work.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(ACCEPTANCE_PLUGIN_DIR));
    env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("tarvenpadprobe"));
    env.insert(QStringLiteral("TARVENPAD_PROBE_FILE"), m_probeFile);
    for (const QString& setting : environment)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    m_process.setProcessEnvironment(env);
    m_process.setWorkingDirectory(m_work.path());
    m_process.start(executable, args);
    m_process.waitForStarted(5000);
}

ProgramUnderTest::~ProgramUnderTest() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QJsonObject ProgramUnderTest::snapshot() const {
    QFile f(m_probeFile);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

bool ProgramUnderTest::waitFor(const std::function<bool(const QJsonObject&)>& done, int ms) const {
    QDeadlineTimer deadline(ms);
    do {
        if (done(snapshot()))
            return true;
        QThread::msleep(30);
    } while (!deadline.hasExpired());
    return false;
}

namespace {
QJsonObject find(const QJsonArray& list, const std::function<bool(const QJsonObject&)>& match) {
    for (const QJsonValue& v : list)
        if (match(v.toObject()))
            return v.toObject();
    return {};
}
} // namespace

QJsonObject ProgramUnderTest::window(const QString& name) const {
    return find(snapshot()[QLatin1String("windows")].toArray(),
                [&](const QJsonObject& o) { return o[QLatin1String("name")].toString() == name; });
}

QJsonObject ProgramUnderTest::windowTitled(const QString& title) const {
    return find(snapshot()[QLatin1String("windows")].toArray(), [&](const QJsonObject& o) {
        return o[QLatin1String("title")].toString() == title;
    });
}

QJsonObject ProgramUnderTest::widget(const QString& name, const QString& window) const {
    return find(snapshot()[QLatin1String("widgets")].toArray(), [&](const QJsonObject& o) {
        return o[QLatin1String("name")].toString() == name &&
               (window.isEmpty() || o[QLatin1String("window")].toString() == window);
    });
}

QJsonObject ProgramUnderTest::widgetWithText(const QString& text, const QString& window) const {
    return find(snapshot()[QLatin1String("widgets")].toArray(), [&](const QJsonObject& o) {
        return o[QLatin1String("text")].toString() == text &&
               (window.isEmpty() || o[QLatin1String("window")].toString() == window);
    });
}

QJsonObject ProgramUnderTest::action(const QString& name) const {
    return find(snapshot()[QLatin1String("actions")].toArray(),
                [&](const QJsonObject& o) { return o[QLatin1String("name")].toString() == name; });
}

bool ProgramUnderTest::waitForWindow(const QString& name, bool visible, int ms) const {
    return waitFor([&](const QJsonObject&) { return window(name).isEmpty() != visible; }, ms);
}

bool ProgramUnderTest::waitForTitle(const QString& title, bool visible, int ms) const {
    return waitFor([&](const QJsonObject&) { return windowTitled(title).isEmpty() != visible; },
                   ms);
}

QPoint ProgramUnderTest::centre(const QJsonObject& o) {
    return {o[QLatin1String("x")].toInt() + o[QLatin1String("w")].toInt() / 2,
            o[QLatin1String("y")].toInt() + o[QLatin1String("h")].toInt() / 2};
}

bool ProgramUnderTest::clickWhenReady(const std::function<QJsonObject()>& find, int button) {
    // A window is on the screen, and takes clicks, once the window manager has made it
    // active; before that the click would land on whatever was there.
    QJsonObject w;
    waitFor([&](const QJsonObject&) {
        w = find();
        return !w.isEmpty() && w[QLatin1String("windowActive")].toBool();
    });
    if (w.isEmpty())
        return false;
    const QPoint p = centre(w);
    m_display->click(p.x(), p.y(), button);
    return true;
}

bool ProgramUnderTest::click(const QString& name, const QString& window, int button) {
    return clickWhenReady([&] { return widget(name, window); }, button);
}

bool ProgramUnderTest::clickText(const QString& text, const QString& window) {
    return clickWhenReady([&] { return widgetWithText(text, window); }, 1);
}

bool ProgramUnderTest::chooseMenu(const QString& menu, const QString& item) {
    QJsonObject m;
    if (!waitFor([&](const QJsonObject&) { return !(m = action(menu)).isEmpty(); }, 5000))
        return false;
    m_display->click(centre(m).x(), centre(m).y());
    QJsonObject a;
    if (!waitFor([&](const QJsonObject&) { return !(a = action(item)).isEmpty(); }, 5000))
        return false;
    m_display->click(centre(a).x(), centre(a).y());
    return true;
}

QString ProgramUnderTest::answerMessage(const QString& answer, QString* title) {
    QJsonObject box;
    auto findBox = [&](const QJsonObject& s) {
        box = find(s[QLatin1String("windows")].toArray(), [](const QJsonObject& o) {
            return o[QLatin1String("class")].toString() == QLatin1String("QMessageBox");
        });
        return !box.isEmpty();
    };
    if (!waitFor(findBox))
        return {};
    if (title)
        *title = box[QLatin1String("title")].toString();
    const QString text =
        widget(QStringLiteral("qt_msgbox_label"))[QLatin1String("text")].toString();
    if (!clickText(answer))
        return {};
    waitFor([&](const QJsonObject& s) { return !findBox(s); });
    return text;
}

bool ProgramUnderTest::enterFileName(const QString& path) {
    QJsonObject edit;
    if (!waitFor([&](const QJsonObject&) {
            return !(edit = widget(QStringLiteral("fileNameEdit"))).isEmpty();
        }))
        return false;
    m_display->click(centre(edit).x(), centre(edit).y());
    m_display->key(QStringLiteral("ctrl+a"));
    m_display->type(path);
    waitFor([&](const QJsonObject&) {
        return widget(QStringLiteral("fileNameEdit"))[QLatin1String("text")].toString() == path;
    });
    m_display->key(QStringLiteral("Return"));
    return true;
}

bool ProgramUnderTest::waitForExit(int ms) {
    return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(ms);
}
