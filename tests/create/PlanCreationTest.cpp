// Plan creation from answer files, against small template libraries made by
// the tests: the header and folder rules, the customizations of business and
// marketing plans, the queued cell values and the unsafe inputs.

#include "CreationLibrary.h"

#include "controls/workbook/Workbook.h"
#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "plan/Plan.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QScopeGuard>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <limits>

using qv::create::CreationResult;
using qv::create::PlanCreation;
using qv::test::CreationLibrary;

namespace {

class RecordingProgress : public qv::create::CreationProgress
{
public:
    void showStatus(const QString &text) override { statuses << text; }
    void showDetail(const QString &text) override { details << text; }
    void startProgress(int maximum) override { progressMaximum = maximum; }
    void advanceProgress() override { ++progressValue; }
    void yieldToWindowSystem() override { ++yields; }
    bool isClosed() const override { return closed; }

    QStringList statuses;
    QStringList details;
    int progressMaximum = -1;
    int progressValue = 0;
    int yields = 0;
    bool closed = false;
};

class PlanCreationTest : public ::testing::Test
{
protected:
    // `writeBudget`: the bytes the disk takes before it is full (negative: no limit).
    CreationResult create(const QStringList &lines, qint64 writeBudget = -1)
    {
        answers = library.writeAnswers(lines);
        qv::platform::failWritesAfter(writeBudget);
        const auto roomAgain = qScopeGuard([] { qv::platform::failWritesAfter(-1); });
        PlanCreation creation(progress);
        if (replaceAnswer)
            creation.setReplaceQuestion(replaceAnswer);
        CreationResult result = creation.createPlanFromQA(answers);
        made = creation.takePlan();
        return result;
    }
    QString plansPath(const QString &name) const { return qv::platform::joinPath(library.plansFolder(), name); }
    std::shared_ptr<qv::workbook::Workbook> table(const QString &name, const QString &folder = QStringLiteral("AcmeB"))
    {
        return CreationLibrary::loadTable(plansPath(folder), name);
    }
    static std::vector<int> rows(int first, int last)
    {
        std::vector<int> list;
        for (int r = first; r <= last; ++r)
            list.push_back(r);
        return list;
    }
    QStringList with(QStringList header, const QStringList &more) { return header << more; }
    static void writeText(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray readText(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // No staging folder or other leftover beside the plan.
    bool onlyThePlanAndAnswers() const
    {
        const QStringList names = QDir(library.plansFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString &name : names)
            if (!name.startsWith(QStringLiteral("Acme")) && name != QStringLiteral("answers.txt"))
                return false;
        return true;
    }

    CreationLibrary library;
    RecordingProgress progress;
    QString answers;
    std::unique_ptr<qv::plan::Plan> made;
    qv::create::ReplaceQuestion replaceAnswer;
};

// ---- Header, document and folder --------------------------------------------------

TEST_F(PlanCreationTest, BusinessPlanIsMadeSavedAndHandedOver)
{
    library.addBusiness(qv::plan::Retail, true);
    const CreationResult result = create(library.businessHeader(QStringLiteral("Retail"), true));
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_TRUE(result.notApplied.isEmpty()) << result.reportText().toStdString();
    EXPECT_EQ(result.documentPath, plansPath(QStringLiteral("Acme.bpl")));
    EXPECT_TRUE(QFileInfo(result.documentPath).isFile());
    for (const QString &name : CreationLibrary::businessTables(qv::plan::Retail, true))
        EXPECT_TRUE(QFileInfo::exists(plansPath(QStringLiteral("AcmeB/") + name + QStringLiteral(".vts")))) << name.toStdString();
    ASSERT_TRUE(made);
    EXPECT_EQ(made->fullPath(), result.documentPath);
    EXPECT_FALSE(made->modified());
    // The answer file has done its work.
    EXPECT_FALSE(QFileInfo::exists(answers));
}

TEST_F(PlanCreationTest, MarketingDocumentTakesMplAndFolderEndsInM)
{
    library.addMarketing();
    const CreationResult result = create(library.marketingHeader(QStringLiteral("Retail")));
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_EQ(result.documentPath, plansPath(QStringLiteral("Acme.mpl")));
    EXPECT_TRUE(QFileInfo(plansPath(QStringLiteral("AcmeM"))).isDir());
    EXPECT_FALSE(QFileInfo::exists(plansPath(QStringLiteral("AcmeB"))));
    EXPECT_EQ(QDir(plansPath(QStringLiteral("AcmeM"))).entryList({QStringLiteral("*.vts")}).size(),
              CreationLibrary::marketingTables().size());
}

TEST_F(PlanCreationTest, AnswersNotTheTemplateDecideKindStageAndSubmitter)
{
    // The one marketing template (itself written as Service) serves every kind.
    library.addMarketing();
    const CreationResult result = create(with(library.marketingHeader(QStringLiteral("custom")),
                                              {QStringLiteral("[FIELD1.5]=Acme Bakery"),
                                               QStringLiteral("[FIELD2.1]=First Bank"),
                                               QStringLiteral("[FIELD2.2]=May 5, 2026"),
                                               QStringLiteral("[FIELD2.3]=Ann Baker"),
                                               QStringLiteral("[FIELD2.4]=1 Main St"),
                                               QStringLiteral("[FIELD2.5]=Springfield"),
                                               QStringLiteral("[FIELD2.6]=IL"),
                                               QStringLiteral("[FIELD2.7]=62701"),
                                               QStringLiteral("[FIELD2.8]=555-0100")}));
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    const auto saved = CreationLibrary::openPlan(result.documentPath);
    EXPECT_EQ(saved->planInfo().planType(), qv::plan::MarketingPlan);
    EXPECT_EQ(saved->planInfo().businessKind(), qv::plan::Custom);
    EXPECT_EQ(saved->planInfo().businessName(), QStringLiteral("Acme Bakery"));
    EXPECT_EQ(saved->submitter().submittedTo(), QStringLiteral("First Bank"));
    EXPECT_EQ(saved->submitter().submissionDate().toString(), QStringLiteral("May 5, 2026"));
    EXPECT_EQ(saved->submitter().address().name(), QStringLiteral("Ann Baker"));
    EXPECT_EQ(saved->submitter().address().street(), QStringLiteral("1 Main St"));
    EXPECT_EQ(saved->submitter().address().city(), QStringLiteral("Springfield"));
    EXPECT_EQ(saved->submitter().address().state(), QStringLiteral("IL"));
    EXPECT_EQ(saved->submitter().address().zip(), QStringLiteral("62701"));
    EXPECT_EQ(saved->submitter().address().telephone(), QStringLiteral("555-0100"));
    // The outline is the template's.
    EXPECT_EQ(saved->outline().chapters().count(), 2);
}

TEST_F(PlanCreationTest, ExistingBusinessStageAndKindFromAnswers)
{
    library.addBusiness(qv::plan::Wholesale, false);
    const CreationResult result = create(library.businessHeader(QStringLiteral("WHOLESALE"), false));
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    const auto saved = CreationLibrary::openPlan(result.documentPath);
    EXPECT_EQ(saved->planInfo().businessKind(), qv::plan::Wholesale);
    EXPECT_FALSE(saved->planInfo().newBusiness());
    EXPECT_TRUE(QFileInfo::exists(plansPath(QStringLiteral("AcmeB/Tbl0806.vts"))));
}

TEST_F(PlanCreationTest, LinesWithoutEqualsAreIgnored)
{
    library.addBusiness(qv::plan::Retail, true);
    QStringList lines = library.businessHeader(QStringLiteral("Retail"), true);
    lines.insert(1, QString());
    lines.insert(2, QStringLiteral("; a comment"));
    lines.insert(3, QStringLiteral("   "));
    lines << QStringLiteral("just some words") << QStringLiteral("  [field3.3] =  2  ");
    const CreationResult result = create(lines);
    ASSERT_TRUE(result.planMade());
    EXPECT_TRUE(result.notApplied.isEmpty()) << result.reportText().toStdString();
    // Keys are trimmed and read in capitals, values trimmed.
    EXPECT_EQ(table(QStringLiteral("Tbl0601"))->hiddenRows(), rows(5, 8));
}

TEST_F(PlanCreationTest, AnExistingPlanIsNeverReplacedWithoutAYes)
{
    library.addBusiness(qv::plan::Retail, true);
    QDir().mkpath(plansPath(QStringLiteral("AcmeB")));
    writeText(plansPath(QStringLiteral("AcmeB/Ans00009.rtf")), "old text");
    writeText(plansPath(QStringLiteral("Acme.bpl")), "old document");

    // No one to ask: refused.
    CreationResult result = create(library.businessHeader(QStringLiteral("Retail"), true));
    EXPECT_FALSE(result.planMade());
    EXPECT_TRUE(result.failure.contains(QStringLiteral("\"Acme\" already exists"))) << result.failure.toStdString();
    EXPECT_TRUE(QFileInfo::exists(answers)) << "the answers stay for another try";

    // Asked, and the answer is No.
    QStringList asked;
    replaceAnswer = [&](const qv::create::ReplaceRequest &request) {
        asked << request.documentPath;
        return false;
    };
    result = create(library.businessHeader(QStringLiteral("Retail"), true));
    EXPECT_FALSE(result.planMade());
    EXPECT_EQ(asked, QStringList{plansPath(QStringLiteral("Acme.bpl"))});

    EXPECT_EQ(readText(plansPath(QStringLiteral("Acme.bpl"))), "old document");
    EXPECT_EQ(readText(plansPath(QStringLiteral("AcmeB/Ans00009.rtf"))), "old text");
    EXPECT_EQ(QDir(plansPath(QStringLiteral("AcmeB"))).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(onlyThePlanAndAnswers()) << "nothing half-made is left";
}

TEST_F(PlanCreationTest, AYesReplacesThePlanAndTheOldOneGoesToTheTrash)
{
    library.addBusiness(qv::plan::Retail, true);
    QDir().mkpath(plansPath(QStringLiteral("AcmeB")));
    writeText(plansPath(QStringLiteral("AcmeB/Ans00009.rtf")), "old text");
    writeText(plansPath(QStringLiteral("Acme.bpl")), "old document");
    // A folder of the same stem that is not the plan folder stays untouched.
    QDir().mkpath(plansPath(QStringLiteral("Acme")));
    writeText(plansPath(QStringLiteral("Acme/keep.rtf")), "keep");

    int questions = 0;
    replaceAnswer = [&](const qv::create::ReplaceRequest &request) {
        ++questions;
        // Nothing is touched before the answer.
        EXPECT_EQ(readText(plansPath(QStringLiteral("AcmeB/Ans00009.rtf"))), "old text");
        EXPECT_FALSE(request.agreedInAnswers);
        return true;
    };
    const CreationResult result = create(library.businessHeader(QStringLiteral("Retail"), true));
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(made->fullPath(), plansPath(QStringLiteral("Acme.bpl")));
    EXPECT_FALSE(QFileInfo::exists(plansPath(QStringLiteral("AcmeB/Ans00009.rtf"))));
    EXPECT_TRUE(QFileInfo::exists(plansPath(QStringLiteral("AcmeB/Tbl0601.vts"))));
    EXPECT_NE(readText(plansPath(QStringLiteral("Acme.bpl"))), "old document");
    EXPECT_EQ(readText(plansPath(QStringLiteral("Acme/keep.rtf"))), "keep");
    // The whole old plan is in the trash.
    ASSERT_EQ(result.trashed.size(), 2);
    EXPECT_EQ(readText(result.trashed[0]), "old document");
    EXPECT_EQ(readText(QDir(result.trashed[1]).filePath(QStringLiteral("Ans00009.rtf"))), "old text");
    EXPECT_TRUE(onlyThePlanAndAnswers());
    // The plan opens from its place.
    const auto reopened = CreationLibrary::openPlan(plansPath(QStringLiteral("Acme.bpl")));
    EXPECT_EQ(reopened->planInfo().businessKind(), qv::plan::Retail);
}

TEST_F(PlanCreationTest, TheAnswersCarryTheUsersYesForThatPlanOnly)
{
    library.addBusiness(qv::plan::Retail, true);
    writeText(plansPath(QStringLiteral("Acme.bpl")), "old document");
    QList<bool> agreed;
    replaceAnswer = [&](const qv::create::ReplaceRequest &request) {
        agreed << request.agreedInAnswers;
        return request.agreedInAnswers;
    };
    QStringList other = library.businessHeader(QStringLiteral("Retail"), true);
    other.insert(1, QStringLiteral("[REPLACE]=") + plansPath(QStringLiteral("Other.bpl")));
    EXPECT_FALSE(create(other).planMade());
    QStringList same = library.businessHeader(QStringLiteral("Retail"), true);
    same.insert(1, QStringLiteral("[REPLACE]=") + plansPath(QStringLiteral("Acme.bpl")));
    EXPECT_TRUE(create(same).planMade());
    EXPECT_EQ(agreed, (QList<bool>{false, true}));
}

TEST_F(PlanCreationTest, AnEmptyFolderIsTakenWithoutAQuestion)
{
    library.addBusiness(qv::plan::Retail, true);
    QDir().mkpath(plansPath(QStringLiteral("AcmeB")));
    const CreationResult result = create(library.businessHeader(QStringLiteral("Retail"), true));
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_TRUE(result.trashed.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(plansPath(QStringLiteral("AcmeB/Tbl0601.vts"))));
}

TEST_F(PlanCreationTest, AFolderOfAnotherCaseIsTheOldPlanAndIsReplacedWhole)
{
    library.addBusiness(qv::plan::Retail, true);
    QDir().mkpath(plansPath(QStringLiteral("ACMEB")));
    writeText(plansPath(QStringLiteral("ACMEB/TBL0601.vts")), "old table");
    replaceAnswer = [](const qv::create::ReplaceRequest &) { return true; };
    const CreationResult result = create(with(library.businessHeader(QStringLiteral("Retail"), true),
                                              {QStringLiteral("tbl0601:b4=1500"), QStringLiteral("[FIELD3.3]=2")}));
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(plansPath(QStringLiteral("ACMEB")))) << "gone to the trash";
    const auto book = table(QStringLiteral("Tbl0601"));
    EXPECT_EQ(book->text(1, 1), QStringLiteral("Tbl0601")); // the template's copy
    EXPECT_EQ(book->number(4, 2), 1500.0);
    EXPECT_EQ(book->hiddenRows(), rows(5, 8));
}

TEST_F(PlanCreationTest, MarketingWithoutStageAnswerStillMakesFolder)
{
    library.addMarketing();
    progress.statuses.clear();
    const CreationResult result = create({QStringLiteral("[PLAN]=m"),
                                          QStringLiteral("[FIELD1.4]=") + plansPath(QStringLiteral("Acme.txt")),
                                          QStringLiteral("[FIELD1.1]=Service"), QStringLiteral("[FIELD3.3]=2")});
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_EQ(table(QStringLiteral("Tbl0803"), QStringLiteral("AcmeM"))->hiddenRows(), rows(5, 12));
}

TEST_F(PlanCreationTest, ProgressReportsEachStep)
{
    library.addBusiness(qv::plan::Retail, true);
    const CreationResult result =
        create(with(library.businessHeader(QStringLiteral("Retail"), true), {QStringLiteral("Tbl0601:B4=1500")}));
    ASSERT_TRUE(result.planMade());
    EXPECT_EQ(progress.statuses,
              (QStringList{QStringLiteral("Initialilizing Plan"), QStringLiteral("Creating Plan Directory"),
                           QStringLiteral("Copying Template File"), QStringLiteral("Customizing Tables"),
                           QStringLiteral("Copying Tables"), QStringLiteral("Customizing Tables")}));
    EXPECT_TRUE(progress.details.contains(QStringLiteral("\"")));
    EXPECT_TRUE(progress.details.contains(QStringLiteral("Creating File: ") + result.documentPath));
    EXPECT_TRUE(progress.details.contains(QStringLiteral("Loading Tbl0601.vts")));
    EXPECT_TRUE(progress.details.contains(QStringLiteral("Updating cell: TBL0601:B4")));
    EXPECT_EQ(progress.progressMaximum, 1);
    EXPECT_EQ(progress.progressValue, 1);
    EXPECT_GE(progress.yields, 101);
}

TEST_F(PlanCreationTest, ClosedProgressWindowHearsNothingButCreationGoesOn)
{
    library.addBusiness(qv::plan::Retail, true);
    progress.closed = true;
    const CreationResult result =
        create(with(library.businessHeader(QStringLiteral("Retail"), true), {QStringLiteral("Tbl0601:B4=1500")}));
    ASSERT_TRUE(result.planMade());
    EXPECT_TRUE(progress.details.isEmpty());
    EXPECT_EQ(table(QStringLiteral("Tbl0601"))->number(4, 2), 1500.0);
}

TEST_F(PlanCreationTest, AnswersBeforeTheHeaderWaitForTheFolder)
{
    library.addBusiness(qv::plan::Retail, true);
    QStringList lines{QStringLiteral("[FIELD3.3]=2"), QStringLiteral("[FIELD1.5]=Early Bird")};
    lines << library.businessHeader(QStringLiteral("Retail"), true);
    const CreationResult result = create(lines);
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_TRUE(result.notApplied.isEmpty()) << result.reportText().toStdString();
    EXPECT_EQ(table(QStringLiteral("Tbl0601"))->hiddenRows(), rows(5, 8));
    // The title cells follow the answered kind (Retail: Tbl0505), not the default.
    EXPECT_EQ(table(QStringLiteral("Tbl0505"))->text(6, 2), QStringLiteral("Early Bird"));
}

TEST_F(PlanCreationTest, HeaderAnswersAfterTheFolderAreReportedNotApplied)
{
    library.addBusiness(qv::plan::Retail, true);
    const CreationResult result = create(with(library.businessHeader(QStringLiteral("Retail"), true),
                                              {QStringLiteral("[FIELD1.4]=") + plansPath(QStringLiteral("Other.txt")),
                                               QStringLiteral("[PLAN]=Marketing")}));
    ASSERT_TRUE(result.planMade());
    EXPECT_EQ(result.documentPath, plansPath(QStringLiteral("Acme.bpl")));
    EXPECT_FALSE(QFileInfo::exists(plansPath(QStringLiteral("Other.bpl"))));
    EXPECT_EQ(result.notApplied.size(), 2);
}

// ---- What makes no plan -----------------------------------------------------------------

TEST_F(PlanCreationTest, MissingAnswerFileMakesNothing)
{
    RecordingProgress quiet;
    PlanCreation creation(quiet);
    const CreationResult result = creation.createPlanFromQA(plansPath(QStringLiteral("none.txt")));
    EXPECT_FALSE(result.planMade());
    EXPECT_FALSE(result.failure.isEmpty());
    EXPECT_EQ(creation.takePlan(), nullptr);
}

TEST_F(PlanCreationTest, RelativeDocumentPathMakesNothingAndKeepsAnswers)
{
    library.addBusiness(qv::plan::Retail, true);
    const CreationResult result = create({QStringLiteral("[PLAN]=Business"), QStringLiteral("[FIELD1.4]=Acme.txt"),
                                          QStringLiteral("[FIELD1.1]=Retail"), QStringLiteral("[FIELD1.2]=New")});
    EXPECT_FALSE(result.planMade());
    EXPECT_TRUE(result.failure.contains(QStringLiteral("not a full path"))) << result.failure.toStdString();
    EXPECT_TRUE(QFileInfo::exists(answers));
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath(QStringLiteral("AcmeB"))));
    EXPECT_FALSE(made);
}

TEST_F(PlanCreationTest, DocumentUnderAFileMakesNothing)
{
    library.addBusiness(qv::plan::Retail, true);
    QFile(plansPath(QStringLiteral("file.txt"))).open(QIODevice::WriteOnly);
    const CreationResult result =
        create(library.businessHeader(QStringLiteral("Retail"), true, QStringLiteral("file.txt/Acme.txt")));
    EXPECT_FALSE(result.planMade());
    EXPECT_TRUE(result.failure.contains(QStringLiteral("not a folder"))) << result.failure.toStdString();
}

TEST_F(PlanCreationTest, DocumentInAFolderStillToBeMadeIsFine)
{
    library.addBusiness(qv::plan::Retail, true);
    const CreationResult result =
        create(library.businessHeader(QStringLiteral("Retail"), true, QStringLiteral("new/sub/Acme.txt")));
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_TRUE(QFileInfo(plansPath(QStringLiteral("new/sub/AcmeB/Tbl0601.vts"))).isFile());
}

TEST_F(PlanCreationTest, DocumentPathWithoutAName)
{
    library.addBusiness(qv::plan::Retail, true);
    // "/plans/.txt" would make the folder "/plans/B" of somebody else's name.
    const CreationResult result =
        create(library.businessHeader(QStringLiteral("Retail"), true, QStringLiteral(".txt")));
    EXPECT_FALSE(result.planMade());
    EXPECT_FALSE(QFileInfo::exists(plansPath(QStringLiteral("B"))));
}

TEST_F(PlanCreationTest, PlanFolderThatIsALinkIsNotUsed)
{
    library.addBusiness(qv::plan::Retail, true);
    QDir().mkpath(plansPath(QStringLiteral("elsewhere")));
    QFile(plansPath(QStringLiteral("elsewhere/precious.rtf"))).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(plansPath(QStringLiteral("elsewhere")), plansPath(QStringLiteral("AcmeB"))));
    const CreationResult result = create(library.businessHeader(QStringLiteral("Retail"), true));
    EXPECT_FALSE(result.planMade());
    EXPECT_TRUE(QFileInfo::exists(plansPath(QStringLiteral("elsewhere/precious.rtf"))));
    EXPECT_EQ(QDir(plansPath(QStringLiteral("elsewhere"))).entryList(QDir::Files).size(), 1);
}

