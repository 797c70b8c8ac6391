#include "viewer/ViewerCommandLine.h"

namespace qv::viewer {

QString viewerUsage()
{
    return QStringLiteral("usage: viewer [--sample] [--type TEXT] [--return] [FILE]\n"
                          "Shows a compiled plan (.pdf or .cpd).\n"
                          "  --sample     a finished sample plan, shown read-only\n"
                          "  --type TEXT  the plan type the title names (\"Business Plan\", \"Marketing Plan\")\n"
                          "  --return     offer the way back to the plan in the Plan Composer\n");
}

std::optional<ViewerRequest> parseViewerArguments(const QStringList &arguments, QString *error)
{
    ViewerRequest request;
    bool fileGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--sample")) {
            request.sample = true;
        } else if (a == QLatin1String("--return")) {
            request.doReturn = true;
        } else if (a == QLatin1String("--type")) {
            if (i + 1 >= arguments.size()) {
                *error = a + QStringLiteral(" needs a value");
                return std::nullopt;
            }
            request.typefield = arguments.at(++i);
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            request.help = true;
        } else if (a == QLatin1String("--")) {
            // Everything after it is the file, even when it starts with "-".
            if (i + 2 != arguments.size() || fileGiven) {
                *error = QStringLiteral("one file only");
                return std::nullopt;
            }
            request.file = arguments.at(++i);
            fileGiven = true;
        } else if (a.startsWith(QLatin1Char('-'))) {
            *error = QStringLiteral("unknown argument: ") + a;
            return std::nullopt;
        } else if (fileGiven) {
            *error = QStringLiteral("one file only");
            return std::nullopt;
        } else {
            request.file = a;
            fileGiven = true;
        }
    }
    return request;
}

QStringList viewerArguments(const ViewerRequest &request)
{
    QStringList arguments;
    if (request.sample)
        arguments << QStringLiteral("--sample");
    if (!request.typefield.isEmpty())
        arguments << QStringLiteral("--type") << request.typefield;
    if (request.doReturn)
        arguments << QStringLiteral("--return");
    if (!request.file.isEmpty())
        arguments << QStringLiteral("--") << request.file;
    return arguments;
}

} // namespace qv::viewer
