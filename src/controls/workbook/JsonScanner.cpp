#include "controls/workbook/JsonScanner.h"

#include <charconv>
#include <cmath>

namespace qv::workbook {

void JsonScanner::fail(const char *what)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("%1 at byte %2").arg(QLatin1String(what)).arg(qint64(m_p - m_begin));
    m_p = m_end;
}

void JsonScanner::skipBlanks()
{
    while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
        ++m_p;
}

bool JsonScanner::atEnd()
{
    skipBlanks();
    return m_p == m_end;
}

bool JsonScanner::consume(char c)
{
    skipBlanks();
    if (m_p < m_end && *m_p == c) {
        ++m_p;
        m_first = true;
        return true;
    }
    return false;
}

JsonScanner::Kind JsonScanner::peek()
{
    skipBlanks();
    if (m_p >= m_end)
        return Kind::Bad;
    switch (*m_p) {
    case '{': return Kind::Object;
    case '[': return Kind::Array;
    case '"': return Kind::String;
    case 't': return Kind::True;
    case 'f': return Kind::False;
    case 'n': return Kind::Null;
    default: return (*m_p == '-' || (*m_p >= '0' && *m_p <= '9')) ? Kind::Number : Kind::Bad;
    }
}

bool JsonScanner::nextElement()
{
    skipBlanks();
    if (m_p < m_end && *m_p == ']') {
        ++m_p;
        m_first = false;
        return false;
    }
    if (!m_first) {
        if (m_p >= m_end || *m_p != ',') {
            fail("missing comma or ]");
            return false;
        }
        ++m_p;
    }
    m_first = false;
    return true;
}

bool JsonScanner::nextMember(std::string_view &key, QString &keyText)
{
    skipBlanks();
    if (m_p < m_end && *m_p == '}') {
        ++m_p;
        m_first = false;
        return false;
    }
    if (!m_first) {
        if (m_p >= m_end || *m_p != ',') {
            fail("missing comma or }");
            return false;
        }
        ++m_p;
        skipBlanks();
    }
    m_first = false;
    bool escaped = false;
    if (m_p >= m_end || *m_p != '"' || !readStringBytes(key, escaped)) {
        fail("missing member name");
        return false;
    }
    keyText = escaped ? decode(key, true) : QString();
    if (escaped) {
        // Rare: names with escapes compare by their decoded text.
        static thread_local QByteArray utf8;
        utf8 = keyText.toUtf8();
        key = std::string_view(utf8.constData(), std::size_t(utf8.size()));
    }
    skipBlanks();
    if (m_p >= m_end || *m_p != ':') {
        fail("missing colon");
        return false;
    }
    ++m_p;
    return true;
}

// The raw bytes between the quotes; m_p ends after the closing quote.
bool JsonScanner::readStringBytes(std::string_view &raw, bool &escaped)
{
    const char *start = ++m_p;
    escaped = false;
    while (m_p < m_end) {
        const unsigned char c = static_cast<unsigned char>(*m_p);
        if (c == '"') {
            raw = std::string_view(start, std::size_t(m_p - start));
            ++m_p;
            return true;
        }
        if (c < 0x20) {
            fail("control character in text");
            return false;
        }
        if (c == '\\') {
            escaped = true;
            if (++m_p >= m_end)
                break;
        }
        ++m_p;
    }
    fail("unterminated text");
    return false;
}

QString JsonScanner::decode(std::string_view raw, bool escaped)
{
    if (!escaped)
        return QString::fromUtf8(raw.data(), qsizetype(raw.size()));
    QByteArray out;
    out.reserve(qsizetype(raw.size()));
    QString text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        const char e = ++i < raw.size() ? raw[i] : '\0';
        switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
            auto hex = [&](std::size_t at) -> int {
                if (at + 4 > raw.size()) return -1;
                int v = 0;
                for (std::size_t k = at; k < at + 4; ++k) {
                    const char h = raw[k];
                    v = v * 16 + (h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1000);
                }
                return v < 0 ? -1 : v;
            };
            const int unit = hex(i + 1);
            if (unit < 0) return QString(); // a bad escape reads as nothing, like QJsonDocument refuses it
            i += 4;
            char16_t units[2] = {char16_t(unit), 0};
            int count = 1;
            if (QChar::isHighSurrogate(char16_t(unit)) && i + 2 < raw.size() && raw[i + 1] == '\\' && raw[i + 2] == 'u') {
                const int low = hex(i + 3);
                if (low >= 0 && QChar::isLowSurrogate(char16_t(low))) {
                    units[1] = char16_t(low);
                    count = 2;
                    i += 6;
                }
            }
            out += QString(reinterpret_cast<const QChar *>(units), count).toUtf8();
            break;
        }
        default: return QString();
        }
    }
    return QString::fromUtf8(out);
}

std::optional<QString> JsonScanner::readString()
{
    if (peek() != Kind::String) {
        fail("expected text");
        return std::nullopt;
    }
    std::string_view raw;
    bool escaped = false;
    if (!readStringBytes(raw, escaped))
        return std::nullopt;
    return decode(raw, escaped);
}

std::optional<double> JsonScanner::readNumber()
{
    if (peek() != Kind::Number) {
        fail("expected a number");
        return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(m_p, m_end, value);
    if (ec != std::errc() || !std::isfinite(value)) {
        fail("bad number");
        return std::nullopt;
    }
    m_p = end;
    return value;
}

std::optional<bool> JsonScanner::readBoolean()
{
    skipBlanks();
    auto literal = [&](std::string_view word) {
        if (std::size_t(m_end - m_p) >= word.size() && std::string_view(m_p, word.size()) == word) {
            m_p += word.size();
            return true;
        }
        return false;
    };
    if (literal("true")) return true;
    if (literal("false")) return false;
    fail("expected true or false");
    return std::nullopt;
}

bool JsonScanner::skipValue(const char *&begin, const char *&end)
{
    skipBlanks();
    begin = m_p;
    int depth = 0;
    do {
        skipBlanks();
        if (m_p >= m_end) {
            fail("unexpected end");
            return false;
        }
        const char c = *m_p;
        if (c == '"') {
            std::string_view raw;
            bool escaped = false;
            if (!readStringBytes(raw, escaped))
                return false;
        } else if (c == '{' || c == '[') {
            ++depth;
            ++m_p;
        } else if (c == '}' || c == ']') {
            if (--depth < 0) {
                fail("unbalanced brackets");
                return false;
            }
            ++m_p;
        } else if (c == ',' || c == ':') {
            ++m_p;
        } else {
            // A number or literal; checked when its text is parsed.
            while (m_p < m_end && *m_p != ',' && *m_p != '}' && *m_p != ']' && *m_p != ':' && *m_p != ' '
                   && *m_p != '\n' && *m_p != '\r' && *m_p != '\t' && *m_p != '"')
                ++m_p;
        }
    } while (depth > 0);
    end = m_p;
    m_first = false;
    return true;
}

} // namespace qv::workbook
