#include "ComposerTestSupport.h"

#include "composer/PlanTables.h"
#include "composer/SectionFiles.h"
#include "composer/frmTables.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/WorkbookView.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QWidget>

using namespace qv;
using namespace qv::test;

namespace {

// Gives section 1.1 two more tables ("Tbl0101b" "Second table", "Tbl0101c"
// "Third table") and shows the section again with every table loaded.
void addTablesToFirstSection(OpenComposer &c)
{
    auto &section = shell::currentPlan()->outline().chapters().item(1)->sections().item(1);
    for (const char *name : {"b", "c"}) {
        const QString file = QStringLiteral("Tbl0101%1.vts").arg(QLatin1String(name));
        section->tables().Add(std::make_shared<plan::Table>(
            file, name[0] == 'b' ? QStringLiteral("Second table") : QStringLiteral("Third table")));
        workbook::Workbook book;
        book.setText(1, 1, file);
        book.write(platform::joinPath(c.fixture.planFolder(), file));
    }
    c.window->LoadAllTables();
    c.select(QStringLiteral("Plan.1.2"));
    c.select(QStringLiteral("Plan.1.1"));
}

QString pictureKey(const OpenComposer &c, const char *panel)
{
    return c.child<QLabel>(panel)->property("pictureKey").toString();
}

} // namespace

TEST(ComposerMenus, EditToolsAndHelpMenusHaveTheirItemsInPlace)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    const struct
    {
        const char *name;
        const char *caption;
    } items[] = {{"mnuEdit_1", "Cu&t"},
                 {"mnuEdit_2", "&Copy"},
                 {"mnuEdit_3", "&Paste"},
                 {"mnuEdit_4", "C&lear"},
                 {"mnuEdit_6", "&Spelling"},
                 {"mnuEdit_8", "Hide Row(s)"},
                 {"mnuEdit_9", "Hide Column (s)"},
                 {"mnuEdit_11", "Unhide Row (s)"},
                 {"mnuEdit_12", "Unhide Column (s)"},
                 {"mnuEdit_14", "Row Height"},
                 {"mnuEdit_15", "Column Width"},
                 {"mnuTools_0", "Word &Processor"},
                 {"mnuTools_1", "&Spread Sheet"},
                 {"mnuTools_2", "Graph Generator"},
                 {"mnuTools_4", "&Calculator"},
                 {"mnuTools_5", "Financial Advisor"},
                 {"mnuTools_6", "&Go Online"},
                 {"mnuHelp_0", "&Help Topics..."},
                 {"mnuHelp_2", "&Other Products"},
                 {"mnuHelp_4", "&About Quorvex 8.0..."},
                 {"mnuViewListOfTables", "List of &Tables"}};
    for (const auto &item : items) {
        QAction *action = c.child<QAction>(item.name);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), QLatin1String(item.caption)) << item.name;
        EXPECT_FALSE(action->isSeparator()) << item.name;
    }
    for (const char *name : {"mnuEdit_5", "mnuEdit_7", "mnuEdit_10", "mnuEdit_13", "mnuTools_3", "mnuHelp_3",
                             "mnuWorkPopUp_4", "mnuWorkPopUp_6"}) {
        ASSERT_NE(c.child<QAction>(name), nullptr) << name;
        EXPECT_TRUE(c.child<QAction>(name)->isSeparator()) << name;
    }
    // The items follow their indexes.
    const QList<QAction *> edit = c.child<QMenu>("mnuEditTop")->actions();
    // Undo and Redo come first, without shifting the others' indexes.
    ASSERT_EQ(edit.size(), 18);
    EXPECT_EQ(edit[0]->objectName(), QStringLiteral("mnuEdit_0"));
    EXPECT_EQ(edit[1]->objectName(), QStringLiteral("mnuEditRedo"));
    EXPECT_TRUE(edit[2]->isSeparator());
    for (int index = 1; index <= 15; ++index)
        EXPECT_EQ(edit[index + 2]->objectName(), QStringLiteral("mnuEdit_%1").arg(index));
    // Every tool's window opens; the tips page too.
    for (const char *name : {"mnuTools_0", "mnuWorkPopUp_8"})
        EXPECT_TRUE(c.child<QAction>(name)->isEnabled()) << name;
    EXPECT_TRUE(c.child<QAction>("mnuHelp_1")->isVisible());
    EXPECT_FALSE(c.child<QAction>("mnuTools_8")->isVisible());
}

