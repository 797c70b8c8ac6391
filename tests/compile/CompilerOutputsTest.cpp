// The compiled demo plan, its OpenDocument text in LibreOffice, the
// compiler program and its progress window.

#include "CompileFixture.h"
#include "CompilerTestSupport.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "WrittenDemoPlan.h"

#include "compile/CompileFiles.h"
#include "compile/compiler/PlanCompiler.h"
#include "compile/compiler/PlanSource.h"
#include "compile/compiler/gui/frmCompileProgress.h"
#include "plan/Plan.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace qv::compiler;

namespace {

QStringList headingsOf(const QString &folder)
{
    const PlanSource source = readPlanSource(folder);
    QStringList headings;
    int c = 0;
    for (const Chapter &chapter : source.chapters) {
        headings << QStringLiteral("%1 %2").arg(++c).arg(chapter.name);
        int s = 0;
        for (const Section &section : chapter.sections)
            headings << QStringLiteral("%1.%2 %3").arg(c).arg(++s).arg(section.name);
    }
    return headings;
}

} // namespace

TEST(CompilerOutputs, LibreOfficeConvertsTheOpenDocumentTextWithEveryHeading)
{
    if (qv::test::findProgram(QStringLiteral("soffice")).isEmpty() || qv::test::findProgram(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) or poppler-utils (pdftotext) is not installed";
    QTemporaryDir root, profile, out;
    auto plan = qv::test::makeCompileFixture(root.path());
    qv::compile::writeCompileFiles(*plan, qv::compile::PrintConversions(), {});
    CompileRequest request;
    request.folder = plan->folder();
    request.writePdf = false;
    const CompileResult result = compilePlan(request);
    const auto run = qv::test::runProgram(
        QStringLiteral("soffice"),
        {QStringLiteral("-env:UserInstallation=file://") + profile.path(), QStringLiteral("--headless"),
         QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), out.path(), result.odtPath},
        180000);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString pdf = out.filePath(QStringLiteral("Bakery.pdf"));
    ASSERT_TRUE(QFile::exists(pdf)) << run.out.toStdString() << run.err.toStdString();
    const QString text = qv::test::pdfText(pdf).simplified();
    for (const QString &heading : headingsOf(plan->folder()))
        EXPECT_TRUE(text.contains(heading)) << heading.toStdString() << "\n" << text.toStdString();
    for (const char *shown : {"Harbor Street Bakery", "First Harbor Bank", "Page 3"})
        EXPECT_TRUE(text.contains(QLatin1String(shown))) << shown;
    // The landscape table's page.
    const QString info = qv::test::runProgram(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                           QStringLiteral("-l"), QStringLiteral("99"), pdf})
                             .out;
    EXPECT_TRUE(info.contains(QStringLiteral("792 x 612"))) << info.toStdString();
}

