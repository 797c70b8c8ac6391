#include "FakePlatform.h"
#include "ShellTestSupport.h"

#include "platform/Application.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "resources/art/Artwork.h"
#include "shell/MMain.h"
#include "shell/PlanDeletion.h"
#include "shell/WelcomeMenuLayout.h"
#include "shell/frmWelcome.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"
#include "support/Preferences.h"
#include "support/gui/HelpViewer.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <unistd.h>

using namespace qv::shell;
using qv::platform::Answer;
using qv::test::fakes;
using qv::test::processDeferredDeletes;

namespace
{

class WelcomeMenuTest : public qv::test::ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        qv::platform::setApplicationTitle(QStringLiteral("Quorvex 8.0"));
        frmWelcome::setOpeningDialogDisplay([this] {
            ++openingDialogShown;
            planTypeAtOpening = currentPlan()->planInfo().planType();
            welcomeVisibleAtOpening = frmWelcome::loaded() && frmWelcome::loaded()->isVisible();
        });
    }

    void TearDown() override
    {
        frmWelcome::setOpeningDialogDisplay(nullptr);
        if (qv::support::HelpViewer::instance())
            qv::support::HelpViewer::instance()->hide();
        ShellTest::TearDown();
    }

    // The welcome menu in a frame of the given size.
    frmWelcome &showMenu(const QSize &size = QSize(1100, 820))
    {
        frmParent &frame = frmParent::load();
        frame.setWindowState(Qt::WindowNoState);
        frame.resize(size);
        frmWelcome::Display();
        QCoreApplication::processEvents();
        EXPECT_NE(frmWelcome::loaded(), nullptr);
        return *frmWelcome::loaded();
    }

    QLabel *box(const char *name) { return frmWelcome::loaded()->findChild<QLabel *>(QString::fromLatin1(name)); }
    QAction *item(const char *name) { return frmWelcome::loaded()->findChild<QAction *>(QString::fromLatin1(name)); }

    // The pointer moves onto the middle of a box.
    void moveOnto(QLabel *target)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(target->rect().center()),
                         QPointF(target->mapToGlobal(target->rect().center())), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
    }

    int openingDialogShown = 0;
    int planTypeAtOpening = -1;
    bool welcomeVisibleAtOpening = true;
};

int pictureOf(const char *name)
{
    return frmWelcome::loaded()->pictureOf(frmWelcome::loaded()->findChild<QLabel *>(QString::fromLatin1(name)));
}

} // namespace

// ---- Layout -------------------------------------------------------------------

TEST(WelcomeMenuLayout, TheBackgroundIsCentredInAWideWindow)
{
    EXPECT_EQ(welcomeBackgroundOrigin(QSize(1280, 900)), QPoint(128, 66));
    EXPECT_EQ(welcomeBackgroundOrigin(QSize(1024, 768)), QPoint(0, 0));
    EXPECT_EQ(welcomeBackgroundOrigin(QSize(800, 600)), QPoint(-112, -84));
}

TEST(WelcomeMenuLayout, ANarrowOrLowWindowShiftsTheBackgroundToKeepTheButtonsInView)
{
    EXPECT_EQ(welcomeBackgroundOrigin(QSize(679, 600)).x(), -190);
    EXPECT_EQ(welcomeBackgroundOrigin(QSize(680, 600)).x(), -172);
    EXPECT_EQ(welcomeBackgroundOrigin(QSize(900, 479)).y(), -155);
    EXPECT_EQ(welcomeBackgroundOrigin(QSize(900, 480)).y(), -144);
}

TEST(WelcomeMenuLayout, EveryPictureHasArtworkOfTheRightSize)
{
    EXPECT_EQ(qv::resources::LoadResPicture(kWelcomeBackgroundPicture).size(), kWelcomeBackgroundSize);
    EXPECT_EQ(qv::resources::LoadResPicture(kWelcomePalettePicture).size(), QSize(508, 254));
    for (const WelcomeButton &button : welcomeButtons()) {
        const QSize normal = qv::resources::LoadResPicture(button.normal).size();
        for (int state : {button.lit, button.pressed}) {
            if (state != kNoPicture) {
                EXPECT_EQ(qv::resources::LoadResPicture(state).size(), normal) << button.name;
            }
        }
        if (button.description != kNoPicture) {
            EXPECT_EQ(qv::resources::LoadResPicture(button.description).size(), kDescriptionPictureSize);
        }
        // Every button lies on the picture.
        EXPECT_TRUE(QRect(QPoint(0, 0), kWelcomeBackgroundSize).contains(QRect(button.position, normal)))
            << button.name;
    }
}

