// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolIo.h"
#include "identify/IdentifySession.h"

#include <QMap>
#include <QString>

class KeyPressSource;
class StopSignals;
class TerminalProgress;

// `tarvenpad identify` once its unit is chosen and the unit's keyboard is open: the unit's
// own configuration read, the temporary one written when needed, one line per press on
// standard output, and the unit's own configuration back at the end. SIGINT, SIGTERM,
// SIGHUP and a reader of standard output that has gone end it.
class UnitIdentify : public ToolIo {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    UnitIdentify(QTextStream& out, QTextStream& err, IdentifySession& session,
                 TerminalProgress& progress, bool json)
        : ToolIo(out, err), m_session(session), m_progress(progress), m_json(json) {}

    // The exit status; every failure has been said on standard error.
    int run(int unit, KeyPressSource& source);

    // What a session's failure means for the exit status, and in words (without the unit).
    static int status(const IdentifySession::Outcome& outcome);
    // The line that tells how to put a journaled configuration back.
    static QString restoreHint(const QString& serial);
    // The command that drops a kept configuration the unit has left behind.
    static QString forgetHint(const QString& serial);

private:
    void say(const QString& line);
    QString listen(KeyPressSource& source, StopSignals& stopSignals);
    void pressed(int eventCode);
    void summarise();
    int putBack(bool unitLost);

    IdentifySession& m_session;
    TerminalProgress& m_progress;
    bool m_json;
    int m_unit = 0;
    QMap<int, int> m_presses; // Linux key code -> how often
};
