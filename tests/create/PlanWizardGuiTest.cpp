// The wizards driven end to end through their controls: the answer file they
// write, the program they start, and Cancel.

#include "WizardDriver.h"

#include "FakePlatform.h"
#include "create/wizard/QuestionList.h"
#include "create/wizard/gui/PlanWizard.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSet>
#include <QTemporaryDir>

using namespace qv::wizard;
using qv::test::fakes;
using qv::test::WizardDriver;

namespace {

QStringList answerFilesInTemp()
{
    return QDir(qv::platform::Folders::tempFolder())
        .entryList({QStringLiteral("quorvex-answers-*.txt")}, QDir::Files);
}

// The answer file a finished wizard handed to "quorvex -q"; read and removed.
QStringList handedOverLines()
{
    const auto &started = fakes().processes->started;
    if (started.size() != 1 || started[0].arguments.size() != 2)
        return {};
    QFile file(started[0].arguments[1]);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    file.remove();
    return lines;
}

QuestionList testQuestions()
{
    return QuestionList::load(QStringLiteral(QV_TEST_DATA_DIR "/wizard-questions.txt"));
}

// Welcome, kind, stage, name: the pages every business wizard starts with.
void answerBusinessStart(const WizardDriver &d, int kind, bool newBusiness, const QString &name)
{
    ASSERT_EQ(d.pageName(), QStringLiteral("pageWelcome"));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageKind"));
    ASSERT_TRUE(d.click(QStringLiteral("optKind_%1").arg(kind)));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageStage"));
    ASSERT_TRUE(d.click(newBusiness ? QStringLiteral("optNewBusiness") : QStringLiteral("optExistingBusiness")));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageBusinessName"));
    ASSERT_TRUE(d.type(QStringLiteral("txtBusinessName"), name));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageDocument"));
}

void answerPeriod(const WizardDriver &d, int year, int month, int projected)
{
    ASSERT_EQ(d.pageName(), QStringLiteral("pagePeriod"));
    ASSERT_TRUE(d.setNumber(QStringLiteral("spnFirstYear"), year));
    ASSERT_TRUE(d.choose(QStringLiteral("cboMonth"), month - 1));
    ASSERT_TRUE(d.setNumber(QStringLiteral("spnProjectedYears"), projected));
}

void answerSubmission(const WizardDriver &d)
{
    ASSERT_EQ(d.pageName(), QStringLiteral("pageSubmission"));
    d.type(QStringLiteral("txtSubmittedTo"), QStringLiteral("First County Bank"));
    d.type(QStringLiteral("txtSubmitterName"), QStringLiteral("Ann Baker"));
    d.type(QStringLiteral("txtStreet"), QStringLiteral("12 Harbor Street"));
    d.type(QStringLiteral("txtCity"), QStringLiteral("Portland"));
    d.type(QStringLiteral("txtState"), QStringLiteral("ME"));
    d.type(QStringLiteral("txtZip"), QStringLiteral("04101"));
    d.type(QStringLiteral("txtPhone"), QStringLiteral("(207) 555-0100"));
}

} // namespace

