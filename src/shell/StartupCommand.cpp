#include "shell/StartupCommand.h"

namespace qv::shell
{

StartupCommand parseCommandLine(const QString &commandLine)
{
    if (commandLine.isEmpty())
        return {StartupChoice::SplashAndFrame, QString()};

    const QString line = commandLine.trimmed();
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    const QString switchText = (blank < 0 ? line : line.left(blank)).toLower();
    const QString argument = blank < 0 ? QString() : line.mid(blank + 1).trimmed();

    if (switchText == QLatin1String("-q"))
        return {StartupChoice::CreatePlanFromAnswers, argument};
    if (switchText == QLatin1String("-o"))
        return {StartupChoice::OpenPlanFile, argument};
    if (switchText == QLatin1String("-ns"))
        return {StartupChoice::WelcomeMenuOnly, argument};
    if (switchText == QLatin1String("-b"))
        return {StartupChoice::OpenBusinessPlan, argument};
    if (switchText == QLatin1String("-m"))
        return {StartupChoice::OpenMarketingPlan, argument};
    return {StartupChoice::Nothing, argument};
}

QString commandLineFromArguments(const QStringList &arguments)
{
    if (arguments.size() == 1 && arguments.front() == QLatin1String("-o"))
        return QString();
    return arguments.join(QLatin1Char(' '));
}

} // namespace qv::shell
