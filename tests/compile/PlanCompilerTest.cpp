// The compiled fixture plan, checked with poppler's tools as a reader would
// see it: text and its order, pages, fonts, bookmarks and links.

#include "CompileFixture.h"
#include "CompilerTestSupport.h"
#include "TestFiles.h"

#include "compile/CompileFiles.h"
#include "compile/compiler/CompilerCommandLine.h"
#include "compile/compiler/PlanCompiler.h"
#include "platform/Error.h"

#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace qv::compiler;
using qv::test::pdfText;

namespace {

class Compiled : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        plan = qv::test::makeCompileFixture(root.path());
        folder = plan->folder() + QLatin1Char('/');
        qv::compile::writeCompileFiles(*plan, qv::compile::PrintConversions(), {});
        pdf = folder + QStringLiteral("Bakery.pdf");
        odt = folder + QStringLiteral("Bakery.odt");
    }
    static bool havePoppler()
    {
        return !qv::test::findProgram(QStringLiteral("pdftotext")).isEmpty()
               && !qv::test::findProgram(QStringLiteral("pdfinfo")).isEmpty();
    }
    CompileResult compile(const CompileProgress &progress = {})
    {
        CompileRequest request;
        request.folder = folder;
        return compilePlan(request, progress);
    }

    QTemporaryDir root;
    std::unique_ptr<qv::plan::Plan> plan;
    QString folder, pdf, odt;
};

// Page sizes in points, from pdfinfo, by page number from 1.
std::vector<QSizeF> pageSizes(const QString &pdf)
{
    const QString info =
        qv::test::runProgram(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                        QStringLiteral("999"), pdf})
            .out;
    std::vector<QSizeF> sizes;
    static const QRegularExpression size(QStringLiteral("Page +\\d+ size: +([\\d.]+) x ([\\d.]+) pts"));
    for (auto m = size.globalMatch(info); m.hasNext();) {
        const auto match = m.next();
        sizes.emplace_back(match.captured(1).toDouble(), match.captured(2).toDouble());
    }
    return sizes;
}

} // namespace

TEST_F(Compiled, TheCoverAndEveryHeadingInOutlineOrderWithoutExcludedSections)
{
    const CompileResult result = compile();
    EXPECT_EQ(result.pdfPath, pdf);
    EXPECT_EQ(result.odtPath, odt);
    EXPECT_TRUE(result.leftOut.isEmpty()) << result.leftOut.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(QFile::exists(pdf));
    ASSERT_TRUE(QFile::exists(odt));
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed";

    const QString cover = pdfText(pdf, 1);
    for (const char *text : {"Harbor Street Bakery", "Business Plan", "First Harbor Bank", "January 15, 2026", "Ann Lee",
                             "12 Harbor St.", "Portland, ME 04101", "207-555-0100"})
        EXPECT_TRUE(cover.contains(QString::fromUtf8(text))) << text << "\n" << cover.toStdString();

    const QString text = pdfText(pdf);
    qsizetype at = 0;
    for (const char *heading : {"Contents", "1  Company", "1.1  Mission", "1.2  Ownership", "2  Products & “Specialties”",
                                "2.1  Zoë’s Lódz “Rye” — 5 µm"}) {
        // The contents list them first; the headings follow in the same order.
        const qsizetype found = text.indexOf(QString::fromUtf8(heading).simplified().replace(QStringLiteral("  "), QStringLiteral(" ")), at);
        const qsizetype foundSpaced = text.indexOf(QString::fromUtf8(heading), at);
        const qsizetype where = found >= 0 ? found : foundSpaced;
        EXPECT_GE(where, 0) << heading << "\n" << text.toStdString();
        if (where >= 0)
            at = where;
    }
    for (const char *excluded : {"Overview", "Location", "Highlights", "Lease"})
        EXPECT_FALSE(text.contains(QLatin1String(excluded))) << excluded;
    // Tables and charts under their titles.
    for (const char *title : {"Start-up Costs", "Owners", "Partners' Shares", "Ann Lee", "Total"})
        EXPECT_TRUE(text.contains(QLatin1String(title))) << title;
    // The header and footer.
    EXPECT_TRUE(pdfText(pdf, 3).contains(QStringLiteral("Page 3")));
}

