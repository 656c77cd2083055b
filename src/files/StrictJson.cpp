// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/StrictJson.h"

#include "files/Utf8Sequence.h"

#include <QCoreApplication>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

class Parser {
    Q_DECLARE_TR_FUNCTIONS(StrictJson)

public:
    explicit Parser(const QByteArray& text)
        : m_p(reinterpret_cast<const unsigned char*>(text.constData())), m_size(text.size()) {}

    bool parse(JsonValue& value) {
        skipWhitespace();
        if (!parseValue(value, 0))
            return false;
        skipWhitespace();
        if (m_at < m_size)
            return fail(m_p[m_at] == 0 ? tr("a NUL byte after the document")
                                       : tr("more text after the document"));
        return true;
    }

    JsonSyntaxError error() const {
        JsonSyntaxError e;
        e.offset = m_errorAt;
        for (qsizetype i = 0; i < m_errorAt && i < m_size; ++i) {
            if (m_p[i] == '\n') {
                ++e.line;
                e.column = 1;
            } else {
                ++e.column;
            }
        }
        e.what = m_error;
        return e;
    }

private:
    bool fail(const QString& what) { return failAt(m_at, what); }
    bool failAt(qsizetype at, const QString& what) {
        m_errorAt = at;
        m_error = what;
        return false;
    }

    bool atEnd() const { return m_at >= m_size; }
    unsigned char peek() const { return m_p[m_at]; }

