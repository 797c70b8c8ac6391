#pragma once

#include <QString>
#include <QStringList>

namespace qv::shell
{

// What the command line asks the program to start with.
enum class StartupChoice {
    SplashAndFrame,        // no command line at all
    CreatePlanFromAnswers, // "-q" wizard-answers file
    OpenPlanFile,          // "-o" plan document
    WelcomeMenuOnly,       // "-ns"
    OpenBusinessPlan,      // "-b"
    OpenMarketingPlan,     // "-m"
    Nothing                // blanks only or an unknown switch: end silently
};

struct StartupCommand {
    StartupChoice choice = StartupChoice::Nothing;
    QString argument; // keeps its case and its inner blanks
};

// The command line is one string: the program's arguments joined with
// single blanks. Only a line of length 0 means "no command line"; a line of
// blanks trims to an empty switch, which matches nothing. The switch is the
// text before the first blank, compared in lower case; the argument is the
// trimmed rest.
StartupCommand parseCommandLine(const QString &commandLine);

// The program's arguments joined with single blanks. The desktop entry
// starts "quorvex -o FILE"; started from the application menu it names no
// file, and the lone "-o" it leaves means no command line at all.
QString commandLineFromArguments(const QStringList &arguments);

} // namespace qv::shell
