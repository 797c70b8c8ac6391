// Replacing a plan: what counts as a plan in place, the question, and the
// staging that moves the old plan to the trash only when the new one is done.

#include "FakePlatform.h"
#include "plan/PlanReplacement.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace qv::plan;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PlanReplacementTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return QDir(m_plans.path()).filePath(name); }
    // The old plan: a document and a folder with one section text.
    void writeOldPlan()
    {
        writeFile(path(QStringLiteral("Acme.bpl")), "old document");
        writeFile(path(QStringLiteral("AcmeB/Sec00001.rtf")), "old text");
    }
    // What a creation writes into the staging.
    static void writeNewPlan(const PlanStaging &staging)
    {
        const QString document = staging.stagedDocument();
        writeFile(document, "new document");
        writeFile(document.left(document.size() - 4) + QStringLiteral("B/Tbl0101.vts"), "new table");
    }
    QStringList entries() const
    {
        return QDir(m_plans.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir m_plans;
};

} // namespace

TEST_F(PlanReplacementTest, APlanIsItsDocumentOrAFolderThatHoldsSomething)
{
    EXPECT_FALSE(planAt(path(QStringLiteral("Acme.bpl"))).exists());
    QDir().mkpath(path(QStringLiteral("AcmeB")));
    EXPECT_FALSE(planAt(path(QStringLiteral("Acme.bpl"))).exists()) << "an empty folder holds nothing to lose";
    writeFile(path(QStringLiteral("AcmeB/notes.txt")), "x");
    EXPECT_TRUE(planAt(path(QStringLiteral("Acme.bpl"))).exists());
    EXPECT_FALSE(planAt(path(QStringLiteral("Acme.mpl"))).exists()) << "a marketing plan has its own folder";
    writeFile(path(QStringLiteral("Acme.mpl")), "doc");
    const PlanInPlace marketing = planAt(path(QStringLiteral("Acme.mpl")));
    EXPECT_TRUE(marketing.documentExists);
    EXPECT_FALSE(marketing.folderHoldsEntries);
    // The folder is found whatever its case.
    QDir().rename(path(QStringLiteral("AcmeB")), path(QStringLiteral("ACMEB")));
    EXPECT_EQ(planAt(path(QStringLiteral("Acme.bpl"))).folder, path(QStringLiteral("ACMEB")));
    EXPECT_TRUE(planAt(path(QStringLiteral("Acme.bpl"))).folderHoldsEntries);
}

TEST_F(PlanReplacementTest, TheQuestionNamesThePlanAndDefaultsToNo)
{
    const QString document = path(QStringLiteral("Rosie's Corner Bakery.bpl"));
    EXPECT_TRUE(replaceQuestion(document).contains(QStringLiteral("\"Rosie's Corner Bakery\"")));
    EXPECT_TRUE(replaceQuestion(document).contains(QDir::toNativeSeparators(m_plans.path())));
    EXPECT_TRUE(replaceQuestion(document).contains(QStringLiteral("trash")));

    qv::test::fakes().messages->setNextAnswer(qv::platform::Answer::No);
    EXPECT_FALSE(askToReplacePlan(nullptr, document));
    qv::test::fakes().messages->setNextAnswer(qv::platform::Answer::Yes);
    EXPECT_TRUE(askToReplacePlan(nullptr, document));
    const auto &shown = qv::test::fakes().messages->shown;
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].buttons, qv::platform::Buttons::YesNo);
    EXPECT_EQ(shown[0].icon, qv::platform::Icon::Question);
    EXPECT_EQ(shown[0].defaultButton, 1) << "No is the default";
}