TEST(WelcomeMenuLayout, NoTwoButtonsOverlap)
{
    const auto &buttons = welcomeButtons();
    for (size_t i = 0; i < buttons.size(); ++i)
        for (size_t j = i + 1; j < buttons.size(); ++j) {
            const QRect a(buttons[i].position, qv::resources::LoadResPicture(buttons[i].normal).size());
            const QRect b(buttons[j].position, qv::resources::LoadResPicture(buttons[j].normal).size());
            EXPECT_FALSE(a.intersects(b)) << buttons[i].name << " " << buttons[j].name;
        }
}

// ---- Loading -----------------------------------------------------------------

TEST_F(WelcomeMenuTest, LoadsInsideTheFrameWithEveryControlInPlace)
{
    frmWelcome &menu = showMenu();
    EXPECT_EQ(menu.window(), frmParent::loaded());
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("Main Menu"));
    EXPECT_EQ(pictureOf("picBackground"), 0); // set directly, not through LoadImage
    EXPECT_EQ(box("picBackground")->size(), QSize(1024, 768));
    for (const WelcomeButton &button : welcomeButtons()) {
        QLabel *b = box(button.name);
        ASSERT_NE(b, nullptr) << button.name;
        EXPECT_EQ(b->pos(), button.position) << button.name;
        EXPECT_EQ(menu.pictureOf(b), button.normal) << button.name;
    }
    EXPECT_EQ(box("picDescription")->pos(), kDescriptionPicturePosition);
    EXPECT_EQ(box("lblDescription")->pos(), kDescriptionLabelPosition);
    EXPECT_TRUE(box("lblDescription")->text().isEmpty());
    EXPECT_FALSE(box("picDescription")->isVisible()); // the centre shows the welcome
    EXPECT_TRUE(menu.litButton().isEmpty());
    EXPECT_NE(box("SSPanel1"), nullptr);
}

TEST_F(WelcomeMenuTest, ThePaletteComesFromThePalettePicture)
{
    frmWelcome &menu = showMenu();
    EXPECT_EQ(menu.paletteMode(), PaletteMode::Custom);
    const QImage sheet = qv::resources::LoadResPicture(kWelcomePalettePicture).toImage();
    EXPECT_EQ(menu.palette().color(QPalette::Window), sheet.pixelColor(63, 63));     // first swatch
    EXPECT_EQ(menu.palette().color(QPalette::Highlight), sheet.pixelColor(444, 63)); // fourth swatch
    EXPECT_EQ(menu.palette().color(QPalette::Window), QColor(0x0E, 0x22, 0x40));
}

TEST_F(WelcomeMenuTest, DisplayTwiceKeepsOneMenu)
{
    frmWelcome &menu = showMenu();
    frmWelcome::Display();
    EXPECT_EQ(frmWelcome::loaded(), &menu);
    EXPECT_EQ(frmParent::loaded()->childWindows().size(), 1);
}

// ---- Pointer, mouse down and up -----------------------------------------------

TEST_F(WelcomeMenuTest, PointerOverAButtonLightsItAndShowsItsDescription)
{
    frmWelcome &menu = showMenu();
    moveOnto(box("picBPlan"));
    EXPECT_EQ(menu.litButton(), QStringLiteral("picBPlan"));
    EXPECT_EQ(pictureOf("picBPlan"), 5002);
    EXPECT_TRUE(box("picDescription")->isVisible());
    EXPECT_EQ(pictureOf("picDescription"), 5076);
    moveOnto(box("picBPlan")); // again: nothing changes
    EXPECT_EQ(pictureOf("picBPlan"), 5002);
}

TEST_F(WelcomeMenuTest, MovingFromHelpStraightOntoOnlineRestoresHelpFirst)
{
    frmWelcome &menu = showMenu();
    moveOnto(box("picHelp"));
    EXPECT_EQ(pictureOf("picHelp"), 5005);
    EXPECT_EQ(pictureOf("picDescription"), 5079);
    moveOnto(box("picOnline"));
    EXPECT_EQ(pictureOf("picHelp"), 5004);
    EXPECT_EQ(pictureOf("picOnline"), 5008);
    EXPECT_EQ(pictureOf("picDescription"), 5075);
    EXPECT_EQ(menu.litButton(), QStringLiteral("picOnline"));
}