TEST_F(PlanCreationTest, MissingHeaderNamesWhatIsMissing)
{
    library.addBusiness(qv::plan::Retail, true);
    const CreationResult result = create({QStringLiteral("[PLAN]=Business"), QStringLiteral("[FIELD1.1]=Retail"),
                                          QStringLiteral("[FIELD1.1]=Retail"), QStringLiteral("[FIELD1.2]=New")});
    EXPECT_FALSE(result.planMade());
    // The repeated kind counts once: no folder without a document.
    EXPECT_TRUE(result.failure.contains(QStringLiteral("[FIELD1.4]"))) << result.failure.toStdString();
    EXPECT_EQ(QDir(library.plansFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 0);
}

TEST_F(PlanCreationTest, MarketingStageAnswerDoesNotStandInForTheDocument)
{
    library.addMarketing();
    QTemporaryDir working;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(working.path());
    const CreationResult without = create({QStringLiteral("[PLAN]=Marketing"), QStringLiteral("[FIELD1.1]=Retail"),
                                           QStringLiteral("[FIELD1.2]=New"), QStringLiteral("[FIELD3.3]=2")});
    QDir::setCurrent(previous);
    EXPECT_FALSE(without.planMade());
    EXPECT_TRUE(without.failure.contains(QStringLiteral("[FIELD1.4]"))) << without.failure.toStdString();
    EXPECT_TRUE(QDir(working.path()).isEmpty());

    // Given later, the document still makes the plan.
    const CreationResult late = create({QStringLiteral("[PLAN]=Marketing"), QStringLiteral("[FIELD1.1]=Retail"),
                                        QStringLiteral("[FIELD1.2]=New"), QStringLiteral("[FIELD3.3]=2"),
                                        QStringLiteral("[FIELD1.4]=") + plansPath(QStringLiteral("Acme.txt"))});
    ASSERT_TRUE(late.planMade()) << late.reportText().toStdString();
    EXPECT_EQ(table(QStringLiteral("Tbl0803"), QStringLiteral("AcmeM"))->hiddenRows(), rows(5, 12));
}

TEST_F(PlanCreationTest, MissingTemplateMakesNothing)
{
    const CreationResult result = create(library.businessHeader(QStringLiteral("Retail"), true));
    EXPECT_FALSE(result.planMade());
    EXPECT_TRUE(result.failure.contains(QStringLiteral("default.~pl"))) << result.failure.toStdString();
    EXPECT_FALSE(QFileInfo::exists(plansPath(QStringLiteral("AcmeB"))));
    EXPECT_FALSE(QFileInfo::exists(plansPath(QStringLiteral("Acme.bpl"))));
    // The answers stay for another try.
    EXPECT_TRUE(QFileInfo::exists(answers));
}

TEST_F(PlanCreationTest, ResourcePathIsNoDocumentPath)
{
    library.addBusiness(qv::plan::Retail, true);
    const CreationResult result = create({QStringLiteral("[PLAN]=Business"), QStringLiteral("[FIELD1.4]=:/plans/Acme.txt"),
                                          QStringLiteral("[FIELD1.1]=Retail"), QStringLiteral("[FIELD1.2]=New")});
    EXPECT_FALSE(result.planMade());
    EXPECT_TRUE(result.failure.contains(QStringLiteral("not a full path"))) << result.failure.toStdString();
}

TEST_F(PlanCreationTest, AnswerFileCutShortIsKeptAndReported)
{
    library.addBusiness(qv::plan::Retail, true);
    QStringList lines = library.businessHeader(QStringLiteral("Retail"), true);
    lines << QStringLiteral("Tbl0601:B4=1500") << QStringLiteral("[FIELD1.5]=") + QString(1100 * 1024, u'x')
          << QStringLiteral("[FIELD3.3]=2");
    const CreationResult result = create(lines);
    ASSERT_TRUE(result.planMade());
    EXPECT_TRUE(QFileInfo::exists(answers));
    EXPECT_TRUE(result.reportText().contains(QStringLiteral("Reading stopped"))) << result.reportText().toStdString();
    // What was read before is applied; what came after is not.
    EXPECT_EQ(table(QStringLiteral("Tbl0601"))->number(4, 2), 1500.0);
    EXPECT_TRUE(table(QStringLiteral("Tbl0601"))->hiddenRows().empty());
}

// ---- Business plan customizations ------------------------------------------------------------

TEST_F(PlanCreationTest, RetailAdvertisingMediaNewAndExisting)
{
    library.addBusiness(qv::plan::Retail, true);
    library.addBusiness(qv::plan::Retail, false);
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Retail"), true), {QStringLiteral("[FIELD3.3]=2")}))
                    .planMade());
    EXPECT_EQ(table(QStringLiteral("Tbl0601"))->hiddenRows(), rows(5, 8));
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Retail"), false, QStringLiteral("Old.txt")),
                            {QStringLiteral("[FIELD3.3]=2")}))
                    .planMade());
    EXPECT_EQ(table(QStringLiteral("Tbl0601"), QStringLiteral("OldB"))->hiddenRows(), rows(6, 9));
    EXPECT_EQ(CreationLibrary::openPlan(plansPath(QStringLiteral("Old.bpl")))->profile().advertisingMediaCount(), 2);
}

