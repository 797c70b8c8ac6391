#include "../apps/QvtoolRun.h"
#include "CompileFixture.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <map>

using qv::test::qvtool;
using qv::test::readFile;

namespace {

std::map<QString, QByteArray> filesOf(const QString &folder)
{
    std::map<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot))
        files[name] = readFile(folder + QLatin1Char('/') + name);
    return files;
}

} // namespace

TEST(QvtoolExport, WritesTheCompileFilesAndPrintsThem)
{
    QTemporaryDir root;
    QTemporaryDir config;
    auto plan = qv::test::makeCompileFixture(root.path());
    const QString folder = plan->folder() + QLatin1Char('/');
    const auto run = qvtool({QStringLiteral("export"), plan->fullPath()}, config.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    for (const char *name : {"Field.txt", "Chapters.txt", "Sections.txt", "files.txt", "bpfiles.csv", "Tbl0201.xls",
                             "Grf0201.wmf", "Grf0202.wmf", "TBL0201.WMF", "TBL0203.WMF", "TBL0204.WMF"})
        EXPECT_TRUE(run.out.contains(folder + QLatin1String(name))) << name << "\n" << run.out.toStdString();
    EXPECT_EQ(readFile(folder + QStringLiteral("files.txt")),
              readFile(qv::test::expectedExportFolder() + QStringLiteral("/files.txt")));
    EXPECT_TRUE(readFile(config.filePath(QStringLiteral("Corvane.ini"))).contains(QByteArray("dir=").append(folder.toUtf8())));
}

TEST(QvtoolExport, BadInputIsReportedAndChangesNothing)
{
    QTemporaryDir root;
    QTemporaryDir config;
    auto missing = qvtool({QStringLiteral("export"), root.filePath(QStringLiteral("None.bpl"))}, config.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("no such plan"))) << missing.err.toStdString();

    qv::test::writeTestFile(root.filePath(QStringLiteral("Broken.bpl")), "{ not a plan");
    auto damaged = qvtool({QStringLiteral("export"), root.filePath(QStringLiteral("Broken.bpl"))}, config.path());
    EXPECT_EQ(damaged.status, 1);
    EXPECT_FALSE(damaged.err.isEmpty());

    // A plan whose table cannot be read: the folder stays as it was.
    auto plan = qv::test::makeCompileFixture(root.path());
    const QString folder = plan->folder();
    qv::test::writeTestFile(folder + QStringLiteral("/Tbl0203.vts"), "damaged");
    const auto before = filesOf(folder);
    auto failed = qvtool({QStringLiteral("export"), plan->fullPath()}, config.path());
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.startsWith(QStringLiteral("qvtool export: "))) << failed.err.toStdString();
    EXPECT_EQ(filesOf(folder), before);
    EXPECT_FALSE(QFile::exists(config.filePath(QStringLiteral("Corvane.ini"))));

    EXPECT_EQ(qvtool({QStringLiteral("export")}, config.path()).status, 2);
}
