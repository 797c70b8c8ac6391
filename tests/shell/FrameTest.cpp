#include "FakePlatform.h"
#include "ShellTestSupport.h"

#include "platform/Application.h"
#include "platform/Settings.h"
#include "shell/MMain.h"

#include <QCloseEvent>
#include <QLabel>
#include <QStackedWidget>

using namespace qv::shell;
using qv::test::processDeferredDeletes;

namespace
{

class FrameTest : public qv::test::ShellTest
{
};

// A child that may refuse to close, as a window with unsaved work does.
class StubbornChild : public QWidget
{
public:
    bool refuse = true;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        if (refuse)
            event->ignore();
        else
            event->accept();
    }
};

QWidget *namedChild(const char *name)
{
    auto *child = new QWidget;
    child->setObjectName(QString::fromUtf8(name));
    return child;
}

} // namespace

TEST_F(FrameTest, LoadSetsCaptionIconPositionAndCreatesThePlan)
{
    qv::platform::setApplicationTitle(QStringLiteral("Quorvex 8.0"));
    frmParent &frame = frmParent::load();
    EXPECT_EQ(frame.objectName(), QStringLiteral("frmParent"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Quorvex 8.0"));
    EXPECT_FALSE(frame.windowIcon().isNull());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.isMaximized()); // first run: no record
    EXPECT_NE(currentPlan(), nullptr);
    EXPECT_EQ(&frmParent::load(), &frame); // loaded once
}

TEST_F(FrameTest, DisplayShowsTheWelcomeMenuInsideTheFrame)
{
    frmParent::setWelcomeMenuDisplay([] { frmParent::load().hostChild(namedChild("frmWelcome")); });
    frmParent::Display();
    ASSERT_NE(frmParent::loaded(), nullptr);
    const QList<QWidget *> children = frmParent::loaded()->childWindows();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children.first()->objectName(), QStringLiteral("frmWelcome"));
    EXPECT_TRUE(children.first()->isVisible());
    EXPECT_EQ(children.first()->window(), frmParent::loaded());
}

TEST_F(FrameTest, AChildFillsTheFrameAndAFixedOneIsCentred)
{
    frmParent &frame = frmParent::load();
    frame.setWindowState(Qt::WindowNoState);
    frame.resize(1000, 700);
    QWidget *welcome = namedChild("frmWelcome");
    frame.hostChild(welcome);
    QWidget *opening = namedChild("frmOpening");
    opening->setFixedSize(400, 300);
    frame.hostChild(opening);
    QCoreApplication::processEvents();

    auto *host = frame.findChild<QStackedWidget *>(QStringLiteral("childHost"));
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->currentWidget(), opening->parentWidget()); // the newest is in front
    EXPECT_EQ(opening->size(), QSize(400, 300));
    const QPoint centre = opening->mapTo(host, opening->rect().center());
    EXPECT_NEAR(centre.x(), host->width() / 2, 2);
    EXPECT_NEAR(centre.y(), host->height() / 2, 2);

    opening->close();
    processDeferredDeletes();
    EXPECT_EQ(host->currentWidget(), welcome->parentWidget());
    EXPECT_EQ(welcome->size(), host->size());
}

TEST_F(FrameTest, WithNoChildLeftTheBackdropReturns)
{
    frmParent &frame = frmParent::load();
    QWidget *welcome = namedChild("frmWelcome");
    frame.hostChild(welcome);
    auto *host = frame.findChild<QStackedWidget *>(QStringLiteral("childHost"));
    welcome->close();
    processDeferredDeletes();
    EXPECT_TRUE(frame.childWindows().isEmpty());
    EXPECT_EQ(host->currentWidget()->objectName(), QStringLiteral("picBackdrop"));
}

TEST_F(FrameTest, TheBackdropShowsTheProductAndAnyStatus)
{
    qv::platform::setApplicationTitle(QStringLiteral("Quorvex 8.0"));
    frmParent &frame = frmParent::load();
    auto *name = frame.findChild<QLabel *>(QStringLiteral("lblProductName"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("Quorvex 8.0"));
    auto *status = frame.findChild<QLabel *>(QStringLiteral("lblFrameStatus"));
    EXPECT_FALSE(status->isVisible());
    frame.showStatus(QStringLiteral("Something to say"));
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(frame.statusText(), QStringLiteral("Something to say"));
}

TEST_F(FrameTest, UnloadSavesThePositionAndUnloadsTheChildren)
{
    frmParent &frame = frmParent::load();
    frame.setWindowState(Qt::WindowNoState);
    frame.move(60, 40);
    frame.resize(900, 600);
    QPointer<QWidget> welcome = namedChild("frmWelcome");
    frame.hostChild(welcome);
    frmParent::Unload();
    processDeferredDeletes();
    EXPECT_EQ(frmParent::loaded(), nullptr);
    EXPECT_TRUE(welcome.isNull());
    const WindowPositionRecord record = readWindowPosition(QStringLiteral("frmParent"));
    EXPECT_EQ(record.width, std::lround(qv::platform::pixelsToTwipsX(900)));
    EXPECT_EQ(record.height, std::lround(qv::platform::pixelsToTwipsY(600)));
}

TEST_F(FrameTest, AChildThatRefusesToCloseKeepsTheFrameOpen)
{
    frmParent &frame = frmParent::load();
    auto *child = new StubbornChild;
    child->setObjectName(QStringLiteral("frmOpening"));
    frame.hostChild(child);
    frmParent::Unload();
    processDeferredDeletes();
    ASSERT_NE(frmParent::loaded(), nullptr);
    EXPECT_TRUE(frame.isVisible());
    child->refuse = false;
    frmParent::Unload();
    processDeferredDeletes();
    EXPECT_EQ(frmParent::loaded(), nullptr);
}

TEST_F(FrameTest, UnloadingTheFrameLeavesNoWindowBehind)
{
    // With no window left, Qt's quit-on-last-window-closed ends the program.
    frmParent &frame = frmParent::load();
    frame.hostChild(namedChild("frmWelcome"));
    EXPECT_TRUE(frame.testAttribute(Qt::WA_QuitOnClose));
    frmParent::Unload();
    processDeferredDeletes();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}
