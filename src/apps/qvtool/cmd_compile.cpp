// qvtool compile: what Compile Plan and the compiler do together, without
// windows: the export files and pictures, then the compiled PDF and
// OpenDocument text. Exit codes as the compiler's.

#include "apps/qvtool/Command.h"
#include "apps/qvtool/PlanDocument.h"

#include "compile/CompileFiles.h"
#include "compile/CompileSetup.h"
#include "compile/compiler/CompilerCommandLine.h"
#include "plan/Plan.h"
#include "platform/Error.h"


namespace {

using namespace qv;

int compilePlanDocument(qvtool::Context &c)
{
    if (c.args.isEmpty()) {
        c.err << "usage: qvtool compile PLAN [--pdf FILE] [--odt FILE]\n";
        return compiler::kUsage;
    }
    QString error;
    auto options = compiler::parseCompilerArguments(c.args.mid(1), &error);
    if (!options || options->quiet || !options->request.folder.isEmpty()) {
        c.err << "qvtool compile: " << (error.isEmpty() ? QStringLiteral("only --pdf and --odt are accepted") : error)
              << '\n';
        return compiler::kUsage;
    }
    plan::Plan plan;
    if (!qvtool::openPlanDocument(c, "qvtool compile", c.args.at(0), plan))
        return compiler::kFailed;
    try {
        compile::writeCompileFiles(plan, compile::PrintConversions::fromPreferences(), [&](const QString &excel) {
            c.err << "qvtool compile: Error retrieving file: " << excel << '\n';
        });
        compile::storeCompileFolder(plan.folder());
    } catch (const QvError &e) {
        c.err << "qvtool compile: " << e.description() << " (" << e.number() << ")\n";
        return compiler::kFailed;
    }
    options->request.folder = plan.folder();
    return compiler::compileQuietly(options->request, QStringLiteral("qvtool compile"), c.out, c.err);
}

const qvtool::CommandRegistration registration("compile", "compile PLAN [--pdf FILE] [--odt FILE]", compilePlanDocument);

} // namespace
