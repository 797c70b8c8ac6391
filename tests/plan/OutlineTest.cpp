// The outline's collections: 1-based, ordered, with Add before/after,
// removal, and the list interface's rename and move.

#include "plan/Outline.h"
#include "plan/Plan.h"
#include "plan/PlanBuilder.h"

#include <gtest/gtest.h>

using namespace qv::plan;

namespace {

QStringList namesOf(const OutlineList &list)
{
    QStringList names;
    for (int i = 1; i <= list.count(); ++i)
        names << list.nameAt(i);
    return names;
}

QStringList L(std::initializer_list<const char *> names)
{
    QStringList list;
    for (const char *name : names)
        list << QString::fromUtf8(name);
    return list;
}

std::shared_ptr<Chapter> chapterNamed(const char *name)
{
    return std::make_shared<Chapter>(QString::fromUtf8(name));
}

long errorNumberOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const qv::QvError &error) {
        return error.number();
    }
    return 0;
}

} // namespace

TEST(Collections, AreOneBasedAndOrdered)
{
    Chapters chapters;
    EXPECT_EQ(chapters.count(), 0);
    chapters.Add(chapterNamed("A"));
    chapters.Add(chapterNamed("B"));
    EXPECT_EQ(chapters.item(1)->name(), QStringLiteral("A"));
    EXPECT_EQ(chapters.item(2)->name(), QStringLiteral("B"));
    EXPECT_EQ(errorNumberOf([&] { chapters.item(0); }), kIndexOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { chapters.item(3); }), kIndexOutOfRange);

    QStringList seen;
    for (const auto &chapter : chapters)
        seen << chapter->name();
    EXPECT_EQ(seen, L({"A", "B"}));
}

TEST(Collections, AddPlacesBeforeOrAfterAnIndex)
{
    Chapters chapters;
    chapters.Add(chapterNamed("A"));
    chapters.Add(chapterNamed("C"));
    chapters.Add(chapterNamed("B"), 2);               // before C
    chapters.Add(chapterNamed("Start"), 1);           // before the first
    chapters.Add(chapterNamed("End"), std::nullopt, 4); // after the last
    chapters.Add(chapterNamed("A2"), std::nullopt, 2);  // after A
    EXPECT_EQ(namesOf(chapters), L({"Start", "A", "A2", "B", "C", "End"}));

    EXPECT_EQ(errorNumberOf([&] { chapters.Add(chapterNamed("X"), 7); }), kIndexOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { chapters.Add(chapterNamed("X"), std::nullopt, 0); }), kIndexOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { chapters.Add(chapterNamed("X"), 1, 1); }), kInvalidArgument);
    EXPECT_EQ(errorNumberOf([&] { chapters.Add(nullptr); }), kInvalidArgument);
    EXPECT_EQ(chapters.count(), 6);
}

TEST(Collections, AnItemBelongsToOneListAtATime)
{
    Chapters one;
    Chapters other;
    auto chapter = one.Add(chapterNamed("A"));
    EXPECT_EQ(errorNumberOf([&] { other.Add(chapter); }), kInvalidArgument);
    EXPECT_EQ(errorNumberOf([&] { one.Add(chapter); }), kInvalidArgument);
    one.Remove(1);
    other.Add(chapter);
    EXPECT_EQ(other.indexOf(chapter.get()), 1);
    EXPECT_EQ(one.indexOf(chapter.get()), 0);
}

TEST(Collections, RemoveClosesTheGap)
{
    Chapters chapters;
    for (const char *name : {"A", "B", "C"})
        chapters.Add(chapterNamed(name));
    auto middle = chapters.item(2);
    chapters.Remove(2);
    EXPECT_EQ(namesOf(chapters), L({"A", "C"}));
    EXPECT_EQ(middle->name(), QStringLiteral("B")); // a holder keeps the removed item
    EXPECT_EQ(errorNumberOf([&] { chapters.Remove(3); }), kIndexOutOfRange);
    chapters.Remove(1);
    chapters.Remove(1);
    EXPECT_TRUE(chapters.isEmpty());
}

TEST(OutlineListInterface, RenamesAndMovesChaptersAndSectionsAlike)
{
    auto chapter = std::make_shared<Chapter>(QStringLiteral("Company"));
    for (const char *name : {"One", "Two", "Three"})
        chapter->sections().Add(std::make_shared<Section>(QString::fromUtf8(name)));
    Chapters chapters;
    chapters.Add(chapter);
    chapters.Add(chapterNamed("Market"));

    for (OutlineList *list : std::initializer_list<OutlineList *>{&chapters, &chapter->sections()}) {
        const QStringList before = namesOf(*list);
        list->MoveDown(1);
        EXPECT_EQ(namesOf(*list).at(1), before.at(0));
        list->MoveUp(2);
        EXPECT_EQ(namesOf(*list), before);
        EXPECT_EQ(errorNumberOf([&] { list->MoveUp(1); }), kIndexOutOfRange);
        EXPECT_EQ(errorNumberOf([&] { list->MoveDown(list->count()); }), kIndexOutOfRange);
        list->Rename(2, QStringLiteral("Renamed"));
        EXPECT_EQ(list->nameAt(2), QStringLiteral("Renamed"));
    }
    EXPECT_EQ(namesOf(chapter->sections()), L({"One", "Renamed", "Three"}));
}

