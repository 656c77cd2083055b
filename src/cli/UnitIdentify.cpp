// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UnitIdentify.h"

#include "identify/IdentifyWording.h"

#include "cli/TerminalProgress.h"
#include "cli/UnitProgramming.h"
#include "device/DeviceImage.h"
#include "device/KeyPressSource.h"
#include "identify/GuidedPass.h"
#include "identify/IdentificationImage.h"
#include "model/Configuration.h"
#include "model/SlotText.h"
#include "process/StopSignals.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringList>
#include <csignal>

namespace {

// A slot's name for scripts, never translated: "Input 7", "Rotary 2A".
QString englishName(int slot) {
    return SlotFileLabel(slot).simplified();
}

} // namespace

UnitIdentify::UnitIdentify(QTextStream& out, QTextStream& err, IdentifySession& session,
                           TerminalProgress& progress, bool json)
    : ToolIo(out, err), m_session(session), m_progress(progress), m_json(json) {}

UnitIdentify::~UnitIdentify() = default;

void UnitIdentify::learnRoles(PanelRole::Set set, const QString& output,
                              UnreadableRoles unreadable) {
    m_pass = std::make_unique<GuidedPass>(set, GuidedPass::Roles{});
    m_output = output;
    m_unreadable = unreadable;
}

int UnitIdentify::status(const IdentifySession::Outcome& outcome) {
    using Stage = IdentifySession::Stage;
    if (outcome.stage == Stage::Journal)
        return CannotWrite;
    if ((outcome.stage == Stage::Verifying && outcome.location >= 0) ||
        outcome.stage == Stage::Stale)
        return Differs;
    if (outcome.stage == Stage::Serial || outcome.stage == Stage::Locked)
        return IoError;
    return outcome.result == TransferResult::DeviceNotFound ? NoUnit : IoError;
}

QString UnitIdentify::restoreHint(const QString& serial) {
    // The serial number comes from the unit: quoted for the shell unless plainly safe.
    QString word = serial;
    for (const QChar c : serial)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && !QStringLiteral("-._").contains(c)) {
            word = QLatin1Char('\'') + QString(serial).replace("'", "'\\''") + QLatin1Char('\'');
            break;
        }
    return QStringLiteral("tarvenpad restore --serial ") + word;
}

QString UnitIdentify::forgetHint(const QString& serial) {
    return restoreHint(serial) + QStringLiteral(" --forget");
}

void UnitIdentify::say(const QString& line) {
    m_err << "tarvenpad: " << line << '\n';
    m_err.flush();
}

int UnitIdentify::run(int unit, KeyPressSource& source) {
    // SIGPIPE too: a reader of the presses that has gone ends the run, but not before the
    // unit's own configuration is back.
    StopSignals stopSignals({SIGINT, SIGTERM, SIGHUP, SIGPIPE});
    m_unit = unit;
    IdentifySession::Outcome outcome = m_session.start(unit);
    m_progress.finish();
    if (!outcome.ok()) {
        const int code = fail(status(outcome),
                              tr("unit %1: %2").arg(unit).arg(IdentifyWording::describe(outcome)));
        if (outcome.stage == IdentifySession::Stage::Stale)
            say(tr("if the unit's configuration is the one to keep, forget the old one with: %1")
                    .arg(forgetHint(m_session.serial())));
        return code;
    }
    const QString serial = m_session.serial();
    // Ctrl+C during the reading: the temporary configuration does not go on at all.
    if (stopSignals.raised())
        return putBack(false);
    if (m_session.needsWrite()) {
        say(tr("unit %1 (serial %2) gets a temporary configuration that gives every input a "
               "key of its own; its own configuration goes back when identify ends")
                .arg(unit)
                .arg(serial));
        outcome = m_session.putIdentificationImage();
        m_progress.finish();
        if (!outcome.ok()) {
            fail(status(outcome),
                 tr("unit %1: %2").arg(unit).arg(IdentifyWording::describe(outcome)));
            const int back = putBack(false);
            return back ? back : status(outcome);
        }
    } else if (m_session.written()) {
        say(tr("unit %1 (serial %2) still holds the temporary configuration of an earlier "
               "identify; its own configuration goes back when this one ends")
                .arg(unit)
                .arg(serial));
    } else {
        say(tr("unit %1 (serial %2): every input sends a key of its own already; nothing is "
               "written")
                .arg(unit)
                .arg(serial));
    }

    const QString lostReason = stopSignals.raised() ? QString() : listen(source, stopSignals);
    summarise();
    // What was learnt is kept whatever ended the presses; the unit's own configuration was
    // read at the start.
    const int written = m_pass ? writeRoles() : int(Success);
    if (!lostReason.isEmpty()) {
        fail(NoUnit, tr("identify ended: %1").arg(lostReason));
        const int back = putBack(true);
        return back ? back : int(NoUnit);
    }
    const int back = putBack(false);
    return back ? back : written;
}

