// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UnitWatch.h"

#include "device/PlugMonitor.h"
#include "process/StopSignals.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <csignal>

namespace {

// How often the loop looks at the stop flag while nothing is plugged in.
constexpr int PollMs = 200;

const char* resultKey(UnitWatch::Outcome::Result r) {
    switch (r) {
    case UnitWatch::Outcome::Result::Programmed:
        return "programmed";
    case UnitWatch::Outcome::Result::AlreadyProgrammed:
        return "already programmed";
    default:
        return "failed";
    }
}

QString csvField(QString text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace

UnitWatch::UnitWatch(QTextStream& out, Program program, Identify identify, bool json, QFile* log)
    : m_out(out), m_program(std::move(program)), m_identify(std::move(identify)), m_json(json),
      m_log(log) {
    if (m_log && m_log->size() == 0) {
        m_log->write("time,serial,node,result,detail,ms\n");
        m_log->flush();
    }
}

int UnitWatch::run(const QStringList& attached, PlugMonitor* monitor) {
    // The workers look at it from their threads as well: it is read atomically.
    StopSignals stopSignals({SIGINT, SIGTERM});
    m_stop = &stopSignals;
    for (const QString& node : attached)
        start(node);
    while (!stopSignals.raised()) {
        std::optional<QString> next = QString();
        if (monitor)
            next = monitor->nextPlugIn(PollMs);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(PollMs));
        if (!next)
            break;
        if (!next->isEmpty()) {
            start(*next);
        } else {
            std::lock_guard lock(m_mutex);
            joinEnded();
        }
    }
    // Transfers that are running finish; none starts after the stop.
    std::map<std::thread::id, std::thread> workers;
    {
        std::lock_guard lock(m_mutex);
        workers.swap(m_workers);
    }
    for (auto& [id, worker] : workers)
        worker.join();
    m_stop = nullptr;
    summarise();
    return int(m_failed.size());
}

// A shift of hundreds of units must not hold hundreds of threads.
void UnitWatch::joinEnded() {
    for (const std::thread::id id : m_ended) {
        const auto it = m_workers.find(id);
        if (it == m_workers.end())
            continue;
        it->second.join(); // it only has to return: its last locked step is done
        m_workers.erase(it);
    }
    m_ended.clear();
}

void UnitWatch::start(const QString& node) {
    const QString device = m_identify ? m_identify(node) : QString();
    std::lock_guard lock(m_mutex);
    joinEnded();
    // A unit plugged in while the watch started is both listed and reported: one plug-in.
    if (!device.isEmpty()) {
        if (m_taken.value(node) == device)
            return;
        m_taken.insert(node, device);
    }
    // A unit plugged in again before its last round ended gets another round after it, so
    // that no plug-in is missed and none is handled twice at once.
    if (m_busy.contains(node)) {
        m_again.insert(node);
        return;
    }
    m_busy.insert(node);
    std::thread worker([this, node] {
        for (;;) {
            QElapsedTimer timer;
            timer.start();
            const Outcome outcome = m_program(node);
            std::lock_guard lock(m_mutex);
            if (outcome.result != Outcome::Result::NotAUnit)
                report(node, outcome, timer.elapsed());
            if (m_stop->raised() || !m_again.remove(node)) {
                m_busy.remove(node);
                m_ended.push_back(std::this_thread::get_id());
                return;
            }
        }
    });
    const std::thread::id id = worker.get_id();
    m_workers.emplace(id, std::move(worker));
}

void UnitWatch::report(const QString& node, const Outcome& outcome, qint64 ms) {
    using Result = Outcome::Result;
    if (outcome.result == Result::Programmed)
        ++m_programmed;
    else if (outcome.result == Result::AlreadyProgrammed)
        ++m_already;
    else
        m_failed << outcome.serial;
    const QString time = QDateTime::currentDateTime().toString(Qt::ISODate);
    const QString result = QLatin1String(resultKey(outcome.result));
    if (m_json) {
        m_out << QJsonDocument(QJsonObject{{"time", time},
                                           {"serial", outcome.serial},
                                           {"node", node},
                                           {"result", result},
                                           {"detail", outcome.detail},
                                           {"ms", ms}})
                     .toJson(QJsonDocument::Compact)
              << '\n';
    } else {
        const QString said = outcome.result == Result::Programmed ? tr("programmed")
                             : outcome.result == Result::AlreadyProgrammed
                                 ? tr("already programmed")
                                 : tr("failed: %1").arg(outcome.detail);
        m_out << tr("%1  %2  %3  %4 ms\n").arg(time, outcome.serial, said).arg(ms);
    }
    m_out.flush();
    if (m_log) {
        // Flushed per unit: a run that is killed loses no line.
        m_log->write(QStringList{time, csvField(outcome.serial), csvField(node), result,
                                 csvField(outcome.detail), QString::number(ms)}
                         .join(QLatin1Char(','))
                         .toUtf8() +
                     '\n');
        m_log->flush();
    }
}

void UnitWatch::summarise() {
    if (m_json) {
        m_out << QJsonDocument(
                     QJsonObject{{"summary",
                                  QJsonObject{{"programmed", m_programmed},
                                              {"alreadyProgrammed", m_already},
                                              {"failed", QJsonArray::fromStringList(m_failed)}}}})
                     .toJson(QJsonDocument::Compact)
              << '\n';
    } else {
        m_out << tr("programmed: %1, already programmed: %2, failed: %3")
                     .arg(m_programmed)
                     .arg(m_already)
                     .arg(m_failed.size());
        if (!m_failed.isEmpty())
            m_out << tr(" (%1)").arg(m_failed.join(QStringLiteral(", ")));
        m_out << '\n';
    }
    m_out.flush();
}