TEST_F(PlanReplacementTest, CommitMovesTheOldPlanToTheTrashAndTheNewOneInPlace)
{
    writeOldPlan();
    PlanStaging staging;
    ASSERT_TRUE(staging.begin(path(QStringLiteral("Acme.bpl"))).isEmpty());
    writeNewPlan(staging);
    // Nothing of the old plan is touched while the new one is built.
    EXPECT_EQ(readFile(path(QStringLiteral("Acme.bpl"))), "old document");
    EXPECT_EQ(readFile(path(QStringLiteral("AcmeB/Sec00001.rtf"))), "old text");

    ASSERT_TRUE(staging.commit().isEmpty());
    EXPECT_EQ(readFile(path(QStringLiteral("Acme.bpl"))), "new document");
    EXPECT_EQ(readFile(path(QStringLiteral("AcmeB/Tbl0101.vts"))), "new table");
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("AcmeB/Sec00001.rtf"))));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("Acme.bpl"), QStringLiteral("AcmeB")})) << "no staging left";
    // The old plan is whole in the trash.
    EXPECT_EQ(readFile(staging.trashedDocument()), "old document");
    EXPECT_EQ(readFile(QDir(staging.trashedFolder()).filePath(QStringLiteral("Sec00001.rtf"))), "old text");
}

TEST_F(PlanReplacementTest, CommitWithoutAnOldPlanTrashesNothing)
{
    QDir().mkpath(path(QStringLiteral("AcmeB"))); // empty: simply taken over
    PlanStaging staging;
    ASSERT_TRUE(staging.begin(path(QStringLiteral("sub/Acme.bpl"))).isEmpty());
    writeNewPlan(staging);
    ASSERT_TRUE(staging.commit().isEmpty());
    EXPECT_EQ(readFile(path(QStringLiteral("sub/Acme.bpl"))), "new document");
    EXPECT_TRUE(staging.trashedDocument().isEmpty());
    EXPECT_TRUE(staging.trashedFolder().isEmpty());
}

TEST_F(PlanReplacementTest, AStagingThatEndsWithoutCommitLeavesNothingAndKeepsTheOldPlan)
{
    writeOldPlan();
    {
        PlanStaging staging;
        ASSERT_TRUE(staging.begin(path(QStringLiteral("Acme.bpl"))).isEmpty());
        writeNewPlan(staging);
    }
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("Acme.bpl"), QStringLiteral("AcmeB")}));
    EXPECT_EQ(readFile(path(QStringLiteral("Acme.bpl"))), "old document");
    EXPECT_EQ(readFile(path(QStringLiteral("AcmeB/Sec00001.rtf"))), "old text");
}

TEST_F(PlanReplacementTest, AFailedCommitPutsTheOldPlanBack)
{
    writeOldPlan();
    PlanStaging staging;
    ASSERT_TRUE(staging.begin(path(QStringLiteral("Acme.bpl"))).isEmpty());
    // The staged document is missing, so the last step fails.
    writeFile(staging.stagedDocument().left(staging.stagedDocument().size() - 4) + QStringLiteral("B/x"), "x");
    const QString error = staging.commit();
    EXPECT_TRUE(error.contains(QStringLiteral("kept"))) << error.toStdString();
    EXPECT_EQ(readFile(path(QStringLiteral("Acme.bpl"))), "old document");
    EXPECT_EQ(readFile(path(QStringLiteral("AcmeB/Sec00001.rtf"))), "old text");
    staging.discard();
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("Acme.bpl"), QStringLiteral("AcmeB")}));
}

namespace {

// The moves a replacement makes, in order; a program killed after any of
// them leaves the plan in that state.
enum class KilledAfter { NoteWritten, OldFolderTrashed, NewFolderMoved, OldDocumentTrashed, NewDocumentMoved };

} // namespace