TEST_F(Compiled, LandscapeTablesOnLandscapePages)
{
    const CompileResult result = compile();
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) is not installed";
    const auto sizes = pageSizes(pdf);
    ASSERT_EQ(int(sizes.size()), result.pages);
    int landscape = 0;
    for (int page = 1; page <= int(sizes.size()); ++page) {
        const QSizeF size = sizes[std::size_t(page - 1)];
        const QString text = pdfText(pdf, page);
        // "Owners" is the one landscape table; everything else stands upright.
        const bool owners = text.contains(QStringLiteral("Owner")) && text.contains(QStringLiteral("Share"))
                            && !text.contains(QStringLiteral("Ownership"));
        if (size.width() > size.height()) {
            ++landscape;
            EXPECT_TRUE(owners) << "page " << page << ": " << text.toStdString();
            EXPECT_NEAR(size.width(), 792, 1);
            EXPECT_NEAR(size.height(), 612, 1);
        } else {
            EXPECT_NEAR(size.width(), 612, 1);
        }
    }
    EXPECT_EQ(landscape, 1);
}

TEST_F(Compiled, EveryFontIsEmbedded)
{
    compile();
    const auto fonts = qv::test::runProgram(QStringLiteral("pdffonts"), {pdf});
    if (!fonts.started)
        GTEST_SKIP() << "pdffonts (poppler-utils) is not installed";
    const QStringList lines = fonts.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2) << fonts.out.toStdString();
    for (const QString &line : lines.mid(2)) {
        // name type encoding emb sub uni object ID
        const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 7) << line.toStdString();
        EXPECT_EQ(columns.at(columns.size() - 5), QStringLiteral("yes")) << line.toStdString();
    }
}

TEST_F(Compiled, BookmarksForChaptersAndSectionsAndLinksFromTheContents)
{
    compile();
    QPDF reader;
    reader.processFile(pdf.toLocal8Bit().constData());
    QPDFOutlineDocumentHelper outline(reader);
    ASSERT_TRUE(outline.hasOutlines());
    std::vector<std::string> titles;
    for (auto &chapter : outline.getTopLevelOutlines()) {
        titles.push_back(chapter.getTitle());
        for (auto &section : chapter.getKids())
            titles.push_back("  " + section.getTitle());
    }
    const std::vector<std::string> expected{"1 Company", "  1.1 Mission", "  1.2 Ownership",
                                            "2 Products & “Specialties”", "  2.1 Zoë’s Lódz “Rye” — 5 µm"};
    EXPECT_EQ(titles, expected);
    // Page 2 holds the contents: one link per entry.
    auto pages = QPDFPageDocumentHelper(reader).getAllPages();
    ASSERT_GT(pages.size(), 2u);
    auto annots = pages[1].getObjectHandle().getKey("/Annots");
    ASSERT_TRUE(annots.isArray());
    EXPECT_EQ(annots.getArrayNItems(), 5);
    EXPECT_TRUE(annots.getArrayItem(0).getKey("/Dest").isArray());
}

TEST_F(Compiled, AMissingListedFileLeavesTheRestAndIsNamed)
{
    QFile::remove(folder + QStringLiteral("Ans00005.rtf"));
    QFile::remove(folder + QStringLiteral("TBL0204.WMF"));
    const CompileResult result = compile();
    ASSERT_EQ(result.leftOut.size(), 2) << result.leftOut.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(result.leftOut[0].startsWith(QStringLiteral("Ans00005.rtf (")));
    EXPECT_TRUE(result.leftOut[1].startsWith(QStringLiteral("TBL0204.WMF (")));
    EXPECT_EQ(exitCodeOf(result), kCompiledLeftOut);
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Ownership")));
    EXPECT_TRUE(text.contains(QStringLiteral("Owners")));
    EXPECT_FALSE(text.contains(QStringLiteral("Partners' Shares")));
}

