// qvtool compile: what Compile Plan and the compiler do together, without
// windows: the export files and pictures, then the compiled PDF and
// OpenDocument text. Exit codes as the compiler's.

#include "apps/qvtool/Command.h"

#include "compile/CompileFiles.h"
#include "compile/CompileSetup.h"
#include "compile/compiler/CompilerCommandLine.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"
#include "platform/Error.h"

#include <QFileInfo>

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
    const QString document = c.args.at(0);
    if (!QFileInfo(document).isFile()) {
        c.err << "qvtool compile: no such plan: " << document << '\n';
        return compiler::kFailed;
    }
    plan::Plan plan;
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan.planInfo().setPlanType(plan::ModEnglish::PlanTypeOfDocument(document));
    plan.setFilePath(document);
    if (!plan.Open()) {
        c.err << "qvtool compile: " << plan.lastError() << '\n';
        return compiler::kFailed;
    }
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
