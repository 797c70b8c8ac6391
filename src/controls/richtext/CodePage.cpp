#include "controls/richtext/CodePage.h"

#include "platform/Windows1252.h"

#include <QStringDecoder>

namespace qv::rtf {

namespace {

// Unused bytes of code page 1252 read as the replacement character.
char16_t windows1252Char(unsigned char b)
{
    const char16_t c = platform::windows1252Char(b);
    return c || b == 0 ? c : char16_t(0xFFFD);
}

// The glyphs of the Symbol font that documents use as list bullets and signs.
char16_t symbolChar(unsigned char b)
{
    switch (b) {
    case 0xB7: return 0x2022; // bullet
    case 0xA7: return 0x2663;
    case 0xA8: return 0x2666;
    case 0xA9: return 0x2665;
    case 0xAA: return 0x2660;
    case 0xB0: return 0x00B0;
    case 0xB1: return 0x00B1;
    case 0xB4: return 0x00D7;
    case 0xB8: return 0x00F7;
    case 0xD2: return 0x00AE;
    case 0xD3: return 0x00A9;
    case 0xD4: return 0x2122;
    case 0xAE: return 0x2192;
    case 0xAC: return 0x2190;
    case 0xE0: return 0x25CA;
    case 0x2D: return 0x2212;
    default: break;
    }
    if (b >= 0x41 && b <= 0x5A) { // Greek capitals in the Symbol layout
        static constexpr char16_t upper[26] = {0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393, 0x397, 0x399,
                                               0x3D1, 0x39A, 0x39B, 0x39C, 0x39D, 0x39F, 0x3A0, 0x398, 0x3A1,
                                               0x3A3, 0x3A4, 0x3A5, 0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
        return upper[b - 0x41];
    }
    if (b >= 0x61 && b <= 0x7A) {
        static constexpr char16_t lower[26] = {0x3B1, 0x3B2, 0x3C7, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B7, 0x3B9,
                                               0x3D5, 0x3BA, 0x3BB, 0x3BC, 0x3BD, 0x3BF, 0x3C0, 0x3B8, 0x3C1,
                                               0x3C3, 0x3C4, 0x3C5, 0x3D6, 0x3C9, 0x3BE, 0x3C8, 0x3B6};
        return lower[b - 0x61];
    }
    return b;
}

// The Wingdings glyphs used as bullets.
char16_t wingdingsChar(unsigned char b)
{
    switch (b) {
    case 0x6C: return 0x25CF; // black circle
    case 0x6E: return 0x25A0; // black square
    case 0x71: return 0x2751;
    case 0x75: return 0x25C6;
    case 0x76: return 0x2756;
    case 0xA7: return 0x25AA; // small square
    case 0xA8: return 0x25FB;
    case 0xD8: return 0x27A2; // arrowhead
    case 0xE0: return 0x2192;
    case 0xFC: return 0x2714; // check mark
    case 0xFB: return 0x2718;
    case 0x9F: return 0x2022;
    default: return 0x2022;
    }
}

const char *codecName(int codePage)
{
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 852: return "IBM852";
    case 866: return "IBM866";
    case 874: return "windows-874";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

} // namespace

SymbolFont symbolFontFor(int charset, const QString &family)
{
    if (family.compare(u"Symbol", Qt::CaseInsensitive) == 0)
        return SymbolFont::Symbol;
    if (family.startsWith(u"Wingdings", Qt::CaseInsensitive))
        return SymbolFont::Wingdings;
    return charset == 2 ? SymbolFont::OtherSymbol : SymbolFont::None;
}

int codePageForCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return documentCodePage;
    }
}

unsigned char windows1252Byte(char16_t c)
{
    const int b = platform::windows1252Byte(c);
    return b < 0 ? 0 : static_cast<unsigned char>(b);
}

ByteDecoder::ByteDecoder() = default;
ByteDecoder::~ByteDecoder() = default;

QStringDecoder *ByteDecoder::decoderFor(int codePage)
{
    auto found = m_decoders.find(codePage);
    if (found != m_decoders.end())
        return found->second.get();
    std::unique_ptr<QStringDecoder> decoder;
    if (const char *name = codecName(codePage)) {
        decoder = std::make_unique<QStringDecoder>(name, QStringConverter::Flag::Stateless);
        if (!decoder->isValid())
            decoder.reset();
    }
    return m_decoders.emplace(codePage, std::move(decoder)).first->second.get();
}

QString ByteDecoder::decode(const QByteArray &bytes, int codePage, SymbolFont symbol)
{
    QString out;
    out.reserve(bytes.size());
    if (symbol != SymbolFont::None) {
        for (const char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            out.append(QChar(symbol == SymbolFont::Symbol      ? symbolChar(b)
                             : symbol == SymbolFont::Wingdings ? wingdingsChar(b)
                                                               : windows1252Char(b)));
        }
        return out;
    }
    if (codePage != 1252) {
        if (QStringDecoder *decoder = decoderFor(codePage))
            return decoder->decode(bytes);
    }
    for (const char c : bytes)
        out.append(QChar(windows1252Char(static_cast<unsigned char>(c))));
    return out;
}

} // namespace qv::rtf
