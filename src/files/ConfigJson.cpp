#include "ConfigJson.h"

#include "Configuration.h"
#include "KeyCodes.h"
#include "Modifiers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <array>

namespace {

const char* const FlagNames[] = {"shift", "control", "alt", "repeat"};
const char* const OptionNames[] = {"reverseX", "reverseY", "activeHigh", "rotaryOnAux",
                                   "relayOnAux"};

FileResult invalid(const QString& why) {
    return FileResult::failure(FileResult::Status::Rejected,
                               QStringLiteral("Not a TARVEN-PAD configuration: %1.").arg(why));
}

QString typeName(const QJsonValue& v) {
    switch (v.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    default:
        return QStringLiteral("missing");
    }
}

} // namespace

QString SlotLabel(int slot) {
    if (Configuration::isInputSlot(slot))
        return QStringLiteral("Input %1").arg(slot + 1);
    const int j = slot - Configuration::InputCount;
    return QStringLiteral("Rotary  %1%2").arg(j / 2 + 1).arg(j % 2 ? 'B' : 'A');
}

QJsonObject ConfigToJson(const Configuration& config) {
    QJsonArray slotArray;
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        const KeySlot& s = config.slot(k);
        slotArray.append(QJsonObject{{"slot", k},
                                     {"label", SlotLabel(k)},
                                     {"key", s.keyCode},
                                     {"keyName", PlainKeyText(KeyCodeName(s.keyCode))},
                                     {"shift", s.shift},
                                     {"control", s.control},
                                     {"alt", s.alt},
                                     {"repeat", s.repeat}});
    }
    const AuxOptions& a = config.aux();
    return QJsonObject{{"format", "tarvenpad-config"},
                       {"version", 1},
                       {"slots", slotArray},
                       {"options", QJsonObject{{"reverseX", a.reverseX},
                                               {"reverseY", a.reverseY},
                                               {"activeHigh", a.activeHigh},
                                               {"rotaryOnAux", a.rotaryOnAux},
                                               {"relayOnAux", a.relayOnAux}}}};
}

FileResult ConfigFromJson(Configuration& config, const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return invalid(QStringLiteral("bad JSON at offset %1 (%2)")
                           .arg(error.offset)
                           .arg(error.errorString()));
    if (!doc.isObject())
        return invalid(QStringLiteral("the document is not a JSON object"));
    const QJsonObject root = doc.object();
    if (root.value("format") != QJsonValue("tarvenpad-config"))
        return invalid(QStringLiteral("\"format\" must be \"tarvenpad-config\""));
    if (root.value("version") != QJsonValue(1))
        return invalid(QStringLiteral("\"version\" must be 1"));
    if (!root.value("slots").isArray())
        return invalid(QStringLiteral("\"slots\" must be an array, not %1")
                           .arg(typeName(root.value("slots"))));

    std::array<quint8, Configuration::SlotCount> modifiers{};
    std::array<quint8, Configuration::SlotCount> keys{};
    std::array<bool, Configuration::SlotCount> seen{};
    const QJsonArray slotArray = root.value("slots").toArray();
    for (int i = 0; i < slotArray.size(); ++i) {
        const QString where = QStringLiteral("slots[%1]").arg(i);
        if (!slotArray[i].isObject())
            return invalid(QStringLiteral("%1 must be an object").arg(where));
        const QJsonObject o = slotArray[i].toObject();
        const QJsonValue slotValue = o.value("slot");
        const double slotNumber = slotValue.toDouble(-1);
        if (!slotValue.isDouble() || slotNumber != int(slotNumber) || slotNumber < 0 ||
            slotNumber >= Configuration::SlotCount)
            return invalid(
                QStringLiteral("%1.slot must be a whole number from 0 to 45").arg(where));
        const int k = int(slotNumber);
        if (seen[k])
            return invalid(QStringLiteral("%1.slot: slot %2 appears twice").arg(where).arg(k));
        seen[k] = true;
        const QJsonValue key = o.value("key");
        const double code = key.toDouble(-1);
        if (!key.isDouble() || code != int(code) || code < 0 || code > 255)
            return invalid(
                QStringLiteral("%1.key must be a whole number from 0 to 255").arg(where));
        keys[k] = quint8(code);
        KeySlot flags;
        bool* const fields[] = {&flags.shift, &flags.control, &flags.alt, &flags.repeat};
        for (int f = 0; f < 4; ++f) {
            const QJsonValue v = o.value(FlagNames[f]);
            if (!v.isBool())
                return invalid(QStringLiteral("%1.%2 must be true or false, not %3")
                                   .arg(where, FlagNames[f], typeName(v)));
            *fields[f] = v.toBool();
        }
        modifiers[k] = EncodeModifiers(flags);
    }
    for (int k = 0; k < Configuration::SlotCount; ++k)
        if (!seen[k])
            return invalid(
                QStringLiteral("slot %1 (%2) is missing from \"slots\"").arg(k).arg(SlotLabel(k)));

    const QJsonValue optionsValue = root.value("options");
    if (!optionsValue.isObject())
        return invalid(
            QStringLiteral("\"options\" must be an object, not %1").arg(typeName(optionsValue)));
    quint8 options = 0;
    for (int b = 0; b < 5; ++b) {
        const QJsonValue v = optionsValue.toObject().value(OptionNames[b]);
        if (!v.isBool())
            return invalid(QStringLiteral("options.%1 must be true or false, not %2")
                               .arg(OptionNames[b], typeName(v)));
        options |= v.toBool() ? quint8(1 << b) : 0;
    }

    // Through the same byte-wise loading as a file, so the same rules apply.
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        config.applyModifierByte(k, modifiers[k]);
        config.setKeyCode(k, keys[k]);
    }
    config.applyOptionsByte(options);
    config.setConfigModified(false);
    return FileResult::success();
}
