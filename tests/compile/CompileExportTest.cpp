#include "CompileFixture.h"
#include "FakePlatform.h"
#include "TestFiles.h"

#include "compile/CompileExport.h"
#include "compile/FolderTables.h"
#include "compile/ExportText.h"
#include "compile/StagedFiles.h"
#include "controls/workbook/Workbook.h"
#include "plan/PlanBuilder.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace qv::compile;
using qv::test::readFile;

namespace {

const QStringList kExportFiles = {QStringLiteral("Field.txt"), QStringLiteral("Chapters.txt"),
                                  QStringLiteral("Sections.txt"), QStringLiteral("files.txt"),
                                  QStringLiteral("bpfiles.csv")};

class Export : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        plan = qv::test::makeCompileFixture(root.path());
        folder = plan->folder() + QLatin1Char('/');
    }
    QStringList exportNow(const PrintConversions &conversions = {})
    {
        StagedFiles staged(folder);
        FolderTables tables(folder);
        stageExport(*plan, tables, staged, conversions);
        return staged.commit();
    }
    // The folder's files and their bytes.
    std::map<QString, QByteArray> snapshot() const
    {
        std::map<QString, QByteArray> files;
        for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            files[name] = readFile(folder + name);
        return files;
    }

    QTemporaryDir root;
    std::unique_ptr<qv::plan::Plan> plan;
    QString folder;
};

} // namespace

TEST_F(Export, TheFiveFilesEqualTheExpectedFilesByteForByte)
{
    const QStringList written = exportNow();
    for (const QString &name : kExportFiles) {
        EXPECT_TRUE(written.contains(name)) << name.toStdString();
        const QByteArray expected = readFile(qv::test::expectedExportFolder() + QLatin1Char('/') + name);
        ASSERT_FALSE(expected.isEmpty()) << name.toStdString();
        EXPECT_EQ(readFile(folder + name), expected) << name.toStdString();
    }
    // Only exported sections' tables get an Excel copy; no staging folder stays.
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.xls")}, QDir::Files),
              (QStringList{QStringLiteral("Tbl0201.xls"), QStringLiteral("Tbl0203.xls"), QStringLiteral("tbl0204.xls")}));
    EXPECT_TRUE(QDir(folder).entryList({QStringLiteral(".compile-*")}, QDir::Dirs | QDir::Hidden).isEmpty());
}

TEST_F(Export, EveryLineEndsInCrLfAndEveryCompileRewritesTheFiles)
{
    exportNow();
    exportNow();
    for (const QString &name : kExportFiles) {
        const QByteArray bytes = readFile(folder + name);
        EXPECT_TRUE(bytes.endsWith("\r\n")) << name.toStdString();
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << name.toStdString();
        EXPECT_EQ(bytes, readFile(qv::test::expectedExportFolder() + QLatin1Char('/') + name));
    }
}

TEST_F(Export, PrintConversionsReachOnlyTheExcelCopy)
{
    const QByteArray table = readFile(folder + QStringLiteral("Tbl0201.vts"));
    exportNow({true, true});
    EXPECT_EQ(readFile(folder + QStringLiteral("Tbl0201.vts")), table);

    qv::workbook::Workbook book;
    book.read(folder + QStringLiteral("Tbl0201.vts"));
    const TableMeasurement m = measureTable(book);
    prepareForCompiling(book, m, {true, true});
    EXPECT_FALSE(book.format(1, 1).italic);
    EXPECT_EQ(book.format(1, 1).fontColor, 0u);
    EXPECT_EQ(book.format(1, 1).top.style, qv::workbook::BorderStyle::Thin);
    EXPECT_EQ(book.format(3, 2).right.style, qv::workbook::BorderStyle::Thin);
    EXPECT_FALSE(book.viewSettings().showGridLines);

    qv::workbook::Workbook kept;
    kept.read(folder + QStringLiteral("Tbl0201.vts"));
    prepareForCompiling(kept, m, {false, false});
    EXPECT_TRUE(kept.format(1, 1).italic);
    EXPECT_EQ(kept.format(1, 1).fontColor, 0x0000FFu);
}

TEST_F(Export, AMissingTableLeavesThePlanFolderAsItWas)
{
    exportNow();
    const auto before = snapshot();
    QFile::remove(folder + QStringLiteral("Tbl0203.vts"));
    const auto withoutTable = snapshot();
    EXPECT_THROW(exportNow(), qv::QvError);
    EXPECT_EQ(snapshot(), withoutTable);
    EXPECT_NE(before.size(), withoutTable.size());
}

TEST_F(Export, ADiskThatFillsDuringTheExportLeavesThePlanFolderAsItWas)
{
    exportNow();
    int failed = 0;
    for (qint64 budget : {0, 100, 1000, 5000, 20000, 80000}) {
        SCOPED_TRACE(budget);
        // The Excel copies carry the time they were made, so each export
        // that goes through sets a new "before".
        const auto before = snapshot();
        qv::platform::failWritesAfter(budget);
        try {
            exportNow();
        } catch (const qv::QvError &error) {
            ++failed;
            // The message names the file that could not be written.
            EXPECT_TRUE(error.description().contains(QRegularExpression(QStringLiteral("^\\w+\\.\\w+: No space left on device"))))
                << error.description().toStdString();
            EXPECT_EQ(snapshot(), before) << "every file is the last export's, whole";
        }
        qv::platform::failWritesAfter(-1);
    }
    EXPECT_GE(failed, 3);
    EXPECT_NO_THROW(exportNow());
}