TEST(OutlineListInterface, MovingKeepsTheSameObjects)
{
    Sections sections;
    auto first = sections.Add(std::make_shared<Section>(QStringLiteral("First")));
    auto second = sections.Add(std::make_shared<Section>(QStringLiteral("Second")));
    sections.MoveDown(1);
    EXPECT_EQ(sections.item(1), second);
    EXPECT_EQ(sections.item(2), first);
}

TEST(OutlineListInterface, DuplicateSectionNameRaises10001)
{
    Sections sections;
    for (const char *name : {"Summary", "Market"})
        sections.Add(std::make_shared<Section>(QString::fromUtf8(name)));
    EXPECT_EQ(errorNumberOf([&] { sections.Rename(2, QStringLiteral("Summary")); }), kDuplicateSectionName);
    EXPECT_EQ(errorNumberOf([&] { sections.Rename(2, QStringLiteral(" summary ")); }), kDuplicateSectionName);
    EXPECT_EQ(sections.item(2)->name(), QStringLiteral("Market")); // unchanged after the refusal
    // A section may take its own name in another letter case.
    sections.Rename(1, QStringLiteral("SUMMARY"));
    EXPECT_EQ(sections.item(1)->name(), QStringLiteral("SUMMARY"));
    // Chapters may share a name.
    Chapters chapters;
    chapters.Add(chapterNamed("A"));
    chapters.Add(chapterNamed("B"));
    chapters.Rename(2, QStringLiteral("A"));
    EXPECT_EQ(chapters.item(2)->name(), QStringLiteral("A"));
}

TEST(OutlineListInterface, SameNameInAnotherChapterIsAllowed)
{
    auto plan = PlanBuilder().chapter(QStringLiteral("One")).section(QStringLiteral("Summary"))
                    .chapter(QStringLiteral("Two")).section(QStringLiteral("Other")).take();
    plan->outline().chapters().item(2)->sections().Rename(1, QStringLiteral("Summary"));
    EXPECT_EQ(plan->outline().chapters().item(2)->sections().item(1)->name(), QStringLiteral("Summary"));
}

TEST(Sections, TextFileNamesAndKeysStayInsideThePlanFolder)
{
    Section section(QStringLiteral("S"));
    EXPECT_TRUE(section.primaryTextFileName().isEmpty());
    section.setTextFileName(QStringLiteral("Ans00001.rtf"));
    EXPECT_EQ(section.textFileName(), QStringLiteral("Ans00001.rtf"));
    EXPECT_EQ(section.primaryTextFileName(), QStringLiteral("Ans00001.tmp"));
    // Setting the working copy's name records the committed file it stands for.
    section.setPrimaryTextFileName(QStringLiteral("Ans00002.tmp"));
    EXPECT_EQ(section.textFileName(), QStringLiteral("Ans00002.rtf"));
    section.setTextFileName(QStringLiteral("Intro.RTF"));
    EXPECT_EQ(section.textFileName(), QStringLiteral("Intro.rtf"));
    section.setTextFileName(QStringLiteral("Notes"));
    EXPECT_EQ(section.textFileName(), QStringLiteral("Notes.rtf"));
    for (const char *bad : {"../x.rtf", "/etc/passwd", "a/b.rtf", "a\\b.rtf", "..", "bad\nname.rtf"}) {
        EXPECT_EQ(errorNumberOf([&] { section.setTextFileName(QString::fromUtf8(bad)); }), kInvalidArgument) << bad;
        EXPECT_EQ(errorNumberOf([&] { section.setKey(QString::fromUtf8(bad)); }), kInvalidArgument) << bad;
    }
    EXPECT_EQ(section.textFileName(), QStringLiteral("Notes.rtf"));
}

TEST(Tables, NamesFollowTheFileName)
{
    Table table(QStringLiteral("Tbl0404.vts"), QStringLiteral("Sales forecast"));
    EXPECT_EQ(table.name(), QStringLiteral("Tbl0404"));
    EXPECT_EQ(table.primaryFileName(), QStringLiteral("Tbl0404.tbf"));
    EXPECT_EQ(table.pictureFileName(), QStringLiteral("Tbl0404.wmf"));
    EXPECT_EQ(table.excelFileName(), QStringLiteral("Tbl0404.xls"));
    table.setGraphFileName(QStringLiteral("Tbl0404.vtc"));
    EXPECT_EQ(table.graphPictureFileName(), QStringLiteral("Tbl0404.wmf"));
    table.setFileName(QStringLiteral("TBL0505.VTS"));
    EXPECT_EQ(table.fileName(), QStringLiteral("TBL0505.vts"));
    EXPECT_EQ(errorNumberOf([&] { table.setGraphFileName(QStringLiteral("../g.vtc")); }), kInvalidArgument);
}

