#include "create/creation/AnswerValues.h"

#include "controls/workbook/CellAddress.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::create {

namespace {

// Rounds as the wizard's counts were always rounded: halves to even.
std::optional<int> roundedToInt(double number)
{
    if (!std::isfinite(number))
        return std::nullopt;
    // A number beyond int's range is only ever clamped further by the caller.
    const double rounded = std::clamp(std::nearbyint(number), double(std::numeric_limits<int>::min()),
                                      double(std::numeric_limits<int>::max()));
    return int(rounded);
}

} // namespace

std::optional<int> leadingCount(const QString &value)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([-+]?(?:\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch match = number.match(value);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double read = match.captured(1).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return roundedToInt(read);
}

std::optional<int> answerYear(const QString &value)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,4}$"));
    const QString text = value.trimmed();
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const int year = text.toInt();
    if (text.size() <= 2)
        return year < 30 ? 2000 + year : 1900 + year;
    if (year < 100)
        return std::nullopt; // a three- or four-digit text below 100 is no year
    return year;
}

std::optional<int> answerMonth(const QString &value)
{
    bool ok = false;
    const double read = value.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const std::optional<int> month = roundedToInt(read);
    if (!month || *month < 1 || *month > 12)
        return std::nullopt;
    return month;
}

std::optional<double> currencyAmount(const QString &value)
{
    static const QRegularExpression amount(QStringLiteral("^\\$\\s*([-+]?(?:\\d{1,3}(?:,\\d{3})+|\\d+)?(?:\\.\\d+)?)$"));
    const QRegularExpressionMatch match = amount.match(value.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    QString digits = match.captured(1);
    digits.remove(QLatin1Char(','));
    bool ok = false;
    const double read = digits.toDouble(&ok);
    if (!ok || !std::isfinite(read))
        return std::nullopt;
    return read;
}

QString cellKeyText(const QString &key)
{
    QString withoutTabs = key;
    withoutTabs.remove(QLatin1Char('\t'));
    return withoutTabs.isEmpty() ? key : withoutTabs;
}

std::optional<CellKey> parseCellKey(const QString &key)
{
    static const QRegularExpression cell(QStringLiteral("^([A-Za-z0-9_]+):([A-Za-z])([1-9]\\d{0,6})$"));
    const QRegularExpressionMatch match = cell.match(cellKeyText(key));
    if (!match.hasMatch())
        return std::nullopt;
    CellKey parsed;
    parsed.table = match.captured(1);
    parsed.col = match.captured(2).toUpper().at(0).unicode() - u'A' + 1;
    parsed.row = match.captured(3).toInt();
    if (parsed.row > workbook::maxRows)
        return std::nullopt;
    return parsed;
}

} // namespace qv::create
