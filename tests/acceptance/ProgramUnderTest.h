// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <functional>

class XDisplay;

// One of the real executables, started as its own process on an XDisplay. What it shows is
// read from the probe's snapshots; what it is told comes only from the display's real input.
class ProgramUnderTest {
public:
    // `environment` holds "NAME=VALUE" settings, such as a HOME that two runs share.
    ProgramUnderTest(XDisplay& display, const QString& executable, const QStringList& args = {},
                     const QStringList& environment = {});
    // On another display (Wayland), with "NAME=VALUE" settings; it takes no clicks then.
    ProgramUnderTest(const QString& executable, const QStringList& environment,
                     const QStringList& args = {});
    ~ProgramUnderTest();

    QProcess& process() { return m_process; }
    QString workDir() const { return m_work.path(); }

    // The latest snapshot, and waits on it.
    QJsonObject snapshot() const;
    bool waitFor(const std::function<bool(const QJsonObject&)>& done, int ms = 20000) const;
    QJsonObject window(const QString& name) const;
    QJsonObject windowTitled(const QString& title) const;
    QJsonObject widget(const QString& name, const QString& window = {}) const;
    // A button or label by its text, in the active or named window.
    QJsonObject widgetWithText(const QString& text, const QString& window = {}) const;
    QJsonObject action(const QString& name) const;
    bool waitForWindow(const QString& name, bool visible = true, int ms = 20000) const;
    bool waitForTitle(const QString& title, bool visible = true, int ms = 20000) const;

    // Real clicks at the centre of what the probe last saw; false when it is not there.
    bool click(const QString& name, const QString& window = {}, int button = 1);
    bool clickText(const QString& text, const QString& window = {});
    // Opens a menu of the menu bar and clicks one of its items.
    bool chooseMenu(const QString& menu, const QString& item);
    // Waits for the message box, returns its text and answers it with the button `answer`.
    QString answerMessage(const QString& answer, QString* title = nullptr);
    // Types a path into the open file dialog and accepts it.
    bool enterFileName(const QString& path);
    bool waitForExit(int ms = 10000);

    static QPoint centre(const QJsonObject& o);

private:
    bool clickWhenReady(const std::function<QJsonObject()>& find, int button);

    XDisplay* m_display = nullptr;
    QTemporaryDir m_work;
    QString m_probeFile;
    QProcess m_process;
};
