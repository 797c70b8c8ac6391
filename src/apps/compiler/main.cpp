// compiler: the stand-alone plan compiler that Compile Plan starts. It finds
// the plan through the "dir" setting (or --dir), compiles it to PDF and
// OpenDocument text with a progress window, opens the result, and offers
// the way back to the plan in the composer.

#include "compile/CompileSetup.h"
#include "compile/compiler/CompilerCommandLine.h"
#include "compile/compiler/PlanSource.h"
#include "compile/compiler/gui/frmCompileProgress.h"
#include "platform/Services.h"
#include "platform/gui/DesktopServices.h"
#include "viewer/CViewer.h"
#include "viewer/ComposerReturn.h"
#include "viewer/ViewerCommandLine.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

using namespace qv;

// The result opens in the compiled-plan viewer when it is installed, with
// the way back to the plan; else in the desktop's program for PDF files.
void openCompiledPlan(const compiler::CompileResult &result)
{
    const QString program = viewer::viewerProgram();
    viewer::ViewerRequest request;
    request.file = result.pdfPath;
    request.doReturn = !viewer::planOfCompiledFile(result.pdfPath).isEmpty();
    if (!program.isEmpty() && platform::processes().startDetached(program, viewer::viewerArguments(request)))
        return;
    if (!platform::shell().open(nullptr, result.pdfPath))
        platform::msgBox(nullptr, QStringLiteral("No program to show the compiled plan was found. It is in ") + result.pdfPath,
                         platform::Buttons::Ok, platform::Icon::Information);
}

int compileWithWindow(const compiler::CompileRequest &request)
{
    if (request.folder.isEmpty()) {
        platform::msgBox(nullptr, QStringLiteral("Plan to compile is not located"));
        return compiler::kFailed;
    }
    compiler::frmCompileProgress window;
    window.openResult = openCompiledPlan;
    const QString document = compiler::planDocumentOfFolder(request.folder);
    if (!document.isEmpty() && !viewer::composerProgram().isEmpty())
        window.backToComposer = [document] { viewer::startComposerOn(document); };
    const compiler::CompileResult result = window.run(request);
    if (window.failed()) {
        window.exec();
        return compiler::kFailed;
    }
    if (result.cancelled)
        return compiler::kCancelled;
    if (!result.pdfPath.isEmpty())
        openCompiledPlan(result);
    window.exec();
    return compiler::exitCodeOf(result);
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString error;
    const auto options = compiler::parseCompilerArguments(arguments, &error);
    if (!options) {
        err << "compiler: " << error << '\n' << compiler::compilerUsage();
        return compiler::kUsage;
    }
    if (options->help) {
        out << compiler::compilerUsage();
        return compiler::kCompiled;
    }
    // A quiet run needs no display.
    if (options->quiet && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvex 8.0"));
    compiler::CompileRequest request = options->request;
    if (request.folder.isEmpty())
        request.folder = compile::compileFolder();
    if (options->quiet)
        return compiler::compileQuietly(request, QStringLiteral("compiler"), out, err);
    platform::installDesktopServices();
    return compileWithWindow(request);
}
