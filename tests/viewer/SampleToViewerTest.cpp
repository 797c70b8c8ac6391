// A new user's way to a finished plan: the sample chooser, the program
// choice that preselects the installed viewer, and the viewer program's
// window on the chosen sample, for every kind of both plan types.

#include "FakePlatform.h"
#include "ViewerTestSupport.h"

#include "create/opening/SampleViewer.h"
#include "create/opening/gui/ModalRun.h"
#include "create/opening/gui/Plan_Options.h"
#include "create/opening/gui/frmSamplePlan.h"
#include "viewer/CViewer.h"
#include "viewer/ViewerCommandLine.h"
#include "viewer/gui/frmViewer.h"

#include <QDialog>
#include <QLabel>
#include <QPdfDocument>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace qv;

namespace {

class SampleToViewerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!test::templateLibraryBuilt())
            GTEST_SKIP() << "the template library is not built";
        // The build's install folder holds the viewer program and the samples.
        ASSERT_TRUE(viewer::registerInstalledViewer());
        create::setModalRunner([this](QDialog &dialog) {
            if (auto *options = qobject_cast<create::Plan_Options *>(&dialog)) {
                choiceLabel = options->findChild<QLabel *>(QStringLiteral("lblMessage"))->text();
                QTest::mouseClick(options->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
            }
            return dialog.result();
        });
    }
    void TearDown() override
    {
        create::setModalRunner(nullptr);
        create::registerSampleViewer(create::kSampleViewerProgId, nullptr);
    }

    // The viewer request the chooser started the viewer program with.
    viewer::ViewerRequest startedRequest()
    {
        const auto &started = test::fakes().processes->started;
        EXPECT_EQ(started.size(), 1);
        if (started.isEmpty())
            return {};
        EXPECT_EQ(started.last().program, viewer::viewerProgram());
        QString error;
        const auto request = viewer::parseViewerArguments(started.last().arguments, &error);
        EXPECT_TRUE(request) << error.toStdString();
        return request ? *request : viewer::ViewerRequest{};
    }

    QString choiceLabel;
};

} // namespace

TEST_F(SampleToViewerTest, ARetailPlanForANewBusinessOpensInTheViewer)
{
    create::frmSamplePlan chooser(plan::BusinessPlan);
    chooser.load();
    chooser.show();
    ASSERT_TRUE(chooser.findChild<QRadioButton *>(QStringLiteral("optType_1"))->isChecked());
    QTest::mouseClick(chooser.findChild<QToolButton *>(QStringLiteral("cmdSelect_3")), Qt::LeftButton);
    EXPECT_EQ(choiceLabel, QStringLiteral("\n\nYour plan will be compiled using Vantor Compiler"));
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty()) << test::fakes().messages->lastText().toStdString();

    const viewer::ViewerRequest request = startedRequest();
    EXPECT_EQ(request.file, QStringLiteral(QV_INSTALL_DIR "/Data/ENG/BusPlan/Samples/New/Retail.cpd"));
    EXPECT_TRUE(request.sample);
    EXPECT_FALSE(request.doReturn);
    EXPECT_EQ(request.typefield, QStringLiteral("Business Plan"));

    viewer::frmViewer window;
    window.show();
    ASSERT_TRUE(window.open(request));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sample Business Plan: Retail, new business"));
    EXPECT_TRUE(window.document()->getAllText(0).text().contains(QStringLiteral("Trailhead Outfitters")));
}

TEST_F(SampleToViewerTest, EveryKindOfBothPlanTypesHasItsSample)
{
    for (int planType : {plan::BusinessPlan, plan::MarketingPlan})
        for (bool newBusiness : {true, false}) {
            if (planType == plan::MarketingPlan && !newBusiness)
                continue;
            create::frmSamplePlan chooser(planType);
            chooser.load();
            chooser.show();
            if (planType == plan::BusinessPlan)
                QTest::mouseClick(chooser.findChild<QRadioButton *>(QStringLiteral("optType_%1").arg(newBusiness ? 1 : 0)),
                                  Qt::LeftButton, {}, QPoint(8, 8));
            for (int kind = 0; kind <= 4; ++kind) {
                SCOPED_TRACE(QStringLiteral("type %1, new %2, kind %3").arg(planType).arg(newBusiness).arg(kind).toStdString());
                test::fakes().processes->started.clear();
                chooser.cmdSelectClick(kind);
                EXPECT_TRUE(test::fakes().messages->shown.isEmpty()) << test::fakes().messages->lastText().toStdString();
                const viewer::ViewerRequest request = startedRequest();
                EXPECT_TRUE(test::builtSamplePlans().contains(request.file)) << request.file.toStdString();
                EXPECT_EQ(request.typefield,
                          planType == plan::BusinessPlan ? QStringLiteral("Business Plan") : QStringLiteral("Marketing Plan"));
                if (planType == plan::BusinessPlan) {
                    EXPECT_TRUE(request.file.contains(newBusiness ? QStringLiteral("/Samples/New/")
                                                                  : QStringLiteral("/Samples/Existing/")));
                }
                QPdfDocument document;
                EXPECT_EQ(document.load(request.file), QPdfDocument::Error::None);
            }
        }
}
