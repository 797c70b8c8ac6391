#pragma once

#include "controls/chart/ChartRenderer.h"

#include <QFont>
#include <QPainter>

namespace qv::chart {

// One drawing of one chart: lays out title, legend, axes and plot, draws
// them and records where each part landed.
class ChartPainter
{
public:
    ChartPainter(QPainter &painter, const QRectF &area, const ChartDefinition &chart, const ChartData &data);
    ChartLayout draw();

private:
    struct LegendEntry
    {
        QString label;
        QColor color;
        int series;
        bool line;
    };

    QRectF placeTitle(QRectF &rest);
    void placeLegend(QRectF &rest);
    std::vector<LegendEntry> legendEntries() const;
    void drawNoData(const QRectF &plot);

    // Columns, lines and areas over categories along the bottom.
    void drawCategoryChart(QRectF plot);
    void drawValueAxis(const QRectF &plot, const AxisScale &scale, bool horizontal);
    QRectF placeCategoryLabels(QRectF &plot, bool rotatedAllowed);
    void drawCategoryLabels(const QRectF &plot);
    void drawColumns(const QRectF &plot, const AxisScale &scale, int seriesCount);
    void drawStackedColumns(const QRectF &plot, const AxisScale &scale);
    void drawLine(const QRectF &plot, const AxisScale &scale, int series);
    void drawStackedAreas(const QRectF &plot, const AxisScale &scale);
    void drawBars(QRectF plot);
    void drawPie(const QRectF &plot);

    AxisScale valueScale(int seriesCount, bool stacked) const;
    double slotWidth(const QRectF &plot) const;
    void addElement(ChartElement::Kind kind, const QPainterPath &area, int series = -1);
    void addElement(ChartElement::Kind kind, const QRectF &area, int series = -1);
    QString valueText(double value, double step) const;

    QPainter &m_p;
    QRectF m_area;
    const ChartDefinition &m_chart;
    const ChartData &m_data;
    double m_unit;
    QFont m_titleFont, m_labelFont, m_axisTitleFont;
    bool m_rotatedLabels = false;
    double m_labelHeight = 0;
    int m_labelEvery = 1;
    ChartLayout m_layout;
};

} // namespace qv::chart