TEST(BusinessWizard, WritesTheAnswersAndStartsQuorvex)
{
    QTemporaryDir plans;
    PlanWizard wizard(WizardKind::Business);
    wizard.show();
    WizardDriver d(wizard);
    answerBusinessStart(d, 3, true, QStringLiteral("Harbor Street Bakery"));

    // The proposed document follows the business name, in My Plans.
    auto *path = d.find<QLineEdit>(QStringLiteral("txtDocumentPath"));
    EXPECT_EQ(path->text(), qv::platform::Folders::myPlansFolder() + QStringLiteral("Harbor Street Bakery.bpl"));
    fakes().dialogs->setNextFileName(plans.path() + QStringLiteral("/Bakery"));
    ASSERT_TRUE(d.click(QStringLiteral("cmdBrowse")));
    ASSERT_EQ(fakes().dialogs->requests.size(), 1);
    EXPECT_EQ(qv::platform::withTrailingSeparator(fakes().dialogs->requests[0].folder),
              qv::platform::Folders::myPlansFolder());
    EXPECT_EQ(fakes().dialogs->requests[0].fileName, QStringLiteral("Harbor Street Bakery.bpl"));
    EXPECT_TRUE(fakes().dialogs->requests[0].filter.contains(QStringLiteral("*.bpl")));
    EXPECT_EQ(path->text(), plans.path() + QStringLiteral("/Bakery.bpl"));
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblPlanFolder"))->text().contains(QStringLiteral("BakeryB")));
    ASSERT_TRUE(d.next());

    answerPeriod(d, 1999, 7, 3);
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblMonth"))->text().contains(QStringLiteral("starts")));
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblPeriodPreview"))
                    ->text()
                    .contains(QStringLiteral("from July 1999 to June 2000")));
    ASSERT_TRUE(d.next());
    // New asks the counts the plan's instructions and tables assume.
    ASSERT_EQ(d.pageName(), QStringLiteral("pageCounts"));
    d.setNumber(QStringLiteral("spnProducts"), 2);
    d.setNumber(QStringLiteral("spnAdvertisingMedia"), 4);
    ASSERT_TRUE(d.next());
    answerSubmission(d);
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageSummary"));
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblSummary"))->text().contains(QStringLiteral("Harbor Street Bakery")));
    ASSERT_TRUE(d.finish());

    EXPECT_EQ(wizard.outcome(), PlanWizard::Outcome::HandedOver);
    EXPECT_FALSE(wizard.isVisible());
    ASSERT_EQ(fakes().processes->started.size(), 1);
    const auto &start = fakes().processes->started[0];
    EXPECT_EQ(start.program, QDir(QStringLiteral(QV_INSTALL_DIR)).filePath(QStringLiteral("quorvex")));
    EXPECT_EQ(qv::platform::withTrailingSeparator(start.workingFolder), qv::platform::Folders::installFolder());
    EXPECT_EQ(start.arguments.value(0), QStringLiteral("-q"));
    EXPECT_TRUE(start.arguments.value(1).startsWith(qv::platform::Folders::tempFolder()));

    const QStringList lines = handedOverLines();
    const QStringList expected = {
        QStringLiteral("[PLAN]=Business"),
        QStringLiteral("[FIELD1.4]=") + plans.path() + QStringLiteral("/Bakery.bpl"),
        QStringLiteral("[FIELD1.1]=Retail"),
        QStringLiteral("[FIELD1.2]=New"),
        QStringLiteral("[FIELD1.5]=Harbor Street Bakery"),
        QStringLiteral("[FIELD2.1]=First County Bank"),
        QStringLiteral("[FIELD2.2]=January 15, 2026"), // the fake clock's day
        QStringLiteral("[FIELD2.3]=Ann Baker"),
        QStringLiteral("[FIELD2.4]=12 Harbor Street"),
        QStringLiteral("[FIELD2.5]=Portland"),
        QStringLiteral("[FIELD2.6]=ME"),
        QStringLiteral("[FIELD2.7]=04101"),
        QStringLiteral("[FIELD2.8]=(207) 555-0100"),
        QStringLiteral("[FIELD1.6]=1999"),
        QStringLiteral("[FIELD3A.X]=7"),
        QStringLiteral("[FIELD3.1]=3"),
        QStringLiteral("[FIELD3.2]=2"),
        QStringLiteral("[FIELD3.3]=4"),
        QStringLiteral("[FIELD3.4]=3"),
        QStringLiteral("[FIELD3.5]=2"),
    };
    EXPECT_EQ(lines, expected);
}

TEST(BusinessWizard, NextWaitsForUsableAnswers)
{
    PlanWizard wizard(WizardKind::Business);
    wizard.show();
    WizardDriver d(wizard);
    ASSERT_TRUE(d.next());
    EXPECT_FALSE(d.canGoNext()) << "no kind chosen yet";
    ASSERT_TRUE(d.click(QStringLiteral("optKind_0")));
    EXPECT_TRUE(d.canGoNext());
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageBusinessName"));
    EXPECT_FALSE(d.canGoNext());
    d.type(QStringLiteral("txtBusinessName"), QStringLiteral("   "));
    EXPECT_FALSE(d.canGoNext());
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblBusinessNameError"))->isVisible());
    d.type(QStringLiteral("txtBusinessName"), QStringLiteral("Acme"));
    EXPECT_TRUE(d.canGoNext());
    EXPECT_FALSE(d.find<QLabel>(QStringLiteral("lblBusinessNameError"))->isVisible());
    ASSERT_TRUE(d.next());

    d.type(QStringLiteral("txtDocumentPath"), QStringLiteral("relative/Acme"));
    EXPECT_FALSE(d.canGoNext());
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblDocumentError"))->isVisible());
    QTemporaryDir dir;
    d.type(QStringLiteral("txtDocumentPath"), dir.path() + QStringLiteral("/Acme"));
    EXPECT_TRUE(d.canGoNext()) << "the extension is added";
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageSubmission"));
    // The validator refuses letters in a telephone number as they are typed.
    d.type(QStringLiteral("txtPhone"), QStringLiteral("555-CALL"));
    EXPECT_EQ(d.find<QLineEdit>(QStringLiteral("txtPhone"))->text(), QStringLiteral("555-"));
    EXPECT_TRUE(d.canGoNext());
}