TEST_F(PlanReplacementTest, AReplacementKilledBetweenItsMovesIsCompletedWhenThePlanIsNextOpened)
{
    const QString staging = QStringLiteral(".Acme.new-0badc0de");
    for (KilledAfter killed : {KilledAfter::NoteWritten, KilledAfter::OldFolderTrashed, KilledAfter::NewFolderMoved,
                               KilledAfter::OldDocumentTrashed, KilledAfter::NewDocumentMoved}) {
        SCOPED_TRACE(static_cast<int>(killed));
        for (const QString &entry : entries())
            QFileInfo(path(entry)).isDir() ? (void)QDir(path(entry)).removeRecursively() : (void)QFile::remove(path(entry));
        writeOldPlan();
        writeFile(path(staging + QStringLiteral("/Acme.bpl")), "new document");
        writeFile(path(staging + QStringLiteral("/AcmeB/Tbl0101.vts")), "new table");
        writeFile(path(QStringLiteral(".Acme.bpl.replacing")), staging.toUtf8() + "\nfolder\n");
        const QString aside = path(QStringLiteral("aside"));
        if (killed >= KilledAfter::OldFolderTrashed) {
            ASSERT_TRUE(QDir().rename(path(QStringLiteral("AcmeB")), aside));
        }
        if (killed >= KilledAfter::NewFolderMoved) {
            ASSERT_TRUE(QDir().rename(path(staging + QStringLiteral("/AcmeB")), path(QStringLiteral("AcmeB"))));
        }
        if (killed >= KilledAfter::OldDocumentTrashed) {
            ASSERT_TRUE(QFile::remove(path(QStringLiteral("Acme.bpl"))));
        }
        if (killed >= KilledAfter::NewDocumentMoved) {
            ASSERT_TRUE(QFile::rename(path(staging + QStringLiteral("/Acme.bpl")), path(QStringLiteral("Acme.bpl"))));
        }
        QDir(aside).removeRecursively(); // as good as in the trash

        EXPECT_EQ(finishInterruptedReplacement(path(QStringLiteral("Acme.bpl"))), QString());
        EXPECT_EQ(readFile(path(QStringLiteral("Acme.bpl"))), "new document");
        EXPECT_EQ(readFile(path(QStringLiteral("AcmeB/Tbl0101.vts"))), "new table");
        EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("AcmeB/Sec00001.rtf"))));
        EXPECT_EQ(entries(), (QStringList{QStringLiteral("Acme.bpl"), QStringLiteral("AcmeB")}))
            << "neither the note nor the staging is left";
        // A second open finds nothing more to do.
        EXPECT_EQ(finishInterruptedReplacement(path(QStringLiteral("Acme.bpl"))), QString());
    }
}

TEST_F(PlanReplacementTest, AReplacementNoteNamingAnythingButThisPlansStagingIsIgnored)
{
    writeOldPlan();
    writeFile(path(QStringLiteral("elsewhere/Acme.bpl")), "someone else's");
    for (const QByteArray &named : {QByteArray("../elsewhere"), QByteArray(".Acme.new-1/../../elsewhere"),
                                    QByteArray(".Other.new-12345678"), QByteArray()}) {
        writeFile(path(QStringLiteral(".Acme.bpl.replacing")), named + "\nfolder\n");
        EXPECT_EQ(finishInterruptedReplacement(path(QStringLiteral("Acme.bpl"))), QString());
        EXPECT_EQ(readFile(path(QStringLiteral("Acme.bpl"))), "old document") << named.constData();
        EXPECT_EQ(readFile(path(QStringLiteral("elsewhere/Acme.bpl"))), "someone else's");
        EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral(".Acme.bpl.replacing"))));
    }
}

TEST_F(PlanReplacementTest, TheTrashIsTheUsersEvenBeforeTheirDataFolderExists)
{
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    const QString fresh = path(QStringLiteral("new account/.local/share"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(fresh));
    writeOldPlan();
    QString inTrash;
    EXPECT_EQ(moveToTrash(path(QStringLiteral("Acme.bpl")), &inTrash), QString());
    qputenv("XDG_DATA_HOME", dataHome);
    EXPECT_TRUE(inTrash.startsWith(fresh + QStringLiteral("/Trash/"))) << inTrash.toStdString();
    EXPECT_EQ(readFile(inTrash), "old document");
}
