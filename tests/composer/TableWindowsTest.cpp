// The windows the composer opens on the open plan's tables work on the
// session's loaded workbooks: the spreadsheet module, its shared undo and
// the cell link that closes it and goes to the linked cell.

#include "composer/OpenPlanSession.h"
#include "composer/TableWindows.h"
#include "composer/frmCellLinkInfo.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbookview/SheetGrid.h"
#include "controls/workbookview/WorkbookView.h"
#include "editors/frmSpreadSheet.h"
#include "FakePlatform.h"
#include "PlanFixture.h"
#include "shell/CurrentPlan.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace qv;

namespace {

struct OpenLinkedPlan
{
    OpenLinkedPlan()
    {
        const QString linked = QDir(fixture.planFolder()).filePath(QStringLiteral("Tbl0201.vts"));
        workbook::Workbook book;
        book.read(linked);
        book.setFormula(3, 1, QStringLiteral("=[Tbl0101]Sheet1!$a$2*2"));
        book.write(linked);
        shell::replaceCurrentPlan();
        opened = session.OpenPlan(fixture.documentPath()).ok();
    }
    ~OpenLinkedPlan() { shell::releaseCurrentPlan(); }

    test::PlanFixture fixture;
    composer::OpenPlanSession session;
    bool opened = false;
};

} // namespace

TEST(TableWindows, TheModuleShowsTheSessionsWorkbookAndSharesItsUndo)
{
    OpenLinkedPlan plan;
    ASSERT_TRUE(plan.opened);
    plan.session.setCurrentTable(plan.session.plan().outline().findTable(QStringLiteral("Tbl0101")).table);
    QWidget composerWindow;
    composer::TableWindows windows(plan.session, &composerWindow, {});
    editors::frmSpreadSheet *module = windows.openSpreadsheet();
    ASSERT_TRUE(module);
    workbook::Workbook *book = plan.session.table(QStringLiteral("Tbl0101"));
    EXPECT_EQ(module->spreadsheet(), book);

    workbook::WorkbookView tableView; // the composer's table view
    tableView.setWorkbook(book);
    const double before = book->number(2, 1);
    book->setActiveCell(2, 1);
    QTest::keyClicks(module->sheet()->grid(), QStringLiteral("7"));
    QTest::keyClick(module->sheet()->grid()->findChild<QLineEdit *>(QStringLiteral("cellEditor")), Qt::Key_Return);
    EXPECT_EQ(book->number(2, 1), 7);
    EXPECT_EQ(plan.session.table(QStringLiteral("Tbl0201"))->number(3, 1), 14);
    EXPECT_TRUE(plan.session.isModified());
    ASSERT_TRUE(tableView.undo());
    EXPECT_EQ(book->number(2, 1), before);
}

TEST(TableWindows, FollowingALinkClosesTheModuleAndGoesToTheCell)
{
    OpenLinkedPlan plan;
    ASSERT_TRUE(plan.opened);
    plan.session.setCurrentTable(plan.session.plan().outline().findTable(QStringLiteral("Tbl0201")).table);
    QWidget composerWindow;
    QString wentTo;
    composer::TableWindows windows(plan.session, &composerWindow, [&](const QString &table, int row, int col) {
        wentTo = QStringLiteral("%1 %2 %3").arg(table).arg(row).arg(col);
        return true;
    });
    QPointer<editors::frmSpreadSheet> module = windows.openSpreadsheet();
    ASSERT_TRUE(module);
    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<composer::frmCellLinkInfo *>(QApplication::activeModalWidget()))
            dialog->findChild<QPushButton *>(QStringLiteral("cmdGoto"))->click();
    });
    EXPECT_TRUE(windows.viewCellLink(plan.session.table(QStringLiteral("Tbl0201"))->formula(3, 1)));
    EXPECT_EQ(wentTo, QStringLiteral("Tbl0101 2 1"));
    EXPECT_TRUE(!module || !module->isVisible());
}

#include "composer/CellLinks.h"
#include "composer/PlanTables.h"

#include <QPainter>

TEST(TableWindows, ScreenshotOfTheCellLinkDialogOverTheModule)
{
    OpenLinkedPlan plan;
    ASSERT_TRUE(plan.opened);
    plan.session.setCurrentTable(plan.session.plan().outline().findTable(QStringLiteral("Tbl0201")).table);
    QWidget composerWindow;
    composer::TableWindows windows(plan.session, &composerWindow, {});
    editors::frmSpreadSheet *module = windows.openSpreadsheet();
    ASSERT_TRUE(module);
    module->resize(1280, 800);
    workbook::Workbook *book = plan.session.table(QStringLiteral("Tbl0201"));
    book->setFormula(4, 2, QStringLiteral("=[Tbl0101]Sheet1!$A$2+[Tbl0201]Sheet1!$A$3"));
    book->setActiveCell(4, 2);
    QApplication::processEvents();
    QImage picture = module->grab().toImage();

    const auto found = composer::findCellLinks(book->formula(4, 2), composer::tablesInPlanOrder(plan.session.plan().outline()));
    composer::frmCellLinkInfo dialog(module);
    for (const composer::CellLink &link : found.links)
        dialog.addTable(link);
    dialog.setExplanation(found.explanation(), found.several);
    dialog.show();
    QApplication::processEvents();
    const QImage shown = dialog.grab().toImage();
    QPainter painter(&picture);
    painter.drawImage((picture.width() - shown.width()) / 2, (picture.height() - shown.height()) / 3, shown);
    painter.end();
    picture.save(QStringLiteral(QV_BINARY_DIR "/cell-link.png"));
    SUCCEED();
}
