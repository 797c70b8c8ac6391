#include "composer/OutlineEditing.h"

#include "TestFiles.h"
#include "plan/Outline.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::composer;

namespace {

// Chapters "A" (sections a1, a2, a2 holding a table), "B" (b1 only) and "C"
// (c1, c2 without tables).
void fill(plan::Chapters &chapters)
{
    auto a = std::make_shared<plan::Chapter>(QStringLiteral("A"));
    chapters.Add(a);
    auto a1 = std::make_shared<plan::Section>(QStringLiteral("a1"));
    a1->setTextFileName(QStringLiteral("Ans00001.rtf"));
    a->sections().Add(a1);
    auto a2 = std::make_shared<plan::Section>(QStringLiteral("a2"));
    a2->tables().Add(std::make_shared<plan::Table>(QStringLiteral("Tbl0102.vts")));
    a->sections().Add(a2);
    auto b = std::make_shared<plan::Chapter>(QStringLiteral("B"));
    chapters.Add(b);
    b->sections().Add(std::make_shared<plan::Section>(QStringLiteral("b1")));
    auto c = std::make_shared<plan::Chapter>(QStringLiteral("C"));
    chapters.Add(c);
    auto c1 = std::make_shared<plan::Section>(QStringLiteral("c1"));
    c1->setTextFileName(QStringLiteral("Ans00005.rtf"));
    c->sections().Add(c1);
    auto c2 = std::make_shared<plan::Section>(QStringLiteral("c2"));
    c2->setTextFileName(QStringLiteral("Ans00006.rtf"));
    c->sections().Add(c2);
}

void touch(const QString &path)
{
    test::writeTestFile(path, "x");
}

} // namespace

TEST(OutlineNaming, TheFirstAddedItemTakesTheBaseName)
{
    EXPECT_EQ(newItemName({QStringLiteral("Intro"), QStringLiteral("Market")}, QStringLiteral("New Section")),
              QStringLiteral("New Section"));
    EXPECT_EQ(newItemName({}, QStringLiteral("New Chapter")), QStringLiteral("New Chapter"));
}

TEST(OutlineNaming, LaterItemsTakeTheSmallestFreeNumberFromTwo)
{
    EXPECT_EQ(newItemName({QStringLiteral("New Section")}, QStringLiteral("New Section")),
              QStringLiteral("New Section (2)"));
    EXPECT_EQ(newItemName({QStringLiteral("New Section"), QStringLiteral("New Section (2)")}, QStringLiteral("New Section")),
              QStringLiteral("New Section (3)"));
}

TEST(OutlineNaming, SiblingsInAnyOrderNeverGetADuplicate)
{
    // In this order a single pass would settle on "(3)" only by luck and on
    // "(2)" for the order below; every order must give a free name.
    const QStringList names{QStringLiteral("New Section (2)"), QStringLiteral("New Section"),
                            QStringLiteral("New Section (4)")};
    EXPECT_EQ(newItemName(names, QStringLiteral("New Section")), QStringLiteral("New Section (3)"));
    EXPECT_EQ(newItemName({QStringLiteral("New Section (2)")}, QStringLiteral("New Section")),
              QStringLiteral("New Section"));
}

TEST(OutlineNaming, NamesCompareTrimmedAndWithoutCase)
{
    EXPECT_EQ(newItemName({QStringLiteral("  new section ")}, QStringLiteral("New Section")),
              QStringLiteral("New Section (2)"));
    EXPECT_EQ(newItemName({QStringLiteral("New Section"), QStringLiteral("NEW SECTION (2) ")}, QStringLiteral("New Section")),
              QStringLiteral("New Section (3)"));
}

TEST(OutlineAdd, ANewChapterComesWithItsFirstSection)
{
    plan::Chapters chapters;
    fill(chapters);
    const auto first = addChapter(chapters);
    const auto second = addChapter(chapters);
    EXPECT_EQ(chapters.count(), 5);
    EXPECT_EQ(first->name(), QStringLiteral("New Chapter"));
    EXPECT_EQ(second->name(), QStringLiteral("New Chapter (2)"));
    ASSERT_EQ(second->sections().count(), 1);
    EXPECT_EQ(second->sections().item(1)->name(), QStringLiteral("New Section"));
    EXPECT_EQ(chapters.item(5).get(), second.get());
}

TEST(OutlineAdd, SectionsTwiceUnderOneChapter)
{
    plan::Chapters chapters;
    fill(chapters);
    plan::Sections &sections = chapters.item(2)->sections();
    EXPECT_EQ(addSection(sections)->name(), QStringLiteral("New Section"));
    EXPECT_EQ(addSection(sections)->name(), QStringLiteral("New Section (2)"));
    EXPECT_EQ(namesOf(sections), (QStringList{QStringLiteral("b1"), QStringLiteral("New Section"),
                                              QStringLiteral("New Section (2)")}));
}

