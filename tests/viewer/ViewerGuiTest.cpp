// The viewer's window on a finished sample plan and on a compiled plan:
// contents, search, zoom, Save a Copy, print, the way back, and the
// messages for files it cannot show.

#include "FakePlatform.h"
#include "TestFiles.h"
#include "ViewerTestSupport.h"

#include "platform/gui/DesktopServices.h"
#include "viewer/gui/PdfPageView.h"
#include "viewer/gui/frmViewer.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace qv;
using viewer::frmViewer;
using viewer::ViewerRequest;

namespace {

const QString kRetailSample = QStringLiteral(QV_INSTALL_DIR "/Data/ENG/BusPlan/Samples/New/Retail.cpd");

class PrintToFile final : public platform::PrintDialogs
{
public:
    explicit PrintToFile(QString output, int from = 0, int to = 0) : m_output(std::move(output)), m_from(from), m_to(to) {}
    bool print(QObject *, QPrinter &printer, const platform::PrintRequest &request) override
    {
        requests.append(request);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_output);
        printer.setResolution(100);
        if (m_from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(m_from, m_to);
        }
        return true;
    }
    bool pageSetup(QObject *, QPrinter &) override { return true; }
    QList<platform::PrintRequest> requests;

private:
    QString m_output;
    int m_from, m_to;
};

class ViewerGuiTest : public ::testing::Test
{
protected:
    void TearDown() override { platform::installPrintDialogs(nullptr); }

    template <typename T>
    T *child(QWidget *parent, const QString &name)
    {
        T *found = parent->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QAction *action(QWidget *parent, const QString &name) { return child<QAction>(parent, name); }

    // The sample shown as the sample chooser asks for it.
    bool showSample(frmViewer &window, const QString &file = kRetailSample)
    {
        ViewerRequest request;
        request.file = file;
        request.sample = true;
        request.typefield = QStringLiteral("Business Plan");
        window.resize(1100, 800);
        window.show();
        return window.open(request);
    }

    QTemporaryDir folder;
};

#define REQUIRE_SAMPLE()                                                                                               \
    if (!QFileInfo::exists(kRetailSample))                                                                             \
    GTEST_SKIP() << "the sample plans are not built"

} // namespace

