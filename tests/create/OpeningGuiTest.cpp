#include "FakePlatform.h"
#include "OpeningTestSupport.h"

#include "create/opening/OpeningCommands.h"
#include "create/opening/gui/ModalRun.h"
#include "create/opening/gui/Plan_Options.h"
#include "create/opening/gui/frmOpening.h"
#include "create/opening/gui/frmSamplePlan.h"
#include "platform/Settings.h"
#include "shell/CurrentPlan.h"
#include "shell/MMain.h"
#include "shell/frmParent.h"
#include "shell/modBusinessRule.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace qv;
using create::frmOpening;
using create::frmSamplePlan;
using create::Plan_Options;
using create::SampleProgram;

namespace
{

template <typename T> T *child(QWidget *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

QString labelText(QWidget *parent, const QString &name)
{
    QLabel *label = child<QLabel>(parent, name);
    return label ? label->text() : QString();
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

class OpeningGuiTest : public test::OpeningTest
{
protected:
    void SetUp() override
    {
        OpeningTest::SetUp();
        shell::releaseCurrentPlan();
        shell::frmParent::setWelcomeMenuDisplay([this] { ++welcomeShown; });
        create::setPlanOpener([this](const QString &path) {
            opened.append(path);
            return composerOpens;
        });
    }
    void TearDown() override
    {
        create::setModalRunner(nullptr);
        create::setPlanOpener(nullptr);
        for (QWidget *w : QApplication::topLevelWidgets())
            w->close();
        settle();
        for (QWidget *w : QApplication::topLevelWidgets())
            delete w;
        shell::frmParent::setWelcomeMenuDisplay(nullptr);
        shell::releaseCurrentPlan();
        OpeningTest::TearDown();
    }

    frmOpening *displayFor(int planType)
    {
        shell::ensureCurrentPlan().planInfo().setPlanType(planType);
        return frmOpening::Display();
    }

    QString makePlan(const QString &relative)
    {
        const QString path = installed(relative);
        test::touchFile(path);
        return path;
    }

    // Runs the sample chooser's program choice with the given answer and
    // remembers what the dialog showed.
    void answerProgramChoiceWith(const QString &button)
    {
        create::setModalRunner([this, button](QDialog &dialog) {
            choiceShown.append(dialog.objectName());
            if (auto *options = qobject_cast<Plan_Options *>(&dialog)) {
                choiceLabel = options->findChild<QLabel *>(QStringLiteral("lblMessage"))->text();
                QTest::mouseClick(options->findChild<QPushButton *>(button), Qt::LeftButton);
            }
            return dialog.result();
        });
    }

    int welcomeShown = 0;
    QStringList opened;
    bool composerOpens = true;
    QStringList choiceShown;
    QString choiceLabel;
};

} // namespace

// ---- The opening dialog -------------------------------------------------------------

TEST_F(OpeningGuiTest, TheDialogIsHostedInsideTheFrame)
{
    frmOpening *dialog = displayFor(0);
    ASSERT_NE(shell::frmParent::loaded(), nullptr);
    EXPECT_TRUE(shell::frmParent::loaded()->childWindows().contains(dialog));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->planTypeName(), QStringLiteral("Business Plan"));
}

TEST_F(OpeningGuiTest, TheMarketingSwitchOpensTheDialogForAMarketingPlan)
{
    QTemporaryDir system;
    test::touchFile(QDir(system.path()).filePath(QStringLiteral("American.vtd")));
    platform::Folders::setSystemFolder(system.path());
    shell::StartupRoutes routes;
    routes.showOpeningDialog = [] { frmOpening::Display(); };
    EXPECT_TRUE(shell::Main(QStringLiteral("-m"), routes));
    ASSERT_NE(shell::frmParent::loaded(), nullptr);
    const QList<QWidget *> children = shell::frmParent::loaded()->childWindows();
    ASSERT_EQ(children.size(), 1);
    auto *dialog = qobject_cast<frmOpening *>(children.first());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->planType(), 1);
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_1")), QStringLiteral("Start a new Marketing Plan"));
}