TEST_F(Compiled, ACancelledCompileLeavesTheOldOutputWhole)
{
    compile();
    const QByteArray oldPdf = qv::test::readFile(pdf);
    const QByteArray oldOdt = qv::test::readFile(odt);
    ASSERT_FALSE(oldPdf.isEmpty());
    for (CompileStep cancelAt : {CompileStep::Reading, CompileStep::Drawing, CompileStep::OpenDocument}) {
        CompileStep current = CompileStep::Reading;
        CompileProgress progress;
        progress.stepStarted = [&](CompileStep step, int) { current = step; };
        progress.partDone = [&](int) { return current != cancelAt; };
        QFile::remove(folder + QStringLiteral("Ans00003.rtf")); // the new one would differ
        const CompileResult result = compile(progress);
        EXPECT_TRUE(result.cancelled);
        EXPECT_EQ(exitCodeOf(result), kCancelled);
        EXPECT_EQ(qv::test::readFile(pdf), oldPdf);
        EXPECT_EQ(qv::test::readFile(odt), oldOdt);
    }
    // No temporary files are left behind.
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.pdf*"), QStringLiteral("*.odt*")}, QDir::Files).size(), 2);
}

TEST_F(Compiled, ASectionTextWithAQuoteAnAccentAndAPicture)
{
    QImage dot(24, 16, QImage::Format_RGB32);
    dot.fill(QColor(0x2E, 0x7D, 0x32));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    dot.save(&buffer, "PNG");
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 "
                           "Our \\ldblquote Harbor\\rdblquote  loaf is a caf\\'e9 favourite.\\par "
                           "{\\pict\\pngblip\\picw24\\pich16\\picwgoal360\\pichgoal240 "
                           + png.toHex() + "}\\par }";
    qv::test::writeTestFile(folder + QStringLiteral("Ans00003.rtf"), rtf);
    const CompileResult result = compile();
    EXPECT_TRUE(result.leftOut.isEmpty());
    // The picture travels into the OpenDocument text as a file of its own.
    EXPECT_TRUE(qv::test::readFile(odt).contains("Pictures/text1.png"));
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("Our “Harbor” loaf is a café favourite."))) << pdfText(pdf).toStdString();
    const auto images = qv::test::runProgram(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    EXPECT_GE(images.out.count(QStringLiteral("\n")), 3) << images.out.toStdString(); // two header lines and the picture
}

TEST_F(Compiled, QuietRunsPrintTheFilesAndSayWhatIsWrong)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CompileRequest request;
    request.folder = folder;
    request.writeOdt = false;
    request.pdfPath = root.filePath(QStringLiteral("elsewhere.pdf"));
    EXPECT_EQ(compileQuietly(request, QStringLiteral("compiler"), outStream, errStream), kCompiled);
    outStream.flush();
    EXPECT_EQ(out, QDir::toNativeSeparators(request.pdfPath) + QLatin1Char('\n'));
    EXPECT_FALSE(QFile::exists(odt));

    request.folder = root.filePath(QStringLiteral("nowhere"));
    EXPECT_EQ(compileQuietly(request, QStringLiteral("compiler"), outStream, errStream), kFailed);
    errStream.flush();
    EXPECT_TRUE(err.startsWith(QStringLiteral("compiler: "))) << err.toStdString();
    request.folder.clear();
    EXPECT_EQ(compileQuietly(request, QStringLiteral("compiler"), outStream, errStream), kFailed);
    errStream.flush();
    EXPECT_TRUE(err.contains(QStringLiteral("Plan to compile is not located")));
}
