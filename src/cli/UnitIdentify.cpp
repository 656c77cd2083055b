// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UnitIdentify.h"

#include "identify/IdentifyWording.h"

#include "cli/TerminalProgress.h"
#include "cli/UnitProgramming.h"
#include "device/KeyPressSource.h"
#include "identify/IdentificationImage.h"
#include "model/SlotText.h"
#include "process/StopSignals.h"

#include <QDateTime>
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
    if (!lostReason.isEmpty()) {
        fail(NoUnit, tr("identify ended: %1").arg(lostReason));
        const int back = putBack(true);
        return back ? back : int(NoUnit);
    }
    return putBack(false);
}

// Takes the presses until a stop signal, the source's loss or standard output's end; why the
// source was lost, empty otherwise.
QString UnitIdentify::listen(KeyPressSource& source, StopSignals& stopSignals) {
    QString lostReason;
    say(tr("press the inputs one at a time; Ctrl+C ends"));
    QEventLoop loop;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &loop, &QEventLoop::quit);
    QObject::connect(&source, &KeyPressSource::pressed, &loop, [&](int code) {
        pressed(code);
        if (m_out.status() != QTextStream::Ok)
            loop.quit(); // standard output has gone: no one reads the presses
    });
    QObject::connect(&source, &KeyPressSource::lost, &loop, [&](const QString& reason) {
        lostReason = reason;
        loop.quit();
    });
    loop.exec();
    return lostReason;
}

void UnitIdentify::pressed(int eventCode) {
    const int count = ++m_presses[eventCode];
    const int slot = m_session.slotForEventCode(eventCode);
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
}

// Which inputs were pressed and which were not, on standard output after the presses.
void UnitIdentify::summarise() {
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
    const int code =
        fail(status(outcome),
             tr("unit %1: %2").arg(m_session.unit()).arg(IdentifyWording::describe(outcome)));
    say(tr("its own configuration stays in the journal; put it back with: %1")
            .arg(restoreHint(serial)));
    return code;
}
