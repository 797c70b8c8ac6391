// Saves pictures of the opening dialog (both plan types inside the frame),
// the sample chooser and the program choice when QV_SCREENSHOT_DIR names a
// folder; does nothing otherwise.

#include "FakePlatform.h"
#include "OpeningTestSupport.h"

#include "create/opening/gui/Plan_Options.h"
#include "create/opening/gui/frmOpening.h"
#include "create/opening/gui/frmSamplePlan.h"
#include "shell/CurrentPlan.h"
#include "shell/frmParent.h"
#include "shell/modBusinessRule.h"

#include <QApplication>
#include <QDir>

using namespace qv;

namespace
{

class OpeningScreenshots : public test::OpeningTest
{
protected:
    void SetUp() override
    {
        folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (folder.isEmpty())
            GTEST_SKIP() << "QV_SCREENSHOT_DIR not set";
        QDir().mkpath(folder);
        OpeningTest::SetUp();
    }
    void TearDown() override
    {
        shell::frmParent::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::releaseCurrentPlan();
        OpeningTest::TearDown();
    }
    void save(QWidget *widget, const QString &name)
    {
        QApplication::processEvents();
        EXPECT_TRUE(widget->grab().save(QDir(folder).filePath(name)));
    }
    QString folder;
};

} // namespace

TEST_F(OpeningScreenshots, OpeningDialogForBothPlanTypes)
{
    const QString plan = installed(QStringLiteral("My Plans/Harbour Street Bakery.bpl"));
    test::touchFile(plan);
    shell::writeLastPlan(0, plan);
    for (int type : {0, 1}) {
        shell::replaceCurrentPlan().planInfo().setPlanType(type);
        shell::frmParent &frame = shell::frmParent::load();
        frame.setWindowState(Qt::WindowNoState);
        frame.resize(1024, 768);
        create::frmOpening::Display();
        save(&frame, type == 0 ? QStringLiteral("opening-business.png") : QStringLiteral("opening-marketing.png"));
        shell::frmParent::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(OpeningScreenshots, SampleChooserAndProgramChoice)
{
    create::frmSamplePlan business(0);
    business.load();
    business.show();
    save(&business, QStringLiteral("sample-chooser.png"));
    create::frmSamplePlan marketing(1);
    marketing.load();
    marketing.show();
    save(&marketing, QStringLiteral("sample-chooser-marketing.png"));

    create::Plan_Options none;
    none.load();
    none.show();
    save(&none, QStringLiteral("program-choice.png"));
    create::Plan_Options one;
    one.load({false, false, true});
    one.show();
    save(&one, QStringLiteral("program-choice-one.png"));
    create::Plan_Options several;
    several.load({true, true, true});
    several.show();
    save(&several, QStringLiteral("program-choice-several.png"));
}
