// qvtool sample: makes one finished sample plan from a wizard-answers file
// and the template library's examples, compiled into OUTPUT. The build runs
// it for every answers file in data/demo.

#include "apps/qvtool/Command.h"

#include "compile/samples/SamplePlans.h"
#include "platform/Error.h"
#include "platform/Folders.h"

#include <QDir>

namespace {

using namespace qv;

int sample(qvtool::Context &c)
{
    QStringList args = c.args;
    // Another template library than the installed one (the build, tests).
    const qsizetype install = args.indexOf(QStringLiteral("--install"));
    if (install >= 0 && install + 1 < args.size()) {
        platform::Folders::setInstallFolder(args.at(install + 1));
        args.remove(install, 2);
    }
    if (args.size() != 2) {
        c.err << "usage: qvtool sample [--install DIR] ANSWERS OUTPUT\n";
        return 2;
    }
    try {
        const samples::SamplePlan made = samples::makeSamplePlan(args.at(0), args.at(1));
        for (const QString &line : made.notApplied)
            c.err << "qvtool sample: not applied: " << line << '\n';
        for (const QString &file : made.leftOut)
            c.err << "qvtool sample: left out: " << file << '\n';
        c.out << QDir::toNativeSeparators(made.output) << '\t' << made.pages << " pages\t" << made.sectionsWritten
              << " sections\n";
        // A sample must be whole: every answer applied, every file in it.
        return made.notApplied.isEmpty() && made.leftOut.isEmpty() ? 0 : 1;
    } catch (const QvError &error) {
        c.err << "qvtool sample: " << error.description() << " (" << error.number() << ")\n";
        return 1;
    }
}

const qvtool::CommandRegistration registration("sample", "sample [--install DIR] ANSWERS OUTPUT", sample);

} // namespace