TEST(OutlineDelete, TheThreeRefusals)
{
    plan::Chapters chapters;
    fill(chapters);
    EXPECT_EQ(deleteRefusal(chapters, {1, 0}), DeleteRefusal::ChapterHoldsTables);
    EXPECT_EQ(deleteRefusal(chapters, {1, 2}), DeleteRefusal::SectionHoldsTable);
    EXPECT_EQ(deleteRefusal(chapters, {2, 1}), DeleteRefusal::OnlySectionOfChapter);
    EXPECT_EQ(deleteRefusal(chapters, {1, 1}), DeleteRefusal::Allowed);
    EXPECT_EQ(deleteRefusal(chapters, {2, 0}), DeleteRefusal::Allowed);
    EXPECT_EQ(deleteRefusal(chapters, {4, 0}), DeleteRefusal::NoSuchItem);
    EXPECT_EQ(deleteRefusal(chapters, {3, 3}), DeleteRefusal::NoSuchItem);
    EXPECT_EQ(deleteRefusalMessage(DeleteRefusal::ChapterHoldsTables),
              QStringLiteral("This chapter may not be deleted since tables are included."));
    EXPECT_EQ(deleteRefusalMessage(DeleteRefusal::SectionHoldsTable),
              QStringLiteral("This section may not be deleted since it contains a table."));
    EXPECT_EQ(deleteRefusalMessage(DeleteRefusal::OnlySectionOfChapter),
              QStringLiteral("To delete this section delete its chapter."));

}

TEST(OutlineDelete, QuestionsNameTheItem)
{
    plan::Chapters chapters;
    fill(chapters);
    EXPECT_EQ(deleteQuestion(chapters, {3, 0}), QStringLiteral("Delete chapter: C"));
    EXPECT_EQ(deleteQuestionTitle({3, 0}), QStringLiteral("Delete Chapter"));
    EXPECT_EQ(deleteQuestion(chapters, {3, 2}), QStringLiteral("Delete section: c2"));
    EXPECT_EQ(deleteQuestionTitle({3, 2}), QStringLiteral("Delete Section"));
}

TEST(OutlineDelete, RemovingRecordsTheFilesButDeletesNothingYet)
{
    QTemporaryDir folder;
    plan::Chapters chapters;
    fill(chapters);
    for (const char *name : {"Ans00001.rtf", "Ans00001.tmp", "Ans00005.rtf", "Ans00006.rtf"})
        touch(QDir(folder.path()).filePath(QLatin1String(name)));
    PendingDeletions pending;
    EXPECT_FALSE(removeItem(chapters, {1, 2}, pending)); // holds a table
    EXPECT_TRUE(pending.isEmpty());
    ASSERT_TRUE(removeItem(chapters, {1, 1}, pending));
    ASSERT_TRUE(removeItem(chapters, {3, 0}, pending));
    EXPECT_EQ(chapters.count(), 2);
    EXPECT_EQ(namesOf(chapters.item(1)->sections()), QStringList{QStringLiteral("a2")});
    EXPECT_EQ(pending.fileNames().size(), 6); // three texts and their working copies
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4);

    EXPECT_EQ(pending.deleteFrom(folder.path(), chapters), 4);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(pending.isEmpty());
}

TEST(OutlineDelete, AFileASectionStillNamesIsNeverDeleted)
{
    QTemporaryDir folder;
    plan::Chapters chapters;
    fill(chapters);
    touch(QDir(folder.path()).filePath(QStringLiteral("Ans00005.rtf")));
    PendingDeletions pending;
    ASSERT_TRUE(removeItem(chapters, {3, 1}, pending));
    // A later section took the same file name.
    chapters.item(3)->sections().item(1)->setTextFileName(QStringLiteral("Ans00005.rtf"));
    EXPECT_EQ(pending.deleteFrom(folder.path(), chapters), 0);
    EXPECT_TRUE(QFile::exists(QDir(folder.path()).filePath(QStringLiteral("Ans00005.rtf"))));
}

TEST(OutlineDelete, ClearingForgetsThemSoTheFilesStay)
{
    QTemporaryDir folder;
    plan::Chapters chapters;
    fill(chapters);
    touch(QDir(folder.path()).filePath(QStringLiteral("Ans00006.rtf")));
    PendingDeletions pending;
    ASSERT_TRUE(removeItem(chapters, {3, 2}, pending));
    pending.clear();
    EXPECT_EQ(pending.deleteFrom(folder.path(), chapters), 0);
    EXPECT_TRUE(QFile::exists(QDir(folder.path()).filePath(QStringLiteral("Ans00006.rtf"))));
}

TEST(OutlineMove, MovesStopAtTheEnds)
{
    plan::Chapters chapters;
    fill(chapters);
    EXPECT_FALSE(canMove(chapters, 1, MoveDirection::Up));
    EXPECT_TRUE(canMove(chapters, 1, MoveDirection::Down));
    EXPECT_FALSE(canMove(chapters, 3, MoveDirection::Down));
    EXPECT_EQ(moveItem(chapters, 1, MoveDirection::Up), 0);
    EXPECT_EQ(moveItem(chapters, 3, MoveDirection::Down), 0);
    EXPECT_EQ(moveItem(chapters, 0, MoveDirection::Down), 0);
    EXPECT_EQ(namesOf(chapters), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
}

TEST(OutlineMove, ChaptersAndSectionsMoveOnePlace)
{
    plan::Chapters chapters;
    fill(chapters);
    EXPECT_EQ(moveItem(chapters, 1, MoveDirection::Down), 2);
    EXPECT_EQ(namesOf(chapters), (QStringList{QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(moveItem(chapters, 3, MoveDirection::Up), 2);
    EXPECT_EQ(namesOf(chapters), (QStringList{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    plan::Sections &sections = chapters.item(2)->sections();
    EXPECT_EQ(moveItem(sections, 2, MoveDirection::Up), 1);
    EXPECT_EQ(namesOf(sections), (QStringList{QStringLiteral("c2"), QStringLiteral("c1")}));
    // Sections travel with their chapter.
    EXPECT_EQ(namesOf(chapters.item(3)->sections()), (QStringList{QStringLiteral("a1"), QStringLiteral("a2")}));
}
