// Working copies: a section's and a table's edits wait beside the committed
// files; a save commits them, a close without saving discards them.

#include "PlanTestSupport.h"

#include "plan/Plan.h"
#include "plan/PlanBuilder.h"
#include "plan/WorkingCopies.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace qv::plan;
using namespace qv::plan::test;

namespace {

// The composer's side, as it uses the library's names: write to the
// primary name, show the alternate name when that file exists, else the
// primary; save commits, close deletes.
class ComposerSimulation
{
public:
    explicit ComposerSimulation(Plan &plan) : m_plan(plan) {}

    Section &section() { return *m_plan.outline().chapters().item(1)->sections().item(1); }
    Table &table() { return *section().tables().item(1); }

    void editText(const QByteArray &text) { writeBytes(section().folder() + section().primaryTextFileName(), text); }
    void editTable(const QByteArray &cells) { writeBytes(table().folder() + table().primaryFileName(), cells); }

    QByteArray shownText()
    {
        const QString alternate = section().folder() + section().alternateTextFileName();
        const QString primary = section().folder() + section().primaryTextFileName();
        return readBytes(QFileInfo::exists(alternate) ? alternate : primary);
    }
    QByteArray loadedTable() { return readBytes(table().fileToLoad()); }

    void save()
    {
        m_plan.Save();
        EXPECT_TRUE(commitWorkingCopies(m_plan.folder()).isEmpty());
    }
    void closeWithoutSaving() { deleteWorkingCopies(m_plan.folder()); }

    // Opening the plan again, as the next session would.
    void reopen()
    {
        const QString path = m_plan.fullPath();
        m_plan.setFilePath(path);
        ASSERT_TRUE(m_plan.Open());
    }

private:
    Plan &m_plan;
};

class WorkingCopiesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_plan = PlanBuilder()
                     .filePath(m_dir.filePath(QStringLiteral("Acme.bpl")))
                     .section(QStringLiteral("Summary"), QStringLiteral("0101"), QStringLiteral("Ans00001.rtf"))
                     .table(QStringLiteral("Tbl0101.vts"), QStringLiteral("Costs"))
                     .take();
        m_plan->Save();
        writeBytes(m_plan->folder() + QStringLiteral("/Ans00001.rtf"), "saved text");
        writeBytes(m_plan->folder() + QStringLiteral("/Tbl0101.vts"), "saved table");
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Plan> m_plan;
};

} // namespace

TEST_F(WorkingCopiesTest, NamesOfTheWorkingCopies)
{
    ComposerSimulation composer(*m_plan);
    EXPECT_EQ(composer.section().primaryTextFileName(), QStringLiteral("Ans00001.tmp"));
    EXPECT_EQ(composer.section().alternateTextFileName(), QStringLiteral("Ans00001.rtf"));
    EXPECT_EQ(composer.table().primaryFileName(), QStringLiteral("Tbl0101.tbf"));
    EXPECT_EQ(composer.table().alternateFileName(), QStringLiteral("Tbl0101.vts"));
    composer.editText("edit");
    composer.editTable("edit");
    EXPECT_EQ(composer.section().alternateTextFileName(), QStringLiteral("Ans00001.tmp"));
    EXPECT_EQ(composer.table().alternateFileName(), QStringLiteral("Tbl0101.tbf"));
    EXPECT_EQ(composer.section().textFileToShow(), m_plan->folder() + QStringLiteral("/Ans00001.tmp"));
}

TEST_F(WorkingCopiesTest, ShowingASectionShowsTheLatestEdit)
{
    ComposerSimulation composer(*m_plan);
    EXPECT_EQ(composer.shownText(), QByteArray("saved text"));
    composer.editText("unsaved edit");
    EXPECT_EQ(composer.shownText(), QByteArray("unsaved edit"));
    composer.editText("second unsaved edit");
    EXPECT_EQ(composer.shownText(), QByteArray("second unsaved edit"));
    EXPECT_EQ(readBytes(m_plan->folder() + QStringLiteral("/Ans00001.rtf")), QByteArray("saved text"));
}

