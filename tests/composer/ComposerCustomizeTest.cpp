#include "ComposerTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTest>

using namespace qv;
using namespace qv::test;
using platform::Answer;

namespace {

QAction *action(const OpenComposer &c, const QString &name)
{
    return c.window->findChild<QAction *>(name);
}

void trigger(const OpenComposer &c, const QString &name)
{
    QAction *item = action(c, name);
    ASSERT_NE(item, nullptr) << name.toStdString();
    item->trigger();
}

// Every node's key names its place, its text the library item's name, and
// the tree holds exactly the library's chapters and sections.
void expectInStep(const OpenComposer &c)
{
    const plan::Chapters &chapters = shell::currentPlan()->outline().chapters();
    QTreeWidgetItem *root = c.tree()->topLevelItem(0);
    ASSERT_EQ(root->childCount(), chapters.count());
    for (int ch = 1; ch <= chapters.count(); ++ch) {
        QTreeWidgetItem *chapterNode = root->child(ch - 1);
        EXPECT_EQ(nodeKey(chapterNode), QStringLiteral("Plan.%1").arg(ch));
        EXPECT_EQ(chapterNode->text(0), chapters.item(ch)->name());
        const plan::Sections &sections = chapters.item(ch)->sections();
        ASSERT_EQ(chapterNode->childCount(), sections.count());
        for (int s = 1; s <= sections.count(); ++s) {
            EXPECT_EQ(nodeKey(chapterNode->child(s - 1)), QStringLiteral("Plan.%1.%2").arg(ch).arg(s));
            EXPECT_EQ(chapterNode->child(s - 1)->text(0), sections.item(s)->name());
        }
    }
}

QString plainTextOf(const QString &path)
{
    return QString::fromLatin1(readFile(path));
}

} // namespace

TEST(ComposerOutlinePopUp, AdaptsToTheClickedNode)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.1.1"));
    EXPECT_FALSE(action(c, QStringLiteral("mnuOutline_1"))->isVisible());
    EXPECT_TRUE(action(c, QStringLiteral("mnuOutline_2"))->isVisible());
    EXPECT_EQ(action(c, QStringLiteral("mnuOutline_4"))->text(), QStringLiteral("Add Section"));
    EXPECT_EQ(action(c, QStringLiteral("mnuOutline_5"))->text(), QStringLiteral("Delete"));
    EXPECT_EQ(action(c, QStringLiteral("mnuOutline_7"))->text(), QStringLiteral("Rename"));
    EXPECT_TRUE(action(c, QStringLiteral("mnuStatus_0"))->isChecked());
    c.select(QStringLiteral("Plan.1.2"));
    EXPECT_TRUE(action(c, QStringLiteral("mnuOutline_1"))->isVisible());
    EXPECT_FALSE(action(c, QStringLiteral("mnuOutline_2"))->isVisible());
    c.select(QStringLiteral("Plan.3"));
    EXPECT_EQ(action(c, QStringLiteral("mnuOutline_4"))->text(), QStringLiteral("Add Chapter"));
    EXPECT_TRUE(action(c, QStringLiteral("mnuOutline_1"))->isVisible());
    EXPECT_FALSE(action(c, QStringLiteral("mnuOutline_2"))->isVisible());
    EXPECT_FALSE(action(c, QStringLiteral("mnuStatus_1"))->isEnabled());
    EXPECT_FALSE(action(c, QStringLiteral("mnuSection_0"))->isEnabled());
    EXPECT_TRUE(action(c, QStringLiteral("mnuSection_4"))->isEnabled());
    EXPECT_TRUE(action(c, QStringLiteral("mnuChapter_0"))->isEnabled());
    EXPECT_FALSE(action(c, QStringLiteral("mnuChapter_1"))->isEnabled());
}