TEST(ComposerMenus, TheAnalysisItemShowsForPlansThatOfferIt)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    shell::currentPlan()->profile().setAnalysis(true);
    shell::currentPlan()->profile().setAnalysisTitle(QStringLiteral("Ratio Analysis"));
    c.window->updateWorkCommands();
    EXPECT_TRUE(c.child<QAction>("mnuTools_7")->isVisible());
    EXPECT_TRUE(c.child<QAction>("mnuTools_8")->isVisible());
    EXPECT_EQ(c.child<QAction>("mnuTools_8")->text(), QStringLiteral("Ratio Analysis"));
    EXPECT_TRUE(c.child<QAction>("mnuTools_8")->isEnabled());
    shell::currentPlan()->profile().setAnalysis(false);
    c.window->updateWorkCommands();
    EXPECT_FALSE(c.child<QAction>("mnuTools_8")->isVisible());
}

TEST(ComposerMenus, TheCalculatorIsTheDesktopsOrAPackageIsNamed)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    // Only the applications of a private data folder are installed.
    const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_DIRS", QFile::encodeName(c.fixture.root()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(c.fixture.root()));
    c.child<QAction>("mnuTools_4")->trigger();
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("gnome-calculator")));
    EXPECT_FALSE(fakes().messages->lastText().startsWith(QStringLiteral("File not found")));
    EXPECT_TRUE(fakes().processes->started.isEmpty());
    QDir().mkpath(c.fixture.root() + QStringLiteral("/applications"));
    ASSERT_TRUE(platform::writeFileAtomically(c.fixture.root() + QStringLiteral("/applications/calc.desktop"),
                                              "[Desktop Entry]\nType=Application\nName=Calculator\n"
                                              "Exec=sh %U\nCategories=Utility;Calculator;\n")
                    .isEmpty());
    c.child<QAction>("mnuTools_4")->trigger();
    ASSERT_EQ(fakes().processes->started.size(), 1);
    EXPECT_EQ(fakes().processes->started[0].program, QStringLiteral("sh"));
    EXPECT_EQ(fakes().messages->shown.size(), 1);
    qputenv("XDG_DATA_DIRS", dataDirs);
    qputenv("XDG_DATA_HOME", dataHome);
}

TEST(ComposerMenus, TheWorkPopUpFollowsTheTextAndItsSelection)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto item = [&](int index) { return c.child<QAction>(QStringLiteral("mnuWorkPopUp_%1").arg(index).toLatin1()); };
    c.window->showWorkPopUp(QPoint(10, 10));
    auto *popUp = c.child<QMenu>("mnuWorkPopUp");
    EXPECT_TRUE(popUp->isVisible());
    popUp->close();
    EXPECT_EQ(item(0)->text(), QStringLiteral("&Undo"));
    EXPECT_EQ(item(5)->text(), QStringLiteral("&Character"));
    EXPECT_EQ(item(7)->text(), QStringLiteral("&Spelling"));
    EXPECT_EQ(item(8)->text(), QStringLiteral("Word &Processor"));
    EXPECT_FALSE(item(0)->isEnabled()); // nothing to undo
    EXPECT_FALSE(item(1)->isEnabled()); // nothing selected
    EXPECT_FALSE(item(2)->isEnabled());
    EXPECT_TRUE(item(5)->isEnabled());
    EXPECT_TRUE(item(7)->isEnabled());
    c.type(QStringLiteral(" typed"));
    c.editor()->setSelection(0, 4);
    c.window->showWorkPopUp(QPoint(10, 10));
    popUp->close();
    EXPECT_TRUE(item(0)->isEnabled());
    EXPECT_TRUE(item(1)->isEnabled());
    EXPECT_TRUE(item(2)->isEnabled());
    item(2)->trigger();
    EXPECT_EQ(fakes().clipboard->text(), QStringLiteral("Text"));
    EXPECT_TRUE(item(8)->isEnabled()); // the word processor takes any text with a file
}

TEST(ComposerMenus, EditCommandsActOnTheViewShown)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->updateWorkCommands();
    EXPECT_FALSE(c.child<QAction>("mnuEdit_8")->isEnabled()); // rows belong to the table view
    c.window->showWorkView(1);
    workbook::Workbook *book = c.window->getTables().find(QStringLiteral("Tbl0101"));
    book->setSelection(workbook::CellRange::cell(2, 1));
    EXPECT_TRUE(c.child<QAction>("mnuEdit_8")->isEnabled());
    c.child<QAction>("mnuEdit_2")->trigger();
    EXPECT_EQ(fakes().clipboard->text().trimmed(), QStringLiteral("100"));
    c.child<QAction>("mnuEdit_8")->trigger();
    EXPECT_TRUE(book->isRowHidden(2));
    c.child<QAction>("mnuEdit_11")->trigger();
    EXPECT_FALSE(book->isRowHidden(2));
}

