// The viewer object as the sample chooser drives it, its registration, and
// the program choice that follows from it.

#include "FakePlatform.h"
#include "TestFiles.h"

#include "create/opening/SamplePrograms.h"
#include "create/opening/SampleViewer.h"
#include "platform/Folders.h"
#include "viewer/CViewer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv;

namespace {

class CViewerTest : public ::testing::Test
{
protected:
    void SetUp() override { platform::Folders::setInstallFolder(install.path()); }
    void TearDown() override { create::registerSampleViewer(create::kSampleViewerProgId, nullptr); }

    QString installViewerProgram(QFileDevice::Permissions permissions = QFileDevice::ReadOwner |
                                                                        QFileDevice::WriteOwner |
                                                                        QFileDevice::ExeOwner)
    {
        const QString program = install.filePath(QStringLiteral("viewer"));
        test::writeTestFile(program, "#!/bin/sh\n");
        QFile::setPermissions(program, permissions);
        return program;
    }

    QTemporaryDir install;
};

} // namespace

TEST_F(CViewerTest, TheCallsOfTheSampleChooserStartTheViewerProgram)
{
    const QString program = installViewerProgram();
    viewer::CViewer object;
    create::SampleViewer &viewer = object;
    viewer.LoadPlan(QStringLiteral("/opt/Quorvex/Data/ENG/MrktPlan/Samples/Retail.cpd"));
    viewer.setDoReturn(false);
    viewer.setTypefield(QStringLiteral("Marketing Plan"));
    viewer.setSample(true);
    EXPECT_FALSE(object.DoReturn());
    EXPECT_EQ(object.typefield(), QStringLiteral("Marketing Plan"));
    EXPECT_TRUE(object.Sample());
    EXPECT_TRUE(test::fakes().processes->started.isEmpty());

    viewer.Show();
    ASSERT_EQ(test::fakes().processes->started.size(), 1);
    EXPECT_EQ(test::fakes().processes->started.first().program, program);
    EXPECT_EQ(test::fakes().processes->started.first().arguments,
              (QStringList{QStringLiteral("--sample"), QStringLiteral("--type"), QStringLiteral("Marketing Plan"),
                           QStringLiteral("--"), QStringLiteral("/opt/Quorvex/Data/ENG/MrktPlan/Samples/Retail.cpd")}));
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty());
}

TEST_F(CViewerTest, DoReturnAsksTheViewerForTheWayBack)
{
    installViewerProgram();
    viewer::CViewer viewer;
    viewer.LoadPlan(QStringLiteral("/home/a/My Plans/AcmeB/Acme.pdf"));
    viewer.setDoReturn(true);
    viewer.Show();
    ASSERT_EQ(test::fakes().processes->started.size(), 1);
    EXPECT_EQ(test::fakes().processes->started.first().arguments,
              (QStringList{QStringLiteral("--return"), QStringLiteral("--"), QStringLiteral("/home/a/My Plans/AcmeB/Acme.pdf")}));
}

TEST_F(CViewerTest, AViewerThatIsGoneOrDoesNotStartIsReported)
{
    viewer::CViewer viewer;
    viewer.LoadPlan(QStringLiteral("Retail.cpd"));
    viewer.Show();
    EXPECT_EQ(test::fakes().messages->lastText(), QStringLiteral("The compiled-plan viewer is not installed."));

    installViewerProgram();
    test::fakes().processes->succeed = false;
    viewer.Show();
    EXPECT_TRUE(test::fakes().messages->lastText().startsWith(QStringLiteral("The compiled-plan viewer could not be started")));
    EXPECT_EQ(test::fakes().messages->shown.last().icon, platform::Icon::Critical);
}

TEST_F(CViewerTest, TheObjectIsCreatableExactlyWhenTheViewerIsInstalled)
{
    // A file of that name that is not a program does not count.
    installViewerProgram(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_FALSE(viewer::registerInstalledViewer());
    EXPECT_TRUE(viewer::viewerProgram().isEmpty());
    EXPECT_FALSE(create::LookForVantorCompiler());
    EXPECT_EQ(create::createSampleViewer(create::kSampleViewerProgId), nullptr);

    installViewerProgram();
    EXPECT_TRUE(viewer::registerInstalledViewer());
    EXPECT_TRUE(create::LookForVantorCompiler());
    // Programmatic ids are found without regard to case.
    auto object = create::createSampleViewer(QStringLiteral("PROJVIEWER.cviewer"));
    ASSERT_NE(object, nullptr);
    EXPECT_NE(dynamic_cast<viewer::CViewer *>(object.get()), nullptr);
}

TEST_F(CViewerTest, WithoutWordTheViewerIsTheOneProgramAndIsChosen)
{
    installViewerProgram();
    ASSERT_TRUE(viewer::registerInstalledViewer());
    const create::SampleProgramsFound found = create::findSamplePrograms();
    EXPECT_FALSE(found.word);
    EXPECT_FALSE(found.wordPro);
    EXPECT_TRUE(found.vantorCompiler);
    const create::ProgramChoiceLayout layout = create::programChoiceLayout(found);
    EXPECT_EQ(layout.label, QStringLiteral("\n\nYour plan will be compiled using Vantor Compiler"));
    EXPECT_EQ(layout.preselected, create::SampleProgram::VantorCompiler);
    EXPECT_TRUE(layout.okCancelVisible);
    EXPECT_FALSE(layout.returnButtonVisible);
    EXPECT_EQ(create::GetExtension(layout.preselected), QStringLiteral("cpd"));
}
