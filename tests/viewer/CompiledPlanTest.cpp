// What the viewer does with a compiled plan: its messages, its title, Save a
// Copy and printing.

#include "FakePlatform.h"
#include "TestFiles.h"
#include "ViewerTestSupport.h"

#include "viewer/CompiledPlan.h"
#include "viewer/ComposerReturn.h"

#include <QPdfDocument>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv;
using viewer::ViewerRequest;

namespace {

class CompiledPlanTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return folder.filePath(name); }
    QTemporaryDir folder;
};

ViewerRequest sampleRequest(const QString &file, const QString &type)
{
    ViewerRequest request;
    request.file = file;
    request.sample = true;
    request.typefield = type;
    return request;
}

} // namespace

TEST_F(CompiledPlanTest, AMissingPlanIsReportedWithTheFileNotFoundTextAndItsPath)
{
    const QString missing = path(QStringLiteral("Samples/New/Retail.cpd"));
    QPdfDocument document;
    const QPdfDocument::Error error = document.load(missing);
    EXPECT_EQ(error, QPdfDocument::Error::FileNotFound);
    EXPECT_EQ(viewer::loadFailureText(missing, error), QStringLiteral("File not found: \r\n") + missing);
    EXPECT_TRUE(viewer::loadFailureText(missing, QPdfDocument::Error::None).isEmpty());
}

TEST_F(CompiledPlanTest, ADamagedPlanIsReportedAsDamaged)
{
    for (const QByteArray &bytes : {QByteArray(), QByteArray("%PDF-1.4\nthis is no PDF at all"), QByteArray(4096, 'x')}) {
        const QString damaged = path(QStringLiteral("Acme.pdf"));
        test::writeTestFile(damaged, bytes);
        QPdfDocument document;
        const QPdfDocument::Error error = document.load(damaged);
        EXPECT_NE(error, QPdfDocument::Error::None);
        const QString text = viewer::loadFailureText(damaged, error);
        EXPECT_TRUE(text.contains(QStringLiteral("damaged"))) << text.toStdString();
        EXPECT_TRUE(text.contains(damaged));
    }
}

TEST_F(CompiledPlanTest, ASampleIsTitledByItsPlanTypeKindAndStage)
{
    EXPECT_EQ(viewer::viewerTitle(sampleRequest(QStringLiteral("/i/Data/ENG/BusPlan/Samples/New/Retail.cpd"),
                                                QStringLiteral("Business Plan"))),
              QStringLiteral("Sample Business Plan: Retail, new business"));
    EXPECT_EQ(viewer::viewerTitle(sampleRequest(QStringLiteral("/i/Data/ENG/BusPlan/Samples/Existing/Manuf.cpd"),
                                                QStringLiteral("Business Plan"))),
              QStringLiteral("Sample Business Plan: Manufacturing, existing business"));
    EXPECT_EQ(viewer::viewerTitle(sampleRequest(QStringLiteral("/i/Data/ENG/MrktPlan/Samples/Whlesale.cpd"),
                                                QStringLiteral("Marketing Plan"))),
              QStringLiteral("Sample Marketing Plan: Wholesale"));
    EXPECT_EQ(viewer::viewerTitle(sampleRequest(QStringLiteral("/x/Other.cpd"), QString())),
              QStringLiteral("Sample Plan: Other"));
    ViewerRequest compiled;
    compiled.file = QStringLiteral("/home/a/My Plans/AcmeB/Acme.pdf");
    compiled.typefield = QStringLiteral("Business Plan");
    EXPECT_EQ(viewer::viewerTitle(compiled), QStringLiteral("Acme.pdf"));
}

TEST_F(CompiledPlanTest, ACopyTakesTheTextDocumentBesideIt)
{
    const QString pdf = path(QStringLiteral("AcmeB/Acme.pdf"));
    QDir().mkpath(path(QStringLiteral("AcmeB")));
    QDir().mkpath(path(QStringLiteral("Copies")));
    test::writeTestFile(pdf, "pdf bytes");
    EXPECT_TRUE(viewer::companionDocument(pdf).isEmpty());
    EXPECT_EQ(viewer::copyFileName(pdf), QStringLiteral("Acme.pdf"));
    EXPECT_EQ(viewer::copyFileName(QStringLiteral("/x/Retail.cpd")), QStringLiteral("Retail.pdf"));

    const auto alone = viewer::saveCopy(pdf, path(QStringLiteral("Copies/First.pdf")));
    ASSERT_TRUE(alone);
    EXPECT_EQ(alone.value(), QStringList{path(QStringLiteral("Copies/First.pdf"))});

    test::writeTestFile(path(QStringLiteral("AcmeB/ACME.ODT")), "odt bytes");
    EXPECT_EQ(viewer::companionDocument(pdf), path(QStringLiteral("AcmeB/ACME.ODT")));
    const auto both = viewer::saveCopy(pdf, path(QStringLiteral("Copies/Second.pdf")));
    ASSERT_TRUE(both);
    EXPECT_EQ(both.value(), (QStringList{path(QStringLiteral("Copies/Second.pdf")), path(QStringLiteral("Copies/Second.odt"))}));
    EXPECT_EQ(test::readFile(path(QStringLiteral("Copies/Second.pdf"))), QByteArray("pdf bytes"));
    EXPECT_EQ(test::readFile(path(QStringLiteral("Copies/Second.odt"))), QByteArray("odt bytes"));
}

