// quorvex: the Quorvex 8.0 desktop program.

#include "platform/gui/DesktopServices.h"

#include <QApplication>
#include <QStringList>

#if __has_include("shell/MMain.h")
#include "shell/MMain.h"
#define QV_HAVE_SHELL 1
#endif

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    qv::platform::installDesktopServices();
#ifdef QV_HAVE_SHELL
    // The command line is the program's arguments joined with single blanks.
    const QString commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    if (!qv::shell::Main(commandLine))
        return 0;
    return app.exec();
#else
    return 0;
#endif
}
