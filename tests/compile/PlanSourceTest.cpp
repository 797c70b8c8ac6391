#include "compile/compiler/CompilerCommandLine.h"
#include "compile/compiler/FlowPieces.h"
#include "compile/compiler/PlanSource.h"
#include "controls/metafile/MetafilePaintDevice.h"
#include "controls/metafile/MetafilePicture.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <cmath>

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QTemporaryDir>

using namespace qv::compiler;

TEST(PlanSource, TheCoverRecordAndTheOutlineInOrder)
{
    const QByteArray bpfiles = "\"cover\",\"m\",\"Harbor Street Bakery\",\"Ann Lee\",\"12 Harbor St.\",\"Portland\",\"ME\","
                               "\"04101\",\"207-555-0100\",\"January 15, 2026\",\"First Harbor Bank\"\r\n"
                               "\"Chapter\",\"Company\"\r\n"
                               "\"Section\",\"Mission\"\r\n"
                               "\"RTF\",\"Ans00003.rtf\"\r\n"
                               "\"Table\",\"Tbl0201.wmf\",\"Start-up Costs\",3,2,600,\"portrait\"\r\n"
                               "\"Chart\",\"Grf0201.wmf\",\"Costs \x93graph\x94\",\"portrait\"\r\n"
                               "\"Section\",\"Ownership\"\r\n"
                               "\"RTF\",\"Ans00005.rtf\"\r\n"
                               "\"Table\",\"tbl0203.wmf\",\"Owners\",2,3,510,\"landscape\"\r\n"
                               "\"Chapter\",\"Caf\xe9 \x93Specialties\x94\"\r\n"
                               "\"Section\",\"Rye\"\r\n"
                               "\"RTF\",\"Ans00006.rtf\"\r\n";
    const PlanSource source = parsePlanSource(bpfiles, QByteArray());
    EXPECT_FALSE(source.cover.businessPlan);
    EXPECT_EQ(source.cover.planTypeTitle(), QStringLiteral("Marketing Plan"));
    EXPECT_EQ(source.cover.businessName, QStringLiteral("Harbor Street Bakery"));
    EXPECT_EQ(source.cover.submitterName, QStringLiteral("Ann Lee"));
    EXPECT_EQ(source.cover.city, QStringLiteral("Portland"));
    EXPECT_EQ(source.cover.telephone, QStringLiteral("207-555-0100"));
    EXPECT_EQ(source.cover.submittedOn, QStringLiteral("January 15, 2026"));
    EXPECT_EQ(source.cover.submittedTo, QStringLiteral("First Harbor Bank"));

    ASSERT_EQ(source.chapters.size(), 2u);
    EXPECT_EQ(source.chapters[1].name, QStringLiteral("Café “Specialties”"));
    const auto &company = source.chapters[0];
    ASSERT_EQ(company.sections.size(), 2u);
    EXPECT_EQ(company.sections[0].textFile, QStringLiteral("Ans00003.rtf"));
    ASSERT_EQ(company.sections[0].figures.size(), 2u);
    // A table's picture is the upper-case name the table conversion writes.
    EXPECT_EQ(company.sections[0].figures[0].pictureFile, QStringLiteral("TBL0201.WMF"));
    EXPECT_EQ(company.sections[0].figures[1].kind, Figure::Kind::Chart);
    EXPECT_EQ(company.sections[0].figures[1].pictureFile, QStringLiteral("Grf0201.wmf"));
    EXPECT_EQ(company.sections[0].figures[1].title, QStringLiteral("Costs “graph”"));
    EXPECT_EQ(company.sections[1].figures[0].pictureFile, QStringLiteral("TBL0203.WMF"));
    EXPECT_TRUE(company.sections[1].figures[0].landscape);
    EXPECT_FALSE(company.sections[0].figures[0].landscape);
    EXPECT_TRUE(source.ignoredRecords.isEmpty());
}

TEST(PlanSource, FieldFileGivesTheCoverWhenTheRecordIsMissing)
{
    const QByteArray field = "\"[TYPE]\",\"B\"\r\n\"[FIELD1.5]\",\"Acme\"\r\n\"[FIELD2.1]\",\"The Bank\"\r\n"
                             "\"[FIELD2.2]\",\"May 2026\"\r\n\"[FIELD2.3]\",\"Jo Ray\"\r\n\"[FIELD2.8]\",\"555\"\r\n";
    const PlanSource source = parsePlanSource("\"Chapter\",\"A\"\r\n\"broken\r\n\"RTF\",\"orphan.rtf\"\r\n", field);
    EXPECT_TRUE(source.cover.businessPlan);
    EXPECT_EQ(source.cover.businessName, QStringLiteral("Acme"));
    EXPECT_EQ(source.cover.submittedTo, QStringLiteral("The Bank"));
    EXPECT_EQ(source.cover.submittedOn, QStringLiteral("May 2026"));
    EXPECT_EQ(source.cover.submitterName, QStringLiteral("Jo Ray"));
    EXPECT_EQ(source.cover.telephone, QStringLiteral("555"));
    // An RTF record with no section to belong to is named, not placed.
    EXPECT_EQ(source.ignoredRecords, QStringList{QStringLiteral("RTF,orphan.rtf")});
}

