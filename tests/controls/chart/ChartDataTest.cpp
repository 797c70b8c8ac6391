#include "controls/chart/ChartData.h"
#include "controls/workbook/Workbook.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv;
using namespace qv::chart;
using qv::workbook::Workbook;

namespace {

// A sales forecast: months across row 4 (C4:F4), products down column B.
void fillForecast(Workbook &book)
{
    book.setEntry(4, 2, QStringLiteral("Product"));
    const QStringList months{QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr")};
    for (int m = 0; m < months.size(); ++m)
        book.setEntry(4, 3 + m, months[m]);
    const QStringList products{QStringLiteral("Bikes"), QStringLiteral("Parts"), QStringLiteral("Service")};
    for (int p = 0; p < products.size(); ++p) {
        book.setEntry(5 + p, 2, products[p]);
        for (int m = 0; m < 4; ++m)
            book.setEntry(5 + p, 3 + m, QString::number((p + 1) * 1000 + m * 10));
    }
    book.setNumberFormat(workbook::CellRange{5, 3, 7, 6}, QStringLiteral("$#,##0"));
}

ChartDefinition forecastChart()
{
    ChartDefinition c;
    c.dataRange = QStringLiteral("B4:F7");
    return c;
}

} // namespace

TEST(ChartData, TakesLabelsFromTheFirstRowAndColumnAndTheTablesFormat)
{
    Workbook book;
    fillForecast(book);
    const ChartData data = chartDataFor(book, forecastChart());
    EXPECT_EQ(data.categories, (QStringList{QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr")}));
    ASSERT_EQ(data.series.size(), 3u);
    EXPECT_EQ(data.series[1].label, QStringLiteral("Parts"));
    EXPECT_EQ(data.series[1].values, (std::vector<double>{2000, 2010, 2020, 2030}));
    EXPECT_EQ(data.numberFormat, QStringLiteral("$#,##0"));

    ChartDefinition totalsOnly = forecastChart();
    totalsOnly.excludedRows = {5, 6};
    totalsOnly.excludedColumns = {4};
    const ChartData only = chartDataFor(book, totalsOnly);
    ASSERT_EQ(only.series.size(), 1u);
    EXPECT_EQ(only.series[0].label, QStringLiteral("Service"));
    EXPECT_EQ(only.categories.size(), 3);

    ChartDefinition byColumns = forecastChart();
    byColumns.seriesLayout = SeriesLayout::InColumns;
    const ChartData turned = chartDataFor(book, byColumns);
    EXPECT_EQ(turned.categories, (QStringList{QStringLiteral("Bikes"), QStringLiteral("Parts"), QStringLiteral("Service")}));
    ASSERT_EQ(turned.series.size(), 4u);
    EXPECT_EQ(turned.series[0].label, QStringLiteral("Jan"));
}

TEST(ChartData, HiddenRowsAndColumnsNeverReachTheGraph)
{
    Workbook book;
    fillForecast(book);
    book.setRowsHidden(6, 6, true);       // Parts
    book.setColumnsHidden(4, 4, true);    // Feb
    const ChartData data = chartDataFor(book, forecastChart());
    ASSERT_EQ(data.series.size(), 2u);
    EXPECT_EQ(data.series[0].label, QStringLiteral("Bikes"));
    EXPECT_EQ(data.series[1].label, QStringLiteral("Service"));
    EXPECT_EQ(data.categories, (QStringList{QStringLiteral("Jan"), QStringLiteral("Mar"), QStringLiteral("Apr")}));
    EXPECT_EQ(data.series[1].values, (std::vector<double>{3000, 3020, 3030}));
}

TEST(ChartData, ALabelThatRefersToAHiddenOrMissingLineDropsItsSeries)
{
    Workbook book;
    fillForecast(book);
    // A summary range whose labels refer to the lines above.
    book.setEntry(20, 2, QStringLiteral("Summary"));
    book.setFormula(20, 3, QStringLiteral("=+$C$4"));
    book.setFormula(20, 4, QStringLiteral("=D4"));
    book.setFormula(21, 2, QStringLiteral("=+$B$5"));
    book.setEntry(21, 3, QStringLiteral("1"));
    book.setEntry(21, 4, QStringLiteral("2"));
    book.setFormula(22, 2, QStringLiteral("=B6"));
    book.setEntry(22, 3, QStringLiteral("3"));
    book.setEntry(22, 4, QStringLiteral("4"));
    book.setFormula(23, 2, QStringLiteral("=B900")); // beyond the table
    book.setEntry(23, 3, QStringLiteral("5"));
    book.setEntry(23, 4, QStringLiteral("6"));
    book.setRowsHidden(6, 6, true);    // the line "=B6" stands for
    book.setColumnsHidden(4, 4, true); // the column "=D4" stands for
    ChartDefinition chart;
    chart.dataRange = QStringLiteral("B20:D23");
    const ChartData data = chartDataFor(book, chart);
    ASSERT_EQ(data.series.size(), 1u);
    EXPECT_EQ(data.series[0].label, QStringLiteral("Bikes"));
    EXPECT_EQ(data.categories, QStringList{QStringLiteral("Jan")});

    EXPECT_EQ(labelReference(QStringLiteral("=+$AB$12"))->col, 28);
    EXPECT_FALSE(labelReference(QStringLiteral("=SUM(B4:B6)")));
    EXPECT_FALSE(labelReference(QStringLiteral("Sales")));
}

TEST(ChartData, BlankSpacerLinesAndUnreadableRangesGiveNoSeries)
{
    Workbook book;
    fillForecast(book);
    book.setEntry(9, 2, QStringLiteral("Total"));
    book.setFormula(9, 3, QStringLiteral("=SUM(C5:C7)"));
    ChartDefinition chart;
    chart.dataRange = QStringLiteral("B4:C9"); // row 8 is empty
    const ChartData data = chartDataFor(book, chart);
    ASSERT_EQ(data.series.size(), 4u);
    EXPECT_EQ(data.series[3].label, QStringLiteral("Total"));
    EXPECT_EQ(data.series[3].values[0], 6000);

    chart.dataRange = QStringLiteral("nonsense");
    EXPECT_TRUE(chartDataFor(book, chart).isEmpty());
    chart.dataRange = QStringLiteral("B:D");
    EXPECT_TRUE(chartDataFor(book, chart).isEmpty());
}

TEST(ChartData, TextInAValueCellLeavesAGap)
{
    Workbook book;
    fillForecast(book);
    book.setEntry(5, 4, QStringLiteral("n/a"));
    const ChartData data = chartDataFor(book, forecastChart());
    EXPECT_TRUE(std::isnan(data.series[0].values[1]));
}
