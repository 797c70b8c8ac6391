#include "CompileFixture.h"
#include "FakePlatform.h"
#include "TestFiles.h"

#include "compile/CompileFiles.h"
#include "compile/CompileSetup.h"
#include "compile/TablePictures.h"
#include "controls/metafile/MetafilePicture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace qv::compile;
using qv::test::fakes;

namespace {

class Pictures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        plan = qv::test::makeCompileFixture(root.path());
        folder = plan->folder() + QLatin1Char('/');
        writeGraphsAndExport(*plan, GraphPictureMaker(), PrintConversions());
    }
    QStringList convert()
    {
        failures.clear();
        return convertListedTables(folder, PrintConversions(), [this](const QString &name) { failures << name; });
    }

    QTemporaryDir root;
    std::unique_ptr<qv::plan::Plan> plan;
    QString folder;
    QStringList failures;
};

} // namespace

TEST_F(Pictures, EveryListedTableGetsAnUpperCasePicture)
{
    EXPECT_EQ(convert(), (QStringList{QStringLiteral("TBL0201.WMF"), QStringLiteral("TBL0203.WMF"),
                                      QStringLiteral("TBL0204.WMF")}));
    EXPECT_TRUE(failures.isEmpty());
    for (const QString &name : {QStringLiteral("TBL0201.WMF"), QStringLiteral("TBL0203.WMF"), QStringLiteral("TBL0204.WMF")}) {
        QString error;
        const auto picture = qv::metafile::MetafilePicture::fromFile(folder + name, &error);
        ASSERT_TRUE(picture) << name.toStdString() << ": " << error.toStdString();
        EXPECT_GT(picture->records().size(), 10u);
    }
    // The excluded section's table is not listed, so it gets no picture.
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("TBL0202.WMF")));
    // A graph picture never shares a name with a table picture, whatever the case.
    for (const auto &chapter : plan->outline().chapters())
        for (const auto &section : chapter->sections())
            for (const auto &table : section->tables())
                if (table->hasGraph()) {
                    EXPECT_FALSE(table->graphPictureFileName().startsWith(QStringLiteral("Tbl"), Qt::CaseInsensitive))
                        << table->graphPictureFileName().toStdString();
                }
}

TEST_F(Pictures, PicturesNameTheTableInUpperCase)
{
    EXPECT_EQ(tablePictureName(QStringLiteral("tbl0204.xls")), QStringLiteral("TBL0204.WMF"));
    EXPECT_EQ(tablePictureName(QStringLiteral("Tbl0404.XLS")), QStringLiteral("TBL0404.WMF"));
}

TEST_F(Pictures, OnlyTableRecordsWithAnExistingCopyAreConverted)
{
    qv::test::writeTestFile(folder + QStringLiteral("files.txt"),
                            "1,1,1,\"Ans00003.rtf\",\"\",0,0,0,0\r\n"
                            "1,1,3,\"Grf0201.wmf\",\"g\",0,0,0,0\r\n"
                            "1,1,2,\"Gone.xls\",\"missing\",3,2,600,0\r\n"
                            "1,1,2,\"Tbl0201.xls\",\"Start-up Costs\",3,2,600,0\r\n");
    EXPECT_EQ(convert(), QStringList{QStringLiteral("TBL0201.WMF")});
    EXPECT_TRUE(failures.isEmpty());

    qv::test::writeTestFile(folder + QStringLiteral("files.txt"), "1,1,1,\"Ans00003.rtf\",\"\",0,0,0,0\r\n");
    EXPECT_TRUE(convert().isEmpty());
}

TEST_F(Pictures, ACopyWithoutItsWorkbookIsReported)
{
    QFile::remove(folder + QStringLiteral("Tbl0203.vts"));
    convert();
    EXPECT_EQ(failures, QStringList{QStringLiteral("Tbl0203.xls")});
}

TEST_F(Pictures, ConvertTablesNeedsTheCompileFolder)
{
    int closed = 0;
    EXPECT_FALSE(ConvertTables([&] { ++closed; }));
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Plan to compile is not located"));

    storeCompileFolder(folder);
    QFile::remove(folder + QStringLiteral("tbl0204.vts"));
    EXPECT_TRUE(ConvertTables());
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Error retrieving file: tbl0204.xls"));
}

TEST_F(Pictures, TablePicturesReadInLibwmf)
{
    const QString wmf2svg = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (wmf2svg.isEmpty())
        GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    convert();
    QProcess run;
    run.start(wmf2svg, {QStringLiteral("-o"), folder + QStringLiteral("t.svg"), folder + QStringLiteral("TBL0203.WMF")});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().constData();
    const QByteArray svg = qv::test::readFile(folder + QStringLiteral("t.svg"));
    // libwmf places each character of a spaced text run on its own.
    QString shown;
    static const QRegularExpression glyph(QStringLiteral(">([^<]*)</text>"));
    for (auto match = glyph.globalMatch(QString::fromUtf8(svg)); match.hasNext();)
        shown += match.next().captured(1);
    EXPECT_TRUE(shown.contains(QStringLiteral("Ann Lee"))) << shown.toStdString();
}
