#include "FakePlatform.h"
#include "OpeningTestSupport.h"

#include "create/opening/OpeningCommands.h"
#include "create/opening/SamplePrograms.h"
#include "shell/CurrentPlan.h"

using namespace qv;
using create::SampleProgram;
using test::OpeningTest;

// ---- Wizard programs ------------------------------------------------------------

TEST_F(OpeningTest, EachPlanTypeHasItsWizardProgram)
{
    EXPECT_EQ(create::wizardProgramName(0), QStringLiteral("pwiz_mi.exe"));
    EXPECT_EQ(create::wizardProgramName(1), QStringLiteral("pwiz_mp.exe"));
}

TEST_F(OpeningTest, TheWizardStartsFromTheInstallFolderUnderThisPlatformsName)
{
    test::touchFile(installed(QStringLiteral("pwiz_mi")));
    test::touchFile(installed(QStringLiteral("pwiz_mp")));
    create::startWizardProgram(0);
    create::startWizardProgram(1);
    const auto &started = test::fakes().processes->started;
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started.at(0).program, installed(QStringLiteral("pwiz_mi")));
    EXPECT_EQ(started.at(1).program, installed(QStringLiteral("pwiz_mp")));
    EXPECT_TRUE(started.at(0).arguments.isEmpty());
}

TEST_F(OpeningTest, AFailedWizardStartIsIgnored)
{
    test::fakes().processes->succeed = false;
    create::startWizardProgram(0);
    EXPECT_EQ(test::fakes().processes->started.size(), 1);
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty());
}

// ---- The open-plan request ------------------------------------------------------

TEST_F(OpeningTest, TheOpenRequestFollowsThePlanType)
{
    const platform::FileRequest business = create::openPlanRequest(0);
    EXPECT_EQ(business.filter, QStringLiteral("Business Plan Files (*.bpl)|*.bpl"));
    EXPECT_EQ(business.title, QStringLiteral("Open Plan"));
    EXPECT_EQ(business.folder, platform::Folders::myPlansFolder());
    EXPECT_EQ(create::openPlanRequest(1).filter, QStringLiteral("Marketing Plan Files (*.mpl)|*.mpl"));
}

TEST_F(OpeningTest, ANameTypedWithoutExtensionGetsThePlanTypes)
{
    EXPECT_EQ(create::withPlanExtension(QStringLiteral("/p/Acme"), 0), QStringLiteral("/p/Acme.bpl"));
    EXPECT_EQ(create::withPlanExtension(QStringLiteral("/p/Acme"), 1), QStringLiteral("/p/Acme.mpl"));
    EXPECT_EQ(create::withPlanExtension(QStringLiteral("/p/Acme.old"), 0), QStringLiteral("/p/Acme.old"));
    test::touchFile(installed(QStringLiteral("Plain")));
    EXPECT_EQ(create::withPlanExtension(installed(QStringLiteral("Plain")), 0), installed(QStringLiteral("Plain")));
}

// ---- Sample paths -----------------------------------------------------------------

TEST_F(OpeningTest, AWholesaleSampleForANewBusinessInWord)
{
    EXPECT_EQ(create::samplePlanPath(0, 2, true, QStringLiteral("doc")),
              installed(QStringLiteral("Data/ENG/BusPlan/Samples/New/Whlesale.doc")));
}

TEST_F(OpeningTest, AnExistingBusinessSampleSitsInExisting)
{
    EXPECT_EQ(create::samplePlanPath(0, 1, false, QStringLiteral("lwp")),
              installed(QStringLiteral("Data/ENG/BusPlan/Samples/Existing/Manuf.lwp")));
}

TEST_F(OpeningTest, AMarketingSampleHasNoStage)
{
    EXPECT_EQ(create::samplePlanPath(1, 3, true, QStringLiteral("cpd")),
              installed(QStringLiteral("Data/ENG/MrktPlan/Samples/Retail.cpd")));
    EXPECT_EQ(create::samplePlanPath(1, 4, false, QStringLiteral("cpd")),
              installed(QStringLiteral("Data/ENG/MrktPlan/Samples/Custom.cpd")));
}

// ---- Handing a plan to the composer --------------------------------------------------

TEST_F(OpeningTest, WithoutAComposerTheUserIsToldAndNothingOpens)
{
    create::setPlanOpener(nullptr);
    EXPECT_FALSE(create::openPlanInComposer(QStringLiteral("/p/Acme.bpl")));
    ASSERT_EQ(test::fakes().messages->shown.size(), 1);
    EXPECT_TRUE(test::fakes().messages->lastText().contains(QStringLiteral("/p/Acme.bpl")));
    EXPECT_EQ(shell::ensureCurrentPlan().filePath(), QStringLiteral("/p/Acme.bpl"));
}

TEST_F(OpeningTest, TheComposerGetsThePath)
{
    QStringList opened;
    create::setPlanOpener([&](const QString &path) {
        opened.append(path);
        return true;
    });
    EXPECT_TRUE(create::openPlanInComposer(QStringLiteral("/p/Acme.bpl")));
    create::setPlanOpener(nullptr);
    EXPECT_EQ(opened, QStringList{QStringLiteral("/p/Acme.bpl")});
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty());
}

// ---- Finding the programs that show a sample -------------------------------------------

TEST_F(OpeningTest, ExtensionsFollowTheChoice)
{
    EXPECT_EQ(create::GetExtension(SampleProgram::WordPro), QStringLiteral("lwp"));
    EXPECT_EQ(create::GetExtension(SampleProgram::Word), QStringLiteral("doc"));
    EXPECT_EQ(create::GetExtension(SampleProgram::VantorCompiler), QStringLiteral("cpd"));
    EXPECT_EQ(create::GetExtension(SampleProgram::None), QString());
}

