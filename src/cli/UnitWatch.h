// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

class PlugMonitor;
class QFile;
class StopSignals;

// `tarvenpad watch`: programs each unit as it is plugged in, several side by side, and says
// one line per unit and plug-in. SIGINT and SIGTERM end it once the running transfers are
// done; a summary follows.
class UnitWatch {
    Q_DECLARE_TR_FUNCTIONS(UnitWatch)
public:
    struct Outcome {
        enum class Result { NotAUnit, Programmed, AlreadyProgrammed, Failed };
        Result result = Result::NotAUnit;
        QString serial;
        QString detail; // why it failed
    };
    // Programs the unit at a device node; runs on a thread of its own.
    using Program = std::function<Outcome(const QString& node)>;
    // The device at a node now (HidAccess::nodeDevice): news of one already taken is not
    // another plug-in.
    using Identify = std::function<QString(const QString& node)>;

    // `log`, when given, is open for appending and gets the same lines as CSV.
    UnitWatch(QTextStream& out, Program program, Identify identify, bool json, QFile* log);

    // Takes the nodes attached at the start, then those the monitor reports (none without a
    // monitor), until a stop signal or the monitor's end. Returns how many units failed.
    int run(const QStringList& attached, PlugMonitor* monitor);

private:
    void start(const QString& node);
    void joinEnded(); // with m_mutex held
    void report(const QString& node, const Outcome& outcome, qint64 ms);
    void summarise();

    QTextStream& m_out;
    Program m_program;
    Identify m_identify;
    bool m_json;
    QFile* m_log;
    const StopSignals* m_stop = nullptr; // while run() runs
    std::mutex m_mutex;                  // everything below, and the output
    std::map<std::thread::id, std::thread> m_workers;
    std::vector<std::thread::id> m_ended; // workers done, to be joined
    QMap<QString, QString> m_taken;       // node -> the device last taken there
    QSet<QString> m_busy;                 // nodes being programmed
    QSet<QString> m_again;                // plugged in again while still being programmed
    int m_programmed = 0;
    int m_already = 0;
    QStringList m_failed; // their serial numbers
};
