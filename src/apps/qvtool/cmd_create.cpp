#include "apps/qvtool/Command.h"

#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "platform/Folders.h"

namespace {

// With -v the status and detail lines go to standard error as they come.
class PrintedProgress : public qv::create::CreationProgress
{
public:
    explicit PrintedProgress(QTextStream &err) : m_err(err) {}
    void showStatus(const QString &text) override { m_err << text << '\n'; }
    void showDetail(const QString &text) override
    {
        if (!text.isEmpty())
            m_err << "  " << text << '\n';
    }
    void startProgress(int) override {}
    void advanceProgress() override {}
    void yieldToWindowSystem() override {}
    bool isClosed() const override { return false; }

private:
    QTextStream &m_err;
};

int create(qvtool::Context &c)
{
    QStringList args = c.args;
    const bool verbose = args.removeAll(QStringLiteral("-v")) > 0;
    // An existing plan is replaced (and goes to the trash) only when asked for.
    const bool replace = args.removeAll(QStringLiteral("--replace")) > 0;
    // Another template library than the installed one (tests, benchmarks).
    const qsizetype install = args.indexOf(QStringLiteral("--install"));
    if (install >= 0 && install + 1 < args.size()) {
        qv::platform::Folders::setInstallFolder(args.at(install + 1));
        args.remove(install, 2);
    }
    if (args.size() != 1) {
        c.err << "usage: qvtool create [-v] [--replace] [--install DIR] ANSWERS\n";
        return 2;
    }
    qv::create::SilentProgress silent;
    PrintedProgress printed(c.err);
    qv::create::PlanCreation creation(verbose ? static_cast<qv::create::CreationProgress &>(printed) : silent);
    bool refused = false;
    creation.setReplaceQuestion([&](const qv::create::ReplaceRequest &) {
        refused = !replace;
        return replace;
    });
    const qv::create::CreationResult result = creation.createPlanFromQA(args.first());
    if (result.planMade())
        c.out << result.documentPath << '\n';
    const QString report = result.reportText();
    if (!report.isEmpty())
        c.err << report << '\n';
    if (refused)
        c.err << "Give --replace to replace it; the existing plan then goes to the trash.\n";
    for (const QString &trashed : result.trashed)
        c.err << "Moved to the trash: " << trashed << '\n';
    return result.planMade() ? 0 : 1;
}

const qvtool::CommandRegistration registration("create", "create [-v] [--replace] [--install DIR] ANSWERS", create);

} // namespace