TEST(PlanSource, AFolderWithoutExportFilesIsReported)
{
    QTemporaryDir dir;
    try {
        readPlanSource(dir.path());
        FAIL() << "no error";
    } catch (const qv::QvError &error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("bpfiles.csv"))) << error.description().toStdString();
    }
}

TEST(PlanSource, ThePlanIsNamedAfterItsDocument)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("AcmeB"));
    EXPECT_EQ(planNameOfFolder(dir.filePath(QStringLiteral("AcmeB"))), QStringLiteral("AcmeB"));
    EXPECT_TRUE(planDocumentOfFolder(dir.filePath(QStringLiteral("AcmeB"))).isEmpty());
    QFile(dir.filePath(QStringLiteral("Acme.bpl"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(planNameOfFolder(dir.filePath(QStringLiteral("AcmeB/"))), QStringLiteral("Acme"));
    EXPECT_EQ(planDocumentOfFolder(dir.filePath(QStringLiteral("AcmeB"))), dir.filePath(QStringLiteral("Acme.bpl")));
}

TEST(CompilerCommandLine, OptionsAndMistakes)
{
    QString error;
    auto all = parseCompilerArguments({QStringLiteral("--dir"), QStringLiteral("/p"), QStringLiteral("--quiet")}, &error);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->request.folder, QStringLiteral("/p"));
    EXPECT_TRUE(all->quiet);
    EXPECT_TRUE(all->request.writePdf);
    EXPECT_TRUE(all->request.writeOdt);

    auto pdfOnly = parseCompilerArguments({QStringLiteral("--pdf"), QStringLiteral("/out/a.pdf")}, &error);
    ASSERT_TRUE(pdfOnly);
    EXPECT_TRUE(pdfOnly->request.writePdf);
    EXPECT_FALSE(pdfOnly->request.writeOdt);
    EXPECT_TRUE(pdfOnly->request.folder.isEmpty());

    EXPECT_FALSE(parseCompilerArguments({QStringLiteral("--dir")}, &error));
    EXPECT_EQ(error, QStringLiteral("--dir needs a value"));
    EXPECT_FALSE(parseCompilerArguments({QStringLiteral("--fast")}, &error));
    EXPECT_EQ(error, QStringLiteral("unknown argument: --fast"));
}

TEST(PictureCuts, ATallTableIsCutBetweenItsRowsNeverThroughText)
{
    // Twenty rows of text in a bordered table, every other row shaded.
    qv::metafile::MetafilePaintDevice device(QSize(400, 600), 96);
    std::vector<std::pair<double, double>> textBands;
    {
        QPainter p(&device);
        p.fillRect(QRect(0, 0, 400, 600), Qt::white);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(14);
        p.setFont(font);
        const QFontMetricsF metrics(font, &device);
        for (int row = 0; row < 20; ++row) {
            const double top = row * 30;
            if (row % 2)
                p.fillRect(QRectF(0, top, 400, 30), QColor(0xDC, 0xE6, 0xF1));
            p.setPen(Qt::black);
            p.drawLine(QPointF(0, top), QPointF(400, top));
            const double baseline = top + 20;
            const QString text = QStringLiteral("Row %1 gross margin $1,234").arg(row + 1);
            p.drawText(QPointF(8, baseline), text);
            // Where the glyphs have ink.
            const QRectF ink = metrics.tightBoundingRect(text);
            textBands.emplace_back(baseline + ink.top(), baseline + ink.bottom());
        }
        p.drawLine(QPointF(0, 0), QPointF(0, 600));
        p.drawLine(QPointF(399, 0), QPointF(399, 600));
        p.drawLine(QPointF(200, 0), QPointF(200, 600));
    }
    const auto picture = qv::metafile::MetafilePicture::fromData(device.data());
    ASSERT_TRUE(picture);
    const std::vector<double> cuts = pictureCuts(*picture, 400, 600);
    ASSERT_FALSE(cuts.empty());
    int betweenRows = 0;
    for (double cut : cuts) {
        for (const auto &[top, bottom] : textBands)
            EXPECT_FALSE(cut > top && cut < bottom) << "cut at " << cut << " through text " << top << "-" << bottom;
        betweenRows += std::fmod(cut, 30.0) < 1 || std::fmod(cut, 30.0) > 29 ? 1 : 0;
    }
    // Every row boundary offers a cut.
    EXPECT_GE(betweenRows, 19);
}
