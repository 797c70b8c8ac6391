#include "controls/workbook/EntryText.h"

#include "controls/workbook/DateSerial.h"

#include <QRegularExpression>

#include <cmath>

namespace qv::workbook {

std::optional<double> parseNumberEntry(const QString &input, QString *format)
{
    QString s = input.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    bool negative = false, currency = false, percent = false, parenthesised = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        parenthesised = true;
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    auto takeSign = [&] {
        if (s.startsWith(u'-') || s.startsWith(u'+')) {
            if (s.startsWith(u'-')) {
                if (negative) return false;
                negative = true;
            }
            s.remove(0, 1);
        }
        return true;
    };
    if (!takeSign()) return std::nullopt;
    if (s.startsWith(u'$')) {
        currency = true;
        s.remove(0, 1);
        if (!takeSign()) return std::nullopt;
    }
    if (s.endsWith(u'%')) {
        percent = true;
        s.chop(1);
    }
    s = s.trimmed();
    // Digits with thousands separators in groups of three, decimals, exponent.
    static const QRegularExpression number(QStringLiteral(
        R"(^(?:(\d{1,3}(?:,\d{3})+)|(\d*))(?:\.(\d*))?(?:[eE]([+-]?\d{1,3}))?$)"));
    const auto match = number.match(s);
    if (!match.hasMatch())
        return std::nullopt;
    const QString grouped = match.captured(1);
    const QString plain = match.captured(2);
    const QString decimals = match.captured(3);
    if (grouped.isEmpty() && plain.isEmpty() && decimals.isEmpty())
        return std::nullopt;
    if (parenthesised && percent)
        return std::nullopt;
    QString digits = grouped.isEmpty() ? plain : QString(grouped).remove(u',');
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    QString canonical = digits;
    if (!decimals.isEmpty())
        canonical += u'.' + decimals;
    if (match.hasCaptured(4) && !match.captured(4).isEmpty())
        canonical += u'e' + match.captured(4);
    bool ok = false;
    double value = canonical.toDouble(&ok); // QString::toDouble ignores the locale
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    if (percent)
        value /= 100;
    if (negative)
        value = -value;
    if (format) {
        const bool hasDecimals = !decimals.isEmpty();
        if (currency)
            *format = hasDecimals ? QStringLiteral("$#,##0.00") : QStringLiteral("$#,##0");
        else if (percent)
            *format = hasDecimals ? QStringLiteral("0.00%") : QStringLiteral("0%");
        else if (!grouped.isEmpty())
            *format = hasDecimals ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
        else if (parenthesised)
            *format = QString();
        else
            format->clear();
    }
    return value;
}

namespace {
std::optional<double> parseDateEntry(const QString &s)
{
    static const QRegularExpression us(QStringLiteral(R"(^(\d{1,2})/(\d{1,2})/(\d{2}|\d{4})$)"));
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})$)"));
    int year = 0, month = 0, day = 0;
    if (const auto m = us.match(s); m.hasMatch()) {
        month = m.captured(1).toInt();
        day = m.captured(2).toInt();
        year = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            year += year < 30 ? 2000 : 1900; // two-digit years as spreadsheets read them
    } else if (const auto i = iso.match(s); i.hasMatch()) {
        year = i.captured(1).toInt();
        month = i.captured(2).toInt();
        day = i.captured(3).toInt();
    } else {
        return std::nullopt;
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 1900)
        return std::nullopt;
    return serialFromDate(date);
}
} // namespace

EntryMeaning interpretEntry(const QString &text)
{
    EntryMeaning meaning;
    if (text.isEmpty())
        return meaning;
    if (text.startsWith(u'\'')) {
        meaning.kind = EntryMeaning::Kind::Constant;
        meaning.value = Value::fromText(text.mid(1));
        return meaning;
    }
    if (text.startsWith(u'=') && text.size() > 1) {
        meaning.kind = EntryMeaning::Kind::Formula;
        meaning.formula = text.mid(1);
        return meaning;
    }
    meaning.kind = EntryMeaning::Kind::Constant;
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) {
        meaning.value = Value::fromBoolean(true);
        return meaning;
    }
    if (trimmed.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
        meaning.value = Value::fromBoolean(false);
        return meaning;
    }
    if (const auto error = errorFromText(trimmed)) {
        meaning.value = Value::fromError(*error);
        return meaning;
    }
    if (const auto number = parseNumberEntry(trimmed, &meaning.numberFormat)) {
        meaning.value = Value::fromNumber(*number);
        return meaning;
    }
    if (const auto date = parseDateEntry(trimmed)) {
        meaning.value = Value::fromNumber(*date);
        meaning.numberFormat = QStringLiteral("m/d/yyyy");
        return meaning;
    }
    meaning.value = Value::fromText(text);
    return meaning;
}

} // namespace qv::workbook