TEST_F(WelcomeMenuTest, TheHandOverFollowsThePointerAcrossTheWindow)
{
    // Moves through the window system, as a real pointer makes them.
    frmWelcome &menu = showMenu();
    QTest::mouseMove(box("picHelp"), box("picHelp")->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(menu.litButton(), QStringLiteral("picHelp"));
    QTest::mouseMove(box("picOnline"), box("picOnline")->rect().center());
    QCoreApplication::processEvents();
    EXPECT_EQ(menu.litButton(), QStringLiteral("picOnline"));
    EXPECT_EQ(pictureOf("picHelp"), 5004);
    EXPECT_EQ(pictureOf("picOnline"), 5008);
    // Over the description nothing changes; over the bare background the
    // button goes out.
    QTest::mouseMove(box("picDescription"), QPoint(90, 60));
    QCoreApplication::processEvents();
    EXPECT_EQ(menu.litButton(), QStringLiteral("picOnline"));
    QTest::mouseMove(box("picBackground"), QPoint(60, 700));
    QCoreApplication::processEvents();
    EXPECT_TRUE(menu.litButton().isEmpty());
    EXPECT_EQ(pictureOf("picOnline"), 5007);
}

TEST_F(WelcomeMenuTest, ADoubleClickRunsTheCommandOnce)
{
    qv::platform::Settings::save(qv::support::Preferences::section(), QStringLiteral("Browser"),
                                 QStringLiteral("/usr/bin/firefox"));
    showMenu();
    // A double click: press and release, then the second press comes as a
    // double click, then its release.
    QTest::mouseClick(box("picOnline"), Qt::LeftButton);
    QTest::mouseDClick(box("picOnline"), Qt::LeftButton);
    EXPECT_EQ(pictureOf("picOnline"), 5009);
    QTest::mouseRelease(box("picOnline"), Qt::LeftButton);
    EXPECT_EQ(fakes().shell->opened.size(), 1);
    EXPECT_EQ(pictureOf("picOnline"), 5008);
}

TEST_F(WelcomeMenuTest, TheBackgroundAndExitPutTheLitButtonOut)
{
    frmWelcome &menu = showMenu();
    moveOnto(box("picMarket"));
    moveOnto(box("picBackground"));
    EXPECT_TRUE(menu.litButton().isEmpty());
    EXPECT_EQ(pictureOf("picMarket"), 5052);
    EXPECT_FALSE(box("picDescription")->isVisible());
    moveOnto(box("picFinAdv"));
    moveOnto(box("picExit"));
    EXPECT_TRUE(menu.litButton().isEmpty());
    EXPECT_EQ(pictureOf("picFinAdv"), 5055);
    EXPECT_EQ(pictureOf("picExit"), 5050); // Exit is never lit
}

TEST_F(WelcomeMenuTest, MouseDownShowsPressedAndMouseUpShowsLit)
{
    showMenu();
    QLabel *wizard = box("picWizard");
    moveOnto(wizard);
    QTest::mousePress(wizard, Qt::LeftButton);
    EXPECT_EQ(pictureOf("picWizard"), 5012);
    EXPECT_EQ(pictureOf("picDescription"), 5074);
    // Released off the button: lit again, and no command.
    QTest::mouseRelease(wizard, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(pictureOf("picWizard"), 5011);
    EXPECT_TRUE(fakes().processes->started.isEmpty());
}

TEST_F(WelcomeMenuTest, ExitShowsItsPressedPictureAndIsNormalAfterAReleaseOffIt)
{
    showMenu();
    QLabel *exitButton = box("picExit");
    QTest::mousePress(exitButton, Qt::LeftButton);
    EXPECT_EQ(pictureOf("picExit"), 5051);
    QTest::mouseRelease(exitButton, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(pictureOf("picExit"), 5050);
    EXPECT_NE(frmParent::loaded(), nullptr);
}

TEST_F(WelcomeMenuTest, AButtonClickRunsItsCommand)
{
    showMenu();
    QLabel *online = box("picOnline");
    moveOnto(online);
    QTest::mouseClick(online, Qt::LeftButton);
    EXPECT_EQ(pictureOf("picOnline"), 5008); // back to lit after the release
    // The browser preference falls back to the desktop's HTML program.
    fakes().shell->associated = QStringLiteral("/usr/bin/browser");
    QTest::mouseClick(online, Qt::LeftButton);
    ASSERT_EQ(fakes().shell->opened.size(), 1);
    EXPECT_EQ(fakes().shell->opened.first().second, qv::support::mainWebSite());
}

// ---- Resizing -----------------------------------------------------------------

TEST_F(WelcomeMenuTest, ANarrowWindowShowsTheBackgroundShiftedLeft)
{
    showMenu(QSize(640, 700));
    QLabel *panel = box("SSPanel1");
    ASSERT_LT(panel->width(), 680);
    EXPECT_EQ(box("picBackground")->x(), -190);
    EXPECT_EQ(box("picBackground")->y(), (panel->height() - 768) / 2);
    // The buttons stay in view.
    for (const WelcomeButton &button : welcomeButtons()) {
        const QRect shown = box(button.name)->geometry().translated(box("picBackground")->pos());
        EXPECT_GE(shown.left(), 0) << button.name;
        EXPECT_LE(shown.right(), panel->width() + 30) << button.name;
    }
}

TEST_F(WelcomeMenuTest, AWideWindowCentresTheBackground)
{
    showMenu(QSize(1300, 900));
    QLabel *panel = box("SSPanel1");
    EXPECT_EQ(box("picBackground")->pos(), QPoint((panel->width() - 1024) / 2, (panel->height() - 768) / 2));
    frmParent::loaded()->resize(1200, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(box("picBackground")->y(), -155);
}

// ---- Menus --------------------------------------------------------------------

TEST_F(WelcomeMenuTest, TheMenusCarryTheirCaptions)
{
    showMenu();
    auto title = [](const char *name) {
        return frmWelcome::loaded()->findChild<QMenu *>(QString::fromLatin1(name))->title();
    };
    EXPECT_EQ(title("mnuMain_0"), QStringLiteral("&File"));
    EXPECT_EQ(title("mnuMain_1"), QStringLiteral("&Tools"));
    EXPECT_EQ(title("mnuMain_2"), QStringLiteral("&Help"));
    EXPECT_EQ(item("mnuFile_0")->text(), QStringLiteral("&Business Plan"));
    EXPECT_EQ(item("mnuFile_1")->text(), QStringLiteral("Business Plan Using &Wizard"));
    EXPECT_EQ(item("mnuFile_2")->text(), QStringLiteral("Marketing Plan"));
    EXPECT_TRUE(item("mnuFile_3")->isSeparator());
    EXPECT_EQ(item("mnuFile_4")->text(), QStringLiteral("Delete Plan"));
    EXPECT_TRUE(item("mnuFile_5")->isSeparator());
    EXPECT_EQ(item("mnuFile_6")->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(item("mnuTools_0")->text(), QStringLiteral("Financial Advisor"));
    EXPECT_EQ(item("mnuTools_1")->text(), QStringLiteral("&Go Online"));
    EXPECT_EQ(item("mnuHelp_0")->text(), QStringLiteral("&Help Topics..."));
    EXPECT_EQ(item("mnuHelp_1")->text(), QStringLiteral("Vantor &Tips ..."));
    EXPECT_TRUE(item("mnuHelp_1")->isVisible());
    EXPECT_EQ(item("mnuHelp_2")->text(), QStringLiteral("&Other Products..."));
    EXPECT_TRUE(item("mnuHelp_3")->isSeparator());
    EXPECT_EQ(item("mnuHelp_4")->text(), QStringLiteral("&About Quorvex 8.0..."));
    EXPECT_EQ(frmWelcome::loaded()->findChild<QMenu *>(QStringLiteral("mnuMain_2"))->actions().size(), 5);
}

TEST_F(WelcomeMenuTest, BusinessPlanSetsThePlanTypeAndHandsOverToTheOpeningDialog)
{
    showMenu();
    currentPlan()->planInfo().setPlanType(1);
    QPointer<frmWelcome> menu = frmWelcome::loaded();
    item("mnuFile_0")->trigger();
    EXPECT_EQ(openingDialogShown, 1);
    EXPECT_EQ(planTypeAtOpening, 0);
    EXPECT_FALSE(welcomeVisibleAtOpening); // hidden before the dialog shows
    processDeferredDeletes();
    EXPECT_TRUE(menu.isNull()); // unloaded after
    EXPECT_NE(frmParent::loaded(), nullptr);
}

TEST_F(WelcomeMenuTest, MarketingPlanButtonSetsTheMarketingType)
{
    showMenu();
    QTest::mouseClick(box("picMarket"), Qt::LeftButton);
    EXPECT_EQ(openingDialogShown, 1);
    EXPECT_EQ(planTypeAtOpening, 1);
}

TEST_F(WelcomeMenuTest, WithoutAnOpeningDialogTheFrameSaysSo)
{
    frmWelcome::setOpeningDialogDisplay(nullptr);
    showMenu();
    item("mnuFile_2")->trigger();
    processDeferredDeletes();
    EXPECT_EQ(frmWelcome::loaded(), nullptr);
    EXPECT_TRUE(frmParent::loaded()->statusText().contains(QStringLiteral("opening dialog")));
}

TEST_F(WelcomeMenuTest, StartUpHandsTheWelcomeMenuTheOpeningDialogRoute)
{
    StartupRoutes routes;
    routes.showWelcomeMenu = frmWelcome::Display;
    routes.showOpeningDialog = [this] { ++openingDialogShown; };
    frmWelcome::setOpeningDialogDisplay(nullptr);
    ASSERT_TRUE(Main(QStringLiteral("-ns"), routes));
    ASSERT_NE(frmWelcome::loaded(), nullptr);
    EXPECT_EQ(frmWelcome::loaded()->window(), frmParent::loaded());
    item("mnuFile_0")->trigger();
    EXPECT_EQ(openingDialogShown, 1);
}

TEST_F(WelcomeMenuTest, TheWizardStartsFromTheInstallFolderAndEndsTheFrame)
{
    QTemporaryDir install;
    QFile wizard(install.filePath(QStringLiteral("pwiz_mx.exe")));
    ASSERT_TRUE(wizard.open(QIODevice::WriteOnly));
    wizard.close();
    qv::platform::Folders::setInstallFolder(install.path());
    showMenu();
    item("mnuFile_1")->trigger();
    ASSERT_EQ(fakes().processes->started.size(), 1);
    EXPECT_EQ(QFileInfo(fakes().processes->started.first().program).canonicalFilePath(),
              QFileInfo(wizard).canonicalFilePath());
    // Cancelled, the wizard comes back to this menu.
    EXPECT_EQ(fakes().processes->started.first().arguments, QStringList{QStringLiteral("--from-menu")});
    processDeferredDeletes();
    EXPECT_EQ(frmParent::loaded(), nullptr);
}

TEST_F(WelcomeMenuTest, AWizardThatCannotStartIsReportedAndTheMenuStays)
{
    QTemporaryDir install;
    qv::platform::Folders::setInstallFolder(install.path());
    showMenu();
    item("mnuFile_1")->trigger();
    EXPECT_TRUE(fakes().processes->started.isEmpty());
    EXPECT_TRUE(fakes().messages->lastText().startsWith(QStringLiteral("File not found: ")));
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("pwiz_mx.exe")));
    processDeferredDeletes();
    ASSERT_NE(frmWelcome::loaded(), nullptr);
    EXPECT_EQ(pictureOf("picWizard"), 5010); // not left pressed
}

TEST_F(WelcomeMenuTest, GoOnlineOpensTheMakersSiteInTheBrowserAndPutsTheButtonOut)
{
    qv::platform::Settings::save(qv::support::Preferences::section(), QStringLiteral("Browser"),
                                 QStringLiteral("/usr/bin/firefox"));
    frmWelcome &menu = showMenu();
    item("mnuTools_1")->trigger();
    ASSERT_EQ(fakes().shell->opened.size(), 1);
    EXPECT_EQ(fakes().shell->opened.first().first, QStringLiteral("/usr/bin/firefox"));
    EXPECT_EQ(fakes().shell->opened.first().second, QStringLiteral("https://www.corvane.com/"));
    EXPECT_TRUE(menu.litButton().isEmpty());
    EXPECT_EQ(pictureOf("picOnline"), 5007);
}

TEST_F(WelcomeMenuTest, HelpAndFinancialAdvisorOpenTheirHelpFiles)
{
    showMenu();
    item("mnuHelp_0")->trigger();
    auto *viewer = qv::support::HelpViewer::instance();
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->home().toLocalFile(), qv::support::helpPagePath(qv::support::kMainHelpFile));
    item("mnuTools_0")->trigger();
    EXPECT_EQ(viewer->home().toLocalFile(), qv::support::helpPagePath(qv::support::kAdvisorHelpFile));
    EXPECT_TRUE(frmWelcome::loaded()->litButton().isEmpty());
    QTest::mouseClick(box("picHelp"), Qt::LeftButton);
    EXPECT_EQ(viewer->home().toLocalFile(), qv::support::helpPagePath(qv::support::kMainHelpFile));
    item("mnuHelp_2")->trigger();
    EXPECT_EQ(viewer->home().toLocalFile(), qv::support::helpPagePath(qv::support::kProductsHelpFile));
    item("mnuHelp_1")->trigger();
    EXPECT_EQ(viewer->home().toLocalFile(), qv::support::helpPagePath(qv::support::kTipsHelpFile));
    EXPECT_TRUE(fakes().messages->shown.isEmpty()); // the tips page is there
}

TEST_F(WelcomeMenuTest, AboutShowsTheAboutWindowModallyWithTheProgramIcon)
{
    showMenu();
    QString shown;
    bool hadPicture = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        shown = modal->objectName();
        auto *picture = modal->findChild<QLabel *>(QStringLiteral("picIcon"));
        hadPicture = picture && !picture->pixmap().isNull();
        modal->close();
    });
    item("mnuHelp_4")->trigger();
    EXPECT_EQ(shown, QStringLiteral("frmAboutBox"));
    EXPECT_TRUE(hadPicture);
}