TEST(BusinessWizard, ExistingBusinessAsksForTheFiscalYearEnd)
{
    PlanWizard wizard(WizardKind::Business);
    wizard.show();
    WizardDriver d(wizard);
    answerBusinessStart(d, 0, false, QStringLiteral("Acme"));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pagePeriod"));
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblMonth"))->text().contains(QStringLiteral("fiscal year ends")));
    EXPECT_EQ(d.find<QComboBox>(QStringLiteral("cboMonth"))->currentIndex(), 11) << "December by default";
    answerPeriod(d, 2000, 3, 3);
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblPeriodPreview"))
                    ->text()
                    .contains(QStringLiteral("ending March 1999 to March 2003")));
}

TEST(BusinessWizard, CancelGoesBackToTheBusinessOpeningDialog)
{
    const QStringList before = answerFilesInTemp();
    PlanWizard wizard(WizardKind::Business);
    wizard.show();
    WizardDriver d(wizard);
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.click(QStringLiteral("optKind_2")));
    fakes().messages->setNextAnswer(qv::platform::Answer::Yes);
    ASSERT_TRUE(d.cancel());

    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].buttons, qv::platform::Buttons::YesNo);
    EXPECT_EQ(wizard.outcome(), PlanWizard::Outcome::Cancelled);
    EXPECT_FALSE(wizard.isVisible());
    ASSERT_EQ(fakes().processes->started.size(), 1);
    EXPECT_TRUE(fakes().processes->started[0].program.endsWith(QStringLiteral("/quorvex")));
    EXPECT_EQ(fakes().processes->started[0].arguments, QStringList{QStringLiteral("-b")});
    EXPECT_EQ(answerFilesInTemp(), before) << "Cancel writes nothing";
}

TEST(BusinessWizard, CancelAnsweredNoKeepsTheWizard)
{
    PlanWizard wizard(WizardKind::Business);
    wizard.show();
    WizardDriver d(wizard);
    ASSERT_TRUE(d.next());
    fakes().messages->setNextAnswer(qv::platform::Answer::No);
    ASSERT_TRUE(d.cancel());
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_EQ(wizard.outcome(), PlanWizard::Outcome::Running);
    EXPECT_TRUE(fakes().processes->started.isEmpty());
}

TEST(BusinessWizard, QuorvexThatCannotStartIsReportedAndTheAnswersKept)
{
    QTemporaryDir plans;
    fakes().processes->succeed = false;
    PlanWizard wizard(WizardKind::Business);
    wizard.show();
    WizardDriver d(wizard);
    answerBusinessStart(d, 1, true, QStringLiteral("Acme Tools"));
    d.type(QStringLiteral("txtDocumentPath"), plans.path() + QStringLiteral("/Acme.bpl"));
    for (int page = 0; page < 4; ++page)
        ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.finish());
    EXPECT_EQ(wizard.outcome(), PlanWizard::Outcome::Failed);
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].icon, qv::platform::Icon::Critical);
    ASSERT_EQ(fakes().processes->started.size(), 1);
    const QString kept = fakes().processes->started[0].arguments.value(1);
    EXPECT_TRUE(fakes().messages->lastText().contains(kept));
    EXPECT_TRUE(QFile::exists(kept));
    QFile::remove(kept);
}

