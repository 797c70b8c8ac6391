#include "controls/chart/ChartRenderer.h"

#include "controls/chart/ChartPainter.h"
#include "controls/workbook/NumberFormat.h"

#include <QRegularExpression>

#include <cmath>

namespace qv::chart {

std::optional<ChartElement> ChartLayout::elementAt(QPointF point) const
{
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        if (it->area.contains(point))
            return *it;
    return std::nullopt;
}

AxisScale niceScale(double low, double high, int wantedSteps)
{
    if (!std::isfinite(low) || !std::isfinite(high))
        return {};
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high - low < 1e-12)
        high = low + 1;
    const double rough = (high - low) / std::max(wantedSteps, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude;
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (factor * magnitude >= rough) {
            step = factor * magnitude;
            break;
        }
    return {std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step};
}

QString axisLabel(double value, const QString &numberFormat, double step)
{
    if (std::abs(value) < step * 1e-9)
        value = 0;
    QString format = numberFormat;
    if (format.isEmpty() || format.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        format = step >= 1 ? QStringLiteral("#,##0") : step >= 0.1 ? QStringLiteral("#,##0.0") : QStringLiteral("#,##0.00");
    else if (step >= 1 && !format.contains(u'%')) {
        // Whole steps need no cents: "$#,##0.00" shows "$25,000".
        static const QRegularExpression decimals(QStringLiteral("\\.0+"));
        format.replace(decimals, QString());
    }
    return workbook::displayText(workbook::Value::fromNumber(value), format);
}

ChartLayout drawChart(QPainter &painter, const QRectF &area, const ChartDefinition &chart, const ChartData &data)
{
    return ChartPainter(painter, area, chart, data).draw();
}

} // namespace qv::chart
