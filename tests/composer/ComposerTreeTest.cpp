#include "ComposerTestSupport.h"

#include <QLabel>
#include <QToolButton>

using namespace qv;
using namespace qv::test;
using composer::frmMain;

TEST(ComposerTree, KeysStayDistinctWithTenOrMoreChapters)
{
    OpenComposer c(PlanFixtureOptions{11, 10, false});
    ASSERT_TRUE(c.opened);
    fakes().messages->shown.clear();
    QTreeWidgetItem *ten = c.window->nodeOfKey(QStringLiteral("Plan.10"));
    QTreeWidgetItem *tenOne = c.window->nodeOfKey(QStringLiteral("Plan.10.1"));
    QTreeWidgetItem *oneTen = c.window->nodeOfKey(QStringLiteral("Plan.1.10"));
    ASSERT_TRUE(ten && tenOne && oneTen);
    EXPECT_EQ(ten->text(0), QStringLiteral("Chapter 10"));
    EXPECT_EQ(tenOne->text(0), QStringLiteral("Section 10.1"));
    EXPECT_EQ(oneTen->text(0), QStringLiteral("Section 1.10"));
    EXPECT_EQ(nodeKey(ten), QStringLiteral("Plan.10"));
    EXPECT_EQ(nodeKey(tenOne), QStringLiteral("Plan.10.1"));
    EXPECT_EQ(frmMain::ChapterIndexOf(tenOne), 10);
    EXPECT_EQ(frmMain::ChapterIndexOf(oneTen), 1);
    EXPECT_EQ(frmMain::ChapterIndexOf(ten), 10);
    EXPECT_TRUE(frmMain::IsChapterNode(ten));
    EXPECT_FALSE(frmMain::IsSectionNode(ten));
    EXPECT_TRUE(frmMain::IsSectionNode(tenOne));
    EXPECT_FALSE(frmMain::IsChapterNode(c.tree()->topLevelItem(0)));

    c.select(QStringLiteral("Plan.10.1"));
    EXPECT_TRUE(c.editor()->toPlainText().contains(PlanFixture::textOf(10, 1)));
    EXPECT_EQ(c.child<QLabel>("sbarPlan_1")->text(), QStringLiteral("10.1"));
    c.select(QStringLiteral("Plan.10"));
    EXPECT_EQ(c.child<QLabel>("sbarPlan_1")->text(), QStringLiteral("10"));
    EXPECT_TRUE(c.child<QLabel>("sbarPlan_3")->text().isEmpty());
}

TEST(ComposerTree, ImagesFollowStatusAndExpansion)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto &chapters = shell::currentPlan()->outline().chapters();
    chapters.item(1)->sections().item(2)->setStatus(plan::Complete);
    chapters.item(2)->sections().item(1)->setStatus(plan::Exclude);
    chapters.item(2)->sections().item(2)->setStatus(7);
    c.window->BuildTree(chapters);
    EXPECT_EQ(nodeImage(c.tree()->topLevelItem(0)), QStringLiteral("plan"));
    EXPECT_EQ(nodeImage(c.window->nodeOfKey(QStringLiteral("Plan.1.1"))), QStringLiteral("leaf"));
    EXPECT_EQ(nodeImage(c.window->nodeOfKey(QStringLiteral("Plan.1.2"))), QStringLiteral("leaf check"));
    EXPECT_EQ(nodeImage(c.window->nodeOfKey(QStringLiteral("Plan.2.1"))), QStringLiteral("leaf exclude"));
    EXPECT_EQ(nodeImage(c.window->nodeOfKey(QStringLiteral("Plan.2.2"))), QStringLiteral("leaf"));
    QTreeWidgetItem *chapter = c.window->nodeOfKey(QStringLiteral("Plan.2"));
    EXPECT_EQ(nodeImage(chapter), QStringLiteral("closed folder"));
    chapter->setExpanded(true);
    EXPECT_EQ(nodeImage(chapter), QStringLiteral("open folder"));
    chapter->setExpanded(false);
    EXPECT_EQ(nodeImage(chapter), QStringLiteral("closed folder"));
}