TEST(ComposerMenus, SpellingReportsAMissingDictionary)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    platform::Folders::setSystemFolder(c.fixture.root()); // no dictionary there
    c.child<QAction>("mnuEdit_6")->trigger();
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Spell checking ability not availible in this release."));
}

TEST(ComposerMenus, SpellingChecksTheSectionTextAndSaysWhenDone)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    platform::Folders::setSystemFolder(QStringLiteral(QV_INSTALL_DIR "/System"));
    auto *assist = c.child<QToolButton>("sscmdAssist");
    EXPECT_TRUE(assist->isEnabled());
    c.window->showWorkView(1);
    EXPECT_FALSE(assist->isEnabled()); // the graph generator comes later
    // Spelling from the table view checks the section text.
    c.child<QAction>("mnuEdit_6")->trigger();
    EXPECT_EQ(c.child<QTabBar>("tabWorkArea")->currentIndex(), 0);
    ASSERT_EQ(fakes().messages->shown.size(), 1) << fakes().messages->lastText().toStdString();
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Spell check complete"));
    EXPECT_EQ(fakes().messages->shown[0].icon, platform::Icon::Information);
    assist->click();
    EXPECT_EQ(fakes().messages->shown.size(), 2);
    EXPECT_NE(c.editor()->spellChecker(), nullptr);
}

TEST(ComposerTables, ASectionWithOneTableHasNoExtraTables)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    EXPECT_TRUE(c.child<QToolButton>("cmdTables")->isHidden());
    EXPECT_TRUE(c.child<QMenu>("mnuExtraTablesPopUp")->actions().isEmpty());
}

TEST(ComposerTables, TheExtraTablesMenuListsTheSectionsOtherTables)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    addTablesToFirstSection(c);
    EXPECT_FALSE(c.child<QToolButton>("cmdTables")->isHidden());
    EXPECT_EQ(c.child<QToolButton>("cmdTables")->toolTip(), QStringLiteral("Other tables in Section"));
    const QList<QAction *> extra = c.child<QMenu>("mnuExtraTablesPopUp")->actions();
    ASSERT_EQ(extra.size(), 2);
    EXPECT_EQ(extra[0]->text(), QStringLiteral("Second table"));
    EXPECT_EQ(extra[0]->data().toString(), QStringLiteral("Tbl0101b"));
    EXPECT_EQ(extra[1]->text(), QStringLiteral("Third table"));
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0101"));
    extra[0]->trigger();
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0101b"));
    EXPECT_EQ(c.child<workbook::WorkbookView>("fOne")->workbook(),
              c.window->getTables().find(QStringLiteral("Tbl0101b")));
    // Another section's single table empties the menu again.
    c.select(QStringLiteral("Plan.2.1"));
    EXPECT_TRUE(c.child<QToolButton>("cmdTables")->isHidden());
    EXPECT_TRUE(c.child<QMenu>("mnuExtraTablesPopUp")->actions().isEmpty());
}

TEST(ComposerTables, GotoTableIgnoresCaseAndTakesTheFirstInPlanOrder)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    addTablesToFirstSection(c);
    c.select(QStringLiteral("Plan.3.1"));
    EXPECT_TRUE(c.window->gotoTable(QStringLiteral("tbl0101c")));
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0101c"));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.1"));
    EXPECT_TRUE(c.window->gotoTable(QStringLiteral("TBL03")));
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0301"));
    EXPECT_TRUE(c.window->gotoTable(QStringLiteral("Tbl01")));
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0101"));
}

