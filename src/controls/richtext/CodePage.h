#pragma once

// Bytes of RTF text (\'hh escapes and 8-bit source characters) into Unicode.

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>

class QStringDecoder;

namespace qv::rtf {

// Fonts whose bytes are glyph numbers rather than characters of a code page.
enum class SymbolFont { None, Symbol, Wingdings, OtherSymbol };

SymbolFont symbolFontFor(int charset, const QString &family);

// The Windows code page of an RTF font character set (\fcharsetN); the
// document's \ansicpg for ANSI and default.
int codePageForCharset(int charset, int documentCodePage);

// The code-page 1252 byte for a character, or 0 when 1252 has none.
unsigned char windows1252Byte(char16_t c);

class ByteDecoder
{
public:
    ByteDecoder();
    ~ByteDecoder();

    QString decode(const QByteArray &bytes, int codePage, SymbolFont symbol);

private:
    QStringDecoder *decoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> m_decoders;
};

} // namespace qv::rtf