TEST(ComposerOutlinePopUp, ARightClickOpensItOnTheNodeUnderThePointer)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->resize(1100, 700);
    c.window->show();
    QApplication::processEvents();
    QTreeWidgetItem *node = c.window->nodeOfKey(QStringLiteral("Plan.1.2"));
    const QPoint point = c.tree()->visualItemRect(node).center();
    emit c.tree()->customContextMenuRequested(point);
    auto *popUp = c.child<QMenu>("mnuOutlinePopUp");
    EXPECT_EQ(c.tree()->currentItem(), node);
    EXPECT_TRUE(popUp->isVisible());
    QApplication::processEvents();
    const QString folder = QStringLiteral(QV_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    // The window with the menu drawn where it opened.
    QPixmap shot = c.window->grab();
    QPainter painter(&shot);
    painter.drawPixmap(c.window->mapFromGlobal(popUp->pos()), popUp->grab());
    painter.end();
    shot.save(folder + QStringLiteral("/composer-outline-popup.png"));
    popUp->hide();

    auto *customize = c.child<QMenu>("mnuCustomizeTop");
    customize->popup(c.window->mapToGlobal(QPoint(120, 20)));
    QApplication::processEvents();
    customize->grab().save(folder + QStringLiteral("/composer-customize-menu.png"));
    auto *status = c.child<QMenu>("mnuStatusMenu");
    status->popup(c.window->mapToGlobal(QPoint(200, 40)));
    QApplication::processEvents();
    status->grab().save(folder + QStringLiteral("/composer-status-menu.png"));
    status->hide();
    customize->hide();
}

TEST(ComposerOutlineAdd, SectionsTwiceGetTheBaseNameAndThenTheNumberTwo)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.2.1"));
    trigger(c, QStringLiteral("mnuOutline_4"));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.2.3"));
    EXPECT_EQ(c.tree()->currentItem()->text(0), QStringLiteral("New Section"));
    trigger(c, QStringLiteral("mnuOutline_4"));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.2.4"));
    EXPECT_EQ(c.tree()->currentItem()->text(0), QStringLiteral("New Section (2)"));
    EXPECT_EQ(nodeImage(c.tree()->currentItem()), QStringLiteral("leaf"));
    EXPECT_EQ(c.window->currentSection()->name(), QStringLiteral("New Section (2)"));
    EXPECT_EQ(c.child<QLabel>("sbarPlan_1")->text(), QStringLiteral("2.4"));
    EXPECT_TRUE(shell::currentPlan()->modified());
    expectInStep(c);
}

TEST(ComposerOutlineAdd, ANewChapterComesWithItsFirstSectionExpanded)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.2"));
    trigger(c, QStringLiteral("mnuChapter_4"));
    QTreeWidgetItem *chapter = c.window->nodeOfKey(QStringLiteral("Plan.4"));
    ASSERT_NE(chapter, nullptr);
    EXPECT_EQ(c.tree()->currentItem(), chapter);
    EXPECT_EQ(chapter->text(0), QStringLiteral("New Chapter"));
    EXPECT_TRUE(chapter->isExpanded());
    ASSERT_EQ(chapter->childCount(), 1);
    EXPECT_EQ(nodeKey(chapter->child(0)), QStringLiteral("Plan.4.1"));
    EXPECT_EQ(chapter->child(0)->text(0), QStringLiteral("New Section"));
    EXPECT_TRUE(composer::frmMain::IsSectionNode(chapter->child(0)));
    c.select(QStringLiteral("Plan.4.1"));
    trigger(c, QStringLiteral("mnuChapter_4"));
    EXPECT_EQ(c.tree()->currentItem()->text(0), QStringLiteral("New Chapter (2)"));
    expectInStep(c);
}

TEST(ComposerOutlineDelete, RefusalsChangeNothing)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    fakes().messages->shown.clear();
    c.select(QStringLiteral("Plan.1.1"));
    trigger(c, QStringLiteral("mnuOutline_5"));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("This section may not be deleted since it contains a table."));
    EXPECT_EQ(fakes().messages->shown.last().icon, platform::Icon::Information);
    c.select(QStringLiteral("Plan.1"));
    trigger(c, QStringLiteral("mnuOutline_5"));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("This chapter may not be deleted since tables are included."));
    trigger(c, QStringLiteral("mnuChapter_4"));
    c.select(QStringLiteral("Plan.4.1"));
    trigger(c, QStringLiteral("mnuSection_2"));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("To delete this section delete its chapter."));
    EXPECT_EQ(fakes().messages->shown.size(), 3);
    EXPECT_EQ(shell::currentPlan()->outline().chapters().count(), 4);
    expectInStep(c);
}

