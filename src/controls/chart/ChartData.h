#pragma once

#include "controls/chart/ChartDefinition.h"
#include "controls/workbook/CellAddress.h"

#include <QStringList>

#include <vector>

namespace qv::workbook {
class Workbook;
}

namespace qv::chart {

struct ChartSeries
{
    QString label;
    std::vector<double> values; // NaN where the cell holds no number
};

// What a chart draws: category labels and series of values.
struct ChartData
{
    QStringList categories;
    std::vector<ChartSeries> series;
    QString numberFormat; // the format of the range's first value cell

    bool isEmpty() const { return series.empty() || categories.isEmpty(); }
};

// The cells of a chart's range as the chart holds them: the first row and
// the first column are labels, the rest values. Rows and columns can be
// removed; each remembers the table line it came from.
class DataGrid
{
public:
    static DataGrid fromRange(const workbook::Workbook &book, const workbook::CellRange &range);

    // Removes every row and column the table hides, then every series or
    // category whose label refers to a hidden line or to one beyond the table.
    void removeHiddenLines(const workbook::Workbook &book);
    // Addressed as table line minus the range's first line.
    void removeRow(int offset);
    void removeColumn(int offset);

    ChartData chartData(SeriesLayout layout) const;
    const std::vector<int> &tableRows() const { return m_rows; }
    const std::vector<int> &tableColumns() const { return m_cols; }

private:
    struct Cell
    {
        QString text;
        double number;
        bool blank;
        QString numberFormat;
    };
    void removeRowAt(std::size_t index);
    void removeColumnAt(std::size_t index);

    workbook::CellRange m_range;
    std::vector<int> m_rows; // table rows kept, the label row first
    std::vector<int> m_cols; // table columns kept, the label column first
    std::vector<std::vector<Cell>> m_cells;
};

// The chart's figures as its graph shows them: its range of the workbook's
// active sheet, hidden lines removed. Empty data when the range is unreadable.
ChartData chartDataFor(const workbook::Workbook &book, const ChartDefinition &chart);

// The line a label's entry refers to, as "=+$B$12" refers to row 12 and
// column 2; nothing when the entry is not a plain reference to one cell.
std::optional<workbook::CellAddress> labelReference(const QString &entry);

} // namespace qv::chart
