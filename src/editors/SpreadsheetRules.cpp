#include "editors/SpreadsheetRules.h"

#include "controls/workbook/CellAddress.h"

#include <QRegularExpression>

#include <algorithm>

namespace qv::editors {

std::optional<int> zoomFromText(const QString &text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*([0-9]+(?:\\.[0-9]*)?)"));
    const QRegularExpressionMatch match = leading.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double value = match.captured(1).toDouble();
    if (!(value > 10 && value < 400))
        return std::nullopt;
    return std::clamp(int(value + 0.5), 11, 399);
}

QString zoomBoxText(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.endsWith(u'%') ? trimmed : trimmed + u'%';
}

QString printAreaText(int lastRow, int lastCol)
{
    return QStringLiteral("A1:") + workbook::cellName(std::max(lastRow, 1), std::max(lastCol, 1));
}

} // namespace qv::editors