TEST(MarketingWizard, CancelOnTheWelcomePageAsksNothing)
{
    PlanWizard wizard(WizardKind::Marketing);
    wizard.show();
    WizardDriver d(wizard);
    ASSERT_TRUE(d.cancel());
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
    ASSERT_EQ(fakes().processes->started.size(), 1);
    EXPECT_EQ(fakes().processes->started[0].arguments, QStringList{QStringLiteral("-m")});
}

TEST(MarketingWizard, AsksTheMarketingCountsAndTheFiscalYear)
{
    QTemporaryDir plans;
    PlanWizard wizard(WizardKind::Marketing);
    wizard.show();
    WizardDriver d(wizard);
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.click(QStringLiteral("optKind_4")));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageBusinessName")) << "no new-or-existing page";
    d.type(QStringLiteral("txtBusinessName"), QStringLiteral("Northwind"));
    ASSERT_TRUE(d.next());
    d.type(QStringLiteral("txtDocumentPath"), plans.path() + QStringLiteral("/Northwind"));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageMarketingCounts"));
    d.setNumber(QStringLiteral("spnProducts"), 10);
    d.setNumber(QStringLiteral("spnAdvertisingMedia"), 7);
    d.setNumber(QStringLiteral("spnMarkets"), 11); // beyond the table: held at 10
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageMarketingPrograms"));
    d.setNumber(QStringLiteral("spnPublicRelations"), 1);
    d.setNumber(QStringLiteral("spnSalesPromotions"), 2);
    d.setNumber(QStringLiteral("spnEvents"), 0); // below the table: held at 1
    d.setNumber(QStringLiteral("spnDirectCampaigns"), 4);
    ASSERT_TRUE(d.next());
    answerPeriod(d, 1999, 11, 2);
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblPeriodPreview"))
                    ->text()
                    .contains(QStringLiteral("from December 1999 to November 2000")));
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.finish());

    const QStringList lines = handedOverLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0], QStringLiteral("[PLAN]=Marketing"));
    EXPECT_EQ(lines[1], QStringLiteral("[FIELD1.4]=") + plans.path() + QStringLiteral("/Northwind.mpl"));
    EXPECT_EQ(lines[2], QStringLiteral("[FIELD1.1]=Custom"));
    for (const QString &line : {QStringLiteral("[FIELD1.6]=1999"), QStringLiteral("[FIELD3A.X]=11"),
                                QStringLiteral("[FIELD3.1]=2"), QStringLiteral("[FIELD3.2]=10"),
                                QStringLiteral("[FIELD3.3]=1"), QStringLiteral("[FIELD3.4]=2"),
                                QStringLiteral("[FIELD3.5]=7"), QStringLiteral("[FIELD3.6]=10"),
                                QStringLiteral("[FIELD3.7]=1"), QStringLiteral("[FIELD3.8]=4")})
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    for (const QString &line : lines)
        EXPECT_FALSE(line.startsWith(QStringLiteral("[FIELD1.2]")));
}

TEST(FiguresWizard, AsksTheListsFiguresForTheKindAndStage)
{
    QTemporaryDir plans;
    PlanWizard wizard(WizardKind::BusinessWithFigures, testQuestions());
    wizard.show();
    WizardDriver d(wizard);
    answerBusinessStart(d, 3, true, QStringLiteral("Harbor Street Bakery"));
    d.type(QStringLiteral("txtDocumentPath"), plans.path() + QStringLiteral("/Bakery.bpl"));
    ASSERT_TRUE(d.next());
    answerPeriod(d, 2026, 1, 5);
    ASSERT_TRUE(d.next());

    ASSERT_EQ(d.pageName(), QStringLiteral("pageCounts"));
    d.setNumber(QStringLiteral("spnProducts"), 2);
    d.setNumber(QStringLiteral("spnAdvertisingMedia"), 6);
    d.setNumber(QStringLiteral("spnSegments"), 4);
    d.setNumber(QStringLiteral("spnMarkets"), 1);
    ASSERT_TRUE(d.next());

    ASSERT_EQ(d.pageName(), QStringLiteral("pageFigures_0"));
    EXPECT_EQ(wizard.currentPage()->title(), QStringLiteral("Start-up Money"));
    d.type(QStringLiteral("txtFigure_1"), QStringLiteral("abc"));
    EXPECT_FALSE(d.canGoNext());
    EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblFigureError_1"))->isVisible());
    d.type(QStringLiteral("txtFigure_1"), QStringLiteral("$12,500"));
    EXPECT_TRUE(d.canGoNext());
    d.type(QStringLiteral("txtFigure_3"), QStringLiteral("40000"));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageFigures_1"));
    d.type(QStringLiteral("txtFigure_1"), QStringLiteral("7.25"));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageFigures_2"));
    EXPECT_EQ(wizard.currentPage()->title(), QStringLiteral("The Store"));
    d.type(QStringLiteral("txtFigure_0"), QStringLiteral("1,200"));
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageSubmission"));
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.finish());

    const QStringList lines = handedOverLines();
    ASSERT_GE(lines.size(), 5);
    const QStringList counts = {QStringLiteral("[FIELD3.2]=2"), QStringLiteral("[FIELD3.3]=6"),
                                QStringLiteral("[FIELD3.4]=4"), QStringLiteral("[FIELD3.5]=1")};
    for (const QString &line : counts)
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    const QStringList cells = lines.mid(lines.size() - 4);
    EXPECT_EQ(cells, (QStringList{QStringLiteral("Tbl0201:B4=$12500"), QStringLiteral("Tbl0202:B6=$40000"),
                                  QStringLiteral("Tbl0802:B5=7.25%"), QStringLiteral("Tbl0505:B3=1200")}));
}