// Takes the presses until a stop signal, the source's loss or standard output's end; why the
// source was lost, empty otherwise.
QString UnitIdentify::listen(KeyPressSource& source, StopSignals& stopSignals) {
    QString lostReason;
    if (!m_pass) {
        say(tr("press the inputs one at a time; Ctrl+C ends"));
    } else {
        say(tr("press each control when it is asked for; Ctrl+C ends and keeps the roles "
               "learnt so far"));
        m_err << IdentifyWording::prompt(m_pass->current()) << '\n';
        m_err.flush();
    }
    QEventLoop loop;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &loop, &QEventLoop::quit);
    QObject::connect(&source, &KeyPressSource::pressed, &loop, [&](int code) {
        // Standard output gone means no one reads the presses.
        if (!pressed(code) || m_out.status() != QTextStream::Ok)
            loop.quit();
    });
    QObject::connect(&source, &KeyPressSource::lost, &loop, [&](const QString& reason) {
        lostReason = reason;
        loop.quit();
    });
    loop.exec();
    return lostReason;
}

bool UnitIdentify::pressed(int eventCode) {
    const int count = ++m_presses[eventCode];
    const int slot = m_session.slotForEventCode(eventCode);
    if (m_pass)
        return learn(slot, eventCode);
    if (m_json) {
        m_out << QJsonDocument(
                     QJsonObject{{"slot", slot < 0 ? QJsonValue() : QJsonValue(slot)},
                                 {"name", slot < 0 ? QJsonValue() : QJsonValue(englishName(slot))},
                                 {"code", eventCode},
                                 {"presses", count}})
                     .toJson(QJsonDocument::Compact)
              << '\n';
    } else if (slot < 0) {
        m_out << tr("key code %1: no input sends this key\n").arg(eventCode);
    } else {
        m_out << SlotName(slot) << '\n';
    }
    m_out.flush();
    return true;
}

// A press while roles are learnt: what it did, and the next role, on standard error beside
// the prompts; standard output may carry the file.
bool UnitIdentify::learn(int slot, int eventCode) {
    if (slot < 0)
        m_err << tr("key code %1: no input sends this key\n").arg(eventCode);
    else
        m_err << IdentifyWording::taken(m_pass->take(slot)) << '\n';
    if (!m_pass->done())
        m_err << IdentifyWording::prompt(m_pass->current()) << '\n';
    m_err.flush();
    return !m_pass->done();
}

int UnitIdentify::writeRoles() {
    Configuration config;
    ApplyDeviceImage(config, m_session.ownImage());
    config.setRoles(m_pass->roles());
    const bool json = m_output.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
    if (const int w = save(m_output, config, json ? Format::Json : Format::Tpd, m_unreadable))
        return w;
    if (m_output != QLatin1String("-"))
        m_out << tr("unit %1: its configuration and the roles learnt written to %2\n")
                     .arg(m_unit)
                     .arg(QDir::toNativeSeparators(m_output));
    m_out.flush();
    return Success;
}

// Which inputs were pressed and which were not, on standard output after the presses.
void UnitIdentify::summarise() {
    if (m_pass) {
        m_err << IdentifyWording::passEnd(m_pass->missing()) << '\n';
        m_err.flush();
        return;
    }
    QSet<int> pressed;
    for (auto it = m_presses.cbegin(); it != m_presses.cend(); ++it)
        pressed.insert(m_session.slotForEventCode(it.key()));
    QJsonArray pressedSlots, notPressedSlots;
    QStringList notPressedNames;
    for (const int slot : IdentificationImage::pressableSlots(m_session.onUnit())) {
        if (pressed.contains(slot)) {
            pressedSlots.append(slot);
        } else {
            notPressedSlots.append(slot);
            notPressedNames << SlotName(slot);
        }
    }
    if (m_json)
        m_out << QJsonDocument(
                     QJsonObject{{"summary", QJsonObject{{"pressed", pressedSlots},
                                                         {"notPressed", notPressedSlots}}}})
                     .toJson(QJsonDocument::Compact)
              << '\n';
    else if (notPressedNames.isEmpty())
        m_out << tr("every input was pressed\n");
    else
        m_out << tr("not pressed: %1\n").arg(notPressedNames.join(QStringLiteral(", ")));
    m_out.flush();
}

int UnitIdentify::putBack(bool unitLost) {
    if (!m_session.written())
        return Success;
    if (!unitLost)
        say(tr("putting the own configuration of unit %1 back").arg(m_unit));
    const IdentifySession::Outcome outcome = m_session.putBack();
    m_progress.finish();
    if (outcome.ok()) {
        say(tr("unit %1: its own configuration is back, read back equal").arg(m_session.unit()));
        return Success;
    }
    const QString serial = m_session.serial();
    if (outcome.stage == IdentifySession::Stage::Journal)
        return fail(CannotWrite, tr("unit %1: its own configuration is back, read back equal, but "
                                    "the journal that kept it cannot forget it: %2")
                                     .arg(m_session.unit())
                                     .arg(outcome.reason));
    if (unitLost && outcome.stage == IdentifySession::Stage::Finding) {
        say(tr("its own configuration stays in the journal; once it is plugged in again, put "
               "it back with: %1")
                .arg(restoreHint(serial)));
        return NoUnit;
    }
    Configuration learnt;
    if (m_pass)
        learnt.setRoles(m_pass->roles());
    const int code = fail(status(outcome),
                          tr("unit %1: %2")
                              .arg(m_session.unit())
                              .arg(IdentifyWording::describe(outcome, m_pass ? &learnt : nullptr)));
    say(tr("its own configuration stays in the journal; put it back with: %1")
            .arg(restoreHint(serial)));
    return code;
}
