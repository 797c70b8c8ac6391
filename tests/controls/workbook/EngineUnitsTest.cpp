// The engine's smaller parts on their own: the dependency index and the
// clipboard text forms.

#include "controls/workbook/DependencyGraph.h"
#include "controls/workbook/TableClipboard.h"
#include "controls/workbook/Workbook.h"

#include <gtest/gtest.h>

using namespace qv::workbook;

namespace {
std::vector<int> formulasReading(const DependencyGraph &graph, int sheet, int row, int col)
{
    std::vector<FormulaKey> found;
    graph.dependentsOf(sheet, row, col, found);
    std::vector<int> ids;
    for (const FormulaKey &k : found) ids.push_back(k.formula);
    std::sort(ids.begin(), ids.end());
    return ids;
}
} // namespace

TEST(DependencyGraph, FindsCellsShortAndTallRanges)
{
    DependencyGraph g;
    g.addCell(0, 5, 2, {nullptr, 1});
    g.addRange(0, CellRange{1, 2, 10, 2}, {nullptr, 2});       // short, one column
    g.addRange(0, CellRange{1, 1, maxRows, 3}, {nullptr, 3});  // tall: whole columns A:C
    g.addRange(0, CellRange{4, 1, 6, 40}, {nullptr, 4});       // wide
    g.addRange(1, CellRange{1, 2, 10, 2}, {nullptr, 5});       // another sheet
    for (int top = 1; top <= 200; ++top)                        // many short blocks in one column
        g.addRange(0, CellRange{top, 2, top + 9, 2}, {nullptr, 100 + top});
    std::vector<int> at = formulasReading(g, 0, 5, 2);
    std::vector<int> expected{1, 2, 3, 4, 101, 102, 103, 104, 105};
    EXPECT_EQ(at, expected);
    EXPECT_EQ(formulasReading(g, 0, 11, 2).size(), 11u); // A:C and blocks 2 to 11
    EXPECT_EQ(formulasReading(g, 1, 5, 2), (std::vector<int>{5}));
    g.removeRange(0, CellRange{1, 2, 10, 2}, {nullptr, 2});
    g.removeRange(0, CellRange{1, 1, maxRows, 3}, {nullptr, 3});
    g.removeCell(0, 5, 2, {nullptr, 1});
    for (int top = 1; top <= 200; ++top)
        g.removeRange(0, CellRange{top, 2, top + 9, 2}, {nullptr, 100 + top});
    EXPECT_EQ(formulasReading(g, 0, 5, 2), (std::vector<int>{4}));
}

TEST(TableClipboard, TabTextAndHtmlForms)
{
    Workbook book;
    book.setEntry(1, 1, QStringLiteral("a\tb"));
    book.setEntry(1, 2, QStringLiteral("15%"));
    book.setEntry(2, 2, QStringLiteral("=1/0"));
    EXPECT_EQ(rangeAsTabText(book, CellRange{1, 1, 2, 2}), QStringLiteral("a b\t15%\r\n\t#DIV/0!\r\n"));
    const TextGrid grid = parseTabText(QStringLiteral("x\ty\r\n1\t\r\n"));
    ASSERT_EQ(grid.size(), 2u);
    EXPECT_EQ(grid[0], (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_EQ(grid[1], (QStringList{QStringLiteral("1"), QString()}));
    EXPECT_TRUE(parseTabText(QString()).empty());
    const TextGrid html = parseHtmlTable(QStringLiteral(
        "<table><tr><td colspan=2>Head</td><td>x</td></tr><tr><td>1</td><td>&lt;2&gt;</td><td></td></tr></table>"));
    ASSERT_EQ(html.size(), 2u);
    EXPECT_EQ(html[0], (QStringList{QStringLiteral("Head"), QString(), QStringLiteral("x")}));
    EXPECT_EQ(html[1][1], QStringLiteral("<2>"));
    EXPECT_TRUE(parseHtmlTable(QStringLiteral("<p>no table</p>")).empty());
    EXPECT_TRUE(rangeAsHtml(book, CellRange{1, 1, 1, 2}).contains(QStringLiteral("<td>a b</td>")) ||
                rangeAsHtml(book, CellRange{1, 1, 1, 2}).contains(QStringLiteral("a\tb")));
    EXPECT_TRUE(commonNumberFormats().contains(QStringLiteral("$#,##0.00")));
}
