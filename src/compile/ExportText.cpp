#include "compile/ExportText.h"

#include "platform/Windows1252.h"

namespace qv::compile {

namespace {

int byteFor(char32_t c)
{
    return platform::windows1252Byte(c);
}

// Characters with no decomposition into code page 1252 and an obvious stand-in.
QString standIn(char32_t c)
{
    switch (c) {
    case 0x0131: return QStringLiteral("i");  // dotless i
    case 0x0141: return QStringLiteral("L");
    case 0x0142: return QStringLiteral("l");
    case 0x0110: return QStringLiteral("D");
    case 0x0111: return QStringLiteral("d");
    case 0x0126: return QStringLiteral("H");
    case 0x0127: return QStringLiteral("h");
    case 0x2010: case 0x2011: case 0x2012: case 0x2043: case 0x2212: return QStringLiteral("-");
    case 0x2015: return QString(QChar(0x2014));
    case 0x2032: case 0x201B: return QStringLiteral("'");
    case 0x2033: case 0x201F: return QString(QChar(0x201D));
    case 0x2023: case 0x25CF: case 0x25E6: return QString(QChar(0x2022));
    case 0x2190: return QStringLiteral("<-");
    case 0x2192: return QStringLiteral("->");
    case 0x2264: return QStringLiteral("<=");
    case 0x2265: return QStringLiteral(">=");
    case 0x2260: return QStringLiteral("<>");
    case 0x2248: return QStringLiteral("~");
    case 0x2713: case 0x2714: return QStringLiteral("x");
    default: break;
    }
    if ((c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000)
        return QStringLiteral(" ");
    if (c == 0x200B || c == 0x200C || c == 0x200D || c == 0x2060 || c == 0xFEFF)
        return QString(); // invisible
    return QStringLiteral("?");
}

QString closestFor(char32_t c)
{
    if (byteFor(c) >= 0)
        return QString::fromUcs4(&c, 1);
    // A compatibility decomposition without its accents often says it: "ā" is
    // "a" and a macron, "ﬁ" is "fi", "²" is "2".
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString kept;
    bool complete = true;
    for (const uint code : decomposed.toUcs4()) {
        const char32_t part = code;
        if (QChar::category(part) == QChar::Mark_NonSpacing || QChar::category(part) == QChar::Mark_Enclosing)
            continue;
        if (byteFor(part) < 0) {
            complete = false;
            break;
        }
        kept += QString::fromUcs4(&part, 1);
    }
    if (complete && !kept.isEmpty())
        return kept;
    return standIn(c);
}

} // namespace

QString closestWindows1252(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const uint code : text.toUcs4())
        out += closestFor(code);
    return out;
}

QByteArray encodeWindows1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const uint code : text.toUcs4()) {
        const int b = byteFor(code);
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

QString decodeWindows1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        const char16_t c = platform::windows1252Char(u);
        out += QChar(c ? c : char16_t(u'?'));
    }
    return out;
}

QString fieldText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            const bool opening = out.isEmpty() || out.back().isSpace() || QStringLiteral("([{").contains(out.back());
            out += QChar(opening ? 0x201C : 0x201D);
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out;
}

void ExportRecord::add(const QString &field)
{
    if (!m_first)
        m_text += QLatin1Char(',');
    m_first = false;
    m_text += field;
}

ExportRecord &ExportRecord::text(const QString &value)
{
    add(QLatin1Char('"') + fieldText(closestWindows1252(value)) + QLatin1Char('"'));
    return *this;
}

ExportRecord &ExportRecord::number(qint64 value)
{
    add(QString::number(value));
    return *this;
}

ExportRecord &ExportRecord::variant(const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        add(QString());
        return *this;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        add(value.toBool() ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"));
        break;
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::Long: case QMetaType::ULong:
    case QMetaType::LongLong: case QMetaType::ULongLong: case QMetaType::Short: case QMetaType::UShort:
        add(QString::number(value.toLongLong()));
        break;
    case QMetaType::Double: case QMetaType::Float:
        add(QString::number(value.toDouble(), 'g', 15));
        break;
    default:
        text(value.toString());
    }
    return *this;
}

QByteArray ExportRecord::line() const
{
    return encodeWindows1252(m_text) + "\r\n";
}

} // namespace qv::compile