TEST_F(WelcomeMenuTest, ActivationEmptiesThePanelCaption)
{
    showMenu();
    box("SSPanel1")->setText(QStringLiteral("left over"));
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(frmWelcome::loaded(), &activate);
    EXPECT_TRUE(box("SSPanel1")->text().isEmpty());
}

TEST_F(WelcomeMenuTest, ExitUnloadsTheFrame)
{
    showMenu();
    QTest::mouseClick(box("picExit"), Qt::LeftButton);
    processDeferredDeletes();
    EXPECT_EQ(frmParent::loaded(), nullptr);
    EXPECT_EQ(frmWelcome::loaded(), nullptr);
}

TEST_F(WelcomeMenuTest, ExitFromTheMenuUnloadsTheFrame)
{
    showMenu();
    item("mnuFile_6")->trigger();
    processDeferredDeletes();
    EXPECT_EQ(frmParent::loaded(), nullptr);
}

// ---- Delete Plan ---------------------------------------------------------------

class DeletePlanTest : public WelcomeMenuTest
{
protected:
    QString make(const QString &relative, const QByteArray &content = "data")
    {
        const QString path = plans.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
    bool exists(const QString &relative) { return QFileInfo::exists(plans.filePath(relative)); }

    QTemporaryDir plans;
};

TEST_F(DeletePlanTest, YesRemovesTheMarketingPlanFolderAndThenTheDocument)
{
    const QString document = make(QStringLiteral("Acme.mpl"));
    make(QStringLiteral("AcmeM/Sec0101.rtf"));
    make(QStringLiteral("AcmeM/Tbl0404.vts"));
    make(QStringLiteral("AcmeM/.hidden"));
    make(QStringLiteral("AcmeM/graphs/Graph1.vtc"));
    make(QStringLiteral("AcmeB/Sec0101.rtf")); // a business folder of the same name
    make(QStringLiteral("Acme/notes.txt"));
    showMenu();
    fakes().dialogs->setNextFileName(document);
    fakes().messages->setNextAnswer(Answer::Yes);
    item("mnuFile_4")->trigger();

    ASSERT_EQ(fakes().dialogs->requests.size(), 1);
    const qv::platform::FileRequest &request = fakes().dialogs->requests.first();
    EXPECT_EQ(request.title, QStringLiteral("Delete Plan"));
    EXPECT_EQ(request.filter, QStringLiteral("Plan Files (*.bpl;*.mpl)|*.bpl;*.mpl"));
    EXPECT_EQ(request.folder, qv::platform::Folders::myPlansFolder());
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    const qv::platform::Message &question = fakes().messages->shown.first();
    EXPECT_EQ(question.text, QStringLiteral("Are you sure you want to delete \"Acme.mpl\" and associated folder "
                                            "containing data related to this plan?"));
    EXPECT_EQ(question.buttons, qv::platform::Buttons::YesNo);
    EXPECT_EQ(question.icon, qv::platform::Icon::Question);

    EXPECT_FALSE(exists(QStringLiteral("AcmeM")));
    EXPECT_FALSE(exists(QStringLiteral("Acme.mpl")));
    EXPECT_TRUE(exists(QStringLiteral("AcmeB/Sec0101.rtf"))); // not the rule's folder
    EXPECT_TRUE(exists(QStringLiteral("Acme/notes.txt")));
}

TEST_F(DeletePlanTest, NoRemovesNothing)
{
    const QString document = make(QStringLiteral("Acme.mpl"));
    make(QStringLiteral("AcmeM/Sec0101.rtf"));
    showMenu();
    fakes().dialogs->setNextFileName(document);
    fakes().messages->setNextAnswer(Answer::No);
    item("mnuFile_4")->trigger();
    EXPECT_TRUE(exists(QStringLiteral("Acme.mpl")));
    EXPECT_TRUE(exists(QStringLiteral("AcmeM/Sec0101.rtf")));
}

TEST_F(DeletePlanTest, CancellingTheDialogDoesNothing)
{
    make(QStringLiteral("Acme.mpl"));
    showMenu();
    fakes().dialogs->setNextFileName(std::nullopt);
    item("mnuFile_4")->trigger();
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("Acme.mpl")));
}

