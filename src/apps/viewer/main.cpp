// viewer: the compiled-plan viewer. Shows a compiled plan (.pdf, or a sample
// plan's .cpd) given on the command line, or opens one from its File menu.
//   viewer [--sample] [--type TEXT] [--return] [FILE]

#include "platform/gui/DesktopServices.h"
#include "resources/art/Artwork.h"
#include "viewer/ViewerCommandLine.h"
#include "viewer/gui/frmViewer.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString error;
    const auto request = qv::viewer::parseViewerArguments(arguments, &error);
    if (!request) {
        QTextStream(stderr) << "viewer: " << error << '\n' << qv::viewer::viewerUsage();
        return 2;
    }
    if (request->help) {
        QTextStream(stdout) << qv::viewer::viewerUsage();
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvex Viewer"));
    qv::platform::installDesktopServices();
    QApplication::setWindowIcon(qv::resources::LoadResIcon(101));

    qv::viewer::frmViewer window;
    // A plan that cannot be shown has been reported; there is nothing to show.
    if (!request->file.isEmpty() && !window.open(*request))
        return 1;
    window.show();
    return app.exec();
}
