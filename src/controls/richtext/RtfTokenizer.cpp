#include "controls/richtext/RtfTokenizer.h"

#include <limits>

namespace qv::rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

Token Tokenizer::next()
{
    Token t;
    t.begin = m_pos;
    if (m_pos >= m_size) {
        t.end = m_pos;
        return t;
    }
    const char c = m_data[m_pos];
    if (c == '{' || c == '}') {
        t.kind = c == '{' ? Token::GroupStart : Token::GroupEnd;
        t.end = ++m_pos;
        return t;
    }
    if (c == '\r' || c == '\n') {
        t.kind = Token::LineEnd;
        t.end = ++m_pos;
        return t;
    }
    if (c != '\\') {
        qsizetype p = m_pos;
        while (p < m_size) {
            const char d = m_data[p];
            if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n')
                break;
            ++p;
        }
        t.kind = Token::Text;
        t.word = std::string_view(m_data + m_pos, size_t(p - m_pos));
        t.end = m_pos = p;
        return t;
    }

    // A backslash: control word, control symbol or hex escape.
    ++m_pos;
    if (m_pos >= m_size) { // a lone backslash at the very end
        t.kind = Token::End;
        t.end = m_pos;
        return t;
    }
    const char first = m_data[m_pos];
    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            const int high = m_pos < m_size ? hexValue(m_data[m_pos]) : -1;
            const int low = m_pos + 1 < m_size ? hexValue(m_data[m_pos + 1]) : -1;
            if (high >= 0 && low >= 0) {
                t.kind = Token::HexByte;
                t.byte = static_cast<unsigned char>(high * 16 + low);
                m_pos += 2;
                t.end = m_pos;
                return t;
            }
        }
        t.kind = Token::ControlSymbol;
        t.symbol = first;
        t.end = m_pos;
        return t;
    }

    const qsizetype wordStart = m_pos;
    while (m_pos < m_size && isLetter(m_data[m_pos]))
        ++m_pos;
    t.kind = Token::ControlWord;
    t.word = std::string_view(m_data + wordStart, size_t(m_pos - wordStart));

    bool negative = false;
    if (m_pos + 1 < m_size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_size && isDigit(m_data[m_pos])) {
        // Saturate rather than overflow: hostile files carry absurd numbers.
        constexpr std::int64_t limit = std::numeric_limits<int>::max();
        std::int64_t value = 0;
        while (m_pos < m_size && isDigit(m_data[m_pos])) {
            if (value <= limit)
                value = value * 10 + (m_data[m_pos] - '0');
            ++m_pos;
        }
        if (value > limit)
            value = limit;
        t.parameter = static_cast<int>(negative ? -value : value);
        t.hasParameter = true;
    }
    if (m_pos < m_size && m_data[m_pos] == ' ')
        ++m_pos;

    if (t.word == "bin" && t.hasParameter && t.parameter > 0) {
        const qsizetype length = std::min<qsizetype>(t.parameter, m_size - m_pos);
        t.kind = Token::Binary;
        t.word = std::string_view(m_data + m_pos, size_t(length));
        m_pos += length;
    }
    t.end = m_pos;
    return t;
}

} // namespace qv::rtf
