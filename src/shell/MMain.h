#pragma once

// The start-up module: the program's entry sequence and the small shared
// procedures beside it (system check, install path, window positions, plan
// type name).

#include "shell/CurrentPlan.h"
#include "shell/StartupChecks.h"
#include "shell/StartupCommand.h"
#include "shell/WindowPosition.h"

#include <QString>

#include <functional>

class QWidget;

namespace qv::shell
{

// The windows the command line can lead to. The program fills in the ones it
// has; an entry left empty is served by the frame, which then says what this
// build cannot show.
struct StartupRoutes {
    // "-q": create a plan from the wizard-answers file (the plan-creation window).
    std::function<void(const QString &answersFile)> createPlanFromAnswers;
    // "-o": load the composer, open the plan file in it and show it.
    std::function<void(const QString &planFile)> openPlanFile;
    // The welcome menu's Display: inside the frame at a plain start, alone for "-ns".
    std::function<void()> showWelcomeMenu;
    // "-b", "-m": the opening dialog for the current plan's type.
    std::function<void()> showOpeningDialog;
};

// Runs start-up for the command line (the program's arguments joined with
// single blanks). Returns true when a window is open afterwards, so the
// caller runs the event loop; false when the program is to end at once.
bool Main(const QString &commandLine, const StartupRoutes &routes = StartupRoutes());

// Applies the window's position record (section = its objectName): a first
// run or a record as large as the screen maximises it.
void RestoreWindowPosition(QWidget *window);

// Writes the window's position record; a minimised window writes nothing and
// a maximised one is written with at least the screen's extent.
void SaveWindowPosition(QWidget *window);

} // namespace qv::shell