TEST_F(DeletePlanTest, ABusinessPlanInCapitalsTakesItsBFolder)
{
    const QString document = make(QStringLiteral("Shop.BPL"));
    make(QStringLiteral("ShopB/Sec0101.rtf"));
    make(QStringLiteral("ShopM/Sec0101.rtf"));
    showMenu();
    fakes().dialogs->setNextFileName(document);
    fakes().messages->setNextAnswer(Answer::Yes);
    item("mnuFile_4")->trigger();
    EXPECT_FALSE(exists(QStringLiteral("ShopB")));
    EXPECT_FALSE(exists(QStringLiteral("Shop.BPL")));
    EXPECT_TRUE(exists(QStringLiteral("ShopM/Sec0101.rtf")));
}

TEST_F(DeletePlanTest, APlanWithoutAFolderLosesOnlyItsDocument)
{
    const QString document = make(QStringLiteral("Lone.bpl"));
    showMenu();
    fakes().dialogs->setNextFileName(document);
    fakes().messages->setNextAnswer(Answer::Yes);
    item("mnuFile_4")->trigger();
    EXPECT_FALSE(exists(QStringLiteral("Lone.bpl")));
    EXPECT_EQ(fakes().messages->shown.size(), 1); // the question only
}

TEST_F(DeletePlanTest, AFileThatIsNotAPlanDocumentIsRefusedBeforeAsking)
{
    // Dropping four characters of "notes.txt" would name the folder "notesM".
    const QString document = make(QStringLiteral("notes.txt"));
    make(QStringLiteral("notesM/keep.rtf"));
    make(QStringLiteral("notesB/keep.rtf"));
    showMenu();
    fakes().dialogs->setNextFileName(document);
    item("mnuFile_4")->trigger();
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("is not a plan document")));
    EXPECT_TRUE(exists(QStringLiteral("notes.txt")));
    EXPECT_TRUE(exists(QStringLiteral("notesM/keep.rtf")));
    EXPECT_TRUE(exists(QStringLiteral("notesB/keep.rtf")));
}