TEST_F(PlanCreationTest, CustomKindUsesItsOwnTables)
{
    library.addBusiness(qv::plan::Custom, true);
    const CreationResult result = create(with(library.businessHeader(QStringLiteral("Custom"), true),
                                              {QStringLiteral("[FIELD3.3]=2"), QStringLiteral("[FIELD3.2]=1")}));
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_TRUE(result.notApplied.isEmpty()) << result.reportText().toStdString();
    EXPECT_EQ(table(QStringLiteral("Tbl0406"))->hiddenRows(), rows(5, 8));
    EXPECT_EQ(table(QStringLiteral("Tbl0403"))->hiddenRows(), rows(6, 32));
    EXPECT_EQ(table(QStringLiteral("Tbl0404"))->hiddenRows(), rows(7, 51));
}

TEST_F(PlanCreationTest, OneProductOfAServiceBusiness)
{
    library.addBusiness(qv::plan::Service, true);
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Service"), true), {QStringLiteral("[FIELD3.2]=1")}))
                    .planMade());
    EXPECT_EQ(table(QStringLiteral("Tbl0503"))->hiddenRows(), rows(6, 32));
    EXPECT_EQ(table(QStringLiteral("Tbl0505"))->hiddenRows(), rows(7, 51));
    EXPECT_EQ(CreationLibrary::openPlan(plansPath(QStringLiteral("Acme.bpl")))->profile().productCount(), 1);
}

