// The table-definition reader: what each line builds, the errors it names,
// and how a set of definitions links and calculates.

#include "sourcereader/TableDefinition.h"
#include "sourcereader/TextMarkup.h"

#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace qv::templates;
using qv::workbook::Workbook;
using qv::workbook::WorkbookSet;

namespace {

const QString sampleSet = QStringLiteral(QV_TEST_DATA_DIR "/tables/BusPlan/Sample-New");

class TableFiles : public ::testing::Test
{
protected:
    QTemporaryDir dir;

    QString write(const QString &name, const QByteArray &text)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    Parsed<TableDefinition> read(const QByteArray &text, const StyleSheet &styles = {})
    {
        return readTableDefinition(write(QStringLiteral("Tbl0601.table"), text), styles);
    }
};

} // namespace

TEST_F(TableFiles, CellLinesSetTextsNumbersFormulasAndFormats)
{
    const auto table = read("table Tbl0601\ntitle \"Advertising Budget\"\ncolumns A:28 B-C:12\nrows 4\n"
                            "A1  \"Advertising \\\"Budget\\\"\" bold size=12\n"
                            "B2  1800 format=\"$#,##0\" unlocked\n"
                            "B3  15%\n"
                            "B4  =IF(B2>0, B2*2, 0)   # blanks inside parentheses, then a comment\n"
                            "C2  \"=not a formula\"\n");
    ASSERT_TRUE(table.errors.isEmpty()) << table.errors.join(u'\n').toStdString();
    EXPECT_EQ(table.value.name, QStringLiteral("Tbl0601"));
    EXPECT_EQ(table.value.title, QStringLiteral("Advertising Budget"));
    const auto book = table.value.build();
    EXPECT_EQ(book->title(), QStringLiteral("Tbl0601"));
    EXPECT_EQ(book->text(1, 1), QStringLiteral("Advertising \"Budget\""));
    EXPECT_TRUE(book->format(1, 1).bold);
    EXPECT_EQ(book->format(1, 1).fontSize, 12.0);
    EXPECT_EQ(book->text(2, 2), QStringLiteral("$1,800"));
    EXPECT_FALSE(book->format(2, 2).locked);
    EXPECT_TRUE(book->format(1, 1).locked);
    EXPECT_DOUBLE_EQ(book->number(3, 2), 0.15);
    EXPECT_DOUBLE_EQ(book->number(4, 2), 3600);
    EXPECT_EQ(book->text(2, 3), QStringLiteral("=not a formula"));
    EXPECT_FALSE(book->hasFormula(2, 3));
    EXPECT_EQ(book->maxRow(), 4);
    EXPECT_EQ(book->maxCol(), 3);
    EXPECT_TRUE(book->isProtected());
    EXPECT_GT(book->columnWidth(1), book->columnWidth(2));
}

TEST_F(TableFiles, StylesAreSharedAndATableMayRedefineThem)
{
    const auto shared = readStyles(write(QStringLiteral("styles"),
                                         "style money format=\"$#,##0\"\nstyle head bold fill=#D9E1F2 border=bottom\n"));
    ASSERT_TRUE(shared.errors.isEmpty());
    const auto table = read("table Tbl0601\nstyle money format=\"$#,##0.00\"\nstyle big head size=14\n"
                            "A1 \"x\" big\nB1 2.5 money\n",
                            shared.value);
    ASSERT_TRUE(table.errors.isEmpty()) << table.errors.join(u'\n').toStdString();
    const auto book = table.value.build();
    EXPECT_EQ(book->text(1, 2), QStringLiteral("$2.50"));
    const auto head = book->format(1, 1);
    EXPECT_TRUE(head.bold);
    EXPECT_EQ(head.fontSize, 14.0);
    EXPECT_TRUE(head.hasFill);
    EXPECT_EQ(head.fillColor, 0xD9E1F2u);
    EXPECT_EQ(head.bottom.style, qv::workbook::BorderStyle::Thin);
}