TEST(ComposerTree, ToggleChaptersExpandsAndCollapsesAll)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *button = c.child<QToolButton>("cmdChapters");
    c.window->ToggleChapters();
    for (int index = 1; index <= 3; ++index)
        EXPECT_TRUE(c.window->nodeOfKey(QStringLiteral("Plan.%1").arg(index))->isExpanded());
    EXPECT_EQ(button->toolTip(), QStringLiteral("Collapse Chapters"));
    c.window->ToggleChapters();
    for (int index = 1; index <= 3; ++index)
        EXPECT_FALSE(c.window->nodeOfKey(QStringLiteral("Plan.%1").arg(index))->isExpanded());
    EXPECT_TRUE(c.tree()->topLevelItem(0)->isExpanded());
    EXPECT_EQ(button->toolTip(), QStringLiteral("Expand Chapters"));
}

TEST(ComposerTree, RenamingToAnExistingSectionNameIsRefused)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    QTreeWidgetItem *node = c.window->nodeOfKey(QStringLiteral("Plan.1.2"));
    node->setText(0, QStringLiteral("section 1.1"));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].text, QStringLiteral("This section name already exist"));
    EXPECT_EQ(fakes().messages->shown[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(node->text(0), QStringLiteral("Section 1.2"));
    EXPECT_EQ(shell::currentPlan()->outline().chapters().item(1)->sections().item(2)->name(),
              QStringLiteral("Section 1.2"));
    EXPECT_FALSE(shell::currentPlan()->modified());
}

TEST(ComposerTree, RenamingWritesTheNameIntoThePlan)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    QTreeWidgetItem *node = c.window->nodeOfKey(QStringLiteral("Plan.1.1"));
    node->setText(0, QStringLiteral("Summary"));
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
    EXPECT_EQ(shell::currentPlan()->outline().chapters().item(1)->sections().item(1)->name(), QStringLiteral("Summary"));
    EXPECT_TRUE(shell::currentPlan()->modified());
    EXPECT_EQ(c.child<QLabel>("lblSectionName")->text(), QStringLiteral("1.1 - Summary"));
    EXPECT_EQ(c.child<QLabel>("sbarPlan_3")->text(), QStringLiteral("Summary"));
}

TEST(ComposerTree, EmptyOrSameNamesAreCancelledSilently)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    QTreeWidgetItem *node = c.window->nodeOfKey(QStringLiteral("Plan.2"));
    node->setText(0, QString());
    EXPECT_EQ(node->text(0), QStringLiteral("Chapter 2"));
    node->setText(0, QStringLiteral("CHAPTER 2"));
    EXPECT_EQ(node->text(0), QStringLiteral("Chapter 2"));
    EXPECT_FALSE(shell::currentPlan()->modified());
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(ComposerTree, NextAndPreviousSectionCrossChapters)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *previous = c.child<QToolButton>("cmdToolBar_4");
    auto *next = c.child<QToolButton>("cmdToolBar_5");
    EXPECT_FALSE(previous->isEnabled());
    EXPECT_TRUE(next->isEnabled());
    next->click();
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.2"));
    next->click();
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.2.1"));
    EXPECT_TRUE(c.window->nodeOfKey(QStringLiteral("Plan.2"))->isExpanded());
    previous->click();
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.2"));
    c.select(QStringLiteral("Plan.3.2"));
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(previous->isEnabled());
}