TEST_F(DeletePlanTest, APlanFolderThatIsALinkIsNotFollowed)
{
    QTemporaryDir elsewhere;
    QFile precious(elsewhere.filePath(QStringLiteral("precious.rtf")));
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
    precious.close();
    const QString document = make(QStringLiteral("Acme.mpl"));
    ASSERT_TRUE(QFile::link(elsewhere.path(), plans.filePath(QStringLiteral("AcmeM"))));
    showMenu();
    fakes().dialogs->setNextFileName(document);
    fakes().messages->setNextAnswer(Answer::Yes);
    item("mnuFile_4")->trigger();
    EXPECT_TRUE(QFileInfo::exists(precious.fileName()));
    EXPECT_TRUE(exists(QStringLiteral("Acme.mpl")));
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("is a link")));
}

TEST_F(DeletePlanTest, LinksInsideThePlanFolderGoAsLinks)
{
    QTemporaryDir elsewhere;
    QFile precious(elsewhere.filePath(QStringLiteral("precious.rtf")));
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
    precious.close();
    const QString document = make(QStringLiteral("Acme.mpl"));
    make(QStringLiteral("AcmeM/Sec0101.rtf"));
    ASSERT_TRUE(QFile::link(elsewhere.path(), plans.filePath(QStringLiteral("AcmeM/outside"))));
    const PlanDeletion deletion = deletePlan(document);
    EXPECT_EQ(deletion.outcome, PlanDeletion::Outcome::Deleted);
    EXPECT_FALSE(exists(QStringLiteral("AcmeM")));
    EXPECT_TRUE(QFileInfo::exists(precious.fileName()));
}