TEST_F(TableFiles, FillMovesRelativeReferencesAndRepeatsBlocks)
{
    const auto table = read("table Tbl0601\n"
                            "A1 \"Item\"\nB1 1\nC1 =B1*$B$1+1\n"
                            "fill C1 D1:F1\n"
                            "A3 \"Block\"\nB3 =A4\nA4 7\n"
                            "fill A3:B4 A5:B10 step 2\n"
                            "A12 =SUM(A3:A10)\n");
    ASSERT_TRUE(table.errors.isEmpty()) << table.errors.join(u'\n').toStdString();
    const auto book = table.value.build();
    EXPECT_EQ(book->formula(1, 4), QStringLiteral("=C1*$B$1+1"));
    EXPECT_DOUBLE_EQ(book->number(1, 6), 5);
    EXPECT_EQ(book->text(9, 1), QStringLiteral("Block"));
    EXPECT_EQ(book->formula(9, 2), QStringLiteral("=A10"));
    EXPECT_DOUBLE_EQ(book->number(10, 1), 7);
    EXPECT_DOUBLE_EQ(book->number(12, 1), 28);
}

TEST_F(TableFiles, ARangeLineFillsEveryCellAndALineWithoutContentOnlyFormats)
{
    const auto table = read("table Tbl0601\nA1:A3 2\nB1:B3 =A1*10\nB1:B3 format=\"0.0\"\n");
    ASSERT_TRUE(table.errors.isEmpty()) << table.errors.join(u'\n').toStdString();
    const auto book = table.value.build();
    EXPECT_EQ(book->formula(3, 2), QStringLiteral("=A3*10"));
    EXPECT_EQ(book->text(2, 2), QStringLiteral("20.0"));
}

TEST_F(TableFiles, ExamplesChangeTheTemplateForOneKindOnly)
{
    const auto table = read("table Tbl0601\nA1 \"Medium\"\nB1 0 unlocked\nC1 =B1*2\n"
                            "example Retail\nA1 \"Gazette\"\nB1 1800\n"
                            "example Service\nB1 5\nhidden 3-4\n");
    ASSERT_TRUE(table.errors.isEmpty()) << table.errors.join(u'\n').toStdString();
    EXPECT_EQ(table.value.exampleKinds(), (QStringList{QStringLiteral("Retail"), QStringLiteral("Service")}));
    EXPECT_DOUBLE_EQ(table.value.build()->number(1, 3), 0);
    const auto retail = table.value.build(QStringLiteral("Retail"));
    EXPECT_EQ(retail->text(1, 1), QStringLiteral("Gazette"));
    EXPECT_DOUBLE_EQ(retail->number(1, 3), 3600);
    EXPECT_FALSE(retail->format(1, 2).locked); // the template's format stays
    EXPECT_EQ(table.value.build(QStringLiteral("Service"))->text(1, 1), QStringLiteral("Medium"));
    EXPECT_TRUE(table.value.build(QStringLiteral("Service"))->isRowHidden(4)); // hidden in that example only
    EXPECT_FALSE(retail->isRowHidden(4));
    EXPECT_FALSE(table.value.build()->isRowHidden(3));
    // A kind without an example gets the template.
    EXPECT_DOUBLE_EQ(table.value.build(QStringLiteral("Custom"))->number(1, 2), 0);
}