TEST(ComposerTables, TheListOfTablesShowsEveryTableAndGoesToTheChosenOne)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    addTablesToFirstSection(c);
    c.child<QAction>("mnuViewListOfTables")->trigger();
    composer::frmTables *list = c.window->listOfTables();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    auto *rows = list->findChild<QTreeWidget *>(QStringLiteral("lvwTables"));
    ASSERT_EQ(rows->topLevelItemCount(), 5);
    EXPECT_EQ(rows->headerItem()->text(0), QStringLiteral("Table name"));
    EXPECT_EQ(rows->headerItem()->text(1), QStringLiteral("Chapter Name"));
    EXPECT_EQ(rows->headerItem()->text(2), QStringLiteral("Section Name"));
    EXPECT_EQ(rows->topLevelItem(1)->text(0), QStringLiteral("Second table"));
    EXPECT_EQ(rows->topLevelItem(4)->text(0), QStringLiteral("Table 3"));
    EXPECT_EQ(rows->topLevelItem(4)->text(1), QStringLiteral("Chapter 3"));
    EXPECT_EQ(rows->topLevelItem(4)->text(2), QStringLiteral("Section 3.1"));
    // Choosing "Tbl0101b" goes to it, not to the first table it prefixes.
    rows->setCurrentItem(rows->topLevelItem(1));
    EXPECT_EQ(list->chosenTable(), QStringLiteral("Tbl0101b"));
    c.select(QStringLiteral("Plan.3.2"));
    list->findChild<QPushButton *>(QStringLiteral("cmdGoto"))->click();
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0101b"));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.1"));
    EXPECT_EQ(c.child<QTabBar>("tabWorkArea")->currentIndex(), 1);
    EXPECT_FALSE(list->isVisible());
}

TEST(ComposerTables, TheStatusBarShowsTablePictureGraphPictureAndActiveCell)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    EXPECT_EQ(pictureKey(c, "sbarPlan_6"), QStringLiteral("Table"));
    EXPECT_TRUE(pictureKey(c, "sbarPlan_7").isEmpty());
    c.select(QStringLiteral("Plan.1.2"));
    EXPECT_TRUE(pictureKey(c, "sbarPlan_6").isEmpty());
    shell::currentPlan()->outline().findTable(QStringLiteral("Tbl0201")).table->setHasGraph(true);
    ASSERT_TRUE(c.window->gotoTable(QStringLiteral("Tbl0201")));
    EXPECT_EQ(pictureKey(c, "sbarPlan_6"), QStringLiteral("Table"));
    EXPECT_EQ(pictureKey(c, "sbarPlan_7"), QStringLiteral("Graph"));
    EXPECT_FALSE(c.child<QLabel>("sbarPlan_7")->pixmap().isNull());
    // The cell indicator: the selection up to its ":" without "$".
    workbook::Workbook *book = c.window->getTables().find(QStringLiteral("Tbl0201"));
    book->setSelection(workbook::CellRange{3, 2, 5, 4});
    EXPECT_EQ(c.window->cellIndicator(), QStringLiteral("B3"));
    EXPECT_EQ(c.child<QLabel>("sbarPlan_5")->text(), QStringLiteral("B3"));
    c.window->showWorkView(0);
    EXPECT_TRUE(c.child<QLabel>("sbarPlan_5")->text().isEmpty());
}

TEST(ComposerTables, GraphPicturesAreRemadeOnlyWhenTheirTableChanged)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto table = shell::currentPlan()->outline().findTable(QStringLiteral("Tbl0201")).table;
    table->setHasGraph(true);
    table->setGraphFileName(QStringLiteral("Grf0201.vtc"));
    std::vector<composer::GraphPicture> pictures = composer::graphPictures(shell::currentPlan()->outline());
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].entry.table, table);
    EXPECT_TRUE(pictures[0].picturePath.endsWith(QStringLiteral("/Grf0201.wmf")));
    EXPECT_FALSE(pictures[0].current); // no picture yet

    QStringList made;
    c.window->setGraphPictureMaker(
        [&made](const workbook::Workbook &book, const plan::Table &entry, const QString &path) {
            made << entry.name();
            return platform::writeFileAtomically(path, book.text(1, 1).toUtf8());
        });
    pictures = c.window->UpdateGraphPictures();
    EXPECT_EQ(made, QStringList{QStringLiteral("Tbl0201")});
    EXPECT_TRUE(pictures[0].current);
    EXPECT_EQ(readFile(pictures[0].picturePath), QByteArray("Table 2"));
    c.window->UpdateGraphPictures();
    EXPECT_EQ(made.size(), 1); // current pictures stay

    // A newer table file makes the picture stale again.
    QFile tableFile(table->fileToLoad());
    ASSERT_TRUE(tableFile.open(QIODevice::ReadWrite));
    tableFile.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    tableFile.close();
    EXPECT_FALSE(composer::graphPictures(shell::currentPlan()->outline())[0].current);
    c.window->UpdateGraphPictures();
    EXPECT_EQ(made.size(), 2);
}