TEST_F(PlanCreationTest, FullCountsChangeNoTableButSetTheProfile)
{
    library.addBusiness(qv::plan::Service, true);
    const CreationResult result =
        create(with(library.businessHeader(QStringLiteral("Service"), true),
                    {QStringLiteral("[FIELD3.2]=10"), QStringLiteral("[FIELD3.3]=6"), QStringLiteral("[FIELD3.4]=6"),
                     QStringLiteral("[FIELD3.5]=6")}));
    ASSERT_TRUE(result.planMade());
    for (const char *name : {"Tbl0503", "Tbl0505", "Tbl0601", "Tbl0301", "Tbl0302"})
        EXPECT_TRUE(table(QString::fromLatin1(name))->hiddenRows().empty()) << name;
    const auto saved = CreationLibrary::openPlan(result.documentPath);
    EXPECT_EQ(saved->profile().productCount(), 10);
    EXPECT_EQ(saved->profile().advertisingMediaCount(), 6);
    EXPECT_EQ(saved->profile().segmentCount(), 6);
    EXPECT_EQ(saved->profile().marketCount(), 6);
}

TEST_F(PlanCreationTest, SegmentsAndMarkets)
{
    library.addBusiness(qv::plan::Service, true);
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Service"), true),
                            {QStringLiteral("[FIELD3.4]=2"), QStringLiteral("[FIELD3.5]=2")}))
                    .planMade());
    EXPECT_EQ(table(QStringLiteral("Tbl0301"))->hiddenRows(), rows(5, 8));
    EXPECT_EQ(table(QStringLiteral("Tbl0302"))->hiddenRows(), rows(6, 9));
}

