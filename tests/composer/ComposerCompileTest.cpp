#include "ComposerTestSupport.h"

#include "compile/CompileSetup.h"
#include "support/Advice.h"
#include "platform/Folders.h"
#include "resources/ResText.h"
#include "support/registry/modRegistry.h"

#include <QToolButton>

using namespace qv;
using namespace qv::test;
using platform::Answer;

namespace {

// The fixture's install folder with the table converter registered and,
// when asked, the stand-alone compiler.
void prepareInstallation(const PlanFixture &fixture, bool withCompiler)
{
    const QString install = fixture.installFolder();
    platform::Folders::setSystemFolder(install + QStringLiteral("/System"));
    QDir().mkpath(install + QStringLiteral("/System"));
    writeTestFile(support::modRegistry::storeFile(support::modRegistry::HKEY_LOCAL_MACHINE),
                  "Quorvex Registry 1\n[SOFTWARE\\Corvane\\Quorvex\\8.0\\Table Converter]\n\"InstalledTo\"=\""
                      + install.toUtf8() + "/\"\n");
    if (withCompiler) {
        QFile compiler(install + QStringLiteral("/compiler"));
        ASSERT_TRUE(compiler.open(QIODevice::WriteOnly));
        compiler.setPermissions(compiler.permissions() | QFileDevice::ExeOwner);
    }
}

void clickCompile(const OpenComposer &c)
{
    QToolButton *compile = c.child<QToolButton>("cmdToolBar_9");
    ASSERT_NE(compile, nullptr);
    ASSERT_TRUE(compile->isEnabled());
    compile->click();
}

} // namespace

TEST(ComposerCompile, ACancelledConfirmationLeavesDirUnchanged)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    prepareInstallation(c.fixture, true);
    compile::storeCompileFolder(QStringLiteral("/earlier/PlanB"));
    fakes().messages->setNextAnswer(Answer::Cancel);
    clickCompile(c);
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->lastText(), GetResText(604));
    EXPECT_EQ(fakes().messages->shown.last().icon, platform::Icon::Question);
    EXPECT_EQ(c.advised, QList<int>{support::CompileAdvice}); // what compiling makes, before the question
    EXPECT_EQ(compile::compileFolder(), QStringLiteral("/earlier/PlanB/"));
    EXPECT_TRUE(fakes().processes->started.isEmpty());
    EXPECT_TRUE(c.window->isEnabled());
}

TEST(ComposerCompile, AnEmptyPrinterListShowsThePrinterMessage)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    prepareInstallation(c.fixture, true);
    fakes().printers->names.clear();
    clickCompile(c);
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->lastText().startsWith(QStringLiteral("There is no printer driver installed")));
    EXPECT_TRUE(c.window->isEnabled());
}

TEST(ComposerCompile, WithoutACompilerTheComposerStaysOpenAndUsable)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    prepareInstallation(c.fixture, false);
    c.window->show();
    fakes().messages->setNextAnswer(Answer::Ok);
    clickCompile(c);
    QStringList texts;
    for (const auto &m : fakes().messages->shown)
        texts << m.text;
    EXPECT_EQ(texts.mid(1), (QStringList{QStringLiteral("Word Pro not installed"),
                                         QStringLiteral("Error occured trying to compile program")}));
    EXPECT_TRUE(c.window->isVisible());
    EXPECT_TRUE(c.window->isEnabled());
    EXPECT_EQ(c.window->findChild<QWidget *>(QStringLiteral("frmCompileWait")), nullptr);
    // The export was written all the same, and the "dir" setting names the plan.
    EXPECT_TRUE(QFile::exists(c.fixture.planFolder() + QStringLiteral("/files.txt")));
    EXPECT_EQ(compile::compileFolder(), c.fixture.planFolder() + QLatin1Char('/'));
}

TEST(ComposerCompile, ACompiledPlanStartsTheCompilerAndClosesTheComposer)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    prepareInstallation(c.fixture, true);
    c.window->show();
    fakes().messages->setNextAnswer(Answer::Ok);
    clickCompile(c);
    ASSERT_EQ(fakes().processes->started.size(), 1) << fakes().messages->lastText().toStdString();
    EXPECT_EQ(fakes().processes->started.first().program, c.fixture.installFolder() + QStringLiteral("/compiler"));
    EXPECT_EQ(fakes().messages->shown.size(), 1);
    const QString folder = c.fixture.planFolder() + QLatin1Char('/');
    for (const char *name : {"Field.txt", "Chapters.txt", "Sections.txt", "files.txt", "bpfiles.csv", "Tbl0101.xls",
                             "TBL0101.WMF"})
        EXPECT_TRUE(QFile::exists(folder + QLatin1String(name))) << name;
    EXPECT_FALSE(c.window->isVisible());
}
