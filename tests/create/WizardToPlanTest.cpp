// The wizards' answer files, as their own writer makes them, become plans:
// the two sides of the answer file agree.

#include "CreationLibrary.h"

#include "controls/workbook/Workbook.h"
#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "create/wizard/AnswerFile.h"
#include "plan/Plan.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using qv::test::CreationLibrary;

TEST(WizardToPlan, BusinessWizardAnswersMakeTheirPlan)
{
    CreationLibrary library;
    library.addBusiness(qv::plan::Retail, true);
    qv::wizard::WizardAnswers answers;
    answers.planType = qv::wizard::PlanType::Business;
    answers.documentPath = qv::platform::joinPath(library.plansFolder(), QStringLiteral("Harbor Street Bakery.bpl"));
    answers.kind = qv::plan::Retail;
    answers.newBusiness = true;
    answers.businessName = QStringLiteral("Harbor Street Bakery");
    answers.firstYear = 2026;
    answers.month = 7;
    answers.projectedYears = 3;
    answers.submission.submittedTo = QStringLiteral("First County Bank");
    answers.submission.name = QStringLiteral("Ann Baker");
    answers.hasBusinessCounts = true;
    answers.businessCounts = {2, 3, 3, 2};
    answers.cells = {{QStringLiteral("Tbl0601:B4"), QStringLiteral("$12500")},
                     {QStringLiteral("Tbl0601:C4"), QStringLiteral("7.25%")}};
    const qv::wizard::WrittenAnswers written = qv::wizard::writeAnswerFile(library.plansFolder(), answers);
    ASSERT_TRUE(written.error.isEmpty()) << written.error.toStdString();

    qv::create::SilentProgress progress;
    qv::create::PlanCreation creation(progress);
    const qv::create::CreationResult result = creation.createPlanFromQA(written.path);
    ASSERT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_TRUE(result.notApplied.isEmpty()) << result.reportText().toStdString();
    EXPECT_EQ(result.documentPath, answers.documentPath);
    EXPECT_FALSE(QFileInfo::exists(written.path));

    const QString folder = qv::platform::joinPath(library.plansFolder(), QStringLiteral("Harbor Street BakeryB"));
    const auto media = CreationLibrary::loadTable(folder, QStringLiteral("Tbl0601"));
    EXPECT_EQ(media->number(4, 2), 12500.0);
    EXPECT_TRUE(media->format(4, 2).isCurrency());
    EXPECT_NEAR(media->number(4, 3), 0.0725, 1e-12);
    EXPECT_EQ(media->hiddenRows(), (std::vector<int>{6, 7, 8}));
    EXPECT_EQ(CreationLibrary::loadTable(folder, QStringLiteral("Tbl0503"))->text(1, 2), QStringLiteral("July"));
    EXPECT_EQ(CreationLibrary::loadTable(folder, QStringLiteral("Tbl0303"))->text(1, 2), QStringLiteral("Harbor Street Bakery"));
    const auto saved = CreationLibrary::openPlan(result.documentPath);
    EXPECT_EQ(saved->submitter().submittedTo(), QStringLiteral("First County Bank"));
    EXPECT_EQ(saved->profile().projectedYears(), 3);
}
