// qvtool export: what Compile Plan writes before it starts the compiler,
// without windows: graph pictures, export files, table pictures. Prints
// the files written.

#include "apps/qvtool/Command.h"
#include "apps/qvtool/PlanDocument.h"

#include "compile/CompileFiles.h"
#include "compile/CompileSetup.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "platform/Paths.h"


namespace {

using namespace qv;

int exportPlan(qvtool::Context &c)
{
    if (c.args.size() != 1) {
        c.err << "usage: qvtool export PLAN\n";
        return 2;
    }
    plan::Plan plan;
    if (!qvtool::openPlanDocument(c, "qvtool export", c.args.at(0), plan))
        return 1;
    try {
        const QString folder = platform::withTrailingSeparator(plan.folder());
        QStringList failed;
        const QStringList written = compile::writeCompileFiles(
            plan, compile::PrintConversions::fromPreferences(), [&](const QString &excel) { failed << excel; });
        compile::storeCompileFolder(folder);
        for (const QString &name : written)
            c.out << folder << name << '\n';
        for (const QString &excel : failed)
            c.err << "qvtool export: Error retrieving file: " << excel << '\n';
        if (!failed.isEmpty())
            return 1;
    } catch (const QvError &error) {
        c.err << "qvtool export: " << error.description() << " (" << error.number() << ")\n";
        return 1;
    }
    return 0;
}

const qvtool::CommandRegistration registration("export", "export PLAN", exportPlan);

} // namespace
