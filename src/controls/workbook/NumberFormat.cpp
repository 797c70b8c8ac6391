#include "controls/workbook/NumberFormat.h"

#include "controls/workbook/DateSerial.h"

#include <QStringList>

#include <cmath>
#include <tuple>
#include <utility>
#include <cstdio>

namespace qv::workbook {

namespace {

const char *const monthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
const char *const dayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// Splits at ";" outside quotes, escapes and brackets.
QStringList splitSections(const QString &code)
{
    QStringList sections;
    QString current;
    bool quoted = false;
    bool bracket = false;
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'\\' && !quoted && i + 1 < code.size()) {
            current += c;
            current += code[++i];
            continue;
        }
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u'[')
            bracket = true;
        else if (!quoted && c == u']')
            bracket = false;
        if (c == u';' && !quoted && !bracket) {
            sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    sections << current;
    return sections;
}

std::optional<Rgb> colorName(const QString &name)
{
    static const struct { const char *name; Rgb rgb; } colors[] = {
        {"black", 0x000000}, {"blue", 0x0000FF},  {"cyan", 0x00FFFF},  {"green", 0x00FF00},
        {"magenta", 0xFF00FF}, {"red", 0xFF0000}, {"white", 0xFFFFFF}, {"yellow", 0xFFFF00},
    };
    for (const auto &c : colors)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.rgb;
    return std::nullopt;
}

// Takes the [Red] colours and [$-409]-style locale tags off a section;
// [$$-409] and [$€] keep their currency symbol as literal text.
QString stripBrackets(const QString &section, std::optional<Rgb> &color)
{
    QString out;
    bool quoted = false;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"')
            quoted = !quoted;
        if (!quoted && c == u'[') {
            const int end = section.indexOf(u']', i);
            if (end < 0)
                break;
            const QString inner = section.mid(i + 1, end - i - 1);
            if (auto rgb = colorName(inner))
                color = rgb;
            else if (inner.startsWith(u'$')) {
                const QString symbol = inner.mid(1).section(u'-', 0, 0);
                if (!symbol.isEmpty())
                    out += u'"' + symbol + u'"';
            }
            i = end;
            continue;
        }
        out += c;
    }
    return out;
}

bool hasDateTokens(const QString &section)
{
    bool quoted = false;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'\\') {
            ++i;
            continue;
        }
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        const char16_t l = c.toLower().unicode();
        if (l == u'y' || l == u'd' || l == u'h' || l == u's' || l == u'm')
            return true;
    }
    return false;
}

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        out += digits[i];
        const int remaining = n - 1 - i;
        if (remaining > 0 && remaining % 3 == 0)
            out += u',';
    }
    return out;
}

// Calls visit(i) for each character of a format section that belongs to the
// code: not inside quotes, and not the character after a backslash, "_" or "*".
// visit may move i past characters it has read, and returns false to stop.
template <typename Visit>
void forEachCodeCharacter(const QString &section, Visit &&visit)
{
    bool quoted = false;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"') { quoted = !quoted; continue; }
        if (quoted) continue;
        if (c == u'\\' || c == u'_' || c == u'*') { ++i; continue; }
        if (!visit(i)) return;
    }
}

