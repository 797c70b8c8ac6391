#pragma once

// The lexical layer of RTF, shared by the reader and the line breaker.

#include <QByteArray>

#include <cstdint>
#include <string_view>

namespace qv::rtf {

struct Token
{
    enum Kind {
        End,
        GroupStart,
        GroupEnd,
        ControlWord,   // word, optional parameter; a delimiting space is part of the token
        ControlSymbol, // backslash and one non-letter (symbol)
        HexByte,       // \'hh (byte)
        Text,          // a run of plain characters (no backslash, brace, CR or LF)
        Binary,        // \binN with its N bytes (data)
        LineEnd,       // CR or LF in the source, which RTF ignores
    };

    Kind kind = End;
    qsizetype begin = 0; // source span of the whole token
    qsizetype end = 0;
    std::string_view word; // control word letters, text run, or binary data
    int parameter = 0;
    bool hasParameter = false;
    char symbol = 0;
    unsigned char byte = 0;
};

class Tokenizer
{
public:
    explicit Tokenizer(const QByteArray &source) : m_data(source.constData()), m_size(source.size()) {}

    Token next();
    qsizetype position() const { return m_pos; }

private:
    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

} // namespace qv::rtf