TEST(Sections, HasTablesFollowsTheTables)
{
    Section section;
    EXPECT_FALSE(section.hasTables());
    section.tables().Add(std::make_shared<Table>(QStringLiteral("Tbl0101.vts")));
    EXPECT_TRUE(section.hasTables());
    EXPECT_EQ(section.tables().count(), 1);
    section.tables().Remove(1);
    EXPECT_FALSE(section.hasTables());
}

TEST(Outline, FindsTablesByNamePrefixInPlanOrder)
{
    auto plan = PlanBuilder()
                    .chapter(QStringLiteral("One")).section(QStringLiteral("A")).table(QStringLiteral("Tbl0301.vts"))
                    .chapter(QStringLiteral("Two")).section(QStringLiteral("B")).section(QStringLiteral("C"))
                    .table(QStringLiteral("Tbl0404.vts")).table(QStringLiteral("Tbl0405.vts"))
                    .take();
    const auto found = plan->outline().findTable(QStringLiteral("tbl04"));
    ASSERT_TRUE(found.table);
    EXPECT_EQ(found.table->name(), QStringLiteral("Tbl0404"));
    EXPECT_EQ(found.chapter, 2);
    EXPECT_EQ(found.section, 2);
    EXPECT_EQ(plan->outline().findTable(QStringLiteral("TBL0405")).table->name(), QStringLiteral("Tbl0405"));
    EXPECT_FALSE(plan->outline().findTable(QStringLiteral("Tbl09")).table);
    EXPECT_EQ(plan->outline().tableCount(), 3);
    EXPECT_TRUE(plan->outline().chapters().item(2)->hasTables());
}

TEST(Plan, SectionsKnowThePlanFolderWhileAttached)
{
    Plan plan;
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    auto chapter = plan.outline().chapters().Add(std::make_shared<Chapter>(QStringLiteral("C")));
    auto section = chapter->sections().Add(std::make_shared<Section>(QStringLiteral("S")));
    auto table = section->tables().Add(std::make_shared<Table>(QStringLiteral("Tbl0101.vts")));
    EXPECT_TRUE(section->folder().isEmpty()); // no path yet
    plan.setFilePath(QStringLiteral("/plans/Acme.bpl"));
    EXPECT_EQ(section->folder(), QStringLiteral("/plans/AcmeB/"));
    EXPECT_EQ(table->folder(), QStringLiteral("/plans/AcmeB/"));
    plan.planInfo().setPlanType(MarketingPlan);
    EXPECT_EQ(section->folder(), QStringLiteral("/plans/AcmeM/"));
    // A section added later joins the plan; a removed one leaves it.
    auto later = chapter->sections().Add(std::make_shared<Section>(QStringLiteral("Later")));
    EXPECT_EQ(later->folder(), QStringLiteral("/plans/AcmeM/"));
    plan.outline().chapters().Remove(1);
    EXPECT_TRUE(section->folder().isEmpty());
    EXPECT_TRUE(table->folder().isEmpty());
}

TEST(Plan, ItemsOutlivingThePlanForgetItsFolder)
{
    std::shared_ptr<Section> section;
    {
        auto plan = PlanBuilder().filePath(QStringLiteral("/p/A.bpl")).section(QStringLiteral("S")).take();
        section = plan->outline().chapters().item(1)->sections().item(1);
        EXPECT_EQ(section->folder(), QStringLiteral("/p/AB/"));
    }
    EXPECT_TRUE(section->folder().isEmpty());
}

TEST(Plan, NameIsTheTitleOrTheDocumentsBaseName)
{
    Plan plan;
    EXPECT_TRUE(plan.name().isEmpty());
    plan.setFilePath(QStringLiteral("/plans/Acme.v2.bpl"));
    EXPECT_EQ(plan.name(), QStringLiteral("Acme.v2"));
    plan.setName(QStringLiteral("Acme Hardware"));
    EXPECT_EQ(plan.name(), QStringLiteral("Acme Hardware"));
}

TEST(Plan, FolderIsThePathLessItsExtensionAndTheTypesLetter)
{
    Plan plan;
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan.setFilePath(QStringLiteral("/My Plans/Acme.bpl"));
    EXPECT_EQ(plan.folder(), QStringLiteral("/My Plans/AcmeB"));
    EXPECT_EQ(plan.fullPath(), QStringLiteral("/My Plans/Acme.bpl"));
    plan.planInfo().setPlanType(MarketingPlan);
    plan.setFilePath(QStringLiteral("/My Plans/x/../Acme.mpl"));
    EXPECT_EQ(plan.fullPath(), QStringLiteral("/My Plans/Acme.mpl"));
    EXPECT_EQ(plan.folder(), QStringLiteral("/My Plans/AcmeM"));
    plan.setFilePath(QString());
    EXPECT_TRUE(plan.folder().isEmpty());
}