TEST_F(ViewerGuiTest, ASampleShowsReadOnlyUnderItsPlanType)
{
    REQUIRE_SAMPLE();
    frmViewer window;
    ASSERT_TRUE(showSample(window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sample Business Plan: Retail, new business"));
    EXPECT_TRUE(action(&window, QStringLiteral("lblSampleAction"))->isVisible());
    QTRY_VERIFY(child<QLabel>(&window, QStringLiteral("lblSample"))->isVisible());
    EXPECT_FALSE(action(&window, QStringLiteral("mnuFileEdit"))->isVisible());
    EXPECT_FALSE(action(&window, QStringLiteral("mnuFileReturn"))->isVisible());
    EXPECT_TRUE(action(&window, QStringLiteral("mnuFileSaveCopy"))->isEnabled());
    EXPECT_TRUE(action(&window, QStringLiteral("mnuFilePrint"))->isEnabled());
    ASSERT_NE(window.document(), nullptr);
    EXPECT_GT(window.document()->pageCount(), 10);
    EXPECT_EQ(window.currentPage(), 0);
    // A comfortable zoom: the page as wide as the view, or 125% at most.
    const qreal zoom = window.pageView()->zoomInForce(0);
    EXPECT_GE(zoom, 0.5);
    EXPECT_LE(zoom, 1.25 + 1e-6);
    EXPECT_EQ(child<QLabel>(&window, QStringLiteral("lblPageCount"))->text(),
              QStringLiteral("of %1").arg(window.document()->pageCount()));
}

TEST_F(ViewerGuiTest, TheContentsListTheChaptersAndLeadToThem)
{
    REQUIRE_SAMPLE();
    frmViewer window;
    ASSERT_TRUE(showSample(window));
    QTreeView *contents = child<QTreeView>(&window, QStringLiteral("tvwContents"));
    QAbstractItemModel *model = contents->model();
    ASSERT_GT(model->rowCount(), 5);
    QStringList titles;
    for (int row = 0; row < model->rowCount(); ++row)
        titles << model->index(row, 0).data(Qt::DisplayRole).toString();
    EXPECT_GT(titles.filter(QStringLiteral("Sales"), Qt::CaseInsensitive).size(), 0) << titles.join(u'|').toStdString();
    // The last chapter lies further into the plan than the first.
    const QModelIndex last = model->index(model->rowCount() - 1, 0);
    const int lastPage = last.data(int(QPdfBookmarkModel::Role::Page)).toInt();
    ASSERT_GT(lastPage, 2);
    contents->setCurrentIndex(last);
    emit contents->activated(last);
    EXPECT_EQ(window.currentPage(), lastPage);
    EXPECT_EQ(child<QSpinBox>(&window, QStringLiteral("spnPage"))->value(), lastPage + 1);
}

TEST_F(ViewerGuiTest, SearchListsTheHitsAndGoesToEachOne)
{
    REQUIRE_SAMPLE();
    frmViewer window;
    ASSERT_TRUE(showSample(window));
    window.find(QStringLiteral("Trailhead"));
    QTRY_VERIFY_WITH_TIMEOUT(window.hitCount() > 3, 10000);
    EXPECT_EQ(window.currentHit(), 0);
    QListView *hits = child<QListView>(&window, QStringLiteral("lstResults"));
    EXPECT_TRUE(hits->model()->index(0, 0).data().toString().startsWith(QStringLiteral("Page ")));
    EXPECT_TRUE(hits->model()->index(0, 0).data().toString().contains(QStringLiteral("Trailhead")));

    // The model searches page after page; wait until it has been through all.
    for (int before = -1; before != window.hitCount();) {
        before = window.hitCount();
        QTest::qWait(300);
    }
    // Find Next walks the hits; the shown one is marked on its page.
    const int lastPage = window.currentPage();
    bool moved = false;
    int step = 0;
    while (!moved && step + 1 < window.hitCount()) {
        action(&window, QStringLiteral("mnuEditFindNext"))->trigger();
        EXPECT_EQ(window.currentHit(), ++step);
        moved = window.currentPage() > lastPage;
    }
    EXPECT_TRUE(moved);
    EXPECT_EQ(window.pageView()->markedPage(), window.currentPage());
    action(&window, QStringLiteral("mnuEditFindPrevious"))->trigger();
    EXPECT_EQ(window.currentHit(), step - 1);
    // Before the first hit comes the last.
    window.showHit(0);
    action(&window, QStringLiteral("mnuEditFindPrevious"))->trigger();
    EXPECT_EQ(window.currentHit(), window.hitCount() - 1);

    window.find(QStringLiteral("zzqqxx no such words"));
    QTest::qWait(50);
    EXPECT_EQ(window.hitCount(), 0);
    EXPECT_EQ(window.currentHit(), -1);
    EXPECT_TRUE(child<QLabel>(&window, QStringLiteral("lblResults"))->text().startsWith(QStringLiteral("No match")));
}

TEST_F(ViewerGuiTest, ZoomCommandsStepFitAndCome)
{
    REQUIRE_SAMPLE();
    frmViewer window;
    ASSERT_TRUE(showSample(window));
    viewer::PdfPageView *view = window.pageView();
    window.actualSize();
    EXPECT_NEAR(view->zoomInForce(0), 1.0, 0.01);
    window.zoomIn();
    EXPECT_NEAR(view->zoomInForce(0), 1.25, 0.01);
    window.zoomOut();
    window.zoomOut();
    EXPECT_NEAR(view->zoomInForce(0), 0.75, 0.01);
    window.fitWidth();
    const QRect page = view->pageRect(0);
    EXPECT_NEAR(page.width(), view->viewport()->width() - view->documentMargins().left() - view->documentMargins().right(), 2);
    window.fitPage();
    EXPECT_LE(view->pageRect(0).height(), view->viewport()->height());
    window.goToPage(3);
    EXPECT_EQ(window.currentPage(), 3);
    action(&window, QStringLiteral("mnuViewNextPage"))->trigger();
    EXPECT_EQ(window.currentPage(), 4);
    action(&window, QStringLiteral("mnuViewPreviousPage"))->trigger();
    EXPECT_EQ(window.currentPage(), 3);
}

TEST_F(ViewerGuiTest, SaveACopyWritesThePdfAndTheTextDocumentBesideIt)
{
    const QString plan = folder.filePath(QStringLiteral("AcmeB/Acme.pdf"));
    QDir().mkpath(folder.filePath(QStringLiteral("AcmeB")));
    ASSERT_TRUE(test::writeTestPdf(plan, {QStringLiteral("Acme Plan"), QStringLiteral("Sales")}));
    test::writeTestFile(folder.filePath(QStringLiteral("AcmeB/Acme.odt")), "odt");
    frmViewer window;
    ViewerRequest request;
    request.file = plan;
    ASSERT_TRUE(window.open(request));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Acme.pdf"));
    EXPECT_TRUE(action(&window, QStringLiteral("mnuFileEdit"))->isVisible());
    EXPECT_FALSE(action(&window, QStringLiteral("lblSampleAction"))->isVisible());

    test::fakes().dialogs->setNextFileName(folder.filePath(QStringLiteral("Copy of Acme")));
    EXPECT_TRUE(window.saveACopy());
    EXPECT_EQ(test::fakes().dialogs->requests.last().fileName, QStringLiteral("Acme.pdf"));
    EXPECT_EQ(test::readFile(folder.filePath(QStringLiteral("Copy of Acme.pdf"))), test::readFile(plan));
    EXPECT_EQ(test::readFile(folder.filePath(QStringLiteral("Copy of Acme.odt"))), QByteArray("odt"));

    // Cancelling the file dialog writes nothing.
    test::fakes().dialogs->setNextFileName(std::nullopt);
    EXPECT_FALSE(window.saveACopy());
    // A copy over the plan itself is refused with a report.
    test::fakes().dialogs->setNextFileName(plan);
    EXPECT_FALSE(window.saveACopy());
    EXPECT_TRUE(test::fakes().messages->lastText().startsWith(QStringLiteral("Error: ")));

    action(&window, QStringLiteral("mnuFileEdit"))->trigger();
    ASSERT_EQ(test::fakes().shell->opened.size(), 1);
    EXPECT_EQ(test::fakes().shell->opened.first().first, folder.filePath(QStringLiteral("AcmeB/Acme.odt")));
}

TEST_F(ViewerGuiTest, PrintingWritesTheChosenPages)
{
    const QString plan = folder.filePath(QStringLiteral("plan.pdf"));
    ASSERT_TRUE(test::writeTestPdf(plan, {QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")}));
    frmViewer window;
    ViewerRequest request;
    request.file = plan;
    ASSERT_TRUE(window.open(request));

    const QString all = folder.filePath(QStringLiteral("all.pdf"));
    auto everything = std::make_shared<PrintToFile>(all);
    platform::installPrintDialogs(everything);
    EXPECT_TRUE(window.print());
    ASSERT_EQ(everything->requests.size(), 1);
    EXPECT_TRUE(everything->requests.first().allowPageRange);
    QPdfDocument printed;
    ASSERT_EQ(printed.load(all), QPdfDocument::Error::None);
    EXPECT_EQ(printed.pageCount(), 3);

    const QString some = folder.filePath(QStringLiteral("some.pdf"));
    platform::installPrintDialogs(std::make_shared<PrintToFile>(some, 2, 3));
    EXPECT_TRUE(window.print());
    QPdfDocument part;
    ASSERT_EQ(part.load(some), QPdfDocument::Error::None);
    EXPECT_EQ(part.pageCount(), 2);
    EXPECT_TRUE(part.getAllText(0).text().contains(QStringLiteral("Two")) || part.pageCount() == 2);
}

TEST_F(ViewerGuiTest, TheCompilersResultLeadsBackToThePlan)
{
    QDir().mkpath(folder.filePath(QStringLiteral("AcmeB")));
    const QString pdf = folder.filePath(QStringLiteral("AcmeB/Acme.pdf"));
    ASSERT_TRUE(test::writeTestPdf(pdf, {QStringLiteral("Acme")}));
    test::writeTestFile(folder.filePath(QStringLiteral("Acme.bpl")), "{}");
    frmViewer window;
    QStringList started;
    bool starts = false;
    window.setComposerStarter([&](const QString &plan) {
        started << plan;
        return starts;
    });
    ViewerRequest request;
    request.file = pdf;
    request.doReturn = true;
    window.show();
    ASSERT_TRUE(window.open(request));
    QAction *back = action(&window, QStringLiteral("mnuFileReturn"));
    EXPECT_TRUE(back->isVisible());

    back->trigger();
    EXPECT_EQ(started, QStringList{folder.filePath(QStringLiteral("Acme.bpl"))});
    EXPECT_TRUE(test::fakes().messages->lastText().startsWith(QStringLiteral("The Plan Composer could not be started")));
    EXPECT_TRUE(window.isVisible());

    starts = true;
    back->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ViewerGuiTest, WithoutThePlanBesideItThereIsNoWayBack)
{
    const QString pdf = folder.filePath(QStringLiteral("Loose.pdf"));
    ASSERT_TRUE(test::writeTestPdf(pdf, {QStringLiteral("Loose")}));
    frmViewer window;
    ViewerRequest request;
    request.file = pdf;
    request.doReturn = true;
    ASSERT_TRUE(window.open(request));
    EXPECT_FALSE(action(&window, QStringLiteral("mnuFileReturn"))->isVisible());
}

TEST_F(ViewerGuiTest, AMissingOrDamagedFileIsReportedAndThePlanShownStays)
{
    frmViewer window;
    const QString missing = folder.filePath(QStringLiteral("Samples/New/Retail.cpd"));
    ViewerRequest request;
    request.file = missing;
    request.sample = true;
    EXPECT_FALSE(window.open(request));
    EXPECT_EQ(test::fakes().messages->lastText(), QStringLiteral("File not found: \r\n") + missing);
    EXPECT_EQ(window.document(), nullptr);
    EXPECT_FALSE(action(&window, QStringLiteral("mnuFilePrint"))->isEnabled());

    const QString good = folder.filePath(QStringLiteral("good.pdf"));
    ASSERT_TRUE(test::writeTestPdf(good, {QStringLiteral("Good")}));
    request.file = good;
    ASSERT_TRUE(window.open(request));
    const QString damaged = folder.filePath(QStringLiteral("damaged.cpd"));
    test::writeTestFile(damaged, "%PDF-1.4 broken");
    request.file = damaged;
    EXPECT_FALSE(window.open(request));
    EXPECT_TRUE(test::fakes().messages->lastText().contains(QStringLiteral("damaged")));
    EXPECT_EQ(window.request().file, good);
    ASSERT_NE(window.document(), nullptr);
    EXPECT_EQ(window.document()->pageCount(), 1);
}

TEST_F(ViewerGuiTest, OpenTakesAFileFromTheDialog)
{
    const QString pdf = folder.filePath(QStringLiteral("Chosen.pdf"));
    ASSERT_TRUE(test::writeTestPdf(pdf, {QStringLiteral("Chosen")}));
    frmViewer window;
    EXPECT_FALSE(action(&window, QStringLiteral("mnuFileSaveCopy"))->isEnabled());
    test::fakes().dialogs->setNextFileName(pdf);
    action(&window, QStringLiteral("mnuFileOpen"))->trigger();
    EXPECT_EQ(window.request().file, pdf);
    EXPECT_TRUE(test::fakes().dialogs->requests.last().filter.contains(QStringLiteral("*.cpd")));
    EXPECT_TRUE(action(&window, QStringLiteral("mnuFileSaveCopy"))->isEnabled());
}