TEST_F(OpeningTest, OnThisPlatformNothingIsFoundUntilTheViewerIsInstalled)
{
    create::setRegistryLookup(nullptr);
    EXPECT_FALSE(create::LookForWord());
    EXPECT_FALSE(create::LookForWordPro());
    EXPECT_FALSE(create::LookForVantorCompiler());
    EXPECT_EQ(create::findSamplePrograms().count(), 0);
    installViewer();
    EXPECT_TRUE(create::LookForVantorCompiler());
}

TEST_F(OpeningTest, WordNeedsItsTemplateAndAnInstallRecord)
{
    registry->set(QStringLiteral("SOFTWARE\\Microsoft\\Office\\8.0\\Word\\InstallRoot"), QStringLiteral("Path"),
                  QStringLiteral("C:\\Office\\"));
    EXPECT_TRUE(create::LookForWord97());
    EXPECT_FALSE(create::LookForWord()) << "no BPLAN.DOC yet";
    test::touchFile(installed(QStringLiteral("compile/bplan.doc")));
    EXPECT_TRUE(create::LookForWord());
}

TEST_F(OpeningTest, Word2000NeedsWinwordInItsFolder)
{
    QTemporaryDir office;
    registry->set(QStringLiteral("SOFTWARE\\Microsoft\\Office\\9.0\\Word\\InstallRoot"), QStringLiteral("Path"),
                  office.path());
    EXPECT_FALSE(create::LookForWord2000());
    test::touchFile(QDir(office.path()).filePath(QStringLiteral("WINWORD.EXE")));
    EXPECT_TRUE(create::LookForWord2000());
}

TEST_F(OpeningTest, WordProTries97Then98AndNeedsItsTemplate)
{
    test::touchFile(installed(QStringLiteral("Compile/BPLAN.LWP")));
    EXPECT_FALSE(create::LookForWordPro());
    EXPECT_EQ(registry->asked, (QStringList{QStringLiteral("SOFTWARE\\Lotus\\WordPro\\97.0"),
                                            QStringLiteral("SOFTWARE\\Lotus\\WordPro\\98.0")}));
    registry->set(QStringLiteral("SOFTWARE\\Lotus\\WordPro\\98.0"), QStringLiteral("Path"),
                  QStringLiteral("C:\\Lotus"));
    EXPECT_TRUE(create::LookForWordPro());
}

// ---- The program-choice layouts ----------------------------------------------------------

TEST_F(OpeningTest, NoProgramFoundOffersOnlyTheWayBack)
{
    const create::ProgramChoiceLayout layout = create::programChoiceLayout({});
    EXPECT_EQ(layout.label, QStringLiteral("\nUnable to find a valid program to compile the plan.\n\n"
                                           "Select OK to return back to Plan Composer"));
    EXPECT_TRUE(layout.labelCentred);
    EXPECT_EQ(layout.optionVisible, (std::array<bool, 3>{false, false, false}));
    EXPECT_FALSE(layout.okCancelVisible);
    EXPECT_TRUE(layout.returnButtonVisible);
    EXPECT_EQ(layout.preselected, SampleProgram::None);
}

TEST_F(OpeningTest, OneProgramFoundIsChosenAndNamed)
{
    const create::ProgramChoiceLayout viewer = create::programChoiceLayout({false, false, true});
    EXPECT_EQ(viewer.label, QStringLiteral("\n\nYour plan will be compiled using Vantor Compiler"));
    EXPECT_EQ(viewer.preselected, SampleProgram::VantorCompiler);
    EXPECT_EQ(viewer.optionVisible, (std::array<bool, 3>{false, false, false}));
    EXPECT_TRUE(viewer.okCancelVisible);
    EXPECT_FALSE(viewer.returnButtonVisible);
    EXPECT_EQ(create::programChoiceLayout({true, false, false}).label,
              QStringLiteral("\n\nYour plan will be compiled using Word Pro"));
    EXPECT_EQ(create::programChoiceLayout({false, true, false}).label,
              QStringLiteral("\n\nYour plan will be compiled using Word"));
}

TEST_F(OpeningTest, SeveralProgramsAreOfferedOneUnderTheOther)
{
    const create::ProgramChoiceLayout layout = create::programChoiceLayout({false, true, true});
    EXPECT_EQ(layout.label, QStringLiteral("Select one of the following programs to view the sample plan:"));
    EXPECT_EQ(layout.optionVisible, (std::array<bool, 3>{false, true, true}));
    EXPECT_EQ(layout.preselected, SampleProgram::Word);
    EXPECT_TRUE(layout.okCancelVisible);
    EXPECT_FALSE(layout.labelCentred);
}

TEST_F(OpeningTest, FindingReportsWhatIsInstalled)
{
    installWord97();
    installViewer();
    const create::SampleProgramsFound found = create::findSamplePrograms();
    EXPECT_FALSE(found.wordPro);
    EXPECT_TRUE(found.word);
    EXPECT_TRUE(found.vantorCompiler);
}

// ---- The viewer factory ----------------------------------------------------------------------

TEST_F(OpeningTest, AnUnregisteredViewerCannotBeCreated)
{
    EXPECT_EQ(create::createSampleViewer(create::kSampleViewerProgId), nullptr);
    installViewer();
    EXPECT_NE(create::createSampleViewer(QStringLiteral("PROJVIEWER.cviewer")), nullptr);
    EXPECT_EQ(create::createSampleViewer(QStringLiteral("other.Viewer")), nullptr);
}
