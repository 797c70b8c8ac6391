// qvlibgen: checks the table definitions of the template library and
// generates the installed library from its sources (data/README.md).

#include "CheckCommand.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    // A build tool: it never shows a window, so it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    QStringList arguments = app.arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    int status = 2;
    if (command == QLatin1String("check"))
        status = qv::templates::runCheck(arguments, out, err);
    else
        err << "usage: qvlibgen check <set folder> [--example <Kind>] [--print <Table>]...\n";
    out.flush();
    err.flush();
    return status;
}