TEST_F(OpeningGuiTest, BusinessPlanCaptions)
{
    frmOpening *dialog = displayFor(0);
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_1")), QStringLiteral("Start a new Business Plan"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_4")),
              QStringLiteral("Prepare a new Business Plan using Vantor Template"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_2")), QStringLiteral("Open the last edited Business Plan"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_5")),
              QStringLiteral("Open the last Business Plan that you were working on"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_3")), QStringLiteral("Open a Business Plan"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_6")),
              QStringLiteral("Open a previously saved Business Plan"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_0")),
              QStringLiteral("Select from ten different customized sample plans"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_7")), QStringLiteral("Open a Sample Business Plan"));
    EXPECT_EQ(child<QPushButton>(dialog, QStringLiteral("cmdExit"))->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(child<QPushButton>(dialog, QStringLiteral("cmdHelp"))->text(), QStringLiteral("&Help"));
}

TEST_F(OpeningGuiTest, MarketingPlanCaptions)
{
    frmOpening *dialog = displayFor(1);
    EXPECT_EQ(dialog->planTypeName(), QStringLiteral("Marketing Plan"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_1")), QStringLiteral("Start a new Marketing Plan"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_4")),
              QStringLiteral("Prepare a new Marketing Plan using Vantor Template"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_2")), QStringLiteral("Open the last edited Marketing Plan"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_5")),
              QStringLiteral("Open the last Marketing Plan that you were working on"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_3")), QStringLiteral("Open a Marketing Plan"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_6")),
              QStringLiteral("Open a previously saved Marketing Plan"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_0")),
              QStringLiteral("Select from five different customized sample plans"));
    EXPECT_EQ(labelText(dialog, QStringLiteral("lblStatic_7")), QStringLiteral("Open a Sample Marketing Plan"));
}

TEST_F(OpeningGuiTest, WithoutALastPlanCmdLastIsDisabled)
{
    frmOpening *dialog = displayFor(0);
    EXPECT_FALSE(child<QToolButton>(dialog, QStringLiteral("cmdLast"))->isEnabled());
    EXPECT_EQ(dialog->lastPlan(), QString());
}

TEST_F(OpeningGuiTest, ALastPlanThatIsGoneLeavesCmdLastDisabled)
{
    shell::writeLastPlan(0, installed(QStringLiteral("My Plans/Gone.bpl")));
    frmOpening *dialog = displayFor(0);
    EXPECT_FALSE(child<QToolButton>(dialog, QStringLiteral("cmdLast"))->isEnabled());
}

TEST_F(OpeningGuiTest, TheLastPlanOfTheTypeIsOfferedWithoutItsTrailingSeparatorAndSpelledAsOnDisk)
{
    const QString plan = makePlan(QStringLiteral("My Plans/Acme.bpl"));
    makePlan(QStringLiteral("My Plans/Zeta.mpl"));
    shell::writeLastPlan(0, installed(QStringLiteral("my plans/ACME.bpl/")));
    frmOpening *dialog = displayFor(0);
    EXPECT_TRUE(child<QToolButton>(dialog, QStringLiteral("cmdLast"))->isEnabled());
    EXPECT_EQ(dialog->lastPlan(), plan);
}

TEST_F(OpeningGuiTest, EachTypeOffersItsOwnLastPlan)
{
    makePlan(QStringLiteral("My Plans/Acme.bpl"));
    shell::writeLastPlan(0, installed(QStringLiteral("My Plans/Acme.bpl")));
    frmOpening *dialog = displayFor(1);
    EXPECT_FALSE(child<QToolButton>(dialog, QStringLiteral("cmdLast"))->isEnabled());
}

TEST_F(OpeningGuiTest, CmdLastOpensThePlanInTheComposerAndUnloadsTheFrame)
{
    const QString plan = makePlan(QStringLiteral("My Plans/Acme.bpl"));
    shell::writeLastPlan(0, plan);
    frmOpening *dialog = displayFor(0);
    QTest::mouseClick(child<QToolButton>(dialog, QStringLiteral("cmdLast")), Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{plan});
    EXPECT_EQ(shell::ensureCurrentPlan().filePath(), plan);
    settle();
    EXPECT_EQ(shell::frmParent::loaded(), nullptr);
}

