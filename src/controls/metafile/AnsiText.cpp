#include "controls/metafile/AnsiText.h"

#include "platform/Windows1252.h"

namespace qv::metafile {

namespace {

char encode(char16_t c)
{
    const int b = platform::windows1252Byte(c);
    return b < 0 ? '?' : char(b);
}

} // namespace

QByteArray toWindows1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(encode(c.unicode()));
    return out;
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0)
            out.append(QChar(platform::windows1252Char(u) ? platform::windows1252Char(u) : char16_t(u'?')));
        else
            out.append(QChar(char16_t(u)));
    }
    return out;
}

} // namespace qv::metafile