TEST(ExportMeasurement, WidthBelowTheLimitIsPortraitAndAtTheLimitLandscape)
{
    qv::workbook::Workbook book;
    book.setText(2, 3, QStringLiteral("x"));
    book.setColumnWidth(1, 3000);
    book.setColumnWidth(2, 3000);
    book.setColumnWidth(3, 3360);
    book.setRowHeight(1, 400);
    book.setRowHeight(2, 500);
    TableMeasurement m = measureTable(book);
    EXPECT_EQ(m.lastRow, 2);
    EXPECT_EQ(m.lastCol, 3);
    EXPECT_EQ(m.height, 900);
    EXPECT_TRUE(m.portrait);
    book.setColumnWidth(3, 3361);
    m = measureTable(book);
    EXPECT_FALSE(m.portrait);
    EXPECT_EQ(m.orientationName(), QStringLiteral("landscape"));
    book.setRowsHidden(1, 1, true);
    EXPECT_EQ(measureTable(book).height, 500);
}

TEST(ExportText, RecordsQuoteTextAndLeaveNumbersBare)
{
    EXPECT_EQ(ExportRecord().number(3).text(QStringLiteral("a, b")).text(QString()).number(-1).line(),
              QByteArray("3,\"a, b\",\"\",-1\r\n"));
    EXPECT_EQ(ExportRecord().text(QStringLiteral("[FIELD2.2]")).variant(QVariant()).line(),
              QByteArray("\"[FIELD2.2]\",\r\n"));
    EXPECT_EQ(ExportRecord().variant(QStringLiteral("May 1")).variant(42).variant(true).line(),
              QByteArray("\"May 1\",42,#TRUE#\r\n"));
}

TEST(ExportText, AQuoteOrLineBreakCannotEndAField)
{
    EXPECT_EQ(fieldText(QStringLiteral("The \"Best\" Bakery")), QStringLiteral("The “Best” Bakery"));
    EXPECT_EQ(fieldText(QStringLiteral("\"Quoted\"")), QStringLiteral("“Quoted”"));
    EXPECT_EQ(fieldText(QStringLiteral("6\" pan")), QStringLiteral("6” pan"));
    EXPECT_EQ(fieldText(QStringLiteral("two\r\nlines\tand tab")), QStringLiteral("two  lines and tab"));
    const QByteArray line = ExportRecord().text(QStringLiteral("say \"hi\"")).line();
    EXPECT_EQ(line.count('"'), 2);
    EXPECT_EQ(line, QByteArray("\"say \x93hi\x94\"\r\n"));
}

TEST(ExportText, CharactersOutsideTheCodePageBecomeTheClosestOne)
{
    EXPECT_EQ(encodeWindows1252(closestWindows1252(QStringLiteral("café Zoë €5 – “ok” ™"))),
              QByteArray("caf\xe9 Zo\xeb \x80" "5 \x96 \x93ok\x94 \x99"));
    EXPECT_EQ(closestWindows1252(QStringLiteral("Łódź ā ﬁne x²−1 ‐ ı")), QStringLiteral("Lódz a fine x²-1 - i"));
    EXPECT_EQ(closestWindows1252(QStringLiteral("a\u200Bb")), QStringLiteral("ab"));
    EXPECT_EQ(closestWindows1252(QStringLiteral("日本 🙂")), QStringLiteral("?? ?"));
}

TEST(ExportNumbering, AFilesListWithoutTablesHasOnlySectionRecords)
{
    auto plan = qv::plan::PlanBuilder(qv::plan::MarketingPlan)
                    .chapter(QStringLiteral("One"))
                    .section(QStringLiteral("A"), QStringLiteral("0101"), QStringLiteral("Ans00001.rtf"))
                    .section(QStringLiteral("B"), QStringLiteral("0102"), QStringLiteral("Ans00002.rtf"), 2)
                    .section(QStringLiteral("C"), QStringLiteral("0103"), QStringLiteral("Ans00003.rtf"), 1)
                    .take();
    int conversions = 0;
    const ExportTexts texts = exportTexts(*plan, [&](const qv::plan::Table &) {
        ++conversions;
        return TableMeasurement();
    });
    EXPECT_EQ(conversions, 0);
    EXPECT_EQ(texts.files, QByteArray("1,1,1,\"Ans00001.rtf\",\"\",0,0,0,0\r\n1,2,1,\"Ans00003.rtf\",\"\",0,0,0,0\r\n"));
    EXPECT_EQ(texts.sections, QByteArray("1,1,\"A\"\r\n1,2,\"C\"\r\n"));
    EXPECT_EQ(texts.chapters, QByteArray("1,\"One\"\r\n"));
    EXPECT_TRUE(texts.field.startsWith("\"[TYPE]\",\"M\"\r\n"));
    EXPECT_TRUE(texts.bpfiles.startsWith("\"cover\",\"m\","));
}

TEST_F(Export, TheExcelCopyOpensInLibreOfficeWithTheSameValues)
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice (libreoffice-calc-nogui) is not installed";
    exportNow();
    QTemporaryDir out;
    QTemporaryDir profile;
    QProcess run;
    run.start(office, {QStringLiteral("-env:UserInstallation=file://") + profile.path(), QStringLiteral("--headless"),
                       QStringLiteral("--convert-to"), QStringLiteral("csv"), QStringLiteral("--outdir"), out.path(),
                       folder + QStringLiteral("Tbl0201.xls")});
    ASSERT_TRUE(run.waitForFinished(120000));
    const QByteArray csv = readFile(out.filePath(QStringLiteral("Tbl0201.csv")));
    EXPECT_EQ(csv, QByteArray("Start-up Costs,\nFlour,1250\nTotal,2500\n")) << run.readAllStandardError().constData();
}