TEST_F(PlanCreationTest, CountsOutOfRangeAreClampedOrIgnoredAndReported)
{
    library.addBusiness(qv::plan::Retail, true);
    const CreationResult result =
        create(with(library.businessHeader(QStringLiteral("Retail"), true),
                    {QStringLiteral("[FIELD3.3]=-4"), QStringLiteral("[FIELD3.2]=99"), QStringLiteral("[FIELD3.4]=abc"),
                     QStringLiteral("[FIELD3.5]=99999999999999999999"), QStringLiteral("[FIELD3.1]=-1"),
                     QStringLiteral("[FIELD3A.X]=13"), QStringLiteral("[FIELD1.6]=nineteen")}));
    ASSERT_TRUE(result.planMade());
    EXPECT_EQ(result.notApplied.size(), 7) << result.reportText().toStdString();
    EXPECT_EQ(table(QStringLiteral("Tbl0601"))->hiddenRows(), rows(4, 8)); // taken as 1
    EXPECT_TRUE(table(QStringLiteral("Tbl0503"))->hiddenRows().empty()); // taken as 10
    EXPECT_TRUE(table(QStringLiteral("Tbl0301"))->hiddenRows().empty()); // ignored
    EXPECT_TRUE(table(QStringLiteral("Tbl0302"))->hiddenRows().empty()); // taken as 6
    EXPECT_EQ(table(QStringLiteral("Tbl0301"))->maxCol(), 3);              // one year
    const auto saved = CreationLibrary::openPlan(result.documentPath);
    EXPECT_EQ(saved->profile().advertisingMediaCount(), 1);
    EXPECT_EQ(saved->profile().productCount(), 10);
    EXPECT_EQ(saved->profile().month(), 0);
}