TEST(FiguresWizard, ChangingTheStageChangesTheFigurePages)
{
    QTemporaryDir plans;
    PlanWizard wizard(WizardKind::BusinessWithFigures, testQuestions());
    wizard.show();
    WizardDriver d(wizard);
    answerBusinessStart(d, 0, false, QStringLiteral("Acme Consulting"));
    d.type(QStringLiteral("txtDocumentPath"), plans.path() + QStringLiteral("/Acme.bpl"));
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageFigures_0"));
    EXPECT_EQ(wizard.currentPage()->title(), QStringLiteral("Last Year's Results"));
    d.type(QStringLiteral("txtFigure_2"), QStringLiteral("Casco Bay Bank"));
    ASSERT_TRUE(d.next());
    EXPECT_EQ(d.pageName(), QStringLiteral("pageSubmission")) << "one page for an existing service business";
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.finish());
    const QStringList lines = handedOverLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.last(), QStringLiteral("Tbl0803:B3=Casco Bay Bank"));
}

TEST(FiguresWizard, WithoutAListThereAreNoFigurePages)
{
    QTemporaryDir plans;
    PlanWizard wizard(WizardKind::BusinessWithFigures, QuestionList::load(plans.filePath(QStringLiteral("none.txt"))));
    wizard.show();
    WizardDriver d(wizard);
    answerBusinessStart(d, 0, true, QStringLiteral("Acme"));
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.next());
    ASSERT_EQ(d.pageName(), QStringLiteral("pageCounts"));
    ASSERT_TRUE(d.next());
    EXPECT_EQ(d.pageName(), QStringLiteral("pageSubmission"));
}

