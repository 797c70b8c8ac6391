#pragma once

#include "controls/chart/ChartData.h"
#include "controls/chart/ChartDefinition.h"

#include <QPainterPath>
#include <QRectF>

#include <vector>

class QPainter;

namespace qv::chart {

// A part of a drawn chart that the user can point at.
struct ChartElement
{
    enum Kind { Title, Legend, CategoryAxis, ValueAxis, Series, PlotArea };
    Kind kind = PlotArea;
    int series = -1; // for Series (and legend entries)
    QPainterPath area;
};

// Where the parts of a drawn chart lie, the topmost last.
struct ChartLayout
{
    std::vector<ChartElement> elements;
    // The element under the point, the topmost first; nothing outside the chart.
    std::optional<ChartElement> elementAt(QPointF point) const;
};

// Draws a chart onto any painter (screen, picture, PDF, printer, metafile)
// in the plain style of a business report: white ground, light gridlines,
// calm colours, numbers in the table's own format.
ChartLayout drawChart(QPainter &painter, const QRectF &area, const ChartDefinition &chart, const ChartData &data);

// The value axis: a rounded range and step that hold every value, zero included.
struct AxisScale
{
    double minimum = 0;
    double maximum = 1;
    double step = 1;
};
AxisScale niceScale(double low, double high, int wantedSteps = 5);

// A value as the axis shows it: the table's format, or thousands separators.
QString axisLabel(double value, const QString &numberFormat, double step);

} // namespace qv::chart
