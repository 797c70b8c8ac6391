#include "shell/MMain.h"

#include "platform/Application.h"
#include "platform/Services.h"
#include "shell/frmParent.h"
#include "shell/frmSplash.h"
#include "shell/frmWelcome.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace qv::shell
{

namespace
{

constexpr int kBusinessPlanType = 0;
constexpr int kMarketingPlanType = 1;

QSize screenSizeFor(const QWidget *window)
{
    QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

// Stand-ins while a window is not part of the build: the user learns what
// could not be shown instead of facing a program that silently ends.
void composerUnavailable(const QString &planFile)
{
    frmParent::load().showStatus(
        QStringLiteral("The Plan Composer is not part of this build, so \"%1\" cannot be opened.").arg(planFile));
}

void openingDialogUnavailable()
{
    frmParent::load().showStatus(
        QStringLiteral("The opening dialog for a %1 is not part of this build.").arg(PlanTypeName()));
}

void planCreationUnavailable(const QString &answersFile)
{
    // The frame is unloaded after plan creation, so a message is the only
    // place to say that nothing was created.
    platform::msgBox(
        nullptr,
        QStringLiteral("Plan creation is not part of this build, so no plan was made from \"%1\".").arg(answersFile),
        platform::Buttons::Ok, platform::Icon::Exclamation);
}

void welcomeMenuUnavailable()
{
    frmParent::load();
}

StartupRoutes completed(StartupRoutes routes)
{
    if (!routes.createPlanFromAnswers)
        routes.createPlanFromAnswers = planCreationUnavailable;
    if (!routes.openPlanFile)
        routes.openPlanFile = composerUnavailable;
    if (!routes.showWelcomeMenu)
        routes.showWelcomeMenu = welcomeMenuUnavailable;
    if (!routes.showOpeningDialog)
        routes.showOpeningDialog = openingDialogUnavailable;
    return routes;
}

void showSplashThenFrame()
{
    auto splash = std::make_unique<frmSplash>();
    splash->show();
    platform::clock().processEvents();
    frmParent::Display();
    splash->hide();
}

void openForPlanType(int planType, const StartupRoutes &routes)
{
    replaceCurrentPlan().planInfo().setPlanType(planType);
    routes.showOpeningDialog();
}

bool anyWindowOpen()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [](const QWidget *w) { return w->isVisible(); });
}

} // namespace

bool Main(const QString &commandLine, const StartupRoutes &givenRoutes)
{
    if (!CheckSystemFiles())
        return false;
    setApplicationTitleAndHelpFile();
    RecordInstallPath();
    ensureCurrentPlan();

    const StartupRoutes routes = completed(givenRoutes);
    frmParent::setWelcomeMenuDisplay(routes.showWelcomeMenu);
    frmWelcome::setOpeningDialogDisplay(routes.showOpeningDialog);

    const StartupCommand command = parseCommandLine(commandLine);
    switch (command.choice) {
    case StartupChoice::SplashAndFrame: showSplashThenFrame(); break;
    case StartupChoice::CreatePlanFromAnswers:
        routes.createPlanFromAnswers(command.argument);
        frmParent::Unload();
        break;
    case StartupChoice::OpenPlanFile: routes.openPlanFile(command.argument); break;
    case StartupChoice::WelcomeMenuOnly: routes.showWelcomeMenu(); break;
    case StartupChoice::OpenBusinessPlan: openForPlanType(kBusinessPlanType, routes); break;
    case StartupChoice::OpenMarketingPlan: openForPlanType(kMarketingPlanType, routes); break;
    case StartupChoice::Nothing: return false;
    }
    return anyWindowOpen();
}

void RestoreWindowPosition(QWidget *window)
{
    const WindowPositionRecord record = readWindowPosition(window->objectName());
    const QSize screen = screenSizeFor(window);
    const double screenWidth = platform::pixelsToTwipsX(screen.width());
    const double screenHeight = platform::pixelsToTwipsY(screen.height());
    if (restoresMaximised(record, screenWidth, screenHeight)) {
        // The normal place under the maximised one is the whole work area:
        // where no window manager maximises, the window still fills the screen.
        if (QScreen *s = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
            window->setGeometry(s->availableGeometry());
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        return;
    }
    window->setWindowState(window->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    // Left and Top are the outer frame's corner (what move() places); Width
    // and Height the window's own size (what resize() sets), so a record
    // comes back exactly as it was written.
    window->move(platform::twipsToPixelsX(record.left), platform::twipsToPixelsY(record.top));
    window->resize(platform::twipsToPixelsX(record.width), platform::twipsToPixelsY(record.height));
}

void SaveWindowPosition(QWidget *window)
{
    if (window->isMinimized())
        return;
    QSize size = window->size();
    if (window->isMaximized())
        size = size.expandedTo(screenSizeFor(window));
    writeWindowPosition(window->objectName(), platform::pixelsToTwipsY(window->y()),
                        platform::pixelsToTwipsX(window->x()), platform::pixelsToTwipsY(size.height()),
                        platform::pixelsToTwipsX(size.width()));
}

} // namespace qv::shell
