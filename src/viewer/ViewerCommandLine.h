#pragma once

// The compiled-plan viewer's command line, which the viewer object and the
// compiler build and the viewer program reads:
//   viewer [--sample] [--type TEXT] [--return] [FILE]

#include <QString>
#include <QStringList>

#include <optional>

namespace qv::viewer {

struct ViewerRequest
{
    QString file; // the compiled plan; empty: the window opens without one
    // A finished sample plan: shown read-only, titled by its plan type.
    bool sample = false;
    // "Business Plan" or "Marketing Plan".
    QString typefield;
    // The window offers the way back to the plan the file was compiled from.
    bool doReturn = false;
    bool help = false;
};

QString viewerUsage();

// The request of the arguments (without the program name); nothing, with the
// reason, for a wrong command line.
std::optional<ViewerRequest> parseViewerArguments(const QStringList &arguments, QString *error);

// The arguments that give the request back.
QStringList viewerArguments(const ViewerRequest &request);

} // namespace qv::viewer
