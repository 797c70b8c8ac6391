#pragma once

#include "controls/chart/ChartData.h"
#include "controls/chart/ChartDefinition.h"
#include "controls/chart/ChartRenderer.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qv::editors {

// The chart control of the graph window: the chart drawn as the report
// shows it, with its own editing: a bar for the chart type, legend, series
// layout, data range and gridlines, and a double-click on a part of the
// chart to edit it (titles in place, a series' colour in the colour dialog).
class ChartView : public QWidget
{
    Q_OBJECT

public:
    explicit ChartView(QWidget *parent = nullptr);

    const chart::ChartDefinition &definition() const { return m_chart; }
    // Replaces the chart without a change notification (loading a file).
    void setDefinition(const chart::ChartDefinition &chart);
    const chart::ChartData &data() const { return m_data; }
    void setData(const chart::ChartData &data);
    // The sample graph shows without the editing bar and takes no edits.
    void setEditable(bool editable);

    // The user's edits, each followed by changed().
    void changeType(chart::ChartType type);
    void changeTitle(const QString &title);
    void changeLegend(chart::LegendPosition position);
    void changeSeriesLayout(chart::SeriesLayout layout);
    bool changeDataRange(const QString &range); // false, and nothing changes, for an unreadable range
    void changeSeriesColor(int series, const QColor &color);
    void changeAxisTitle(chart::ChartElement::Kind axis, const QString &title);
    void changeGridlines(bool on);

    // Starts the editing of the part of the chart under the point.
    void editElementAt(QPointF point);
    const chart::ChartLayout &chartLayout() const { return m_layout; }
    QRectF chartArea() const;

signals:
    void changed();          // any edit: the general change notification
    void dataBindingChanged(); // the range or the layout changed: take the figures again

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildBar();
    void showDefinitionInBar();
    void editInPlace(const QRectF &where, const QString &text, const std::function<void(const QString &)> &apply);
    void edited();

    chart::ChartDefinition m_chart;
    chart::ChartData m_data;
    chart::ChartLayout m_layout;
    bool m_editable = true;
    QWidget *m_bar = nullptr;
    QComboBox *m_type = nullptr;
    QComboBox *m_legend = nullptr;
    QComboBox *m_layoutChoice = nullptr;
    QLineEdit *m_range = nullptr;
    QCheckBox *m_gridlines = nullptr;
    QLineEdit *m_inPlace = nullptr;
    bool m_showing = false; // the bar is being filled: its signals are no edits
};

} // namespace qv::editors
