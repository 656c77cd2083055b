// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ConfigJson.h"

#include "files/StrictJson.h"
#include "model/ConfigImage.h"
#include "model/Configuration.h"
#include "model/KeyCodes.h"
#include "model/Modifiers.h"
#include "model/SlotText.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QSet>
#include <algorithm>
#include <array>

namespace {

// The document's names of the flags, in the document's order (that of `fields` in readSlot,
// not Configuration::Flags), and of the options, in the order of Configuration::Options.
const char* const FlagNames[] = {"shift", "control", "alt", "repeat"};
const char* const OptionNames[] = {"reverseX", "reverseY", "activeHigh", "rotaryOnAux",
                                   "relayOnAux"};
constexpr int FlagCount = int(std::size(FlagNames));
constexpr int OptionCount = int(std::size(OptionNames));
static_assert(FlagCount == int(Configuration::Flags.size()));
static_assert(OptionCount == int(Configuration::Options.size()));

FileResult invalid(const QString& why) {
    return FileResult::failure(
        FileResult::Status::Rejected,
        QCoreApplication::translate("ConfigJson", "Not a TARVEN-PAD configuration: %1.").arg(why));
}

QString typeName(const JsonValue* v) {
    if (!v)
        return QCoreApplication::translate("ConfigJson", "missing");
    switch (v->type) {
    case JsonValue::Type::Null:
        return QStringLiteral("null"); // the JSON literal itself
    case JsonValue::Type::Bool:
        return QCoreApplication::translate("ConfigJson", "a boolean");
    case JsonValue::Type::Number:
        return QCoreApplication::translate("ConfigJson", "a number");
    case JsonValue::Type::String:
        return QCoreApplication::translate("ConfigJson", "a string");
    case JsonValue::Type::Array:
        return QCoreApplication::translate("ConfigJson", "an array");
    case JsonValue::Type::Object:
        return QCoreApplication::translate("ConfigJson", "an object");
    }
    return QString();
}

// The first name that an object holds twice, or an empty string.
QString firstDuplicate(const JsonValue& object) {
    QSet<QString> seen;
    for (const auto& [name, value] : object.members) {
        if (seen.contains(name))
            return name;
        seen.insert(name);
    }
    return QString();
}

const JsonValue* member(const JsonValue& object, const char* name) {
    for (const auto& [n, value] : object.members)
        if (n == QLatin1String(name))
            return &value;
    return nullptr;
}

// The slot's texts: the labels we write for people and the panel role, with its own label.
bool isTextField(const QString& name) {
    for (const char* text : {"label", "keyName", "userLabel", "role"})
        if (name == QLatin1String(text))
            return true;
    return false;
}

FileResult readTextField(const QString& name, const JsonValue& v, const QString& field,
                         SlotRole& role) {
    if (name == QLatin1String("role")) {
        role.role = v.type == JsonValue::Type::String ? PanelRole::fromKey(v.string) : -1;
        if (role.role < 0 || (role.role == PanelRole::None && !v.string.isEmpty()))
            return invalid(QCoreApplication::translate(
                               "ConfigJson", "%1 must name a panel role, such as \"P1_BUTTON1\"")
                               .arg(field));
        return FileResult::success();
    }
    if (v.type != JsonValue::Type::String)
        return invalid(QCoreApplication::translate("ConfigJson", "%1 must be a string, not %2")
                           .arg(field, typeName(&v)));
    if (name == QLatin1String("userLabel"))
        role.label = PanelRole::cleanLabel(v.string);
    return FileResult::success();
}

// One entry of "slots", checked member by member in the document's order.
FileResult readSlot(const JsonValue& o, const QString& where, int& k, quint8& key,
                    quint8& modifiers, SlotRole& role) {
    if (o.type != JsonValue::Type::Object)
        return invalid(QCoreApplication::translate("ConfigJson", "%1 must be an object, not %2")
                           .arg(where, typeName(&o)));
    if (const QString twice = firstDuplicate(o); !twice.isEmpty())
        return invalid(
            QCoreApplication::translate("ConfigJson", "%1.%2 appears twice").arg(where, twice));
    int slotNumber = -1, code = -1;
    bool* flags[FlagCount] = {};
    KeySlot s;
    bool* const fields[] = {&s.shift, &s.control, &s.alt, &s.repeat};
    for (const auto& [name, v] : o.members) {
        const QString field = QStringLiteral("%1.%2").arg(where, name);
        if (name == QLatin1String("slot")) {
            if (!v.wholeNumberIn(0, Configuration::SlotCount - 1, slotNumber))
                return invalid(QCoreApplication::translate("ConfigJson",
                                                           "%1 must be a whole number from 0 to 45")
                                   .arg(field));
        } else if (name == QLatin1String("key")) {
            if (!v.wholeNumberIn(0, 255, code))
                return invalid(QCoreApplication::translate(
                                   "ConfigJson", "%1 must be a whole number from 0 to 255")
                                   .arg(field));
        } else if (isTextField(name)) {
            if (FileResult r = readTextField(name, v, field, role); !r.ok())
                return r;
        } else {
            int f = 0;
            while (f < FlagCount && name != QLatin1String(FlagNames[f]))
                ++f;
            if (f == FlagCount)
                return invalid(
                    QCoreApplication::translate("ConfigJson", "%1 is not a field of a slot")
                        .arg(field));
            if (v.type != JsonValue::Type::Bool)
                return invalid(
                    QCoreApplication::translate("ConfigJson", "%1 must be true or false, not %2")
                        .arg(field, typeName(&v)));
            *fields[f] = v.boolean;
            flags[f] = fields[f];
        }
    }
    if (slotNumber < 0)
        return invalid(QCoreApplication::translate("ConfigJson", "%1.slot is missing").arg(where));
    if (code < 0)
        return invalid(QCoreApplication::translate("ConfigJson", "%1.key is missing").arg(where));
    for (int f = 0; f < FlagCount; ++f)
        if (!flags[f])
            return invalid(QCoreApplication::translate("ConfigJson",
                                                       "%1.%2 must be true or false, not missing")
                               .arg(where, FlagNames[f]));
    k = slotNumber;
    key = quint8(code);
    modifiers = EncodeModifiers(s);
    return FileResult::success();
}

// The "options" object: every option once, each true or false, and nothing else.
FileResult readOptions(const JsonValue& value, quint8& options) {
    if (value.type != JsonValue::Type::Object)
        return invalid(
            QCoreApplication::translate("ConfigJson", "\"options\" must be an object, not %1")
                .arg(typeName(&value)));
    if (const QString twice = firstDuplicate(value); !twice.isEmpty())
        return invalid(
            QCoreApplication::translate("ConfigJson", "options.%1 appears twice").arg(twice));
    for (const auto& [option, v] : value.members) {
        int b = 0;
        while (b < OptionCount && option != QLatin1String(OptionNames[b]))
            ++b;
        if (b == OptionCount)
            return invalid(QCoreApplication::translate("ConfigJson", "options.%1 is not an option")
                               .arg(option));
        if (v.type != JsonValue::Type::Bool)
            return invalid(QCoreApplication::translate("ConfigJson",
                                                       "options.%1 must be true or false, not %2")
                               .arg(option, typeName(&v)));
        options |= v.boolean ? ConfigImage::optionBit(Configuration::Options[b]) : 0;
    }
    for (int b = 0; b < OptionCount; ++b)
        if (!member(value, OptionNames[b]))
            return invalid(QCoreApplication::translate(
                               "ConfigJson", "options.%1 must be true or false, not missing")
                               .arg(OptionNames[b]));
    return FileResult::success();
}

// The document parsed, and what it is: a JSON object of the format and version we read,
// with no name twice.
FileResult readHeader(const QByteArray& json, JsonValue& root) {
    JsonSyntaxError error;
    if (!ParseStrictJson(json, root, error))
        return invalid(QCoreApplication::translate("ConfigJson",
                                                   "bad JSON at line %1, column %2 (byte %3): %4")
                           .arg(error.line)
                           .arg(error.column)
                           .arg(error.offset)
                           .arg(error.what));
    if (root.type != JsonValue::Type::Object)
        return invalid(
            QCoreApplication::translate("ConfigJson", "the document is not a JSON object"));
    if (const QString twice = firstDuplicate(root); !twice.isEmpty())
        return invalid(
            QCoreApplication::translate("ConfigJson", "\"%1\" appears twice").arg(twice));
    // What the document is comes first; then its fields in their order.
    const JsonValue* format = member(root, "format");
    if (!format || format->type != JsonValue::Type::String ||
        format->string != QLatin1String("tarvenpad-config"))
        return invalid(
            QCoreApplication::translate("ConfigJson", "\"format\" must be \"tarvenpad-config\""));
    int version = 0;
    const JsonValue* versionValue = member(root, "version");
    if (!versionValue || !versionValue->wholeNumberIn(1, 1, version))
        return invalid(QCoreApplication::translate("ConfigJson", "\"version\" must be 1"));
    return FileResult::success();
}

// What "slots" gives each slot, and which slots it named.
struct SlotBytes {
    std::array<quint8, Configuration::SlotCount> modifiers{};
    std::array<quint8, Configuration::SlotCount> keys{};
    std::array<bool, Configuration::SlotCount> seen{};
    std::array<SlotRole, Configuration::SlotCount> roles{};
};

// The "slots" array: each entry checked, and no slot twice.
FileResult readSlots(const JsonValue& value, SlotBytes& assigned) {
    if (value.type != JsonValue::Type::Array)
        return invalid(
            QCoreApplication::translate("ConfigJson", "\"slots\" must be an array, not %1")
                .arg(typeName(&value)));
    for (size_t i = 0; i < value.items.size(); ++i) {
        const QString where = QStringLiteral("slots[%1]").arg(i);
        int k = 0;
        quint8 key = 0, mods = 0;
        SlotRole role;
        if (FileResult r = readSlot(value.items[i], where, k, key, mods, role); !r.ok())
            return r;
        if (assigned.seen[k])
            return invalid(
                QCoreApplication::translate("ConfigJson", "%1.slot: slot %2 appears twice")
                    .arg(where)
                    .arg(k));
        for (int other = 0; other < Configuration::SlotCount; ++other)
            if (role.role != PanelRole::None && assigned.roles[other].role == role.role)
                return invalid(
                    QCoreApplication::translate("ConfigJson", "%1.role: slot %2 has it too")
                        .arg(where)
                        .arg(other));
        assigned.roles[k] = role;
        assigned.seen[k] = true;
        assigned.keys[k] = key;
        assigned.modifiers[k] = mods;
    }
    return FileResult::success();
}

} // namespace