TEST_F(TableFiles, ProblemsNameTheFileAndLine)
{
    const auto table = read("table Tbl0601\ncolumns A:20 B-C:10\nrows 5\n"
                            "A1 \"x\" bogus\n"
                            "B2 =SUM(B3:B4\n"
                            "D3 3\n"
                            "B6 1\n"
                            "fill B3\n"
                            "A2 \"open\n"
                            "A3 \"x\" border=left\n"
                            "Q \"x\"\n"
                            "example Retial\n"
                            "example Retail\n"
                            "rows 4\n");
    const QString path = dir.filePath(QStringLiteral("Tbl0601.table"));
    const QString all = table.errors.join(u'\n');
    EXPECT_TRUE(all.contains(path + QStringLiteral(":4: unknown style or attribute \"bogus\""))) << all.toStdString();
    EXPECT_TRUE(all.contains(path + QStringLiteral(":5: formula =SUM(B3:B4"))) << all.toStdString();
    EXPECT_TRUE(all.contains(path + QStringLiteral(":6: column D lies outside"))) << all.toStdString();
    EXPECT_TRUE(all.contains(path + QStringLiteral(":7: row 6 lies outside the table's 5 rows"))) << all.toStdString();
    EXPECT_TRUE(all.contains(path + QStringLiteral(":8: fill reads"))) << all.toStdString();
    EXPECT_TRUE(all.contains(path + QStringLiteral(":9: a quote is not closed"))) << all.toStdString();
    EXPECT_TRUE(all.contains(path + QStringLiteral(":10: border is top, bottom or box"))) << all.toStdString();
    EXPECT_TRUE(all.contains(path + QStringLiteral(":11: \"Q\" is neither a keyword nor a cell"))) << all.toStdString();
    EXPECT_TRUE(all.contains(path + QStringLiteral(":12: example needs a kind"))) << all.toStdString();
    EXPECT_TRUE(all.contains(path + QStringLiteral(":14: rows belongs before the first example"))) << all.toStdString();
}

TEST_F(TableFiles, TheTableNameMustMatchTheFile)
{
    const auto table = read("table Tbl0602\n");
    ASSERT_EQ(table.errors.size(), 1);
    EXPECT_TRUE(table.errors.first().contains(QStringLiteral("table Tbl0602 is in a file named Tbl0601.table")));
    EXPECT_FALSE(read("A1 1\n").errors.isEmpty()); // no table line at all
}

TEST_F(TableFiles, AMissingFileIsAClearError)
{
    const auto table = readTableDefinition(dir.filePath(QStringLiteral("none.table")), {});
    ASSERT_EQ(table.errors.size(), 1);
    EXPECT_TRUE(table.errors.first().endsWith(QStringLiteral("cannot be read")));
    const auto set = readTableSet(dir.filePath(QStringLiteral("no-such-set")));
    ASSERT_EQ(set.errors.size(), 1);
    EXPECT_TRUE(set.errors.first().endsWith(QStringLiteral("no such folder")));
}

TEST(TableSet, TablesLinkAndCalculateTogether)
{
    const auto read = readTableSet(sampleSet);
    ASSERT_TRUE(read.errors.isEmpty()) << read.errors.join(u'\n').toStdString();
    ASSERT_EQ(read.value.tables.size(), 2);
    WorkbookSet set;
    loadTableSet(read.value, set, QStringLiteral("Retail"));
    EXPECT_TRUE(errorCells(set).isEmpty()) << errorCells(set).join(u'\n').toStdString();
    EXPECT_TRUE(failedChecks(read.value, set).isEmpty());
    const auto *sales = set.find(QStringLiteral("Tbl0503"));
    const auto *balance = set.find(QStringLiteral("Tbl0802"));
    ASSERT_TRUE(sales && balance);
    EXPECT_DOUBLE_EQ(sales->number(6, 5), 40 * 120 + 25 * 60.5 + 45 * 120 + 30 * 60.5 + 50 * 120 + 30 * 60.5);
    EXPECT_DOUBLE_EQ(balance->number(2, 2), sales->number(6, 5));
    EXPECT_TRUE(sales->isRowHidden(8));
}

TEST(TableSet, ErrorCellsNameTheCellTheFormulaAndAMissingTable)
{
    WorkbookSet set;
    auto *book = set.create(QStringLiteral("Tbl0601"));
    book->setFormula(3, 2, QStringLiteral("=[Tbl0599]Sheet1!A1*2"));
    book->setFormula(4, 2, QStringLiteral("=1/0"));
    set.recalculate();
    const auto errors = errorCells(set);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors.at(0), QStringLiteral("Tbl0601!B3: #REF!  =[Tbl0599]Sheet1!A1*2 (no table Tbl0599 in the set)"));
    EXPECT_EQ(errors.at(1), QStringLiteral("Tbl0601!B4: #DIV/0!  =1/0"));
}

