#include "ComposerTestSupport.h"

#include "controls/richtextview/DisplayBox.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/WorkbookView.h"
#include "editors/analysis/AnalysisWorkbooks.h"
#include "editors/analysis/frmAnalysis.h"
#include "plan/ModEnglish.h"
#include "platform/Paths.h"

#include <QPushButton>
#include <QTabBar>
#include <QTimer>

using namespace qv;
using qv::test::OpenComposer;
using qv::test::PlanFixture;
using qv::test::fakes;

namespace {

// An analysis of five year sheets reading the fixture's first table, its
// example, and its instructions, written where the profile points.
// Gives the fixture's plan an analysis in its profile, over three projected years.
std::unique_ptr<plan::Plan> offerAnalysis(const PlanFixture &fixture)
{
    auto plan = std::make_unique<plan::Plan>();
    plan->Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan->setFilePath(fixture.documentPath());
    EXPECT_TRUE(plan->Open());
    plan->profile().setProjectedYears(3);
    plan->profile().setAnalysis(true);
    plan->profile().setAnalysisTitle(QStringLiteral("Financial &Analysis"));
    plan->profile().setAnalysisFileName(QStringLiteral("Analysis.vts"));
    plan->profile().setExampleKey(QStringLiteral("ANAL"));
    plan->Save();
    return plan;
}

void writeAnalysisFiles(PlanFixture &fixture)
{
    const std::unique_ptr<plan::Plan> plan = offerAnalysis(fixture);
    workbook::Workbook analysis;
    for (int year = 2; year <= 5; ++year)
        analysis.addSheet();
    for (int year = 1; year <= 5; ++year) {
        analysis.setActiveSheet(year - 1);
        analysis.setText(1, 1, QStringLiteral("Sales, year %1").arg(year));
        analysis.setFormula(2, 1, QStringLiteral("=[Tbl0101]Sheet1!A2*%1").arg(year));
    }
    analysis.setActiveSheet(0);
    analysis.setText(3, 28, QStringLiteral("far right")); // column AB
    analysis.write(analysis::analysisPath(*plan));
    workbook::Workbook example;
    example.setText(1, 1, QStringLiteral("Example analysis"));
    QDir().mkpath(plan::ModEnglish::GetTablesFolder(plan->planInfo()));
    example.write(analysis::examplePath(*plan));
    PlanFixture::writeRtf(analysis::instructionsPath(*plan), QStringLiteral("How to read the ratios"));
}

template <class T> T *in(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

} // namespace

TEST(Analysis, PrintRangesReachPastZAndTabsFollowTheProjectedYears)
{
    workbook::Workbook book;
    EXPECT_EQ(analysis::printRangeText(book), QStringLiteral("A1:A1"));
    book.setNumber(7, 3, 1);
    EXPECT_EQ(analysis::printRangeText(book), QStringLiteral("A1:C7"));
    book.setNumber(2, 28, 1);
    EXPECT_EQ(analysis::printRangeText(book), QStringLiteral("A1:AB7"));
    EXPECT_EQ(analysis::analysisYears(3, 5), 3);
    EXPECT_EQ(analysis::analysisYears(5, 3), 3);
    EXPECT_EQ(analysis::analysisYears(0, 5), 1);
}

TEST(Analysis, TheToolsItemShowsCurrentFiguresYearTabsExampleAndInstructions)
{
    OpenComposer c({}, writeAnalysisFiles);
    ASSERT_TRUE(c.opened);
    QAction *item = c.child<QAction>("mnuTools_8");
    ASSERT_TRUE(item->isVisible());
    EXPECT_EQ(item->text(), QStringLiteral("Financial &Analysis"));
    // An edit of the plan's table, not yet saved, is what the analysis reads.
    c.window->getTables().find(QStringLiteral("Tbl0101"))->setNumber(2, 1, 150);

    bool inspected = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<analysis::frmAnalysis *>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        auto *tabs = in<QTabBar>(window, "tabAnalysis");
        auto *view = in<workbook::WorkbookView>(window, "f1Analysis");
        auto *example = in<QPushButton>(window, "cmdExample");
        auto *print = in<QPushButton>(window, "cmdPrint");
        ASSERT_EQ(tabs->count(), 4); // the fixture projects three years
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("Projected year 1"));
        EXPECT_EQ(tabs->tabText(2), QStringLiteral("Projected year 3"));
        EXPECT_EQ(tabs->tabText(3), QStringLiteral("Instructions"));
        EXPECT_TRUE(c.window->getTables().contains(QStringLiteral("Analysis")));
        EXPECT_EQ(view->workbook()->number(2, 1), 150);
        tabs->setCurrentIndex(2);
        EXPECT_EQ(view->workbook()->activeSheet(), 2);
        EXPECT_EQ(view->workbook()->number(2, 1), 450);
        tabs->setCurrentIndex(3);
        EXPECT_TRUE(view->isHidden());
        EXPECT_TRUE(print->isHidden());
        EXPECT_TRUE(example->isHidden());
        EXPECT_FALSE(in<richtext::DisplayBox>(window, "rtfInstr")->isHidden());
        EXPECT_TRUE(in<richtext::DisplayBox>(window, "rtfInstr")->view()->toPlainText().contains(
            QStringLiteral("How to read the ratios")));
        tabs->setCurrentIndex(0);
        EXPECT_FALSE(view->isHidden());
        EXPECT_FALSE(print->isHidden());
        EXPECT_EQ(example->text(), QStringLiteral("&Example"));
        example->click();
        EXPECT_EQ(example->text(), QStringLiteral("Analysis"));
        EXPECT_EQ(view->workbook()->text(1, 1), QStringLiteral("Example analysis"));
        example->click();
        EXPECT_EQ(example->text(), QStringLiteral("&Example"));
        EXPECT_EQ(view->workbook()->text(1, 1), QStringLiteral("Sales, year 1"));
        inspected = true;
        in<QPushButton>(window, "cmdClose")->click();
    });
    item->trigger();
    EXPECT_TRUE(inspected);
    EXPECT_FALSE(c.window->getTables().contains(QStringLiteral("Analysis")));

    // Closing wrote the analysis back, its links intact.
    workbook::Workbook written;
    written.read(platform::joinPath(c.fixture.planFolder(), QStringLiteral("Analysis.vts")));
    EXPECT_EQ(written.sheetCount(), 5);
    EXPECT_EQ(written.formula(2, 1), QStringLiteral("=[Tbl0101]Sheet1!A2*1"));
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(Analysis, AnAnalysisThatCannotBeReadIsReportedAndNotOverwritten)
{
    OpenComposer c({}, [](PlanFixture &fixture) { offerAnalysis(fixture); });
    ASSERT_TRUE(c.opened);
    const QString path = platform::joinPath(c.fixture.planFolder(), QStringLiteral("Analysis.vts"));
    {
        QFile damaged(path);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a workbook");
    }
    QTimer::singleShot(0, [] {
        if (QWidget *window = QApplication::activeModalWidget())
            window->close();
    });
    c.child<QAction>("mnuTools_8")->trigger();
    ASSERT_FALSE(fakes().messages->shown.isEmpty());
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("not a workbook"));
}