TEST(ComposerView, TheHelperPaneSwitchesWithItsMenuItem)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *item = c.child<QAction>("mnuViewHelperPane");
    auto *helper = c.child<QWidget>("picHelper");
    EXPECT_EQ(item->text(), QStringLiteral("Hide Instructions/Examples"));
    item->trigger();
    EXPECT_TRUE(helper->isHidden());
    EXPECT_EQ(item->text(), QStringLiteral("Show Instructions/Examples"));
    item->trigger();
    EXPECT_FALSE(helper->isHidden());
    EXPECT_EQ(item->text(), QStringLiteral("Hide Instructions/Examples"));
}

TEST(ComposerScreens, EveryPaneAndStateAtBothSizes)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    addTablesToFirstSection(c);
    c.window->showNormal();
    const QString folder = QStringLiteral(QV_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    auto shoot = [&](const QString &name, QSize size) {
        c.window->resize(size);
        QApplication::processEvents();
        const QImage shot = c.window->grab().toImage();
        EXPECT_EQ(shot.size(), size) << name.toStdString();
        shot.save(QStringLiteral("%1/composer-%2-%3.png").arg(folder, name).arg(size.width()));
    };
    for (QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        c.window->setLayout(composer::frmMain::Layout::ViewAll);
        c.select(QStringLiteral("Plan.1.1"));
        c.child<QRadioButton>("optHelper_0")->click();
        c.window->showWorkView(0);
        shoot(QStringLiteral("text"), size);
        c.child<QRadioButton>("optHelper_1")->click();
        shoot(QStringLiteral("example-text"), size);
        c.child<QRadioButton>("optHelper_2")->click();
        c.window->showWorkView(1);
        shoot(QStringLiteral("table"), size);
        c.window->setLayout(composer::frmMain::Layout::HideNavigator);
        shoot(QStringLiteral("hide-navigator"), size);
        c.window->setLayout(composer::frmMain::Layout::ExpandWorkspace);
        shoot(QStringLiteral("expand-workspace"), size);
    }
    c.window->setLayout(composer::frmMain::Layout::ViewAll);
    c.window->resize(1024, 768);
    c.window->showListOfTables();
    QApplication::processEvents();
    c.window->listOfTables()->grab().save(folder + QStringLiteral("/composer-list-of-tables.png"));
}

TEST(ComposerView, ZoomWithNothingShownChangesNothing)
{
    shell::replaceCurrentPlan();
    composer::frmMain window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *editor = window.findChild<richtext::TextEditor *>(QStringLiteral("rtfWorkArea"));
    EXPECT_EQ(window.zoom(), 0);
    window.stepZoom();
    window.findChild<QAction *>(QStringLiteral("mnuViewZoom_0"))->trigger();
    EXPECT_EQ(editor->zoomFactor(), 100);
    EXPECT_EQ(window.zoom(), 0);
    for (const char *name : {"mnuViewZoom_0", "mnuViewZoom_1", "mnuViewZoom_2"})
        EXPECT_FALSE(window.findChild<QAction *>(QLatin1String(name))->isChecked()) << name;
    // Nothing to cut or spell without a section.
    window.updateWorkCommands();
    EXPECT_FALSE(window.findChild<QAction *>(QStringLiteral("mnuEdit_1"))->isEnabled());
    EXPECT_FALSE(window.findChild<QAction *>(QStringLiteral("mnuEdit_6"))->isEnabled());
    window.unload();
    shell::releaseCurrentPlan();
}

TEST(ComposerMenus, TablesRightClickOpensTheEditMenuAndTheExampleItsCopyMenu)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->showWorkView(1);
    auto *edit = c.child<QMenu>("mnuEditTop");
    emit c.child<workbook::WorkbookView>("fOne")->rightClicked(QPoint(20, 20));
    EXPECT_TRUE(edit->isVisible());
    EXPECT_TRUE(c.child<QAction>("mnuEdit_14")->isEnabled());
    edit->close();
    c.child<QRadioButton>("optHelper_2")->click();
    auto *example = c.child<workbook::WorkbookView>("f1Helper");
    example->workbook()->setSelection(workbook::CellRange::cell(1, 1));
    emit example->rightClicked(QPoint(20, 20));
    auto *copyMenu = c.child<QMenu>("mnuExamplePopUp");
    EXPECT_TRUE(copyMenu->isVisible());
    copyMenu->close();
    c.child<QAction>("mnuExamplePopUp_0")->trigger();
    EXPECT_EQ(fakes().clipboard->text().trimmed(), QStringLiteral("Example table 1"));
}