TEST(ComposerOutlineDelete, NoKeepsTheSectionYesRemovesItAndRenumbers)
{
    OpenComposer c(PlanFixtureOptions{2, 4, true});
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.2.2"));
    fakes().messages->setNextAnswer(Answer::No);
    trigger(c, QStringLiteral("mnuOutline_5"));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Delete section: Section 2.2"));
    EXPECT_EQ(fakes().messages->shown.last().title, QStringLiteral("Delete Section"));
    EXPECT_EQ(fakes().messages->shown.last().buttons, platform::Buttons::YesNo);
    EXPECT_EQ(c.window->nodeOfKey(QStringLiteral("Plan.2"))->childCount(), 4);

    const QString text = c.window->currentSection()->textFileName();
    fakes().messages->setNextAnswer(Answer::Yes);
    trigger(c, QStringLiteral("mnuOutline_5"));
    QTreeWidgetItem *chapter = c.window->nodeOfKey(QStringLiteral("Plan.2"));
    ASSERT_EQ(chapter->childCount(), 3);
    EXPECT_EQ(chapter->child(1)->text(0), QStringLiteral("Section 2.3"));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.2.2"));
    EXPECT_EQ(c.tree()->currentItem()->text(0), QStringLiteral("Section 2.3"));
    EXPECT_TRUE(c.editor()->toPlainText().contains(PlanFixture::textOf(2, 3)));
    expectInStep(c);
    // The text file waits for the save.
    const QString file = QDir(c.fixture.planFolder()).filePath(text);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_TRUE(c.window->SavePlan());
    EXPECT_FALSE(QFile::exists(file));
}

TEST(ComposerOutlineDelete, ADeletedChapterComesBackWhenThePlanIsNotSaved)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.3"));
    trigger(c, QStringLiteral("mnuOutline_4")); // Plan.4, without tables
    c.select(QStringLiteral("Plan.4.1"));
    ASSERT_TRUE(c.window->SavePlan());
    const QString text = QDir(c.fixture.planFolder()).filePath(c.window->currentSection()->textFileName());
    ASSERT_TRUE(QFile::exists(text));
    c.select(QStringLiteral("Plan.4"));
    trigger(c, QStringLiteral("mnuOutline_5"));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Delete chapter: New Chapter"));
    EXPECT_EQ(shell::currentPlan()->outline().chapters().count(), 3);
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.3"));

    fakes().messages->setNextAnswer(Answer::No); // "Save Plan"
    ASSERT_TRUE(c.window->ClosePlan());
    EXPECT_TRUE(QFile::exists(text));
    ASSERT_TRUE(c.window->OpenPlan(c.fixture.documentPath()));
    EXPECT_EQ(shell::currentPlan()->outline().chapters().count(), 4);
    EXPECT_EQ(c.window->nodeOfKey(QStringLiteral("Plan.4.1"))->text(0), QStringLiteral("New Section"));
}

TEST(ComposerOutlineMove, ChaptersAndSectionsMoveWithKeysInStep)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.1"));
    c.window->nodeOfKey(QStringLiteral("Plan.1"))->setExpanded(true);
    trigger(c, QStringLiteral("mnuOutline_2"));
    QTreeWidgetItem *moved = c.tree()->currentItem();
    EXPECT_EQ(nodeKey(moved), QStringLiteral("Plan.2"));
    EXPECT_EQ(moved->text(0), QStringLiteral("Chapter 1"));
    EXPECT_TRUE(moved->isExpanded());
    EXPECT_EQ(nodeKey(moved->child(0)), QStringLiteral("Plan.2.1"));
    EXPECT_EQ(moved->child(0)->text(0), QStringLiteral("Section 1.1"));
    EXPECT_EQ(c.child<QLabel>("sbarPlan_1")->text(), QStringLiteral("2"));
    EXPECT_TRUE(action(c, QStringLiteral("mnuOutline_1"))->isVisible());
    expectInStep(c);

    c.select(QStringLiteral("Plan.3.2"));
    trigger(c, QStringLiteral("mnuSection_0"));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.3.1"));
    EXPECT_EQ(c.tree()->currentItem()->text(0), QStringLiteral("Section 3.2"));
    EXPECT_EQ(c.child<QLabel>("lblSectionName")->text(), QStringLiteral("3.1 - Section 3.2"));
    EXPECT_FALSE(action(c, QStringLiteral("mnuOutline_1"))->isVisible());
    expectInStep(c);
    // At the top nothing moves further.
    trigger(c, QStringLiteral("mnuSection_0"));
    EXPECT_EQ(c.tree()->currentItem()->text(0), QStringLiteral("Section 3.2"));
    expectInStep(c);
    EXPECT_TRUE(shell::currentPlan()->modified());
}