TEST_F(PlanCreationTest, ProjectionWidths)
{
    library.addBusiness(qv::plan::Service, true);
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Service"), true), {QStringLiteral("[FIELD3.1]=3")}))
                    .planMade());
    EXPECT_EQ(table(QStringLiteral("Tbl0301"))->maxCol(), 7);
    EXPECT_EQ(table(QStringLiteral("Tbl0302"))->maxCol(), 5);
    EXPECT_EQ(table(QStringLiteral("Tbl0304"))->maxCol(), 4);
    EXPECT_EQ(table(QStringLiteral("Tbl0802"))->maxCol(), 4);
    EXPECT_EQ(CreationLibrary::openPlan(plansPath(QStringLiteral("Acme.bpl")))->profile().projectedYears(), 3);
}

TEST_F(PlanCreationTest, MissingTableIsReportedAndTheRestGoesOn)
{
    library.addBusiness(qv::plan::Retail, true);
    QFile::remove(library.installFolder() + QStringLiteral("/Data/ENG/BusPlan/Common/New/Tables/Tbl0601.vts"));
    const CreationResult result = create(with(library.businessHeader(QStringLiteral("Retail"), true),
                                              {QStringLiteral("[FIELD3.3]=2"), QStringLiteral("[FIELD3.4]=2")}));
    ASSERT_TRUE(result.planMade());
    ASSERT_EQ(result.notApplied.size(), 1);
    EXPECT_TRUE(result.notApplied.first().contains(QStringLiteral("Tbl0601")));
    EXPECT_EQ(table(QStringLiteral("Tbl0301"))->hiddenRows(), rows(5, 8));
}

TEST_F(PlanCreationTest, UnreadableTemplateTableIsReported)
{
    library.addBusiness(qv::plan::Retail, true);
    QFile broken(library.installFolder() + QStringLiteral("/Data/ENG/BusPlan/Common/New/Tables/Tbl0601.vts"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a workbook");
    broken.close();
    const CreationResult result = create(with(library.businessHeader(QStringLiteral("Retail"), true),
                                              {QStringLiteral("Tbl0601:B4=1"), QStringLiteral("Tbl0301:B4=2")}));
    ASSERT_TRUE(result.planMade());
    ASSERT_EQ(result.notApplied.size(), 2) << result.reportText().toStdString();
    EXPECT_TRUE(result.notApplied.at(0).startsWith(QStringLiteral("A table could not be loaded")));
    EXPECT_TRUE(result.notApplied.at(1).startsWith(QStringLiteral("TBL0601:B4=1")));
    EXPECT_EQ(table(QStringLiteral("Tbl0301"))->number(4, 2), 2.0);
}

// ---- Headings and the business name ---------------------------------------------------------------

TEST_F(PlanCreationTest, BusinessNameGoesIntoTheTitleCells)
{
    library.addBusiness(qv::plan::Retail, true);
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Retail"), true),
                            {QStringLiteral("[FIELD1.5]=Acme Bakery")}))
                    .planMade());
    EXPECT_EQ(table(QStringLiteral("Tbl0303"))->text(1, 2), QStringLiteral("Acme Bakery"));
    const auto products = table(QStringLiteral("Tbl0505"));
    for (int row = 6; row <= 51; row += 5)
        EXPECT_EQ(products->text(row, 2), QStringLiteral("Acme Bakery")) << row;
}

TEST_F(PlanCreationTest, YearAndMonthInEitherOrderGiveTheSameHeadings)
{
    library.addBusiness(qv::plan::Service, true);
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Service"), true),
                            {QStringLiteral("[FIELD1.6]=1999"), QStringLiteral("[FIELD3A.X]=7")}))
                    .planMade());
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Service"), true, QStringLiteral("Two.txt")),
                            {QStringLiteral("[FIELD3A.X]=7"), QStringLiteral("[FIELD1.6]=1999")}))
                    .planMade());
    for (const char *name : {"Tbl0503", "Tbl0301"}) {
        const auto first = table(QString::fromLatin1(name));
        const auto second = table(QString::fromLatin1(name), QStringLiteral("TwoB"));
        for (int row = 1; row <= 2; ++row)
            for (int col = 2; col <= 14; ++col)
                EXPECT_EQ(first->text(row, col), second->text(row, col)) << name << " " << row << "," << col;
    }
    // July 1999: July to June, 1999 six times then 2000; years end in June.
    const auto months = table(QStringLiteral("Tbl0503"));
    EXPECT_EQ(months->text(1, 2), QStringLiteral("July"));
    EXPECT_EQ(months->text(1, 13), QStringLiteral("June"));
    EXPECT_EQ(months->text(2, 7), QStringLiteral("1999"));
    EXPECT_EQ(months->text(2, 8), QStringLiteral("2000"));
    const auto years = table(QStringLiteral("Tbl0301"));
    EXPECT_EQ(years->entry(2, 2), QStringLiteral("Jun 2000"));
    EXPECT_EQ(years->entry(2, 10), QStringLiteral("Jun 2004"));
}