TEST_F(CompiledPlanTest, ACopyNeverReplacesItsOwnPlanAndReportsWhatFailed)
{
    const QString pdf = path(QStringLiteral("Acme.pdf"));
    test::writeTestFile(pdf, "pdf bytes");
    const auto self = viewer::saveCopy(pdf, folder.path() + QStringLiteral("/./Acme.pdf"));
    ASSERT_FALSE(self);
    EXPECT_EQ(test::readFile(pdf), QByteArray("pdf bytes"));

    const auto nowhere = viewer::saveCopy(pdf, path(QStringLiteral("no such folder/Copy.pdf")));
    ASSERT_FALSE(nowhere);
    EXPECT_FALSE(nowhere.failure().description.isEmpty());
    EXPECT_TRUE(nowhere.failure().activity.startsWith(QStringLiteral("Saving a copy as ")));
}

TEST_F(CompiledPlanTest, PrintingPutsEachPageOnASheetTurningLandscapePages)
{
    const QString source = path(QStringLiteral("plan.pdf"));
    ASSERT_TRUE(test::writeTestPdf(source, {QStringLiteral("Cover"), QStringLiteral("L:Sales Forecast"),
                                            QStringLiteral("Contents"), QStringLiteral("Appendix")}));
    QPdfDocument document;
    ASSERT_EQ(document.load(source), QPdfDocument::Error::None);
    ASSERT_EQ(document.pageCount(), 4);

    const QString printed = path(QStringLiteral("printed.pdf"));
    {
        QPdfWriter sheets(printed);
        sheets.setResolution(150);
        sheets.setPageSize(QPageSize(QPageSize::A4));
        ASSERT_TRUE(viewer::printPages(document, sheets, 1, 2));
    }
    QPdfDocument result;
    ASSERT_EQ(result.load(printed), QPdfDocument::Error::None);
    ASSERT_EQ(result.pageCount(), 2);
    // Portrait sheets; the landscape page is turned onto the first one, so
    // its picture is taller than it is wide.
    for (int page = 0; page < 2; ++page) {
        const QSizeF size = result.pagePointSize(page);
        EXPECT_LT(size.width(), size.height());
    }
    const QImage turned = result.render(0, QSize(420, 595));
    const QImage upright = result.render(1, QSize(420, 595));
    auto inkBounds = [](const QImage &image) {
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 128 && qGray(image.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
        return ink;
    };
    // The turned page's line of text runs down the sheet, the upright one's across it.
    const QRect turnedInk = inkBounds(turned), uprightInk = inkBounds(upright);
    ASSERT_FALSE(turnedInk.isEmpty());
    ASSERT_FALSE(uprightInk.isEmpty());
    EXPECT_GT(turnedInk.height(), turnedInk.width());
    EXPECT_GT(uprightInk.width(), uprightInk.height());
}

TEST_F(CompiledPlanTest, PrintingAnEmptyRangePrintsNothing)
{
    const QString source = path(QStringLiteral("plan.pdf"));
    ASSERT_TRUE(test::writeTestPdf(source, {QStringLiteral("Cover")}));
    QPdfDocument document;
    ASSERT_EQ(document.load(source), QPdfDocument::Error::None);
    QPdfWriter sheets(path(QStringLiteral("printed.pdf")));
    EXPECT_TRUE(viewer::printPages(document, sheets, 3, 5));
}

TEST_F(CompiledPlanTest, TheWayBackLeadsToThePlanDocumentBesideThePlanFolder)
{
    QDir().mkpath(path(QStringLiteral("AcmeB")));
    const QString pdf = path(QStringLiteral("AcmeB/Acme.pdf"));
    EXPECT_TRUE(viewer::planOfCompiledFile(pdf).isEmpty());
    test::writeTestFile(path(QStringLiteral("Acme.bpl")), "{}");
    EXPECT_EQ(viewer::planOfCompiledFile(pdf), path(QStringLiteral("Acme.bpl")));
    EXPECT_TRUE(viewer::planOfCompiledFile(QString()).isEmpty());

    platform::Folders::setInstallFolder(folder.path());
    EXPECT_FALSE(viewer::startComposerOn(path(QStringLiteral("Acme.bpl"))));
    const QString composer = path(QStringLiteral("quorvex"));
    test::writeTestFile(composer, "#!/bin/sh\n");
    QFile::setPermissions(composer, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(viewer::startComposerOn(path(QStringLiteral("Acme.bpl"))));
    ASSERT_EQ(test::fakes().processes->started.size(), 1);
    EXPECT_EQ(test::fakes().processes->started.first().program, composer);
    EXPECT_EQ(test::fakes().processes->started.first().arguments,
              (QStringList{QStringLiteral("-o"), path(QStringLiteral("Acme.bpl"))}));
}