TEST_F(DeletePlanTest, WhatCannotBeRemovedIsReportedAndTheDocumentKept)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const QString document = make(QStringLiteral("Acme.mpl"));
    make(QStringLiteral("AcmeM/locked/Sec0101.rtf"));
    QFile::setPermissions(plans.filePath(QStringLiteral("AcmeM/locked")), QFile::ReadOwner | QFile::ExeOwner);
    showMenu();
    fakes().dialogs->setNextFileName(document);
    fakes().messages->setNextAnswer(Answer::Yes);
    item("mnuFile_4")->trigger();
    QFile::setPermissions(plans.filePath(QStringLiteral("AcmeM/locked")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(exists(QStringLiteral("Acme.mpl")));
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("was not deleted completely")));
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("Sec0101.rtf")));
}

TEST(PlanFolder, IsTheDocumentLessItsExtensionAndThePlanLetter)
{
    EXPECT_EQ(planFolderFor(QStringLiteral("/plans/Acme.mpl")), QStringLiteral("/plans/AcmeM"));
    EXPECT_EQ(planFolderFor(QStringLiteral("/plans/Acme.bpl")), QStringLiteral("/plans/AcmeB"));
    EXPECT_EQ(planFolderFor(QStringLiteral("/plans/My Plan.MpL")), QStringLiteral("/plans/My PlanM"));
    EXPECT_TRUE(planFolderFor(QStringLiteral("/plans/Acme.txt")).isEmpty());
    EXPECT_TRUE(planFolderFor(QStringLiteral("/plans/Acmempl")).isEmpty());
    EXPECT_TRUE(planFolderFor(QStringLiteral(".mpl")).isEmpty());
}

