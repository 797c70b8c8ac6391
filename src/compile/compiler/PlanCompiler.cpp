#include "compile/compiler/PlanCompiler.h"

#include "compile/CompileErrors.h"
#include "compile/compiler/OdtOutput.h"
#include "compile/compiler/PdfOutput.h"
#include "compile/compiler/PlanMaterials.h"
#include "compile/compiler/PlanPages.h"
#include "compile/compiler/PlanSource.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <QDir>

namespace qv::compiler {

namespace {

class Steps
{
public:
    explicit Steps(const CompileProgress &progress) : m_progress(progress) {}
    void start(CompileStep step, int total = 1)
    {
        m_done = 0;
        if (m_progress.stepStarted)
            m_progress.stepStarted(step, total);
    }
    // False when the user cancelled.
    bool part()
    {
        return !m_progress.partDone || m_progress.partDone(++m_done);
    }

private:
    const CompileProgress &m_progress;
    int m_done = 0;
};

void save(const QString &path, const QByteArray &bytes)
{
    const QString why = platform::writeFileAtomically(path, bytes);
    if (!why.isEmpty())
        throw QvError(compile::kPathFileAccessError, QStringLiteral("Compiler"),
                      QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), why));
}

int sectionCount(const PlanSource &source)
{
    int count = 0;
    for (const Chapter &chapter : source.chapters)
        count += int(chapter.sections.size());
    return count;
}

} // namespace

QString stepText(CompileStep step)
{
    switch (step) {
    case CompileStep::Reading: return QStringLiteral("Reading the plan's texts, tables and charts");
    case CompileStep::Layout: return QStringLiteral("Laying out the pages");
    case CompileStep::Drawing: return QStringLiteral("Drawing the pages");
    case CompileStep::Navigation: return QStringLiteral("Adding bookmarks and links");
    case CompileStep::OpenDocument: return QStringLiteral("Writing the OpenDocument text");
    case CompileStep::Saving: return QStringLiteral("Saving the compiled plan");
    }
    return {};
}

CompileResult compilePlan(const CompileRequest &request, const CompileProgress &progress)
{
    CompileResult result;
    Steps steps(progress);
    const PlanSource source = readPlanSource(request.folder);
    steps.start(CompileStep::Reading, std::max(1, sectionCount(source)));
    bool going = true;
    const PlanMaterials materials = readMaterials(source, [&] { return going = steps.part(); });
    result.leftOut = materials.leftOut;
    auto cancelled = [&] {
        result.cancelled = true;
        return result;
    };
    if (!going)
        return cancelled();

    QByteArray pdf;
    if (request.writePdf) {
        steps.start(CompileStep::Layout);
        const ComposedPlan plan = composePlan(source, materials);
        result.pages = int(plan.pages.size());
        if (!steps.part())
            return cancelled();
        steps.start(CompileStep::Drawing, result.pages);
        pdf = drawPdf(plan, {source.cover.businessName + QLatin1Char(' ') + source.cover.planTypeTitle(),
                             source.cover.submitterName},
                      [&] { return steps.part(); });
        if (pdf.isEmpty())
            return cancelled();
        steps.start(CompileStep::Navigation);
        pdf = addNavigation(pdf, plan);
        if (!steps.part())
            return cancelled();
    }
    QByteArray odt;
    if (request.writeOdt) {
        steps.start(CompileStep::OpenDocument);
        odt = writeOdt(source, materials);
        if (!steps.part())
            return cancelled();
    }

    // From here on the compile is complete and is no longer cancelled.
    steps.start(CompileStep::Saving, int(request.writePdf) + int(request.writeOdt));
    const QString base = source.folder + source.planName;
    if (request.writePdf) {
        result.pdfPath = request.pdfPath.isEmpty() ? base + QStringLiteral(".pdf") : request.pdfPath;
        save(result.pdfPath, pdf);
    }
    if (request.writeOdt) {
        result.odtPath = request.odtPath.isEmpty() ? base + QStringLiteral(".odt") : request.odtPath;
        save(result.odtPath, odt);
    }
    return result;
}

} // namespace qv::compiler
