// qvlibgen: checks the table definitions of the template library and
// generates the installed library from its sources (data/README.md).

#include "CheckCommand.h"
#include "LibraryGenerator.h"

#include <QElapsedTimer>

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
    if (command == QLatin1String("check")) {
        status = qv::templates::runCheck(arguments, out, err);
    } else if (command == QLatin1String("figures")) {
        status = qv::templates::runFigures(arguments, out, err);
    } else if (command == QLatin1String("generate") && arguments.size() == 2) {
        QElapsedTimer timer;
        timer.start();
        const auto report = qv::templates::generateLibrary(arguments.at(0), arguments.at(1));
        for (const QString &note : report.notes)
            out << "note: " << note << '\n';
        for (const QString &error : report.errors)
            err << error << '\n';
        if (report.errors.isEmpty())
            out << "Template library: " << report.files << " files, " << (report.bytes + 512) / 1024
                << " KB, generated in " << timer.elapsed() << " ms\n";
        status = report.errors.isEmpty() ? 0 : 1;
    } else {
        err << "usage: qvlibgen check <set folder> [--example <Kind>] [--print <Table>]...\n"
               "       qvlibgen figures <data folder> [--agreed]\n"
               "       qvlibgen generate <data folder> <output Data folder>\n";
    }
    out.flush();
    err.flush();
    return status;
}