TEST(ComposerOutlineKeys, CtrlARunsAddCtrlDDeleteCtrlRRename)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->show();
    c.select(QStringLiteral("Plan.2.2"));
    QTest::keyClick(c.tree(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.2.3"));
    // The new section opens for naming at once.
    auto *naming = c.tree()->findChild<QLineEdit *>();
    ASSERT_NE(naming, nullptr);
    QTest::keyClick(naming, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed editor goes
    fakes().messages->setNextAnswer(Answer::Yes);
    QTest::keyClick(c.tree(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(c.window->nodeOfKey(QStringLiteral("Plan.2"))->childCount(), 2);
    QTest::keyClick(c.tree(), Qt::Key_R, Qt::ControlModifier);
    auto *editor = c.tree()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr); // the label editor opened
    EXPECT_EQ(editor->text(), c.tree()->currentItem()->text(0));
    QTest::keyClick(editor, Qt::Key_Escape);
    // The root takes none of them.
    c.tree()->setCurrentItem(c.tree()->topLevelItem(0));
    QTest::keyClick(c.tree(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(shell::currentPlan()->outline().chapters().count(), 3);
    expectInStep(c);
}

TEST(ComposerOutlineStatus, ExcludeGreysTheTextAreaAndInProgressRestoresIt)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.1.2"));
    QTreeWidgetItem *node = c.tree()->currentItem();
    trigger(c, QStringLiteral("mnuStatus_2"));
    EXPECT_EQ(nodeImage(node), QStringLiteral("leaf exclude"));
    EXPECT_EQ(c.editor()->backgroundColor(), c.window->palette().color(QPalette::Button));
    EXPECT_EQ(c.window->currentSection()->status(), plan::Exclude);
    EXPECT_FALSE(c.child<QLabel>("sbarPlan_4")->pixmap().isNull());
    EXPECT_TRUE(action(c, QStringLiteral("mnuStatus_2"))->isChecked());
    EXPECT_TRUE(shell::currentPlan()->modified());
    trigger(c, QStringLiteral("mnuStatus_1"));
    EXPECT_EQ(nodeImage(node), QStringLiteral("leaf check"));
    trigger(c, QStringLiteral("mnuStatus_0"));
    EXPECT_EQ(nodeImage(node), QStringLiteral("leaf"));
    EXPECT_EQ(c.editor()->backgroundColor(), c.window->palette().color(QPalette::Base));
    EXPECT_TRUE(c.child<QLabel>("sbarPlan_4")->pixmap().isNull());
    EXPECT_EQ(c.window->currentSection()->status(), plan::InProgress);
}

TEST(ComposerOutlineReopen, EverythingIsAsTheUserLeftIt)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.2.1"));
    trigger(c, QStringLiteral("mnuOutline_4")); // Plan.2.3 "New Section"
    c.type(QStringLiteral("Fresh words"));
    trigger(c, QStringLiteral("mnuStatus_1"));
    trigger(c, QStringLiteral("mnuOutline_1")); // up to Plan.2.2
    QTreeWidgetItem *node = c.tree()->currentItem();
    node->setText(0, QStringLiteral("Pricing")); // as the label edit ends
    c.select(QStringLiteral("Plan.3"));
    trigger(c, QStringLiteral("mnuOutline_1")); // chapter 3 up to Plan.2
    ASSERT_TRUE(c.window->SavePlan());
    EXPECT_TRUE(filesIn(c.fixture.planFolder(), QStringLiteral("*.tmp")).isEmpty());

    ASSERT_TRUE(c.window->ClosePlan());
    ASSERT_TRUE(c.window->OpenPlan(c.fixture.documentPath()));
    const plan::Chapters &chapters = shell::currentPlan()->outline().chapters();
    EXPECT_EQ(chapters.item(2)->name(), QStringLiteral("Chapter 3"));
    EXPECT_EQ(chapters.item(3)->name(), QStringLiteral("Chapter 2"));
    ASSERT_EQ(chapters.item(3)->sections().count(), 3);
    const auto &pricing = chapters.item(3)->sections().item(2);
    EXPECT_EQ(pricing->name(), QStringLiteral("Pricing"));
    EXPECT_EQ(pricing->status(), plan::Complete);
    EXPECT_EQ(nodeImage(c.window->nodeOfKey(QStringLiteral("Plan.3.2"))), QStringLiteral("leaf check"));
    EXPECT_TRUE(plainTextOf(QDir(c.fixture.planFolder()).filePath(pricing->textFileName())).contains(QStringLiteral("Fresh words")));
    expectInStep(c);
}