    void skipWhitespace() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++m_at;
    }

    bool unexpected() {
        if (atEnd())
            return fail(tr("the document ends too early"));
        if (peek() == 0)
            return fail(tr("a NUL byte"));
        if (peek() < 0x20 || peek() >= 0x7F)
            return fail(tr("unexpected byte 0x%1").arg(peek(), 2, 16, QChar('0')));
        return fail(tr("unexpected character '%1'").arg(QChar(peek())));
    }

    bool literal(const char* word) {
        for (qsizetype i = 0; word[i]; ++i)
            if (m_at + i >= m_size || m_p[m_at + i] != static_cast<unsigned char>(word[i]))
                return unexpected();
        m_at += qsizetype(std::strlen(word));
        return true;
    }

    bool parseValue(JsonValue& value, int depth) {
        if (atEnd())
            return unexpected();
        switch (peek()) {
        case '{':
            return parseObject(value, depth + 1);
        case '[':
            return parseArray(value, depth + 1);
        case '"':
            value.type = JsonValue::Type::String;
            return parseString(value.string);
        case 't':
            value.type = JsonValue::Type::Bool;
            value.boolean = true;
            return literal("true");
        case 'f':
            value.type = JsonValue::Type::Bool;
            value.boolean = false;
            return literal("false");
        case 'n':
            value.type = JsonValue::Type::Null;
            return literal("null");
        default:
            if (peek() == '-' || (peek() >= '0' && peek() <= '9'))
                return parseNumber(value);
            return unexpected();
        }
    }

    bool parseObject(JsonValue& value, int depth) {
        if (depth > MaxJsonDepth)
            return fail(tr("nested deeper than %1 levels").arg(MaxJsonDepth));
        value.type = JsonValue::Type::Object;
        ++m_at; // {
        skipWhitespace();
        if (!atEnd() && peek() == '}') {
            ++m_at;
            return true;
        }
        for (;;) {
            skipWhitespace();
            if (atEnd() || peek() != '"')
                return atEnd() ? unexpected() : fail(tr("expected a name in quotes"));
            QString name;
            if (!parseString(name))
                return false;
            skipWhitespace();
            if (atEnd() || peek() != ':')
                return atEnd() ? unexpected() : fail(tr("expected ':'"));
            ++m_at;
            skipWhitespace();
            value.members.push_back(JsonMember{std::move(name), JsonValue{}});
            if (!parseValue(value.members.back().value, depth))
                return false;
            skipWhitespace();
            if (atEnd())
                return unexpected();
            if (peek() == '}') {
                ++m_at;
                return true;
            }
            if (peek() != ',')
                return fail(tr("expected ',' or '}'"));
            ++m_at;
        }
    }

    bool parseArray(JsonValue& value, int depth) {
        if (depth > MaxJsonDepth)
            return fail(tr("nested deeper than %1 levels").arg(MaxJsonDepth));
        value.type = JsonValue::Type::Array;
        ++m_at; // [
        skipWhitespace();
        if (!atEnd() && peek() == ']') {
            ++m_at;
            return true;
        }
        for (;;) {
            skipWhitespace();
            value.items.emplace_back();
            if (!parseValue(value.items.back(), depth))
                return false;
            skipWhitespace();
            if (atEnd())
                return unexpected();
            if (peek() == ']') {
                ++m_at;
                return true;
            }
            if (peek() != ',')
                return fail(tr("expected ',' or ']'"));
            ++m_at;
        }
    }

    static bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

    bool parseNumber(JsonValue& value) {
        const qsizetype start = m_at;
        if (peek() == '-')
            ++m_at;
        if (atEnd() || !isDigit(peek()))
            return fail(tr("a number needs a digit here"));
        if (peek() == '0') {
            ++m_at;
            if (!atEnd() && isDigit(peek()))
                return fail(tr("a number must not start with 0"));
        } else {
            while (!atEnd() && isDigit(peek()))
                ++m_at;
        }
        if (!atEnd() && peek() == '.') {
            ++m_at;
            if (atEnd() || !isDigit(peek()))
                return fail(tr("a number needs a digit after '.'"));
            while (!atEnd() && isDigit(peek()))
                ++m_at;
        }
        if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
            ++m_at;
            if (!atEnd() && (peek() == '+' || peek() == '-'))
                ++m_at;
            if (atEnd() || !isDigit(peek()))
                return fail(tr("a number needs a digit in its exponent"));
            while (!atEnd() && isDigit(peek()))
                ++m_at;
        }
        const QByteArray text(reinterpret_cast<const char*>(m_p + start), m_at - start);
        bool ok = false;
        const double v = text.toDouble(&ok); // the C locale's format, whatever the locale is
        // Too large or too small for a double: no number a configuration holds, and a NaN
        // fails every range check.
        value.number = ok && std::isfinite(v) ? v : std::numeric_limits<double>::quiet_NaN();
        value.type = JsonValue::Type::Number;
        return true;
    }

    int hexDigit(unsigned char c) const {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // Four hex digits after "\u" at m_at; -1 when they are not there.
    int hex4() {
        if (m_at + 4 > m_size)
            return -1;
        int v = 0;
        for (int i = 0; i < 4; ++i) {
            const int d = hexDigit(m_p[m_at + i]);
            if (d < 0)
                return -1;
            v = v * 16 + d;
        }
        m_at += 4;
        return v;
    }

    bool parseString(QString& out) {
        ++m_at; // "
        QByteArray utf8;
        for (;;) {
            if (atEnd())
                return fail(tr("a string has no closing quote"));
            const unsigned char c = peek();
            if (c == '"') {
                ++m_at;
                out = QString::fromUtf8(utf8); // validated below, so nothing is replaced
                return true;
            }
            if (c == 0)
                return fail(tr("a NUL byte in a string"));
            if (c < 0x20)
                return fail(
                    tr("a raw control character (0x%1) in a string").arg(c, 2, 16, QChar('0')));
            if (c == '\\') {
                const qsizetype escapeAt = m_at;
                ++m_at;
                if (atEnd())
                    return fail(tr("a string has no closing quote"));
                const unsigned char e = peek();
                ++m_at;
                switch (e) {
                case '"':
                case '\\':
                case '/':
                    utf8 += char(e);
                    break;
                case 'b':
                    utf8 += '\b';
                    break;
                case 'f':
                    utf8 += '\f';
                    break;
                case 'n':
                    utf8 += '\n';
                    break;
                case 'r':
                    utf8 += '\r';
                    break;
                case 't':
                    utf8 += '\t';
                    break;
                case 'u': {
                    int unit = hex4();
                    if (unit < 0)
                        return failAt(escapeAt, tr("\\u needs four hex digits"));
                    char32_t cp = char32_t(unit);
                    if (unit >= 0xDC00 && unit <= 0xDFFF)
                        return failAt(escapeAt, tr("\\u escape of a lone surrogate"));
                    if (unit >= 0xD800 && unit <= 0xDBFF) {
                        if (m_at + 2 > m_size || m_p[m_at] != '\\' || m_p[m_at + 1] != 'u')
                            return failAt(escapeAt, tr("\\u escape of a lone surrogate"));
                        m_at += 2;
                        const int low = hex4();
                        if (low < 0xDC00 || low > 0xDFFF)
                            return failAt(escapeAt, tr("\\u escape of a lone surrogate"));
                        cp = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
                    }
                    if (cp == 0)
                        return failAt(escapeAt, tr("\\u0000 (NUL) in a string"));
                    utf8 += QString::fromUcs4(&cp, 1).toUtf8();
                    break;
                }
                default:
                    return failAt(escapeAt, tr("invalid escape \\%1")
                                                .arg(e >= 0x20 && e < 0x7F ? QString(QChar(e))
                                                                           : QStringLiteral("?")));
                }
                continue;
            }
            if (c < 0x80) {
                utf8 += char(c);
                ++m_at;
                continue;
            }
            const qsizetype length = utf8Length();
            if (length == 0)
                return fail(tr("invalid UTF-8 in a string"));
            utf8.append(reinterpret_cast<const char*>(m_p + m_at), length);
            m_at += length;
        }
    }

    // The length of the valid UTF-8 sequence at m_at (not ASCII), or 0.
    qsizetype utf8Length() const { return DecodeUtf8Sequence(m_p + m_at, m_size - m_at).length; }

    const unsigned char* m_p;
    qsizetype m_size;
    qsizetype m_at = 0;
    qsizetype m_errorAt = 0;
    QString m_error;
};

} // namespace

bool JsonValue::wholeNumberIn(int low, int high, int& value) const {
    if (type != Type::Number || !(number >= low && number <= high) || std::floor(number) != number)
        return false;
    value = int(number);
    return true;
}

bool ParseStrictJson(const QByteArray& text, JsonValue& value, JsonSyntaxError& error) {
    Parser parser(text);
    value = JsonValue{};
    if (parser.parse(value))
        return true;
    error = parser.error();
    return false;
}