TEST(CompilerOutputs, TheDemoPlanCompilesWithItsPagesPictured)
{
    qv::test::WrittenDemoPlan demo;
    if (!demo.made())
        GTEST_SKIP() << "the template library is not generated";
    auto plan = std::make_unique<qv::plan::Plan>();
    plan->Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan->setFilePath(demo.documentPath());
    ASSERT_TRUE(plan->Open());
    QStringList failed;
    qv::compile::writeCompileFiles(*plan, qv::compile::PrintConversions(), [&](const QString &n) { failed << n; });
    EXPECT_TRUE(failed.isEmpty()) << failed.join(QLatin1Char(' ')).toStdString();
    CompileRequest request;
    request.folder = plan->folder();
    const CompileResult result = compilePlan(request);
    EXPECT_TRUE(result.leftOut.isEmpty()) << result.leftOut.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(result.pages, 10);
    if (qv::test::findProgram(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QString text = qv::test::pdfText(result.pdfPath).simplified();
    for (const QString &heading : headingsOf(plan->folder()))
        EXPECT_TRUE(text.contains(heading)) << heading.toStdString();
    EXPECT_FALSE(text.contains(demo.excludedSection())) << demo.excludedSection().toStdString();

    // LibreOffice reads the OpenDocument text of the whole plan, formatted texts and tables included.
    if (!qv::test::findProgram(QStringLiteral("soffice")).isEmpty()) {
        QTemporaryDir profile, out;
        const auto run = qv::test::runProgram(
            QStringLiteral("soffice"),
            {QStringLiteral("-env:UserInstallation=file://") + profile.path(), QStringLiteral("--headless"),
             QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), out.path(), result.odtPath},
            300000);
        const QString converted = out.filePath(QFileInfo(result.odtPath).completeBaseName() + QStringLiteral(".pdf"));
        ASSERT_TRUE(QFile::exists(converted)) << run.out.toStdString() << run.err.toStdString();
        const QString odtText = qv::test::pdfText(converted).simplified();
        for (const QString &heading : headingsOf(plan->folder()))
            EXPECT_TRUE(odtText.contains(heading)) << heading.toStdString();
    }

    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (shots.isEmpty())
        return;
    QDir().mkpath(shots);
    // The documents themselves, to look at beside the page images.
    for (const QString &path : {result.pdfPath, result.odtPath}) {
        QFile::remove(QDir(shots).filePath(QFileInfo(path).fileName()));
        QFile::copy(path, QDir(shots).filePath(QFileInfo(path).fileName()));
    }
    const auto pictures = qv::test::runProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"),
                                                                          QStringLiteral("60"), result.pdfPath,
                                                                          QDir(shots).filePath(QStringLiteral("compiled-plan"))});
    EXPECT_EQ(pictures.status, 0) << pictures.err.toStdString();
}

TEST(CompileProgressWindow, ShowsTheStepsThenWhatWasWrittenAndLeftOut)
{
    QTemporaryDir root;
    auto plan = qv::test::makeCompileFixture(root.path());
    qv::compile::writeCompileFiles(*plan, qv::compile::PrintConversions(), {});
    QFile::remove(plan->folder() + QStringLiteral("/Ans00006.rtf"));
    frmCompileProgress window;
    int opened = 0, back = 0;
    window.openResult = [&](const CompileResult &) { ++opened; };
    window.backToComposer = [&] { ++back; };
    CompileRequest request;
    request.folder = plan->folder();
    const CompileResult result = window.run(request);
    EXPECT_FALSE(window.failed());
    EXPECT_EQ(result.leftOut.size(), 1);
    auto *leftOut = window.findChild<QPlainTextEdit *>(QStringLiteral("txtLeftOut"));
    ASSERT_TRUE(leftOut);
    EXPECT_TRUE(leftOut->isVisible());
    EXPECT_TRUE(leftOut->toPlainText().startsWith(QStringLiteral("Ans00006.rtf")));
    EXPECT_TRUE(window.findChild<QLabel *>(QStringLiteral("lblResult"))->text().contains(QStringLiteral("Bakery.pdf")));
    EXPECT_FALSE(window.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->isVisible());
    window.findChild<QPushButton *>(QStringLiteral("cmdOpen"))->click();
    EXPECT_EQ(opened, 1);
    window.findChild<QPushButton *>(QStringLiteral("cmdComposer"))->click();
    EXPECT_EQ(back, 1);

    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        window.grab().save(QDir(shots).filePath(QStringLiteral("compile-progress-finished.png")));
}

TEST(CompileProgressWindow, CancelStopsBeforeAnythingIsWritten)
{
    QTemporaryDir root;
    auto plan = qv::test::makeCompileFixture(root.path());
    qv::compile::writeCompileFiles(*plan, qv::compile::PrintConversions(), {});
    frmCompileProgress window;
    auto *cancel = window.findChild<QPushButton *>(QStringLiteral("cmdCancel"));
    ASSERT_TRUE(cancel);
    cancel->click(); // pressed while the first step runs
    CompileRequest request;
    request.folder = plan->folder();
    EXPECT_TRUE(window.run(request).cancelled);
    EXPECT_FALSE(QFile::exists(plan->folder() + QStringLiteral("/Bakery.pdf")));
    EXPECT_FALSE(QFile::exists(plan->folder() + QStringLiteral("/Bakery.odt")));
}