// A number section: digit placeholders 0 # ?, "." and "," and "%", literal text.
QString formatNumberSection(double number, const QString &section, bool negativeSign)
{
    // First pass: measure the placeholders.
    int integerZeros = 0, decimalsMin = 0, decimalsMax = 0, percents = 0, exponentDigits = -1;
    bool seenDecimal = false, grouping = false, anyDigit = false;
    int scaleCommas = 0;
    forEachCodeCharacter(section, [&](int &i) {
        const QChar c = section[i];
        if (exponentDigits >= 0) {
            if (c == u'0' || c == u'#') ++exponentDigits;
            return true;
        }
        if (c == u'0' || c == u'#' || c == u'?') {
            anyDigit = true;
            if (scaleCommas && !seenDecimal) { grouping = true; scaleCommas = 0; }
            if (seenDecimal) {
                ++decimalsMax;
                if (c != u'#') ++decimalsMin;
            } else if (c != u'#') {
                ++integerZeros;
            }
        } else if (c == u'.') {
            seenDecimal = true;
        } else if (c == u',') {
            if (anyDigit) ++scaleCommas;
        } else if (c == u'%') {
            ++percents;
        } else if ((c == u'E' || c == u'e') && i + 1 < section.size() && (section[i + 1] == u'+' || section[i + 1] == u'-')) {
            exponentDigits = 0;
            ++i;
        }
        return true;
    });
    double value = std::fabs(number);
    for (int p = 0; p < percents; ++p) value *= 100;
    for (int s = 0; s < scaleCommas; ++s) value /= 1000;

    QString integerPart, decimalPart, exponentPart;
    if (exponentDigits >= 0) {
        int exponent = value == 0 ? 0 : int(std::floor(std::log10(value)));
        double mantissa = value == 0 ? 0 : value / std::pow(10.0, exponent);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimalsMax, mantissa);
        if (QString::fromLatin1(buffer).startsWith(QLatin1String("10"))) {
            ++exponent;
            mantissa /= 10;
            std::snprintf(buffer, sizeof buffer, "%.*f", decimalsMax, mantissa);
        }
        const QString m = QString::fromLatin1(buffer);
        integerPart = m.section(u'.', 0, 0);
        decimalPart = m.section(u'.', 1);
        exponentPart = (exponent < 0 ? QStringLiteral("-") : QStringLiteral("+"))
                       + QString::number(std::abs(exponent)).rightJustified(std::max(exponentDigits, 1), u'0');
    } else {
        char buffer[400];
        if (value >= 1e300)
            value = 1e300;
        // Halves round away from zero, as spreadsheets show them (2.5 -> 3),
        // with a nudge for decimals that binary cannot hold (2.675).
        if (value < 1e15) {
            const double scale = std::pow(10.0, decimalsMax);
            value = std::floor(value * scale * (1 + 4 * 2.220446049250313e-16) + 0.5) / scale;
        }
        std::snprintf(buffer, sizeof buffer, "%.*f", decimalsMax, value);
        const QString s = QString::fromLatin1(buffer);
        integerPart = s.section(u'.', 0, 0);
        decimalPart = s.section(u'.', 1);
    }
    while (decimalPart.size() > decimalsMin && decimalPart.endsWith(u'0'))
        decimalPart.chop(1);
    if (integerPart == QLatin1String("0") && integerZeros == 0)
        integerPart.clear();
    if (integerPart.size() < integerZeros)
        integerPart = integerPart.rightJustified(integerZeros, u'0');
    if (grouping)
        integerPart = groupThousands(integerPart);
    const bool isZero = integerPart.count(u'0') + integerPart.count(u',') == integerPart.size()
                        && decimalPart.count(u'0') == decimalPart.size();

    // Second pass: lay the digits out among the literals.
    QString out;
    bool integerDone = false, decimalDone = false, exponentDone = false, inDecimals = false;
    bool quoted = false;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"') { quoted = !quoted; continue; }
        if (quoted) { out += c; continue; }
        if (c == u'\\') { if (i + 1 < section.size()) out += section[++i]; continue; }
        if (c == u'_') { ++i; out += u' '; continue; }
        if (c == u'*') { ++i; continue; }
        if (c == u'0' || c == u'#' || c == u'?' || c == u',') {
            if (exponentDone) continue;
            if (!inDecimals && !integerDone) { out += integerPart; integerDone = true; }
            else if (inDecimals && !decimalDone) { out += decimalPart; decimalDone = true; }
            continue;
        }
        if (c == u'.') {
            if (!integerDone) { out += integerPart; integerDone = true; }
            inDecimals = true;
            if (!decimalPart.isEmpty()) out += u'.';
            continue;
        }
        if ((c == u'E' || c == u'e') && exponentDigits >= 0 && !exponentDone) {
            if (!integerDone) { out += integerPart; integerDone = true; }
            out += u'E' + exponentPart;
            exponentDone = true;
            ++i;
            continue;
        }
        out += c;
    }
    if (!integerDone && anyDigit)
        out += integerPart;
    if (negativeSign && number < 0 && !isZero)
        out.prepend(u'-');
    return out;
}

