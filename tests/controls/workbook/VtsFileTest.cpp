#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv::workbook;

namespace {

void fillSample(Workbook &book)
{
    book.setTitle(QStringLiteral("Tbl0404"));
    book.setEntry(1, 1, QStringLiteral("Sales"));
    book.setEntry(1, 2, QStringLiteral("$1,500.50"));
    book.setEntry(2, 2, QStringLiteral("15%"));
    book.setEntry(3, 2, QStringLiteral("=B1*B2"));
    book.setEntry(4, 2, QStringLiteral("=[Other]Sheet1!A1"));
    book.setEntry(5, 1, QStringLiteral("TRUE"));
    book.setEntry(6, 1, QStringLiteral("'0042"));
    book.changeFormat(CellRange{1, 1, 1, 2}, [](CellFormat &f) {
        f.bold = true;
        f.fontName = QStringLiteral("Liberation Serif");
        f.fontSize = 12;
        f.hasFill = true;
        f.fillColor = 0xFFEECC;
        f.alignment = HorizontalAlignment::Center;
        f.bottom = {BorderStyle::Thin, 0x112233};
    });
    book.setLocked(CellRange::cell(2, 2), false);
    book.setRowHeight(2, 400);
    book.setColumnWidth(1, 2000);
    book.setRowsHidden(7, 8, true);
    book.setColumnsHidden(4, 4, true);
    book.setMaxCol(3);
    book.mergeCells(CellRange{10, 1, 10, 3});
    book.setSelection(CellRange{2, 2, 3, 3});
    book.setViewScale(125);
    book.setPrintArea(QStringLiteral("A1:C6"));
    book.setProtected(true);
    book.addSheet(QStringLiteral("Year 2"));
}

} // namespace

