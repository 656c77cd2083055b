// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A strict JSON reader (RFC 8259) for configuration documents. Unlike QJsonDocument it
// rejects invalid escapes, raw control characters (NUL among them) in strings, invalid
// UTF-8 and anything after the document, and it keeps an object's members in their order,
// duplicates included, so the caller can name a duplicate. A number is kept as a double
// (NaN when it does not fit one); nothing converts it to an integer here.
struct JsonMember;

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object };

    Type type = Type::Null;
    bool boolean = false;
    double number = 0; // NaN when the text is out of the double's range
    QString string;
    std::vector<JsonValue> items;
    std::vector<JsonMember> members; // in the document's order, duplicates included

    // The number, when it is a whole number from `low` to `high`: the range is checked on
    // the double before any conversion.
    bool wholeNumberIn(int low, int high, int& value) const;
};

struct JsonMember {
    QString name;
    JsonValue value;
};

struct JsonSyntaxError {
    qsizetype offset = 0; // in bytes
    int line = 1;
    int column = 1; // in bytes, from 1
    QString what;
};

// Documents nest no deeper than this.
inline constexpr int MaxJsonDepth = 64;

// False with `error` filled when `text` is not exactly one JSON value with optional
// whitespace around it.
bool ParseStrictJson(const QByteArray& text, JsonValue& value, JsonSyntaxError& error);