// ---- Pictures for looking at ------------------------------------------------------

TEST_F(WelcomeMenuTest, Screenshots)
{
    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (shots.isEmpty())
        GTEST_SKIP() << "QV_SCREENSHOT_DIR not set";
    QDir().mkpath(shots);
    frmWelcome &menu = showMenu();
    // The menu bar and 768 pixels of picture.
    QWidget *frame = frmParent::loaded();
    frame->resize(1024, 768 + (menu.height() - box("SSPanel1")->height()));
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->grab().save(shots + QStringLiteral("/welcome.png")));
    for (const WelcomeButton &button : welcomeButtons()) {
        moveOnto(box(button.name));
        QCoreApplication::processEvents();
        EXPECT_TRUE(frame->grab().save(shots + QStringLiteral("/welcome_") + QString::fromLatin1(button.name) +
                                       QStringLiteral(".png")));
    }
    moveOnto(box("picBPlan"));
    QTest::mousePress(box("picBPlan"), Qt::LeftButton);
    EXPECT_TRUE(frame->grab().save(shots + QStringLiteral("/welcome_picBPlan_pressed.png")));
    for (const char *name : {"mnuMain_0", "mnuMain_1", "mnuMain_2"}) {
        auto *menu = frmWelcome::loaded()->findChild<QMenu *>(QString::fromLatin1(name));
        menu->popup(frame->mapToGlobal(QPoint(8, 24)));
        QCoreApplication::processEvents();
        EXPECT_TRUE(menu->grab().save(shots + QStringLiteral("/welcome_") + QString::fromLatin1(name) +
                                      QStringLiteral(".png")));
        menu->hide();
    }
    QTest::mouseRelease(box("picBPlan"), Qt::LeftButton, {}, QPoint(-30, -30));
    moveOnto(box("picBackground"));
    frame->resize(640, 560);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    menu.ResetImage(); // the pointer would be over the bare background
    EXPECT_TRUE(frame->grab().save(shots + QStringLiteral("/welcome_narrow.png")));
    frame->resize(1440, 900);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    menu.ResetImage(); // the pointer would be over the bare background
    EXPECT_TRUE(frame->grab().save(shots + QStringLiteral("/welcome_wide.png")));
}

TEST(PlanDeletionText, NamesWhatStayedAndSaysTheDocumentWasKept)
{
    PlanDeletion deletion;
    deletion.outcome = PlanDeletion::Outcome::FolderRemains;
    for (int i = 0; i < 10; ++i)
        deletion.notRemoved.append(QStringLiteral("/plans/AcmeM/Sec%1.rtf").arg(i));
    const QString text = planDeletionProblemText(deletion, QStringLiteral("Acme.mpl"));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Acme.mpl\" was not deleted completely")));
    EXPECT_TRUE(text.contains(QStringLiteral("/plans/AcmeM/Sec0.rtf")));
    EXPECT_FALSE(text.contains(QStringLiteral("Sec9.rtf"))); // a long list is cut short
    EXPECT_TRUE(text.contains(QStringLiteral("and 2 more")));
    EXPECT_TRUE(text.contains(QStringLiteral("plan document was kept")));

    deletion.outcome = PlanDeletion::Outcome::DocumentRemains;
    deletion.notRemoved = {QStringLiteral("/plans/Acme.mpl")};
    EXPECT_TRUE(planDeletionProblemText(deletion, QStringLiteral("Acme.mpl"))
                    .contains(QStringLiteral("the plan document could not be removed")));
    EXPECT_TRUE(planDeletionProblemText(PlanDeletion{}, QStringLiteral("Acme.mpl")).isEmpty());
}

TEST_F(DeletePlanTest, AMissingDocumentIsReportedAndNothingRemoved)
{
    make(QStringLiteral("GoneM/Sec0101.rtf"));
    const PlanDeletion deletion = deletePlan(plans.filePath(QStringLiteral("Gone.mpl")));
    EXPECT_EQ(deletion.outcome, PlanDeletion::Outcome::DocumentMissing);
    EXPECT_TRUE(exists(QStringLiteral("GoneM/Sec0101.rtf")));
}

TEST_F(DeletePlanTest, ThePlanFolderIsFoundWithoutRegardToCase)
{
    const QString document = make(QStringLiteral("Acme.mpl"));
    make(QStringLiteral("ACMEM/Sec0101.rtf"));
    const PlanDeletion deletion = deletePlan(document);
    EXPECT_EQ(deletion.outcome, PlanDeletion::Outcome::Deleted);
    EXPECT_FALSE(exists(QStringLiteral("ACMEM")));
    EXPECT_FALSE(exists(QStringLiteral("Acme.mpl")));
}