// Every wizard asks, by name and with No as the default, before its plan
// takes the place of an existing one, and hands the yes over with the answers.
TEST(EveryWizard, AsksBeforeReplacingAnExistingPlan)
{
    for (const WizardKind kind : {WizardKind::Business, WizardKind::BusinessWithFigures, WizardKind::Marketing}) {
        SCOPED_TRACE(int(kind));
        fakes().messages->shown.clear();
        fakes().processes->started.clear();
        QTemporaryDir plans;
        const bool business = kind != WizardKind::Marketing;
        const QString document = plans.path() + (business ? QStringLiteral("/Acme.bpl") : QStringLiteral("/Acme.mpl"));
        QFile old(document);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.close();

        PlanWizard wizard(kind);
        wizard.show();
        WizardDriver d(wizard);
        ASSERT_TRUE(d.next());
        ASSERT_TRUE(d.click(QStringLiteral("optKind_1")));
        while (d.pageName() != QStringLiteral("pageBusinessName"))
            ASSERT_TRUE(d.next());
        d.type(QStringLiteral("txtBusinessName"), QStringLiteral("Acme"));
        ASSERT_TRUE(d.next());
        d.type(QStringLiteral("txtDocumentPath"), document);
        EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblPlanFolder"))->text().contains(QStringLiteral("already exists")));

        fakes().messages->setNextAnswer(qv::platform::Answer::No);
        ASSERT_TRUE(d.next());
        EXPECT_EQ(d.pageName(), QStringLiteral("pageDocument")) << "No keeps the user on the page";
        ASSERT_EQ(fakes().messages->shown.size(), 1);
        const qv::platform::Message &question = fakes().messages->shown[0];
        EXPECT_TRUE(question.text.contains(QStringLiteral("\"Acme\""))) << question.text.toStdString();
        EXPECT_EQ(question.buttons, qv::platform::Buttons::YesNo);
        EXPECT_EQ(question.defaultButton, 1);

        fakes().messages->setNextAnswer(qv::platform::Answer::Yes);
        ASSERT_TRUE(d.next());
        EXPECT_NE(d.pageName(), QStringLiteral("pageDocument"));
        while (d.pageName() != QStringLiteral("pageSummary"))
            ASSERT_TRUE(d.next());
        EXPECT_TRUE(d.find<QLabel>(QStringLiteral("lblSummary"))->text().contains(QStringLiteral("Replaces")));
        ASSERT_TRUE(d.finish());
        EXPECT_EQ(fakes().messages->shown.size(), 2) << "asked once more only after a No";
        const QStringList lines = handedOverLines();
        EXPECT_TRUE(lines.contains(QStringLiteral("[REPLACE]=") + document)) << lines.join(u'\n').toStdString();
        EXPECT_TRUE(QFile::exists(document)) << "the wizard itself touches nothing";
    }
}

TEST(EveryWizard, AsksAgainWhenAPlanAppearsAtTheChosenPlaceBeforeFinish)
{
    QTemporaryDir plans;
    const QString document = plans.path() + QStringLiteral("/Acme.mpl");
    PlanWizard wizard(WizardKind::Marketing);
    wizard.show();
    WizardDriver d(wizard);
    ASSERT_TRUE(d.next());
    ASSERT_TRUE(d.click(QStringLiteral("optKind_1")));
    ASSERT_TRUE(d.next());
    d.type(QStringLiteral("txtBusinessName"), QStringLiteral("Acme"));
    ASSERT_TRUE(d.next());
    d.type(QStringLiteral("txtDocumentPath"), document);
    while (d.pageName() != QStringLiteral("pageSummary"))
        ASSERT_TRUE(d.next());
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
    QFile appeared(document);
    ASSERT_TRUE(appeared.open(QIODevice::WriteOnly));
    appeared.close();
    fakes().messages->setNextAnswer(qv::platform::Answer::No);
    ASSERT_TRUE(d.finish());
    EXPECT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(wizard.isVisible()) << "No keeps the wizard open";
    EXPECT_TRUE(fakes().processes->started.isEmpty());
}

TEST(EveryWizard, TitlesAndWelcomesAreTheirOwnAndTheStepBarMoves)
{
    QStringList titles;
    QStringList welcomes;
    for (const WizardKind kind : {WizardKind::Business, WizardKind::BusinessWithFigures, WizardKind::Marketing}) {
        PlanWizard wizard(kind);
        wizard.show();
        WizardDriver d(wizard);
        titles << wizard.windowTitle();
        welcomes << wizard.currentPage()->title() + d.find<QLabel>(QStringLiteral("lblWelcome"))->text();
        auto *bar = wizard.findChild<QProgressBar *>(QStringLiteral("prgPages"));
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->value(), 1);
        EXPECT_EQ(bar->maximum(), wizard.pagePath().size());
        ASSERT_TRUE(d.next());
        EXPECT_EQ(bar->value(), 2) << "the bar moves with the pages";
    }
    EXPECT_EQ(QSet<QString>(titles.begin(), titles.end()).size(), 3);
    EXPECT_EQ(QSet<QString>(welcomes.begin(), welcomes.end()).size(), 3);
}

TEST(EveryWizard, BothBusinessWizardsAskTheCounts)
{
    for (const WizardKind kind : {WizardKind::Business, WizardKind::BusinessWithFigures}) {
        PlanWizard wizard(kind);
        EXPECT_TRUE(wizard.pagePath().contains(PlanWizard::BusinessCountsId));
        EXPECT_TRUE(wizard.answers().hasBusinessCounts);
    }
    EXPECT_FALSE(PlanWizard(WizardKind::Marketing).pagePath().contains(PlanWizard::BusinessCountsId));
}