TEST_F(OpeningGuiTest, APlanTheComposerCannotOpenLeavesTheDialogUp)
{
    composerOpens = false;
    const QString plan = makePlan(QStringLiteral("My Plans/Acme.bpl"));
    shell::writeLastPlan(0, plan);
    QPointer<frmOpening> dialog = displayFor(0);
    dialog->cmdLastClick();
    settle();
    EXPECT_NE(shell::frmParent::loaded(), nullptr);
    EXPECT_FALSE(dialog.isNull());
}

TEST_F(OpeningGuiTest, CmdOpenAsksForAPlanOfTheType)
{
    frmOpening *dialog = displayFor(1);
    test::fakes().dialogs->setNextFileName(QStringLiteral("/p/Market.mpl"));
    QTest::mouseClick(child<QToolButton>(dialog, QStringLiteral("cmdOpen")), Qt::LeftButton);
    ASSERT_EQ(test::fakes().dialogs->requests.size(), 1);
    const platform::FileRequest &request = test::fakes().dialogs->requests.first();
    EXPECT_EQ(request.filter, QStringLiteral("Marketing Plan Files (*.mpl)|*.mpl"));
    EXPECT_EQ(request.title, QStringLiteral("Open Plan"));
    EXPECT_EQ(request.folder, platform::Folders::myPlansFolder());
    EXPECT_EQ(opened, QStringList{QStringLiteral("/p/Market.mpl")});
}

TEST_F(OpeningGuiTest, CancellingTheFileDialogDoesNothing)
{
    frmOpening *dialog = displayFor(0);
    test::fakes().dialogs->setNextFileName(std::nullopt);
    dialog->cmdOpenClick();
    test::fakes().dialogs->setNextFileName(QString());
    dialog->cmdOpenClick();
    EXPECT_TRUE(opened.isEmpty());
    settle();
    EXPECT_NE(shell::frmParent::loaded(), nullptr);
}

TEST_F(OpeningGuiTest, CmdNewPlanStartsTheBusinessWizardAndUnloadsTheFrame)
{
    test::touchFile(installed(QStringLiteral("pwiz_mi")));
    frmOpening *dialog = displayFor(0);
    QTest::mouseClick(child<QToolButton>(dialog, QStringLiteral("cmdNewPlan")), Qt::LeftButton);
    ASSERT_EQ(test::fakes().processes->started.size(), 1);
    EXPECT_EQ(test::fakes().processes->started.first().program, installed(QStringLiteral("pwiz_mi")));
    settle();
    EXPECT_EQ(shell::frmParent::loaded(), nullptr);
}

TEST_F(OpeningGuiTest, CmdNewPlanStartsTheMarketingWizardEvenWhenTheStartFails)
{
    test::fakes().processes->succeed = false;
    frmOpening *dialog = displayFor(1);
    dialog->cmdNewPlanClick();
    ASSERT_EQ(test::fakes().processes->started.size(), 1);
    EXPECT_TRUE(test::fakes().processes->started.first().program.endsWith(QStringLiteral("pwiz_mp.exe")))
        << "without either spelling installed the name stays as built";
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty());
    settle();
    EXPECT_EQ(shell::frmParent::loaded(), nullptr);
}

TEST_F(OpeningGuiTest, CancelGoesBackToTheWelcomeMenu)
{
    QPointer<frmOpening> dialog = displayFor(0);
    QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("cmdExit")), Qt::LeftButton);
    settle();
    EXPECT_EQ(welcomeShown, 1);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_NE(shell::frmParent::loaded(), nullptr);
}