QString formatTextSection(const QString &text, const QString &section);

bool isDigitPlaceholder(QChar c)
{
    return c == u'0' || c == u'#' || c == u'?';
}

// The unquoted "/" of a fraction code ("# ?/?", "?/??", "# ?/4"), or -1.
int fractionSlash(const QString &section)
{
    int slash = -1;
    forEachCodeCharacter(section, [&](int &i) {
        if (section[i] == u'/' && i > 0 && isDigitPlaceholder(section[i - 1]) && i + 1 < section.size()
            && (isDigitPlaceholder(section[i + 1]) || section[i + 1].isDigit()))
            slash = i;
        return slash < 0;
    });
    return slash;
}

// The closest fraction to `value` whose denominator stays below `limit`,
// the smallest denominator where two are as close.
std::pair<long long, long long> closestFraction(double value, long long limit)
{
    long long bestNumerator = std::llround(value), bestDenominator = 1;
    double bestError = std::fabs(value - double(bestNumerator));
    for (long long denominator = 2; denominator < limit && bestError > 0; ++denominator) {
        const long long numerator = std::llround(value * double(denominator));
        const double error = std::fabs(value - double(numerator) / double(denominator));
        if (error < bestError - 1e-12) {
            bestError = error;
            bestNumerator = numerator;
            bestDenominator = denominator;
        }
    }
    return {bestNumerator, bestDenominator};
}

// A number part padded to its placeholders: "?" pads with spaces, "0" with
// zeros, "#" not at all; a numerator pads on the left, a denominator on the right.
QString padToPlaceholders(const QString &digits, const QString &placeholders, bool onTheLeft)
{
    if (digits.size() >= placeholders.size())
        return digits;
    const QChar pad = placeholders.contains(u'0') ? u'0' : placeholders.contains(u'?') ? u' ' : QChar();
    if (pad.isNull())
        return digits;
    return onTheLeft ? digits.rightJustified(int(placeholders.size()), pad) : digits.leftJustified(int(placeholders.size()), pad);
}

// A fraction code: an optional whole part, then numerator/denominator,
// the denominator's placeholders giving its largest number of digits or a
// written number giving the denominator itself.
QString formatFractionSection(double number, const QString &section, int slash, bool negativeSign)
{
    int numeratorStart = slash;
    while (numeratorStart > 0 && isDigitPlaceholder(section[numeratorStart - 1]))
        --numeratorStart;
    int denominatorEnd = slash + 1;
    while (denominatorEnd < section.size() && (isDigitPlaceholder(section[denominatorEnd]) || section[denominatorEnd].isDigit()))
        ++denominatorEnd;
    const QString numeratorPlaces = section.mid(numeratorStart, slash - numeratorStart);
    const QString denominatorPlaces = section.mid(slash + 1, denominatorEnd - slash - 1);
    const bool fixedDenominator = denominatorPlaces.at(0).isDigit() && denominatorPlaces.at(0) != u'0';

    // A whole part is whatever placeholders stand before the numerator.
    const QString before = section.left(numeratorStart);
    int wholeEnd = int(before.size());
    while (wholeEnd > 0 && !isDigitPlaceholder(before[wholeEnd - 1]))
        --wholeEnd;
    const bool hasWhole = wholeEnd > 0;

    const double value = std::fabs(number);
    double whole = hasWhole ? std::floor(value) : 0;
    const double part = value - whole;
    long long numerator = 0, denominator = 1;
    if (fixedDenominator) {
        denominator = denominatorPlaces.toLongLong();
        numerator = std::llround(part * double(denominator));
    } else {
        long long limit = 1;
        for (int d = 0; d < std::min(int(denominatorPlaces.size()), 4); ++d)
            limit *= 10;
        std::tie(numerator, denominator) = closestFraction(part, limit);
    }
    if (hasWhole && numerator == denominator) {
        whole += 1;
        numerator = 0;
    }

    QString out;
    if (hasWhole) {
        const QString wholeCode = before.left(wholeEnd);
        QString wholeText = formatNumberSection(whole, wholeCode, false);
        if (whole == 0 && numerator == 0)
            wholeText = QStringLiteral("0");
        out += wholeText + formatTextSection(QString(), before.mid(wholeEnd));
    } else {
        out += formatTextSection(QString(), before);
    }
    const QString fraction = padToPlaceholders(QString::number(numerator), numeratorPlaces, true) + u'/'
                             + (fixedDenominator ? denominatorPlaces
                                                 : padToPlaceholders(QString::number(denominator), denominatorPlaces, false));
    if (hasWhole && numerator == 0)
        out = out.left(out.size() - int(before.size() - wholeEnd)) + QString(int(before.size() - wholeEnd) + int(fraction.size()), u' ');
    else
        out += fraction;
    out += formatTextSection(QString(), section.mid(denominatorEnd));
    if (negativeSign && number < 0 && (whole != 0 || numerator != 0))
        out.prepend(u'-');
    return out;
}

