// Saving: atomic replacement (a failing write or a crash leaves the old
// document or the new one, never a broken one) and saving an unnamed plan.

#include "FakePlatform.h"
#include "PlanTestSupport.h"

#include "plan/Plan.h"
#include "plan/PlanBuilder.h"

#include "platform/Folders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qv::plan;
using namespace qv::plan::test;

namespace {

long saveErrorOf(Plan &plan)
{
    try {
        plan.Save();
    } catch (const qv::QvError &error) {
        return error.number();
    }
    return 0;
}

// Limits the size of any file this process writes, as a full disk would;
// writes beyond the limit fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(PlanSave, SaveWritesTheDocumentAndMakesThePlanFolder)
{
    QTemporaryDir dir;
    auto plan = PlanBuilder().section(QStringLiteral("S")).take();
    plan->setFilePath(dir.filePath(QStringLiteral("Sub/Acme.bpl")));
    plan->setModified(true);
    plan->Save();
    EXPECT_FALSE(plan->modified());
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("Sub/Acme.bpl"))), plan->documentBytes());
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("Sub/AcmeB"))).isDir());
}

TEST(PlanSave, AFailingWriteLeavesTheOldDocumentAndNoStrayFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Acme.bpl"));
    auto plan = PlanBuilder().section(QStringLiteral("Small")).take();
    plan->setFilePath(path);
    plan->Save();
    const QByteArray old = readBytes(path);

    auto bigger = PlanBuilder::sized(12, 80, 60);
    bigger->setFilePath(path);
    bigger->setModified(true);
    long error = 0;
    {
        FileSizeLimit limit(static_cast<rlim_t>(old.size() + 100));
        error = saveErrorOf(*bigger);
    }
    EXPECT_EQ(error, kSaveFailed);
    EXPECT_EQ(readBytes(path), old);
    EXPECT_TRUE(bigger->modified());
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList{QStringLiteral("Acme.bpl")});

    // With room again the same plan saves.
    bigger->Save();
    EXPECT_EQ(readBytes(path), bigger->documentBytes());
}

TEST(PlanSave, ACrashAtAnyMomentLeavesTheOldOrTheNewDocument)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Acme.bpl"));
    auto small = PlanBuilder::sized(2, 3, 1);
    auto large = PlanBuilder::sized(12, 80, 60);
    const QByteArray smallBytes = small->documentBytes();
    const QByteArray largeBytes = large->documentBytes();
    small->setFilePath(path);
    large->setFilePath(path);
    small->Save();

    std::mt19937 random(20260115);
    for (int round = 0; round < 25; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                (i % 2 ? small : large)->Save();
        }
        usleep(std::uniform_int_distribution<useconds_t>(200, 5000)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const QByteArray now = readBytes(path);
        EXPECT_TRUE(now == smallBytes || now == largeBytes) << "round " << round << ", " << now.size() << " bytes";
    }
}

TEST(PlanSave, SaveWithoutAPathRaises)
{
    Plan plan;
    EXPECT_EQ(saveErrorOf(plan), kNoDocumentPath);
}

TEST(PlanSave, SaveWhereNoFileCanBeRaisesAndKeepsThePlanAsItWas)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("file")), "x"));
    auto plan = PlanBuilder().take();
    plan->setFilePath(dir.filePath(QStringLiteral("file/Acme.bpl")));
    plan->setModified(true);
    EXPECT_EQ(saveErrorOf(*plan), kSaveFailed);
    EXPECT_TRUE(plan->modified());
}

TEST(PlanSaveUnnamed, AsksTheFileDialogForAPlaceInMyPlans)
{
    QTemporaryDir dir;
    qv::platform::Folders::setInstallFolder(dir.path());
    auto plan = PlanBuilder().businessName(QStringLiteral("Acme")).section(QStringLiteral("S")).take();
    EXPECT_TRUE(plan->name().isEmpty());
    const QString chosen = dir.filePath(QStringLiteral("My Plans/Acme"));
    qv::test::fakes().dialogs->setNextFileName(chosen);
    EXPECT_TRUE(plan->SaveUnnamed());

    ASSERT_EQ(qv::test::fakes().dialogs->requests.size(), 1);
    const auto &request = qv::test::fakes().dialogs->requests.first();
    EXPECT_EQ(request.folder, qv::platform::Folders::myPlansFolder());
    EXPECT_EQ(request.fileName, QStringLiteral("Acme"));
    EXPECT_EQ(request.filter, QStringLiteral("Business Plan Files (*.bpl)|*.bpl"));
    // The plan type's extension is added; the plan now has its name.
    EXPECT_EQ(plan->fullPath(), chosen + QStringLiteral(".bpl"));
    EXPECT_EQ(readBytes(chosen + QStringLiteral(".bpl")), plan->documentBytes());
    EXPECT_EQ(plan->name(), QStringLiteral("Acme"));
}

TEST(PlanSaveUnnamed, KeepsAnExtensionTheUserTyped)
{
    QTemporaryDir dir;
    auto plan = PlanBuilder(MarketingPlan).take();
    qv::test::fakes().dialogs->setNextFileName(dir.filePath(QStringLiteral("Shop.MPL")));
    EXPECT_TRUE(plan->SaveUnnamed());
    EXPECT_EQ(plan->fullPath(), dir.filePath(QStringLiteral("Shop.MPL")));
    EXPECT_EQ(qv::test::fakes().dialogs->requests.first().filter,
              QStringLiteral("Marketing Plan Files (*.mpl)|*.mpl"));
}

TEST(PlanSaveUnnamed, CancelWritesNothing)
{
    auto plan = PlanBuilder().take();
    plan->setModified(true);
    qv::test::fakes().dialogs->setNextFileName(std::nullopt);
    EXPECT_FALSE(plan->SaveUnnamed());
    EXPECT_TRUE(plan->fullPath().isEmpty());
    EXPECT_TRUE(plan->modified());
}

TEST(PlanSaveUnnamed, AFailedSaveLeavesThePlanUnnamed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("file")), "x"));
    auto plan = PlanBuilder().take();
    qv::test::fakes().dialogs->setNextFileName(dir.filePath(QStringLiteral("file/Acme.bpl")));
    EXPECT_THROW(plan->SaveUnnamed(), qv::QvError);
    EXPECT_TRUE(plan->fullPath().isEmpty());
}