TEST_F(PlanCreationTest, JanuaryStartKeepsOneYear)
{
    library.addBusiness(qv::plan::Service, true);
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Service"), true),
                            {QStringLiteral("[FIELD3A.X]=1"), QStringLiteral("[FIELD1.6]=1999")}))
                    .planMade());
    const auto months = table(QStringLiteral("Tbl0503"));
    for (int col = 2; col <= 13; ++col)
        EXPECT_EQ(months->text(2, col), QStringLiteral("1999")) << col;
    EXPECT_EQ(table(QStringLiteral("Tbl0301"))->entry(2, 2), QStringLiteral("Dec 1999"));
}

TEST_F(PlanCreationTest, ExistingBusinessYearEndMarch)
{
    library.addBusiness(qv::plan::Retail, false);
    ASSERT_TRUE(create(with(library.businessHeader(QStringLiteral("Retail"), false),
                            {QStringLiteral("[FIELD1.6]=2000"), QStringLiteral("[FIELD3A.X]=3")}))
                    .planMade());
    const auto years = table(QStringLiteral("Tbl0301"));
    EXPECT_EQ(years->entry(2, 2), QStringLiteral("Mar 1999"));
    EXPECT_EQ(years->entry(2, 14), QStringLiteral("Mar 2005"));
    // An existing business's monthly table gets no headings.
    EXPECT_TRUE(table(QStringLiteral("Tbl0503"))->entry(1, 2).isEmpty());
}

TEST_F(PlanCreationTest, MarketingYearEndNovember)
{
    library.addMarketing();
    ASSERT_TRUE(create(with(library.marketingHeader(QStringLiteral("Service")),
                            {QStringLiteral("[FIELD3A.X]=11"), QStringLiteral("[FIELD1.6]=1999")}))
                    .planMade());
    const auto months = table(QStringLiteral("Tbl0602"), QStringLiteral("AcmeM"));
    EXPECT_EQ(months->text(1, 2), QStringLiteral("December"));
    EXPECT_EQ(months->text(2, 2), QStringLiteral("1999"));
    EXPECT_EQ(months->text(1, 3), QStringLiteral("January"));
    EXPECT_EQ(months->text(2, 3), QStringLiteral("2000"));
    const auto years = table(QStringLiteral("Tbl0103"), QStringLiteral("AcmeM"));
    EXPECT_EQ(years->entry(2, 2), QStringLiteral("Nov 1998"));
    EXPECT_EQ(years->entry(2, 8), QStringLiteral("Nov 2004"));
}

// ---- Marketing plan customizations -----------------------------------------------------------------

TEST_F(PlanCreationTest, MarketingCountsHideTheirRows)
{
    library.addMarketing();
    const CreationResult result =
        create(with(library.marketingHeader(QStringLiteral("Retail")),
                    {QStringLiteral("[FIELD3.2]=2"), QStringLiteral("[FIELD3.3]=2"), QStringLiteral("[FIELD3.4]=3"),
                     QStringLiteral("[FIELD3.5]=4"), QStringLiteral("[FIELD3.6]=3"), QStringLiteral("[FIELD3.7]=10"),
                     QStringLiteral("[FIELD3.8]=1"), QStringLiteral("[FIELD3.1]=2")}));
    ASSERT_TRUE(result.planMade());
    EXPECT_TRUE(result.notApplied.isEmpty()) << result.reportText().toStdString();
    auto marketing = [this](const char *name) { return table(QString::fromLatin1(name), QStringLiteral("AcmeM")); };
    EXPECT_EQ(marketing("Tbl0801")->hiddenRows(), rows(6, 14));
    EXPECT_EQ(marketing("Tbl0802")->hiddenRows(), rows(15, 62));
    EXPECT_EQ(marketing("Tbl1101")->hiddenRows(), rows(11, 42));
    EXPECT_EQ(marketing("Tbl0803")->hiddenRows(), rows(5, 12));
    EXPECT_EQ(marketing("Tbl0804")->hiddenRows(), rows(6, 12));
    EXPECT_EQ(marketing("Tbl0805")->hiddenRows(), rows(7, 12));
    EXPECT_EQ(marketing("Tbl0806")->hiddenRows(), rows(6, 12));
    EXPECT_TRUE(marketing("Tbl0807")->hiddenRows().empty());
    EXPECT_EQ(marketing("Tbl0808")->hiddenRows(), rows(4, 12));
    EXPECT_EQ(marketing("Tbl0103")->maxCol(), 5);
    EXPECT_EQ(marketing("Tbl0801")->maxCol(), 9);
    const auto saved = CreationLibrary::openPlan(result.documentPath);
    EXPECT_EQ(saved->profile().marketingCount(1), 2);
    EXPECT_EQ(saved->profile().marketingCount(3), 10);
    EXPECT_EQ(saved->profile().advertisingMediaCount(), 4);
    EXPECT_EQ(saved->profile().marketCount(), 3);
}

TEST_F(PlanCreationTest, MarketingFullCountsChangeNothing)
{
    library.addMarketing();
    ASSERT_TRUE(create(with(library.marketingHeader(QStringLiteral("Retail")),
                            {QStringLiteral("[FIELD3.2]=10"), QStringLiteral("[FIELD3.5]=10"),
                             QStringLiteral("[FIELD3.6]=10")}))
                    .planMade());
    for (const char *name : {"Tbl0801", "Tbl0802", "Tbl1101", "Tbl0805", "Tbl0806"})
        EXPECT_TRUE(table(QString::fromLatin1(name), QStringLiteral("AcmeM"))->hiddenRows().empty()) << name;
}

// ---- Queued cells ----------------------------------------------------------------------------------

