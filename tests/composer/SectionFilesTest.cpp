#include "composer/SectionFiles.h"

#include "TestFiles.h"

#include "plan/ModEnglish.h"
#include "plan/PlanBuilder.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::composer;

namespace {

void touch(const QString &path)
{
    test::writeTestFile(path);
}

} // namespace

TEST(SectionFiles, PlanTypeFollowsTheExtensionOnly)
{
    EXPECT_EQ(planTypeOfPath(QStringLiteral("/p/Acme.MPL")), plan::MarketingPlan);
    EXPECT_EQ(planTypeOfPath(QStringLiteral("/p/Acme.bpl.mpl")), plan::MarketingPlan);
    EXPECT_EQ(planTypeOfPath(QStringLiteral("/p/Acme.mpl.bpl")), plan::BusinessPlan);
    EXPECT_EQ(planTypeOfPath(QStringLiteral("/p/Acme.txt")), plan::BusinessPlan);
}

TEST(SectionFiles, NewFileNamesSkipTextsAndWorkingCopies)
{
    QTemporaryDir folder;
    EXPECT_EQ(nextSectionFileName(folder.path()), QStringLiteral("Ans00001.rtf"));
    touch(folder.filePath(QStringLiteral("Ans00001.rtf")));
    EXPECT_EQ(nextSectionFileName(folder.path()), QStringLiteral("Ans00002.rtf"));
    touch(folder.filePath(QStringLiteral("Ans00002.tmp")));
    EXPECT_EQ(nextSectionFileName(folder.path()), QStringLiteral("Ans00003.rtf"));
    // Names are found whatever their case on disk.
    touch(folder.filePath(QStringLiteral("ANS00003.RTF")));
    EXPECT_EQ(nextSectionFileName(folder.path()), QStringLiteral("Ans00004.rtf"));
}

TEST(SectionFiles, NewFileTextGivesFontAndHalfPointSize)
{
    const QByteArray text = newSectionFileText(QStringLiteral("  Arial "), 11);
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}"
                        "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\froman Arial;}}\r");
    EXPECT_EQ(lines[1], "{\\colortbl\\red0\\green0\\blue0;}\r");
    EXPECT_EQ(lines[2], "\\deflang1033\\pard\\plain\\f2\\fs22\r");
    EXPECT_EQ(lines[3], "\\par }\r");
    EXPECT_TRUE(lines[4].isEmpty());
}

TEST(SectionFiles, CreatingATextFileRecordsItInTheSection)
{
    QTemporaryDir root;
    auto plan = plan::PlanBuilder().filePath(root.filePath(QStringLiteral("Acme.bpl")))
                    .chapter(QStringLiteral("One")).section(QStringLiteral("Summary")).take();
    plan->Save();
    const auto &section = plan->outline().chapters().item(1)->sections().item(1);
    touch(platform::joinPath(plan->folder(), QStringLiteral("Ans00001.tmp")));
    ASSERT_EQ(createSectionTextFile(*section, QStringLiteral("Georgia"), 12), QString());
    EXPECT_EQ(section->textFileName(), QStringLiteral("Ans00002.rtf"));
    EXPECT_EQ(test::readFile(platform::joinPath(plan->folder(), QStringLiteral("Ans00002.rtf"))),
              newSectionFileText(QStringLiteral("Georgia"), 12));
}

TEST(SectionFiles, APlanWhoseFolderIsMissingGetsItBack)
{
    QTemporaryDir root;
    auto plan = plan::PlanBuilder().filePath(root.filePath(QStringLiteral("Acme.bpl")))
                    .chapter(QStringLiteral("One")).section(QStringLiteral("Summary")).take();
    plan->Save();
    QDir(plan->folder()).removeRecursively();
    const auto &section = plan->outline().chapters().item(1)->sections().item(1);
    ASSERT_EQ(createSectionTextFile(*section, QStringLiteral("Georgia"), 12), QString());
    EXPECT_TRUE(QFile::exists(platform::joinPath(plan->folder(), QStringLiteral("Ans00001.rtf"))));
}

TEST(SectionFiles, CreatingATextFileForADetachedSectionFails)
{
    plan::Section section(QStringLiteral("Loose"));
    EXPECT_FALSE(createSectionTextFile(section, QStringLiteral("Arial"), 10).isEmpty());
    EXPECT_TRUE(section.textFileName().isEmpty());
}

TEST(SectionFiles, HelperFilesComeFromTheKindsLibrary)
{
    QTemporaryDir install;
    platform::Folders::setInstallFolder(install.path());
    auto plan = plan::PlanBuilder().kind(plan::Retail).take();
    EXPECT_EQ(instructionFilePath(*plan, QStringLiteral("0404")),
              platform::joinPath(plan::ModEnglish::GetInstructionFolder(plan->planInfo()), QStringLiteral("INST0404.rtf")));
    EXPECT_EQ(exampleFilePath(*plan, QStringLiteral("0404")),
              platform::joinPath(plan::ModEnglish::GetExampleFolder(plan->planInfo()), QStringLiteral("EXAM0404.rtf")));
    EXPECT_TRUE(exampleTablePath(*plan, QStringLiteral("Tbl0404")).endsWith(QStringLiteral("/TPL0404.vts")));
    EXPECT_TRUE(instructionFilePath(*plan, QString()).isEmpty());
    EXPECT_TRUE(exampleTablePath(*plan, QString()).isEmpty());
}

TEST(SectionFiles, WrittenTextsBreakLongLines)
{
    QTemporaryDir folder;
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QString(6000, QLatin1Char('x')));
    const QString path = folder.filePath(QStringLiteral("Ans00001.tmp"));
    ASSERT_EQ(writeSectionText(document, path), QString());
    const QByteArray written = test::readFile(path);
    ASSERT_TRUE(written.startsWith("{\\rtf1"));
    int breaks = 0;
    for (const QByteArray &line : written.split('\n')) {
        EXPECT_LE(line.size(), 2001); // 2000 characters and the CR
        ++breaks;
    }
    EXPECT_GE(breaks, 3);
}