TEST(VtsFile, RoundTripKeepsEverything)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tbl0404.vts"));
    Workbook book;
    fillSample(book);
    book.write(path);

    Workbook read;
    read.read(path);
    EXPECT_EQ(read.title(), QStringLiteral("Tbl0404"));
    EXPECT_EQ(read.sheetCount(), 2);
    EXPECT_EQ(read.sheetName(1), QStringLiteral("Year 2"));
    EXPECT_EQ(read.text(1, 2), QStringLiteral("$1,500.50"));
    EXPECT_EQ(read.text(2, 2), QStringLiteral("15%"));
    EXPECT_EQ(read.formula(3, 2), QStringLiteral("=B1*B2"));
    EXPECT_DOUBLE_EQ(read.number(3, 2), 1500.5 * 0.15);
    EXPECT_EQ(plainText(read.value(4, 2)), QStringLiteral("#REF!")); // its table is not loaded
    EXPECT_EQ(plainText(read.value(5, 1)), QStringLiteral("TRUE"));
    EXPECT_EQ(read.entry(6, 1), QStringLiteral("'0042"));
    const CellFormat f = read.format(1, 1);
    EXPECT_TRUE(f.bold);
    EXPECT_EQ(f.fontName, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(f.fontSize, 12);
    EXPECT_EQ(f.fillColor, 0xFFEECCu);
    EXPECT_EQ(f.alignment, HorizontalAlignment::Center);
    EXPECT_EQ(f.bottom.style, BorderStyle::Thin);
    EXPECT_EQ(f.bottom.color, 0x112233u);
    EXPECT_FALSE(read.format(2, 2).locked);
    EXPECT_TRUE(read.format(3, 2).locked);
    EXPECT_EQ(read.rowHeight(2), 400);
    EXPECT_EQ(read.columnWidth(1), 2000);
    EXPECT_EQ(read.hiddenRows(), (std::vector<int>{7, 8}));
    EXPECT_EQ(read.hiddenColumns(), (std::vector<int>{4}));
    EXPECT_EQ(read.maxCol(), 3);
    EXPECT_EQ(read.merges().size(), 1u);
    EXPECT_EQ(read.selectionText(), QStringLiteral("$B$2:$C$3"));
    EXPECT_EQ(read.viewScale(), 125);
    EXPECT_EQ(read.printArea(), (CellRange{1, 1, 6, 3}));
    EXPECT_TRUE(read.isProtected());
    // Writing what was read gives the same file.
    EXPECT_EQ(vts::serialize(WorkbookContent()).isEmpty(), false);
    const QString again = dir.filePath(QStringLiteral("again.vts"));
    read.write(again);
    QFile a(path), b(again);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

TEST(VtsFile, CachedValuesOfLinksSurviveAndRecalculateInASet)
{
    QTemporaryDir dir;
    {
        Workbook other;
        other.setNumber(1, 1, 7);
        other.write(dir.filePath(QStringLiteral("Other.vts")));
        Workbook book;
        book.setEntry(1, 1, QStringLiteral("=[Other]Sheet1!A1*3"));
        book.write(dir.filePath(QStringLiteral("Main.vts")));
    }
    WorkbookSet set;
    EXPECT_TRUE(loadFolder(set, dir.path()).isEmpty());
    EXPECT_EQ(set.count(), 2);
    EXPECT_EQ(set.find(QStringLiteral("main"))->number(1, 1), 21);
}

TEST(VtsFile, AByteOrderMarkFromAnEditorReadsAsTheSameWorkbook)
{
    QTemporaryDir dir;
    Workbook book;
    book.setNumber(1, 1, 42);
    book.setEntry(2, 1, QStringLiteral("=A1*2"));
    const QString plain = dir.filePath(QStringLiteral("plain.vts"));
    book.write(plain);
    QFile in(plain);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QString marked = dir.filePath(QStringLiteral("marked.vts"));
    QFile out(marked);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("\xEF\xBB\xBF" + in.readAll());
    out.close();
    Workbook read;
    read.read(marked);
    EXPECT_EQ(read.number(2, 1), 84);
}

TEST(VtsFile, BadFilesFailClearlyAndChangeNothing)
{
    QTemporaryDir dir;
    Workbook book;
    book.setTitle(QStringLiteral("Keep"));
    book.setNumber(1, 1, 99);
    const QString good = dir.filePath(QStringLiteral("good.vts"));
    book.write(good);
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray valid = file.readAll();

    const QByteArray bad[] = {
        QByteArray(),
        QByteArray("not json"),
        valid.left(valid.size() / 2),
        QByteArray("[]"),
        QByteArray(R"({"format":"other","version":1,"sheets":[{"name":"S"}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":99,"sheets":[{"name":"S"}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"sheets":[]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","cells":[{"r":"ZZZZ1","n":1}]}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","cells":[{"r":"A1","x":5}]}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","cells":[{"r":"A1","n":"x"}]}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","cells":[{"r":"A1"},{"r":"a1"}]}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S"},{"name":"s"}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","rowHeights":{"0":5}}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","hiddenRows":[2000000]}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"formats":[{"color":"red"}],"sheets":[{"name":"S"}]})"),
        QByteArray(R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","viewScale":1e308}]})"),
        QByteArray(4000, '[') + QByteArray(4000, ']'),
        QByteArray("\xFF\xFE{\0\"\0f\0", 8), // UTF-16
    };
    int i = 0;
    for (const QByteArray &content : bad) {
        const QString path = dir.filePath(QStringLiteral("bad%1.vts").arg(i++));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        out.close();
        try {
            book.read(path);
            ADD_FAILURE() << "read " << content.left(80).constData();
        } catch (const qv::QvError &e) {
            EXPECT_FALSE(e.description().isEmpty());
            EXPECT_TRUE(e.description().contains(path)) << e.description().toStdString();
        }
        EXPECT_EQ(book.title(), QStringLiteral("Keep"));
        EXPECT_EQ(book.number(1, 1), 99);
    }
    EXPECT_THROW(book.read(dir.filePath(QStringLiteral("missing.vts"))), qv::QvError);
    // A formula that no longer compiles still loads, showing #NAME?.
    const QString broken = dir.filePath(QStringLiteral("broken.vts"));
    QFile out(broken);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","cells":[{"r":"A1","f":"1+","n":3}]}]})");
    out.close();
    book.read(broken);
    EXPECT_EQ(plainText(book.value(1, 1)), QStringLiteral("#NAME?"));
    EXPECT_EQ(book.formula(1, 1), QStringLiteral("=1+"));
}

TEST(VtsFile, WriteIsAtomicAndReportsFailure)
{
    Workbook book;
    EXPECT_THROW(book.write(QStringLiteral("/nonexistent-folder/x.vts")), qv::QvError);
}