TEST_F(TableFiles, FailedChecksShowBothCells)
{
    const QString folder = dir.filePath(QStringLiteral("set"));
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/Tbl0802.table"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("table Tbl0802\nB3 100\nB5 90\nC3 5\nC5 5.001\ncheck B3:C3 = B5:C5\n");
    file.close();
    const auto read = readTableSet(folder);
    ASSERT_TRUE(read.errors.isEmpty()) << read.errors.join(u'\n').toStdString();
    WorkbookSet set;
    loadTableSet(read.value, set);
    const auto failed = failedChecks(read.value, set);
    ASSERT_EQ(failed.size(), 1); // C3 and C5 agree within half a cent
    EXPECT_TRUE(failed.first().startsWith(QStringLiteral("Tbl0802!B3: 100 differs from B5: 90"))) << failed.first().toStdString();
}

TEST(TableSet, TheTextGridShowsDisplayedValuesAndMarksHiddenRows)
{
    const auto read = readTableSet(sampleSet);
    WorkbookSet set;
    loadTableSet(read.value, set, QStringLiteral("Retail"));
    const QString grid = textGrid(*set.find(QStringLiteral("Tbl0503")));
    const QStringList lines = grid.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 9); // the column heading line and eight rows
    EXPECT_TRUE(lines.at(0).contains(QStringLiteral("| A")));
    EXPECT_TRUE(lines.at(2).contains(QStringLiteral("Trail boots")));
    EXPECT_TRUE(lines.at(3).contains(QStringLiteral("$120")));
    EXPECT_TRUE(lines.at(8).startsWith(QStringLiteral("   8*")));
}

TEST(TextMarkup, HeadingsListsEmphasisAndTablesBecomeRichText)
{
    const auto document = markupDocument(QStringLiteral("# Title\n\nFirst line\njoined **bold** and *italic* \\*.\n\n"
                                                        "- one\n- two\n\n1. first\n2. second\n\n"
                                                        "| Item | Price |\n|---|---|\n| Boots | $120 |\n"));
    const QString text = document->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Title\nFirst line joined bold and italic *.")));
    QTextBlock block = document->begin();
    EXPECT_EQ(block.begin().fragment().charFormat().fontPointSize(), 14.0);
    EXPECT_GE(block.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    block = block.next();
    bool sawBold = false, sawItalic = false;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const auto format = it.fragment().charFormat();
        sawBold = sawBold || (it.fragment().text() == QStringLiteral("bold") && format.fontWeight() >= QFont::Bold);
        sawItalic = sawItalic || (it.fragment().text() == QStringLiteral("italic") && format.fontItalic());
    }
    EXPECT_TRUE(sawBold);
    EXPECT_TRUE(sawItalic);
    block = block.next();
    ASSERT_TRUE(block.textList());
    EXPECT_EQ(block.textList()->count(), 2);
    EXPECT_EQ(block.textList()->format().style(), QTextListFormat::ListDisc);
    block = block.next().next();
    ASSERT_TRUE(block.textList());
    EXPECT_EQ(block.textList()->format().style(), QTextListFormat::ListDecimal);
    int tables = 0;
    for (auto *frame : document->rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            ++tables;
            EXPECT_EQ(table->rows(), 2);
            EXPECT_EQ(table->columns(), 2);
        }
    EXPECT_EQ(tables, 1);
}

TEST(TextMarkup, ABlankLineSeparatesTwoTables)
{
    const auto document = markupDocument(QStringLiteral("| a | b |\n| 1 | 2 |\n\n| c | d |\n| 3 | 4 |\n| 5 | 6 |\n"));
    QList<int> rows;
    for (auto *frame : document->rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame))
            rows << table->rows();
    EXPECT_EQ(rows, (QList<int>{2, 3}));
}

TEST_F(TableFiles, CellsOutsideTheTableAreaAreRefusedBeforeAnythingIsBuilt)
{
    const auto table = read("table Tbl0601\nA1:XFD5000 1\nfill A1 A2:A99999\nA2 2\n");
    ASSERT_EQ(table.errors.size(), 2) << table.errors.join(u'\n').toStdString();
    EXPECT_TRUE(table.errors.at(0).contains(QStringLiteral(":2: a table has at most 1000 rows and columns A-CV")));
    ASSERT_EQ(table.value.statements.size(), 1);
    EXPECT_DOUBLE_EQ(table.value.build()->number(2, 1), 2);
}