QString formatDateSection(double serial, const QString &section)
{
    const QDate date = dateFromSerial(serial);
    if (!date.isValid())
        return QString(8, u'#');
    double fraction = serial - std::floor(serial);
    int seconds = int(std::lround(fraction * 86400));
    if (seconds >= 86400) seconds = 86399;
    const int hour = seconds / 3600, minute = seconds / 60 % 60, second = seconds % 60;
    const bool twelveHour = section.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive);

    QString out;
    bool lastWasHour = false;
    bool quoted = false;
    for (int i = 0; i < section.size();) {
        const QChar c = section[i];
        if (c == u'"') { quoted = !quoted; ++i; continue; }
        if (quoted) { out += c; ++i; continue; }
        if (c == u'\\') { if (i + 1 < section.size()) out += section[i + 1]; i += 2; continue; }
        if (c == u'_') { out += u' '; i += 2; continue; }
        if (section.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            out += hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        const char16_t l = c.toLower().unicode();
        int run = 1;
        while (i + run < section.size() && section[i + run].toLower().unicode() == l) ++run;
        if (l == u'y') {
            out += run <= 2 ? QString::number(date.year() % 100).rightJustified(2, u'0') : QString::number(date.year());
        } else if (l == u'd') {
            if (run == 1) out += QString::number(date.day());
            else if (run == 2) out += QString::number(date.day()).rightJustified(2, u'0');
            else if (run == 3) out += QString::fromLatin1(dayNames[date.dayOfWeek() - 1]).left(3);
            else out += QString::fromLatin1(dayNames[date.dayOfWeek() - 1]);
        } else if (l == u'm') {
            // "m" after an hour or before seconds is minutes.
            int next = i + run;
            while (next < section.size() && !section[next].isLetter()) ++next;
            const bool minutes = run <= 2 && (lastWasHour || (next < section.size() && section[next].toLower() == u's'));
            if (minutes) out += run == 1 ? QString::number(minute) : QString::number(minute).rightJustified(2, u'0');
            else if (run == 1) out += QString::number(date.month());
            else if (run == 2) out += QString::number(date.month()).rightJustified(2, u'0');
            else if (run == 3) out += QString::fromLatin1(monthNames[date.month() - 1]).left(3);
            else if (run == 5) out += QLatin1Char(monthNames[date.month() - 1][0]);
            else out += QString::fromLatin1(monthNames[date.month() - 1]);
        } else if (l == u'h') {
            int h = hour;
            if (twelveHour) { h %= 12; if (h == 0) h = 12; }
            out += run == 1 ? QString::number(h) : QString::number(h).rightJustified(2, u'0');
        } else if (l == u's') {
            out += run == 1 ? QString::number(second) : QString::number(second).rightJustified(2, u'0');
        } else {
            for (int k = 0; k < run; ++k) out += c;
        }
        if (l == u'h') lastWasHour = true;
        else if (c.isLetter()) lastWasHour = false;
        i += run;
    }
    return out;
}

