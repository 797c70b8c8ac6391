#include "compile/compiler/CompilerCommandLine.h"

#include "platform/Error.h"

#include <QDir>

namespace qv::compiler {

QString compilerUsage()
{
    return QStringLiteral("usage: compiler [--dir FOLDER] [--pdf FILE] [--odt FILE] [--quiet]\n"
                          "Compiles the plan whose export files are in FOLDER (by default the folder that\n"
                          "Compile Plan stored) into FOLDER/NAME.pdf and FOLDER/NAME.odt.\n"
                          "  --pdf FILE   write the PDF here (with --odt alone: no PDF)\n"
                          "  --odt FILE   write the OpenDocument text here (with --pdf alone: no .odt)\n"
                          "  --quiet      no windows; messages on standard error\n"
                          "Exit codes: 0 compiled, 1 failed (nothing written), 2 wrong command line,\n"
                          "3 compiled without some listed files, 4 cancelled.\n");
}

std::optional<CompilerOptions> parseCompilerArguments(const QStringList &arguments, QString *error)
{
    CompilerOptions options;
    bool pdfGiven = false, odtGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        auto value = [&](QString &into) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                *error = a + QStringLiteral(" needs a value");
                return false;
            }
            into = arguments.at(++i);
            return true;
        };
        if (a == QLatin1String("--dir")) {
            if (!value(options.request.folder))
                return std::nullopt;
        } else if (a == QLatin1String("--pdf")) {
            if (!value(options.request.pdfPath))
                return std::nullopt;
            pdfGiven = true;
        } else if (a == QLatin1String("--odt")) {
            if (!value(options.request.odtPath))
                return std::nullopt;
            odtGiven = true;
        } else if (a == QLatin1String("--quiet")) {
            options.quiet = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            options.help = true;
        } else {
            *error = QStringLiteral("unknown argument: ") + a;
            return std::nullopt;
        }
    }
    // Naming only one output asks for that one.
    options.request.writePdf = pdfGiven || !odtGiven;
    options.request.writeOdt = odtGiven || !pdfGiven;
    return options;
}

int exitCodeOf(const CompileResult &result)
{
    if (result.cancelled)
        return kCancelled;
    return result.leftOut.isEmpty() ? kCompiled : kCompiledLeftOut;
}

int compileQuietly(const CompileRequest &request, const QString &program, QTextStream &out, QTextStream &err)
{
    if (request.folder.isEmpty()) {
        err << program << ": Plan to compile is not located\n";
        return kFailed;
    }
    try {
        const CompileResult result = compilePlan(request);
        for (const QString &path : {result.pdfPath, result.odtPath})
            if (!path.isEmpty())
                out << QDir::toNativeSeparators(path) << '\n';
        for (const QString &file : result.leftOut)
            err << program << ": left out: " << file << '\n';
        return exitCodeOf(result);
    } catch (const QvError &error) {
        err << program << ": " << error.description() << '\n';
        return kFailed;
    }
}

} // namespace qv::compiler