TEST_F(TableFiles, AByteOrderMarkAndWindowsLineEndsReadAsPlainLines)
{
    const auto table = read("\xEF\xBB\xBFtable Tbl0601\r\nA1 \"x\"\r\nB1 =1+1\r\n");
    ASSERT_TRUE(table.errors.isEmpty()) << table.errors.join(u'\n').toStdString();
    EXPECT_DOUBLE_EQ(table.value.build()->number(1, 2), 2);
}

// An analysis: named by its key, one sheet per year, each line repeated on
// every sheet with "{year}" standing for the sheet's number, and links into
// the one-sheet tables of its set.
TEST_F(TableFiles, AnAnalysisRepeatsItsLinesOnEverySheetWithItsYear)
{
    write(QStringLiteral("Tbl0802.table"), "table Tbl0802\ncolumns A:20 B-D:10\nrows 2\nB2 100\nC2 250\nD2 400\n");
    const auto analysis = readTableDefinition(
        write(QStringLiteral("ANRT.table"),
              "table ANRT\ntitle \"Financial Analysis\"\nsheets 3 \"Year {year}\"\ncolumns A:30 B:12\nrows 3\nhidden 3\n"
              "A1 \"Projected year {year}\" bold\n"
              "B1 =INDEX([Tbl0802]Sheet1!B2:D2,{year})\n"
              "B2 =IF({year}=1,\"\",B1/INDEX([Tbl0802]Sheet1!B2:D2,{year}-1)-1) format=\"0.0%\"\n"
              "example Retail\nB3 7\n"),
        {});
    ASSERT_TRUE(analysis.errors.isEmpty()) << analysis.errors.join(u'\n').toStdString();
    EXPECT_TRUE(analysis.value.isAnalysis());
    EXPECT_EQ(analysis.value.sheets, 3);

    const auto set = readTableSet(dir.path());
    ASSERT_TRUE(set.errors.isEmpty()) << set.errors.join(u'\n').toStdString();
    WorkbookSet books;
    loadTableSet(set.value, books, QStringLiteral("Retail"));
    EXPECT_TRUE(errorCells(books).isEmpty()) << errorCells(books).join(u'\n').toStdString();
    const Workbook &book = *books.find(QStringLiteral("ANRT"));
    ASSERT_EQ(book.sheetCount(), 3);
    EXPECT_EQ(book.activeSheet(), 0);
    EXPECT_EQ(book.sheetName(2), QStringLiteral("Year 3"));
    EXPECT_EQ(book.textOf(1, 1, 1), QStringLiteral("Projected year 2"));
    EXPECT_EQ(book.storedValue(2, 1, 2).number, 400);
    EXPECT_TRUE(book.storedValue(0, 2, 2).isText()); // no year before the first
    EXPECT_DOUBLE_EQ(book.storedValue(1, 2, 2).number, 1.5);
    EXPECT_DOUBLE_EQ(book.storedValue(2, 3, 2).number, 7); // the example on every sheet
    EXPECT_TRUE(book.sheetData(2).hiddenRows.count(3));
    EXPECT_EQ(book.sheetData(1).maxRow, 3);
    EXPECT_TRUE(textGrid(book, 1).contains(QStringLiteral("Projected year 2")));

    const auto wrong = readTableDefinition(write(QStringLiteral("ANXX.table"), "table ANXX\nsheets 3 \"Year\"\nsheets 0\n"), {});
    ASSERT_EQ(wrong.errors.size(), 2) << wrong.errors.join(u'\n').toStdString();
    EXPECT_TRUE(wrong.errors.at(0).contains(QStringLiteral("ANXX.table:2: the sheets' name needs {year}")));
    EXPECT_TRUE(wrong.errors.at(1).contains(QStringLiteral("ANXX.table:3: sheets reads")));
}