namespace {
QString runQvtool(const QStringList &args, int *status = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(QV_INSTALL_DIR "/qvtool"), args);
    p.waitForFinished(60000);
    if (status)
        *status = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

TEST(Qvtool, EvalCellsAndInfo)
{
    QTemporaryDir dir;
    Workbook other;
    other.setNumber(1, 2, 250);
    other.write(dir.filePath(QStringLiteral("Tbl0404.vts")));
    Workbook book;
    book.setEntry(1, 1, QStringLiteral("Name"));
    book.setEntry(1, 2, QStringLiteral("=[Tbl0404]Sheet1!$B$1*2"));
    book.setEntry(3, 3, QStringLiteral("0.1"));
    book.setRowsHidden(2, 2, true);
    book.setColumnsHidden(1, 1, true);
    book.setMaxCol(5);
    book.setProtected(true);
    book.setTitle(QStringLiteral("Stored"));
    const QString main = dir.filePath(QStringLiteral("Tbl0501.vts"));
    book.write(main);

    EXPECT_EQ(runQvtool({QStringLiteral("eval"), QStringLiteral("--load"), dir.filePath(QStringLiteral("Tbl0404.vts")),
                         QStringLiteral("--"), QStringLiteral("[Tbl0404]Sheet1!B1/3"), QStringLiteral("=2^0.5"),
                         QStringLiteral("-0"), QStringLiteral("\"x\"")}),
              QStringLiteral("83.3333333333333\n1.4142135623731\n0\nx\n"));
    EXPECT_EQ(runQvtool({QStringLiteral("cells"), main}), QStringLiteral("Name\t500\t\n\t\t\n\t\t0.1\n"));
    EXPECT_EQ(runQvtool({QStringLiteral("cells"), main, QStringLiteral("B1:B1")}), QStringLiteral("500\n"));
    EXPECT_EQ(runQvtool({QStringLiteral("info"), main}),
              QStringLiteral("title=Stored\nsheets=1\nlast_row=3\nlast_col=3\nmax_col=5\nhidden_rows=2\nhidden_cols=1\nprotected=true\n"));
    int status = 0;
    runQvtool({QStringLiteral("info"), dir.filePath(QStringLiteral("none.vts"))}, &status);
    EXPECT_NE(status, 0);
    runQvtool({QStringLiteral("eval"), QStringLiteral("--load"), dir.filePath(QStringLiteral("none.vts")), QStringLiteral("1")}, &status);
    EXPECT_NE(status, 0);

    // A later sheet, by number or name, with its links read like the first's.
    Workbook years;
    years.setEntry(1, 1, QStringLiteral("first"));
    years.setActiveSheet(years.addSheet(QStringLiteral("Year 2")));
    years.setEntry(1, 1, QStringLiteral("=[Tbl0404]Sheet1!B1+1"));
    years.setActiveSheet(0);
    const QString analysis = dir.filePath(QStringLiteral("ANRT.vts"));
    years.write(analysis);
    EXPECT_EQ(runQvtool({QStringLiteral("cells"), analysis, QStringLiteral("--sheet"), QStringLiteral("2")}), QStringLiteral("251\n"));
    EXPECT_EQ(runQvtool({QStringLiteral("cells"), analysis, QStringLiteral("A1"), QStringLiteral("--sheet"), QStringLiteral("year 2")}),
              QStringLiteral("251\n"));
    EXPECT_EQ(runQvtool({QStringLiteral("cells"), analysis}), QStringLiteral("first\n"));
    runQvtool({QStringLiteral("cells"), analysis, QStringLiteral("--sheet"), QStringLiteral("3")}, &status);
    EXPECT_EQ(status, 2);

    const QString copy = dir.filePath(QStringLiteral("Tbl0501.xls"));
    runQvtool({QStringLiteral("xlsx"), main, copy}, &status);
    EXPECT_EQ(status, 0);
    QFile xlsx(copy);
    ASSERT_TRUE(xlsx.open(QIODevice::ReadOnly));
    EXPECT_TRUE(xlsx.read(2) == "PK");
}

TEST(VtsFile, StreamedCellsReadEscapesUnknownMembersAndAnyOrder)
{
    // Cells before the sheet's name, escapes of every kind, members a later
    // version might add (nested values too), and a formula filled down.
    const QByteArray text = R"({"sheets": [{"cells": [
        {"r": "A1", "s": "Caf\u00e9 \"Q\"\\\n\ud83d\ude00", "later": {"x": [1, {"y": "]}"}]}},
        {"later": null, "r": "b2", "n": -1.5e3, "x": 0},
        {"r": "A2", "f": "LEN(A1)&\"x\""},
        {"r": "C1", "f": "B$2*2"}, {"r": "C2", "f": "B$2*2+C1"}, {"r": "C3", "f": "B$2*2+C2"}
      ], "name": "Data", "\u006eext": 1}],
      "format": "quorvex-workbook", "version": 1})";
    const WorkbookContent content = vts::parse(text);
    Workbook book;
    book.replaceContent(WorkbookContent(content));
    EXPECT_EQ(book.sheetName(0), QStringLiteral("Data"));
    EXPECT_EQ(book.text(1, 1), QString::fromUtf8("Café \"Q\"\\\n\xF0\x9F\x98\x80"));
    EXPECT_EQ(book.number(2, 2), -1500);
    EXPECT_EQ(book.text(2, 1), QStringLiteral("12x"));
    EXPECT_EQ(book.number(1, 3), -3000);
    EXPECT_EQ(book.number(3, 3), -9000);
    EXPECT_EQ(book.formula(3, 3), QStringLiteral("=B$2*2+C2"));
    for (const char *bad : {R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","cells":[{"r":"A1","s":"x}]}]})",
                            R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","cells":[{"r":"A1" "n":1}]}]})",
                            R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","cells":[{"r":"A1","b":1}]}]} x)",
                            R"({"format":"quorvex-workbook","version":1,"sheets":[{"name":"S","cells":[{"r":"A1","n":1e999}]}]})"})
        EXPECT_THROW(vts::parse(QByteArray(bad)), qv::QvError) << bad;
}
