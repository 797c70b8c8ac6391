#pragma once

#include <QColor>
#include <QString>

#include <optional>
#include <vector>

namespace qv::chart {

enum class ChartType { Column, StackedColumn, Bar, Line, Area, Pie, ColumnLine };

// Which way the range holds its series. The graph window binds a table's
// graph with its lines as series (the chart control's setting 2).
enum class SeriesLayout { InColumns = 1, InRows = 2 };

enum class LegendPosition { None, Right, Bottom, Top };

// Everything a chart file holds: what to draw, from where, and how.
struct ChartDefinition
{
    ChartType type = ChartType::Column;
    QString dataRange; // "B4:M8": first row and column are labels
    SeriesLayout seriesLayout = SeriesLayout::InRows;
    QString title;
    QString categoryAxisTitle;
    QString valueAxisTitle;
    LegendPosition legend = LegendPosition::Bottom;
    QString valueFormat; // empty: the table's own number format
    bool gridlines = true;
    std::vector<QColor> seriesColors; // invalid entries take the palette's colour
    // Table rows and columns of the range left out of the graph, as the
    // chart control's excluded series: a graph of a table's totals leaves
    // its detail lines out.
    std::vector<int> excludedRows;
    std::vector<int> excludedColumns;

    bool operator==(const ChartDefinition &) const = default;
    // The colour of series number index (from 0).
    QColor seriesColor(int index) const;
    void setSeriesColor(int index, const QColor &color);
};

// The names used in chart files and on the command line.
QString chartTypeName(ChartType type);
std::optional<ChartType> chartTypeFromName(const QString &name);
QString legendPositionName(LegendPosition position);
std::optional<LegendPosition> legendPositionFromName(const QString &name);
// What the user reads in the graph window.
QString chartTypeCaption(ChartType type);
const std::vector<ChartType> &allChartTypes();

// The report palette: calm, distinct colours that print well.
QColor paletteColor(int index);

} // namespace qv::chart