TEST_F(OpeningGuiTest, EscapeClosesTheDialogLikeCancel)
{
    QPointer<frmOpening> dialog = displayFor(0);
    QApplication::setActiveWindow(shell::frmParent::loaded());
    dialog->activateWindow();
    child<QToolButton>(dialog, QStringLiteral("cmdNewPlan"))->setFocus();
    QTest::keyClick(child<QToolButton>(dialog, QStringLiteral("cmdNewPlan")), Qt::Key_Escape);
    settle();
    EXPECT_EQ(welcomeShown, 1);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(OpeningGuiTest, UnloadingTheFrameDoesNotBringBackTheWelcomeMenu)
{
    displayFor(0);
    shell::frmParent::Unload();
    settle();
    EXPECT_EQ(welcomeShown, 0);
}

TEST_F(OpeningGuiTest, CmdHelpOpensTheHelpFile)
{
    platform::Folders::setInstallFolder(QStringLiteral(QV_INSTALL_DIR));
    frmOpening *dialog = displayFor(0);
    QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("cmdHelp")), Qt::LeftButton);
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty()) << test::fakes().messages->lastText().toStdString();
    QWidget *viewer = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->inherits("qv::support::HelpViewer"))
            viewer = w;
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(OpeningGuiTest, CmdSamplesShowsTheChooserModalAndComesBack)
{
    frmOpening *dialog = displayFor(0);
    bool hiddenMeanwhile = false;
    create::setModalRunner([&](QDialog &shown) {
        choiceShown.append(shown.objectName());
        hiddenMeanwhile = !dialog->isVisible();
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(child<QToolButton>(dialog, QStringLiteral("cmdSamples")), Qt::LeftButton);
    EXPECT_EQ(choiceShown, QStringList{QStringLiteral("frmSamplePlan")});
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(dialog->isVisible());
}

// ---- The sample chooser ----------------------------------------------------------------

TEST_F(OpeningGuiTest, TheChooserHasItsCaptionsInNavy)
{
    frmSamplePlan chooser(0);
    chooser.load();
    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Select a Sample Plan"));
    const QStringList kinds{QStringLiteral("Service Sample Plan"), QStringLiteral("Manufacturing Sample Plan"),
                            QStringLiteral("Wholesale Sample Plan"), QStringLiteral("Retail Trade Sample Plan"),
                            QStringLiteral("Custom Sample Plan")};
    for (int i = 0; i < 5; ++i) {
        QLabel *kind = child<QLabel>(&chooser, QStringLiteral("lblType_%1").arg(i));
        EXPECT_EQ(kind->text(), kinds.at(i));
        EXPECT_EQ(kind->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    }
    EXPECT_EQ(labelText(&chooser, QStringLiteral("lblStatic_2")),
              QStringLiteral("For businesses involved in sales of product(s) in wholesale level."));
    EXPECT_EQ(labelText(&chooser, QStringLiteral("lblStatic_4")),
              QStringLiteral("Template for Combination of Any of the Above Sectors."));
    QRadioButton *newPlan = child<QRadioButton>(&chooser, QStringLiteral("optType_1"));
    QRadioButton *existing = child<QRadioButton>(&chooser, QStringLiteral("optType_0"));
    EXPECT_EQ(newPlan->text(), QStringLiteral("New Plan"));
    EXPECT_EQ(existing->text(), QStringLiteral("Existing Plan"));
    EXPECT_EQ(existing->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_FALSE(newPlan->isHidden());
    EXPECT_FALSE(existing->isHidden());
    EXPECT_EQ(child<QPushButton>(&chooser, QStringLiteral("cmdCancel"))->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(child<QPushButton>(&chooser, QStringLiteral("cmdHelp"))->text(), QStringLiteral("&Help"));
}

TEST_F(OpeningGuiTest, AMarketingChooserHidesTheStageOptions)
{
    frmSamplePlan chooser(1);
    chooser.load();
    EXPECT_TRUE(child<QRadioButton>(&chooser, QStringLiteral("optType_1"))->isHidden());
    EXPECT_TRUE(child<QRadioButton>(&chooser, QStringLiteral("optType_0"))->isHidden());
}

TEST_F(OpeningGuiTest, WithNoProgramTheChooserSaysSoAndOpensNothing)
{
    frmSamplePlan chooser(0);
    chooser.load();
    answerProgramChoiceWith(QStringLiteral("cmdReturn"));
    QTest::mouseClick(child<QToolButton>(&chooser, QStringLiteral("cmdSelect_2")), Qt::LeftButton);
    EXPECT_EQ(choiceShown, QStringList{QStringLiteral("Plan_Options")});
    EXPECT_TRUE(choiceLabel.contains(QStringLiteral("Unable to find a valid program to compile the plan.")));
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty());
    EXPECT_TRUE(test::fakes().shell->opened.isEmpty());
}

TEST_F(OpeningGuiTest, AMissingSampleIsReportedWithItsPath)
{
    installViewer();
    frmSamplePlan chooser(1);
    chooser.load();
    answerProgramChoiceWith(QStringLiteral("cmdOK"));
    chooser.cmdSelectClick(3);
    ASSERT_EQ(test::fakes().messages->shown.size(), 1);
    EXPECT_EQ(test::fakes().messages->lastText(),
              QStringLiteral("File not found: \r\n") +
                  installed(QStringLiteral("Data/ENG/MrktPlan/Samples/Retail.cpd")));
    EXPECT_TRUE(viewer.calls.isEmpty());
}

TEST_F(OpeningGuiTest, ACompiledSampleGoesToTheViewer)
{
    installViewer();
    const QString sample = makePlan(QStringLiteral("Data/ENG/MrktPlan/Samples/Retail.cpd"));
    frmSamplePlan chooser(1);
    chooser.load();
    answerProgramChoiceWith(QStringLiteral("cmdOK"));
    const int runsBefore = test::fakes().clock->eventRuns;
    chooser.cmdSelectClick(3);
    EXPECT_TRUE(choiceLabel.contains(QStringLiteral("Vantor Compiler")));
    EXPECT_EQ(viewer.calls, (QStringList{QStringLiteral("LoadPlan ") + sample, QStringLiteral("DoReturn 0"),
                                         QStringLiteral("typefield Marketing Plan"), QStringLiteral("Sample 1"),
                                         QStringLiteral("Show")}));
    EXPECT_EQ(test::fakes().clock->eventRuns - runsBefore, 21);
    EXPECT_TRUE(test::fakes().shell->opened.isEmpty());
}

TEST_F(OpeningGuiTest, AWordSampleOpensWithTheShellFromTheChosenStage)
{
    installWord97();
    const QString sample = makePlan(QStringLiteral("Data/ENG/BusPlan/Samples/New/Whlesale.doc"));
    makePlan(QStringLiteral("Data/ENG/BusPlan/Samples/Existing/Whlesale.doc"));
    frmSamplePlan chooser(0);
    chooser.load();
    answerProgramChoiceWith(QStringLiteral("cmdOK"));
    chooser.cmdSelectClick(2);
    ASSERT_EQ(test::fakes().shell->opened.size(), 1);
    EXPECT_EQ(test::fakes().shell->opened.first().first, sample);

    QRadioButton *existing = child<QRadioButton>(&chooser, QStringLiteral("optType_0"));
    QTest::mouseClick(existing, Qt::LeftButton, {}, QPoint(8, existing->height() / 2));
    chooser.cmdSelectClick(2);
    ASSERT_EQ(test::fakes().shell->opened.size(), 2);
    EXPECT_EQ(test::fakes().shell->opened.last().first,
              installed(QStringLiteral("Data/ENG/BusPlan/Samples/Existing/Whlesale.doc")));
}

TEST_F(OpeningGuiTest, ASampleSpelledOtherwiseOnDiskIsFound)
{
    installWord97();
    const QString sample = makePlan(QStringLiteral("data/eng/busplan/samples/new/SERVICE.DOC"));
    frmSamplePlan chooser(0);
    chooser.load();
    answerProgramChoiceWith(QStringLiteral("cmdOK"));
    chooser.cmdSelectClick(0);
    ASSERT_EQ(test::fakes().shell->opened.size(), 1);
    EXPECT_EQ(test::fakes().shell->opened.first().first, sample);
}

TEST_F(OpeningGuiTest, CancellingTheProgramChoiceEndsTheCommand)
{
    installWord97();
    makePlan(QStringLiteral("Data/ENG/BusPlan/Samples/New/Whlesale.doc"));
    frmSamplePlan chooser(0);
    chooser.load();
    answerProgramChoiceWith(QStringLiteral("cmdCancel"));
    chooser.cmdSelectClick(2);
    EXPECT_TRUE(test::fakes().shell->opened.isEmpty());
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty());
}

// ---- The program-choice dialog ------------------------------------------------------------

TEST_F(OpeningGuiTest, NoProgramLayoutShowsOnlyTheThirdButton)
{
    Plan_Options options;
    options.load({});
    options.show();
    EXPECT_TRUE(child<QPushButton>(&options, QStringLiteral("cmdOK"))->isHidden());
    EXPECT_TRUE(child<QPushButton>(&options, QStringLiteral("cmdCancel"))->isHidden());
    EXPECT_TRUE(child<QPushButton>(&options, QStringLiteral("cmdReturn"))->isVisible());
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(child<QRadioButton>(&options, QStringLiteral("optProgram_%1").arg(i))->isHidden());
    QLabel *label = child<QLabel>(&options, QStringLiteral("lblMessage"));
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    QTest::mouseClick(child<QPushButton>(&options, QStringLiteral("cmdReturn")), Qt::LeftButton);
    EXPECT_EQ(options.GetExtension(), QString());
}

TEST_F(OpeningGuiTest, OneProgramLayoutHidesItsChosenOption)
{
    Plan_Options options;
    options.load({false, true, false});
    options.show();
    EXPECT_TRUE(child<QRadioButton>(&options, QStringLiteral("optProgram_2"))->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&options, QStringLiteral("optProgram_2"))->isHidden());
    EXPECT_TRUE(child<QPushButton>(&options, QStringLiteral("cmdOK"))->isVisible());
    EXPECT_TRUE(child<QPushButton>(&options, QStringLiteral("cmdReturn"))->isHidden());
    QTest::mouseClick(child<QPushButton>(&options, QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_EQ(options.GetExtension(), QStringLiteral("doc"));
    EXPECT_FALSE(options.isVisible());
}

TEST_F(OpeningGuiTest, SeveralProgramsAreOfferedAndTheChoiceIsKept)
{
    Plan_Options options;
    options.load({true, false, true});
    options.show();
    QRadioButton *wordPro = child<QRadioButton>(&options, QStringLiteral("optProgram_1"));
    QRadioButton *viewerOption = child<QRadioButton>(&options, QStringLiteral("optProgram_3"));
    EXPECT_TRUE(wordPro->isVisible());
    EXPECT_TRUE(child<QRadioButton>(&options, QStringLiteral("optProgram_2"))->isHidden());
    EXPECT_TRUE(viewerOption->isVisible());
    EXPECT_LT(wordPro->y(), viewerOption->y());
    EXPECT_EQ(labelText(&options, QStringLiteral("lblMessage")),
              QStringLiteral("Select one of the following programs to view the sample plan:"));
    QTest::mouseClick(viewerOption, Qt::LeftButton, {}, QPoint(8, viewerOption->height() / 2));
    QTest::mouseClick(child<QPushButton>(&options, QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_EQ(options.GetExtension(), QStringLiteral("cpd"));
}

TEST_F(OpeningGuiTest, CancelForgetsTheChoice)
{
    Plan_Options options;
    options.load({true, true, false});
    options.show();
    QTest::mouseClick(child<QPushButton>(&options, QStringLiteral("cmdCancel")), Qt::LeftButton);
    EXPECT_EQ(options.choice(), SampleProgram::None);
    EXPECT_EQ(options.GetExtension(), QString());
}

TEST_F(OpeningGuiTest, TheDialogLooksForThePrograms)
{
    Plan_Options options;
    EXPECT_FALSE(options.LookForWord());
    EXPECT_FALSE(options.LookForVantorCompiler());
    installViewer();
    installWord97();
    EXPECT_TRUE(options.LookForWord());
    EXPECT_TRUE(options.LookForWord97());
    EXPECT_FALSE(options.LookForWord2000());
    EXPECT_FALSE(options.LookForWordPro());
    EXPECT_TRUE(options.LookForVantorCompiler());
    options.load();
    options.show();
    EXPECT_TRUE(child<QRadioButton>(&options, QStringLiteral("optProgram_2"))->isVisible());
    EXPECT_TRUE(child<QRadioButton>(&options, QStringLiteral("optProgram_3"))->isVisible());
}