QJsonObject ConfigToJson(const Configuration& config) {
    QJsonArray slotArray;
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        QJsonObject slot = SlotSettingsJson(config.slot(k));
        slot.insert(QStringLiteral("slot"), k);
        slot.insert(QStringLiteral("label"), SlotFileLabel(k));
        // Only slots that have them carry a role and a label, so documents without roles stay
        // as they always were.
        const SlotRole& role = config.slotRole(k);
        if (role.role != PanelRole::None)
            slot.insert(QStringLiteral("role"), PanelRole::key(role.role));
        if (!role.label.isEmpty())
            slot.insert(QStringLiteral("userLabel"), role.label);
        slotArray.append(slot);
    }
    QJsonObject options;
    for (const Configuration::Option option : Configuration::Options)
        options.insert(OptionJsonKey(option), config.option(option));
    return QJsonObject{
        {"format", "tarvenpad-config"}, {"version", 1}, {"slots", slotArray}, {"options", options}};
}

QJsonObject SlotSettingsJson(const KeySlot& s) {
    return QJsonObject{{"key", s.keyCode}, {"keyName", KeyCodeFileName(s.keyCode)},
                       {"shift", s.shift}, {"control", s.control},
                       {"alt", s.alt},     {"repeat", s.repeat}};
}

QString OptionJsonKey(Configuration::Option option) {
    const auto at = std::find(Configuration::Options.begin(), Configuration::Options.end(), option);
    return QLatin1String(OptionNames[at - Configuration::Options.begin()]);
}

