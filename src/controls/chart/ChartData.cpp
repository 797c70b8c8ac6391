#include "controls/chart/ChartData.h"

#include "controls/workbook/Workbook.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::chart {

using workbook::CellRange;
using workbook::Workbook;

namespace {
// The largest grid a chart takes from a table; beyond it nothing is legible.
constexpr int mostChartLines = 500;
} // namespace

DataGrid DataGrid::fromRange(const Workbook &book, const CellRange &range)
{
    DataGrid grid;
    grid.m_range = range;
    const int bottom = std::min(range.bottom, range.top + mostChartLines);
    const int right = std::min(range.right, range.left + mostChartLines);
    for (int r = range.top; r <= bottom; ++r)
        grid.m_rows.push_back(r);
    for (int c = range.left; c <= right; ++c)
        grid.m_cols.push_back(c);
    for (int r : grid.m_rows) {
        std::vector<Cell> line;
        for (int c : grid.m_cols) {
            const workbook::Value v = book.value(r, c);
            const bool isNumber = v.isNumber();
            const QString text = book.text(r, c).trimmed();
            line.push_back({text, isNumber ? v.number : std::numeric_limits<double>::quiet_NaN(),
                            !isNumber && text.isEmpty(), isNumber ? book.format(r, c).numberFormat : QString()});
        }
        grid.m_cells.push_back(std::move(line));
    }
    return grid;
}

void DataGrid::removeRowAt(std::size_t index)
{
    m_rows.erase(m_rows.begin() + std::ptrdiff_t(index));
    m_cells.erase(m_cells.begin() + std::ptrdiff_t(index));
}

void DataGrid::removeColumnAt(std::size_t index)
{
    m_cols.erase(m_cols.begin() + std::ptrdiff_t(index));
    for (auto &line : m_cells)
        line.erase(line.begin() + std::ptrdiff_t(index));
}

void DataGrid::removeRow(int offset)
{
    const auto it = std::find(m_rows.begin(), m_rows.end(), m_range.top + offset);
    if (it != m_rows.end())
        removeRowAt(std::size_t(it - m_rows.begin()));
}

void DataGrid::removeColumn(int offset)
{
    const auto it = std::find(m_cols.begin(), m_cols.end(), m_range.left + offset);
    if (it != m_cols.end())
        removeColumnAt(std::size_t(it - m_cols.begin()));
}

std::optional<workbook::CellAddress> labelReference(const QString &entry)
{
    if (!entry.startsWith(u'='))
        return std::nullopt;
    QString ref = entry.mid(1);
    ref.remove(u'+').remove(u'$');
    static const QRegularExpression plainCell(QStringLiteral("^[A-Za-z]{1,3}[0-9]{1,7}$"));
    if (!plainCell.match(ref.trimmed()).hasMatch())
        return std::nullopt;
    return workbook::parseCellAddress(ref.trimmed());
}

void DataGrid::removeHiddenLines(const Workbook &book)
{
    // The table's own hidden lines first.
    for (int r : std::vector<int>(m_rows))
        if (book.isRowHidden(r))
            removeRow(r - m_range.top);
    for (int c : std::vector<int>(m_cols))
        if (book.isColumnHidden(c))
            removeColumn(c - m_range.left);

    // Then the lines whose labels stand for a line that is hidden or gone:
    // a series labelled "=A12" goes when row 12 is hidden or past the table.
    const int lastRow = book.lastRow(), lastCol = book.lastCol();
    for (std::size_t i = m_rows.size(); i-- > 1;) {
        const auto ref = labelReference(book.entry(m_rows[i], m_range.left));
        if (ref && (book.isRowHidden(ref->row) || ref->row > lastRow))
            removeRowAt(i);
    }
    for (std::size_t i = m_cols.size(); i-- > 1;) {
        const auto ref = labelReference(book.entry(m_range.top, m_cols[i]));
        if (ref && (book.isColumnHidden(ref->col) || ref->col > lastCol))
            removeColumnAt(i);
    }
}

ChartData chartDataFor(const Workbook &book, const ChartDefinition &chart)
{
    const auto range = workbook::parseCellRange(chart.dataRange);
    if (!range || range->bottom == workbook::maxRows || range->right == workbook::maxColumns)
        return {};
    DataGrid grid = DataGrid::fromRange(book, *range);
    for (int row : chart.excludedRows)
        grid.removeRow(row - range->top);
    for (int col : chart.excludedColumns)
        grid.removeColumn(col - range->left);
    grid.removeHiddenLines(book);
    return grid.chartData(chart.seriesLayout);
}

ChartData DataGrid::chartData(SeriesLayout layout) const
{
    ChartData data;
    // The label row and column exist only while the range's first line is kept.
    const bool hasLabelRow = !m_rows.empty() && m_rows.front() == m_range.top;
    const bool hasLabelCol = !m_cols.empty() && m_cols.front() == m_range.left;
    const std::size_t firstRow = hasLabelRow ? 1 : 0, firstCol = hasLabelCol ? 1 : 0;
    const bool inRows = layout == SeriesLayout::InRows;
    const std::size_t seriesCount = inRows ? m_rows.size() : m_cols.size();
    const std::size_t categoryCount = inRows ? m_cols.size() : m_rows.size();
    const std::size_t firstSeries = inRows ? firstRow : firstCol;
    const std::size_t firstCategory = inRows ? firstCol : firstRow;
    auto cell = [&](std::size_t s, std::size_t k) -> const Cell & { return inRows ? m_cells[s][k] : m_cells[k][s]; };

    std::vector<std::size_t> categories;
    for (std::size_t k = firstCategory; k < categoryCount; ++k) {
        bool used = (inRows ? hasLabelRow : hasLabelCol) && !cell(0, k).blank;
        for (std::size_t s = firstSeries; s < seriesCount && !used; ++s)
            used = !cell(s, k).blank;
        if (used) // a blank spacer line is no category
            categories.push_back(k);
    }
    for (std::size_t k : categories)
        data.categories << ((inRows ? hasLabelRow : hasLabelCol) ? cell(0, k).text : QString::number(k));
    for (std::size_t s = firstSeries; s < seriesCount; ++s) {
        ChartSeries series;
        series.label = (inRows ? hasLabelCol : hasLabelRow) ? cell(s, 0).text : QString();
        bool any = false, nonZero = false;
        for (std::size_t k : categories) {
            const Cell &value = cell(s, k);
            series.values.push_back(value.number);
            any = any || !std::isnan(value.number);
            nonZero = nonZero || (!std::isnan(value.number) && value.number != 0);
            if (data.numberFormat.isEmpty() && !std::isnan(value.number))
                data.numberFormat = value.numberFormat;
        }
        // A line with neither a label nor a figure is an unused line of the table.
        if (any && (nonZero || !series.label.isEmpty()))
            data.series.push_back(std::move(series));
    }
    return data;
}

} // namespace qv::chart