QString formatTextSection(const QString &text, const QString &section)
{
    QString out;
    bool quoted = false;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"') { quoted = !quoted; continue; }
        if (quoted) { out += c; continue; }
        if (c == u'\\') { if (i + 1 < section.size()) out += section[++i]; continue; }
        if (c == u'_') { ++i; out += u' '; continue; }
        if (c == u'*') { ++i; continue; }
        if (c == u'@') out += text;
        else out += c;
    }
    return out;
}

} // namespace

QString formatGeneral(double number)
{
    if (number == 0.0)
        return QStringLiteral("0");
    const double magnitude = std::fabs(number);
    char buffer[64];
    if (magnitude >= 1e11 || magnitude < 1e-9) {
        std::snprintf(buffer, sizeof buffer, "%.5E", number);
        QString s = QString::fromLatin1(buffer);
        // 1.50000E+12 -> 1.5E+12
        const auto e = s.indexOf(u'E');
        QString mantissa = s.left(e), exponent = s.mid(e);
        while (mantissa.contains(u'.') && (mantissa.endsWith(u'0') || mantissa.endsWith(u'.')))
            mantissa.chop(1);
        return mantissa + exponent;
    }
    // Up to ten significant digits, never in exponent form below 1E+11.
    const int integerDigits = magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, 10 - integerDigits), number);
    QString s = QString::fromLatin1(buffer);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

bool isDateFormat(const QString &formatCode)
{
    std::optional<Rgb> ignored;
    const QString first = stripBrackets(splitSections(formatCode).value(0), ignored);
    return first.compare(QLatin1String("General"), Qt::CaseInsensitive) != 0 && hasDateTokens(first);
}

DisplayText formatValue(const Value &value, const QString &formatCode)
{
    DisplayText result;
    switch (value.type) {
    case Value::Type::Empty: return result;
    case Value::Type::Boolean: result.text = value.boolean() ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); return result;
    case Value::Type::Error: result.text = errorText(value.error); return result;
    case Value::Type::Text: {
        const QStringList sections = splitSections(formatCode);
        QString textSection;
        if (sections.size() >= 4) textSection = sections[3];
        else if (sections.size() == 1 && sections[0].contains(u'@')) textSection = sections[0];
        if (textSection.isEmpty()) { result.text = value.text; return result; }
        result.text = formatTextSection(value.text, stripBrackets(textSection, result.color));
        return result;
    }
    case Value::Type::Number: break;
    }

    const double number = value.number;
    if (!std::isfinite(number)) { result.text = errorText(ErrorCode::Num); return result; }
    const QStringList sections = splitSections(formatCode.isEmpty() ? QStringLiteral("General") : formatCode);
    QString section = sections[0];
    bool negativeSign = true;
    if (number < 0 && sections.size() >= 2 && !sections[1].isEmpty()) {
        section = sections[1];
        negativeSign = false; // the section shows the sign its own way, as "(1,200)"
    } else if (number == 0 && sections.size() >= 3) {
        section = sections[2];
    }
    section = stripBrackets(section, result.color);
    if (section.trimmed().compare(QLatin1String("General"), Qt::CaseInsensitive) == 0 || section.trimmed().isEmpty()) {
        QString general = formatGeneral(negativeSign ? number : std::fabs(number));
        result.text = section.trimmed().isEmpty() && sections.size() > 1 ? QString() : general;
        return result;
    }
    if (section.contains(QLatin1String("General"), Qt::CaseInsensitive)) {
        const auto at = section.indexOf(QLatin1String("General"), 0, Qt::CaseInsensitive);
        const QString general = formatGeneral(negativeSign ? number : std::fabs(number));
        result.text = formatTextSection(QString(), section.left(at)) + general + formatTextSection(QString(), section.mid(at + 7));
        return result;
    }
    if (section.contains(u'@')) {
        result.text = formatGeneral(number);
        return result;
    }
    if (hasDateTokens(section)) {
        result.text = formatDateSection(number, section);
        return result;
    }
    if (const int slash = fractionSlash(section); slash >= 0) {
        result.text = formatFractionSection(number, section, slash, negativeSign);
        return result;
    }
    result.text = formatNumberSection(number, section, negativeSign);
    return result;
}

} // namespace qv::workbook