FileResult ConfigFromJson(Configuration& config, const QByteArray& json) {
    JsonValue root;
    if (FileResult r = readHeader(json, root); !r.ok())
        return r;
    SlotBytes assigned;
    bool haveSlots = false, haveOptions = false;
    quint8 options = 0;
    for (const auto& [name, value] : root.members) {
        if (name == QLatin1String("format") || name == QLatin1String("version"))
            continue;
        if (name == QLatin1String("slots")) {
            if (FileResult r = readSlots(value, assigned); !r.ok())
                return r;
            haveSlots = true;
        } else if (name == QLatin1String("options")) {
            if (FileResult r = readOptions(value, options); !r.ok())
                return r;
            haveOptions = true;
        } else {
            return invalid(QCoreApplication::translate("ConfigJson",
                                                       "\"%1\" is not a field of a configuration")
                               .arg(name));
        }
    }
    if (!haveSlots)
        return invalid(
            QCoreApplication::translate("ConfigJson", "\"slots\" must be an array, not missing"));
    for (int k = 0; k < Configuration::SlotCount; ++k)
        if (!assigned.seen[k])
            return invalid(
                QCoreApplication::translate("ConfigJson", "slot %1 (%2) is missing from \"slots\"")
                    .arg(k)
                    .arg(SlotLabel(k)));
    if (!haveOptions)
        return invalid(QCoreApplication::translate("ConfigJson",
                                                   "\"options\" must be an object, not missing"));

    // Through the same byte-wise loading as a file, so the same rules apply.
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        config.applyModifierByte(k, assigned.modifiers[k]);
        config.setKeyCode(k, assigned.keys[k]);
    }
    config.applyOptionsByte(options);
    config.setRoles(assigned.roles);
    config.setConfigModified(false);
    return FileResult::success();
}