TEST_F(PlanCreationTest, CellAnswersAreWrittenAtTheEnd)
{
    library.addBusiness(qv::plan::Retail, true);
    const CreationResult result =
        create(with(library.businessHeader(QStringLiteral("Retail"), true),
                    {QStringLiteral("Tbl0601:B4=1500"), QStringLiteral("Tbl0601:C4=$1,500.50"),
                     QStringLiteral("Tbl0601:D4=$12abc"), QStringLiteral("Tbl0601:E4=Acme"),
                     QStringLiteral("Tbl0601:F4=$"), QStringLiteral("Tbl\t0601:G4=7")}));
    ASSERT_TRUE(result.planMade());
    EXPECT_TRUE(result.notApplied.isEmpty()) << result.reportText().toStdString();
    const auto book = table(QStringLiteral("Tbl0601"));
    EXPECT_EQ(book->number(4, 2), 1500.0);
    EXPECT_FALSE(book->format(4, 2).isCurrency());
    EXPECT_EQ(book->number(4, 3), 1500.5);
    EXPECT_TRUE(book->format(4, 3).isCurrency());
    EXPECT_EQ(book->text(4, 4), QStringLiteral("$12abc"));
    EXPECT_EQ(book->text(4, 5), QStringLiteral("Acme"));
    EXPECT_EQ(book->text(4, 6), QStringLiteral("$"));
    EXPECT_EQ(book->number(4, 7), 7.0); // tabs are taken out of the key
}

TEST_F(PlanCreationTest, UnsafeCellKeysAreSkippedAndReported)
{
    library.addBusiness(qv::plan::Retail, true);
    const QStringList unsafe{QStringLiteral("../../evil:B1=x"),      QStringLiteral("Tbl0601/../../evil:B1=x"),
                             QStringLiteral("Tbl0601:B1/../x=y"),    QStringLiteral("Tbl0601:AA1=x"),
                             QStringLiteral("Tbl0601:B0=x"),         QStringLiteral("Tbl9999:B1=x"),
                             QStringLiteral("/etc/passwd:B1=x"),     QStringLiteral(":B1=x"),
                             QStringLiteral("Tbl0601:=x"),           QStringLiteral("Tbl0601:B99999999=x")};
    const CreationResult result = create(with(library.businessHeader(QStringLiteral("Retail"), true), unsafe));
    ASSERT_TRUE(result.planMade());
    EXPECT_EQ(result.notApplied.size(), unsafe.size()) << result.reportText().toStdString();
    EXPECT_EQ(QDir(library.plansFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("Acme.bpl"), QStringLiteral("AcmeB")}));
    EXPECT_EQ(QDir(plansPath(QStringLiteral("AcmeB"))).entryList(QDir::Files).size(),
              CreationLibrary::businessTables(qv::plan::Retail, true).size() + 0);
}

TEST_F(PlanCreationTest, ReportTextSaysWhatWasNotApplied)
{
    CreationResult result;
    EXPECT_TRUE(result.reportText().isEmpty());
    result.documentPath = QStringLiteral("/p/Acme.bpl");
    result.notApplied << QStringLiteral("Tbl9999:B1=x: the plan has no table Tbl9999.");
    EXPECT_EQ(result.reportText(), QStringLiteral("The plan was made, but these answers could not be applied:\n"
                                                  "- Tbl9999:B1=x: the plan has no table Tbl9999."));
}

} // namespace

namespace {

TEST_F(PlanCreationTest, CustomizationsKeepAnyCountWithinTheTable)
{
    library.addBusiness(qv::plan::Service, true);
    answers = library.writeAnswers(library.businessHeader(QStringLiteral("Service"), true));
    PlanCreation creation(progress);
    ASSERT_TRUE(creation.createPlanFromQA(answers).planMade());
    creation.handleSegments(-1000);
    creation.handleProductNo(std::numeric_limits<int>::min());
    creation.handleDifferentMarkets(std::numeric_limits<int>::max());
    creation.handleMarketingCount(7, 2); // no such count: nothing
    EXPECT_EQ(table(QStringLiteral("Tbl0301"))->hiddenRows(), rows(3, 8));
    EXPECT_EQ(table(QStringLiteral("Tbl0503"))->hiddenRows(), rows(3, 32));
    EXPECT_EQ(table(QStringLiteral("Tbl0505"))->hiddenRows(), rows(2, 51));
    EXPECT_TRUE(table(QStringLiteral("Tbl0302"))->hiddenRows().empty());
    EXPECT_THROW(creation.handleMMarketing(2), qv::QvError); // a business plan has no Tbl0806
}

} // namespace

TEST_F(PlanCreationTest, ADiskThatFillsWhileAPlanIsMadeNeverCostsThePlanItWouldReplace)
{
    library.addBusiness(qv::plan::Retail, true);
    replaceAnswer = [](const qv::create::ReplaceRequest &) { return true; };
    int refused = 0;
    for (qint64 budget : {0, 200, 2000, 10000, 40000, 160000}) {
        SCOPED_TRACE(budget);
        QDir(plansPath(QStringLiteral("AcmeB"))).removeRecursively();
        QFile::remove(plansPath(QStringLiteral("Acme.bpl")));
        QDir().mkpath(plansPath(QStringLiteral("AcmeB")));
        writeText(plansPath(QStringLiteral("AcmeB/Ans00009.rtf")), "old text");
        writeText(plansPath(QStringLiteral("Acme.bpl")), "old document");

        const CreationResult result = create(library.businessHeader(QStringLiteral("Retail"), true), budget);
        if (result.planMade()) {
            // A plan that took the old one's place is complete.
            EXPECT_TRUE(result.reportText().isEmpty()) << result.reportText().toStdString();
            EXPECT_TRUE(QFileInfo::exists(plansPath(QStringLiteral("AcmeB/Tbl0601.vts"))));
            continue;
        }
        ++refused;
        EXPECT_TRUE(result.failure.contains(QStringLiteral("No space left on device"))) << result.failure.toStdString();
        EXPECT_EQ(readText(plansPath(QStringLiteral("Acme.bpl"))), "old document");
        EXPECT_EQ(readText(plansPath(QStringLiteral("AcmeB/Ans00009.rtf"))), "old text");
        EXPECT_TRUE(onlyThePlanAndAnswers()) << "nothing half-made is left";
    }
    EXPECT_GE(refused, 3);
}
