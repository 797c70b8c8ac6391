// Saves pictures of the sample chooser's program choice with the viewer
// installed, and of the viewer on a sample plan's cover, contents, a table
// page and a search, when QV_SCREENSHOT_DIR names a folder; does nothing
// otherwise.

#include "FakePlatform.h"
#include "TestFiles.h"
#include "ViewerTestSupport.h"

#include "create/opening/gui/Plan_Options.h"
#include "create/opening/gui/frmSamplePlan.h"
#include "platform/Folders.h"
#include "viewer/CViewer.h"
#include "viewer/gui/PdfPageView.h"
#include "viewer/gui/frmViewer.h"

#include <QApplication>
#include <algorithm>
#include <QDir>
#include <QPdfDocument>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace qv;

namespace {

class ViewerScreenshots : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (folder.isEmpty())
            GTEST_SKIP() << "QV_SCREENSHOT_DIR not set";
        QDir().mkpath(folder);
    }
    void TearDown() override { create::registerSampleViewer(create::kSampleViewerProgId, nullptr); }
    void save(QWidget *widget, const QString &name)
    {
        QApplication::processEvents();
        QTest::qWait(200);
        EXPECT_TRUE(widget->grab().save(QDir(folder).filePath(name)));
    }
    QString folder;
};

// The first page whose text holds every word.
// Shows a built sample in the window as the sample chooser asks for it.
bool openSample(viewer::frmViewer &window, const QString &sample, const QString &planType)
{
    window.resize(1200, 860);
    window.show();
    viewer::ViewerRequest request;
    request.file = QStringLiteral(QV_INSTALL_DIR) + sample;
    request.sample = true;
    request.typefield = planType;
    return window.open(request);
}

int pageWith(QPdfDocument &document, const QStringList &words)
{
    for (int page = 0; page < document.pageCount(); ++page) {
        const QString text = document.getAllText(page).text();
        if (std::all_of(words.begin(), words.end(), [&](const QString &w) { return text.contains(w); }))
            return page;
    }
    return 0;
}

} // namespace

TEST_F(ViewerScreenshots, ProgramChoiceWithTheViewerInstalled)
{
    ASSERT_TRUE(viewer::registerInstalledViewer()) << "the build's install folder has no viewer program";
    create::frmSamplePlan chooser(0);
    chooser.load();
    chooser.show();
    save(&chooser, QStringLiteral("viewer-sample-chooser.png"));
    create::Plan_Options options;
    options.load();
    options.show();
    save(&options, QStringLiteral("viewer-program-choice.png"));
}

TEST_F(ViewerScreenshots, TheViewerOnARetailSample)
{
    viewer::frmViewer window;
    ASSERT_TRUE(openSample(window, QStringLiteral("/Data/ENG/BusPlan/Samples/New/Retail.cpd"), QStringLiteral("Business Plan")));
    save(&window, QStringLiteral("viewer-cover.png"));

    window.goToPage(pageWith(*window.document(), {QStringLiteral("Sales Forecast"), QStringLiteral("Footwear")}));
    save(&window, QStringLiteral("viewer-table.png"));

    window.find(QStringLiteral("boot fitting"));
    QTRY_VERIFY_WITH_TIMEOUT(window.hitCount() > 0, 10000);
    QTest::qWait(500);
    window.showHit(std::min(2, window.hitCount() - 1));
    save(&window, QStringLiteral("viewer-search.png"));
}

TEST_F(ViewerScreenshots, TheViewerOnACompiledMarketingSampleFitToPage)
{
    viewer::frmViewer window;
    ASSERT_TRUE(openSample(window, QStringLiteral("/Data/ENG/MrktPlan/Samples/Service.cpd"), QStringLiteral("Marketing Plan")));
    window.fitPage();
    window.goToPage(2);
    save(&window, QStringLiteral("viewer-marketing-fit-page.png"));
}