TEST(ComposerTree, DroppedRtfFilesBecomeSectionsWithCopiedTexts)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    const QString original = QDir(c.fixture.root()).filePath(QStringLiteral("Market Notes.RTF"));
    PlanFixture::writeRtf(original, QStringLiteral("Dropped words"));
    const QByteArray before = readFile(original);
    const QString ignored = QDir(c.fixture.root()).filePath(QStringLiteral("notes.txt"));
    QFile(ignored).open(QIODevice::WriteOnly);

    EXPECT_EQ(c.window->dropTextFiles(c.window->nodeOfKey(QStringLiteral("Plan.2.1")), {original, ignored}), 1);
    auto &sections = shell::currentPlan()->outline().chapters().item(2)->sections();
    ASSERT_EQ(sections.count(), 3);
    EXPECT_EQ(sections.item(3)->name(), QStringLiteral("Market Notes"));
    EXPECT_EQ(sections.item(3)->textFileName(), QStringLiteral("Ans00007.rtf"));
    QTreeWidgetItem *node = c.window->nodeOfKey(QStringLiteral("Plan.2.3"));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text(0), QStringLiteral("Market Notes"));
    EXPECT_TRUE(shell::currentPlan()->modified());

    c.select(QStringLiteral("Plan.2.3"));
    EXPECT_TRUE(c.editor()->toPlainText().contains(QStringLiteral("Dropped words")));
    c.type(QStringLiteral(" and more"));
    c.select(QStringLiteral("Plan.2.1"));
    fakes().messages->setNextAnswer(platform::Answer::Yes);
    EXPECT_TRUE(c.window->ClosePlan());
    EXPECT_EQ(readFile(original), before); // the user's own file is never written
    EXPECT_TRUE(readFile(QDir(c.fixture.planFolder()).filePath(QStringLiteral("Ans00007.rtf"))).contains("and more"));

    // Dropping on a chapter node adds nothing.
    EXPECT_EQ(c.window->dropTextFiles(c.window->nodeOfKey(QStringLiteral("Plan.2")), {original}), 0);
}

TEST(ComposerView, LayoutsHideAndShowThePanes)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *outline = c.child<QWidget>("picOutline");
    auto *helper = c.child<QWidget>("picHelper");
    c.child<QToolButton>("cmdToolBar_2")->click();
    EXPECT_TRUE(outline->isHidden());
    EXPECT_TRUE(helper->isHidden());
    EXPECT_TRUE(helper->property("tag").toString().contains(QLatin1Char(':')));
    EXPECT_TRUE(c.child<QAction>("mnuView_3")->isChecked());
    c.child<QToolButton>("cmdToolBar_1")->click();
    EXPECT_TRUE(outline->isHidden());
    EXPECT_FALSE(helper->isHidden());
    EXPECT_TRUE(c.child<QAction>("mnuView_2")->isChecked());
    EXPECT_FALSE(c.child<QAction>("mnuView_3")->isChecked());
    c.child<QToolButton>("cmdToolBar_0")->click();
    EXPECT_FALSE(outline->isHidden());
    EXPECT_FALSE(helper->isHidden());
    EXPECT_TRUE(c.child<QAction>("mnuView_1")->isChecked());
}

TEST(ComposerView, StepZoomClimbsByTenAndWrapsAfter150)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->setZoom(150);
    c.window->stepZoom();
    EXPECT_EQ(c.window->zoom(), 160);
    c.window->stepZoom();
    EXPECT_EQ(c.window->zoom(), 75);
    EXPECT_TRUE(c.child<QAction>("mnuViewZoom_2")->isChecked());
    c.window->stepZoom();
    EXPECT_EQ(c.window->zoom(), 85);
    c.child<QAction>("mnuViewZoom_1")->trigger();
    EXPECT_EQ(c.editor()->zoomFactor(), 100);
    EXPECT_TRUE(c.child<QAction>("mnuViewZoom_1")->isChecked());
    // The table view keeps its zoom from table to table.
    c.window->showWorkView(1);
    c.window->setZoom(125);
    c.window->gotoTable(QStringLiteral("Tbl0201"));
    EXPECT_EQ(c.window->zoom(), 125);
}

TEST(ComposerView, SideButtonsFollowTheView)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *edit = c.child<QToolButton>("sscmdEdit");
    auto *assist = c.child<QToolButton>("sscmdAssist");
    EXPECT_EQ(edit->toolTip(), QStringLiteral("Word Processor"));
    EXPECT_EQ(assist->toolTip(), QStringLiteral("Spelling"));
    c.window->showWorkView(1);
    EXPECT_EQ(edit->toolTip(), QStringLiteral("Spread Sheet"));
    EXPECT_EQ(assist->toolTip(), QStringLiteral("Graph Generator"));
    EXPECT_TRUE(c.child<QLabel>("lblSectionName")->text().startsWith(QStringLiteral("Table 1.1.1 - ")));
}
