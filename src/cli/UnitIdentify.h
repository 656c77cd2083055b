// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolIo.h"
#include "identify/IdentifySession.h"
#include "model/PanelRole.h"

#include <QMap>
#include <QString>
#include <memory>

class GuidedPass;
class KeyPressSource;
class StopSignals;
class TerminalProgress;

// `tarvenpad identify` once its unit is chosen and the unit's keyboard is open: the unit's
// own configuration read, the temporary one written when needed, one line per press on
// standard output, and the unit's own configuration back at the end. SIGINT, SIGTERM,
// SIGHUP and a reader of standard output that has gone end it. Learning roles, it asks for
// each role of a set in turn on standard error, and once every role was asked for (or a
// signal ends it) writes the unit's own configuration with the roles learnt to a file.
class UnitIdentify : public ToolIo {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    UnitIdentify(QTextStream& out, QTextStream& err, IdentifySession& session,
                 TerminalProgress& progress, bool json);
    ~UnitIdentify();

    // The presses label the panel with the roles of `set`, which go to `output` (over a .TPD
    // whose roles cannot be read only as `unreadable` says).
    void learnRoles(PanelRole::Set set, const QString& output, UnreadableRoles unreadable);

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
    // Whether more presses are wanted.
    bool pressed(int eventCode);
    bool learn(int slot, int eventCode);
    void summarise();
    // The unit's own configuration with the roles learnt, into the output file.
    int writeRoles();
    int putBack(bool unitLost);

    IdentifySession& m_session;
    TerminalProgress& m_progress;
    bool m_json;
    int m_unit = 0;
    QMap<int, int> m_presses; // Linux key code -> how often
    std::unique_ptr<GuidedPass> m_pass;
    QString m_output;
    UnreadableRoles m_unreadable = UnreadableRoles::Refuse;
};