TEST_F(WorkingCopiesTest, AnsweringNoDiscardsEveryUnsavedEdit)
{
    ComposerSimulation composer(*m_plan);
    composer.editText("unsaved edit");
    composer.editTable("unsaved cells");
    composer.closeWithoutSaving();
    composer.reopen();
    EXPECT_EQ(composer.shownText(), QByteArray("saved text"));
    EXPECT_EQ(composer.loadedTable(), QByteArray("saved table"));
    EXPECT_TRUE(workingCopiesIn(m_plan->folder(), WorkingCopyKind::Text).isEmpty());
    EXPECT_TRUE(workingCopiesIn(m_plan->folder(), WorkingCopyKind::Table).isEmpty());
}

TEST_F(WorkingCopiesTest, NoSavedEditIsEverLost)
{
    ComposerSimulation composer(*m_plan);
    composer.editText("saved edit");
    composer.editTable("saved cells");
    composer.save();
    EXPECT_EQ(composer.shownText(), QByteArray("saved edit"));
    // A later unsaved edit, discarded, falls back to the saved edit.
    composer.editText("later edit");
    composer.editTable("later cells");
    composer.closeWithoutSaving();
    composer.reopen();
    EXPECT_EQ(composer.shownText(), QByteArray("saved edit"));
    EXPECT_EQ(composer.loadedTable(), QByteArray("saved cells"));
}

TEST_F(WorkingCopiesTest, ANewSectionsTextSurvivesOnlyASave)
{
    auto section = std::make_shared<Section>(QStringLiteral("New Section"));
    m_plan->outline().chapters().item(1)->sections().Add(section);
    section->setPrimaryTextFileName(QStringLiteral("Ans00002.rtf"));
    writeBytes(section->folder() + section->primaryTextFileName(), "new text");
    EXPECT_EQ(readBytes(section->textFileToShow()), QByteArray("new text"));
    m_plan->Save();
    commitWorkingCopies(m_plan->folder());
    deleteWorkingCopies(m_plan->folder());

    ASSERT_TRUE(m_plan->Open());
    const auto &reopened = m_plan->outline().chapters().item(1)->sections().item(2);
    EXPECT_EQ(reopened->textFileName(), QStringLiteral("Ans00002.rtf"));
    EXPECT_EQ(readBytes(reopened->textFileToShow()), QByteArray("new text"));
}

TEST(WorkingCopies, CommittedNamesReplaceTheLastThreeCharacters)
{
    EXPECT_EQ(committedNameOf(QStringLiteral("Tbl0404.tbf")), QStringLiteral("Tbl0404.vts"));
    EXPECT_EQ(committedNameOf(QStringLiteral("Tbl0404.TBF")), QStringLiteral("Tbl0404.vts"));
    EXPECT_EQ(committedNameOf(QStringLiteral("Ans00001.tmp")), QStringLiteral("Ans00001.rtf"));
    EXPECT_TRUE(committedNameOf(QStringLiteral("Ans00001.rtf")).isEmpty());
    EXPECT_TRUE(committedNameOf(QStringLiteral(".tmp")).isEmpty());
}

TEST(WorkingCopies, CommitReplacesInOneStepAndDeleteSparesOtherFiles)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    writeBytes(folder + QStringLiteral("/A.tmp"), "text edit");
    writeBytes(folder + QStringLiteral("/A.rtf"), "text");
    writeBytes(folder + QStringLiteral("/T.TBF"), "table edit");
    writeBytes(folder + QStringLiteral("/keep.vts"), "keep");
    EXPECT_EQ(workingCopiesIn(folder, WorkingCopyKind::Table), QStringList{QStringLiteral("T.TBF")});
    EXPECT_TRUE(commitWorkingCopies(folder).isEmpty());
    EXPECT_EQ(readBytes(folder + QStringLiteral("/A.rtf")), QByteArray("text edit"));
    EXPECT_EQ(readBytes(folder + QStringLiteral("/T.vts")), QByteArray("table edit"));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/A.tmp")));

    writeBytes(folder + QStringLiteral("/B.tmp"), "x");
    writeBytes(folder + QStringLiteral("/C.tbf"), "x");
    EXPECT_EQ(deleteWorkingCopies(folder), 2);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3); // A.rtf, T.vts, keep.vts
    EXPECT_TRUE(workingCopiesIn(folder, WorkingCopyKind::Text).isEmpty());
    EXPECT_TRUE(commitWorkingCopy(folder, QStringLiteral("keep.vts")).contains(QLatin1String("not a working copy")));
    EXPECT_FALSE(commitWorkingCopy(folder, QStringLiteral("gone.tmp")).isEmpty());
}
