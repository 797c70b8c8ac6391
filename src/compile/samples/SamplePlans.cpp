#include "compile/samples/SamplePlans.h"

#include "compile/CompileFiles.h"
#include "compile/compiler/PlanCompiler.h"
#include "composer/SectionFiles.h"
#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "plan/ModEnglish.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "plan/PlanRules.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace qv::samples {

namespace {

constexpr long kSampleFailed = 1;
const QString kSource = QStringLiteral("SamplePlans");

[[noreturn]] void fail(const QString &description)
{
    throw QvError(kSampleFailed, kSource, description);
}

QStringList answerLines(const QString &answersFile)
{
    QFile file(answersFile);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("The answers file cannot be read: ") + answersFile);
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

QString answer(const QStringList &lines, const QString &key)
{
    const QString prefix = QLatin1Char('[') + key + QStringLiteral("]=");
    for (const QString &line : lines)
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    return QString();
}

// The answers with the plan document moved into the folder.
QByteArray answersIn(const QStringList &lines, const QString &folder)
{
    const QString documentKey = QStringLiteral("[FIELD1.4]=");
    QStringList moved;
    for (const QString &line : lines) {
        if (!line.startsWith(documentKey)) {
            moved << line;
            continue;
        }
        QString name = QFileInfo(line.mid(documentKey.size()).trimmed()).fileName();
        if (name.isEmpty())
            fail(QStringLiteral("The answers name no plan document."));
        moved << documentKey + QDir(folder).filePath(name);
    }
    return moved.join(QLatin1Char('\n')).toUtf8();
}

// Every section with an example text gets it as its own text and counts as
// complete; excluded sections stay excluded.
int writeExampleTexts(plan::Plan &plan)
{
    const QString folder = plan.folder() + QLatin1Char('/');
    int written = 0;
    for (const auto &chapter : plan.outline().chapters())
        for (const auto &section : chapter->sections()) {
            const QString example = composer::exampleFilePath(plan, section->key());
            if (example.isEmpty() || !QFileInfo(example).isFile())
                continue;
            const QString name = composer::nextSectionFileName(folder);
            if (const QString error = platform::copyFileAtomically(example, folder + name); !error.isEmpty())
                fail(QStringLiteral("The example text of \"") + section->name() + QStringLiteral("\" cannot be written: ") + error);
            section->setTextFileName(name);
            if (section->status() != plan::Exclude)
                section->setStatus(plan::Complete);
            ++written;
        }
    return written;
}

} // namespace

plan::PlanInfo sampleInfoOfAnswers(const QString &answersFile)
{
    const QStringList lines = answerLines(answersFile);
    plan::PlanInfo info;
    const bool marketing = answer(lines, QStringLiteral("PLAN")).compare(QLatin1String("Marketing"), Qt::CaseInsensitive) == 0;
    info.setPlanType(marketing ? plan::MarketingPlan : plan::BusinessPlan);
    info.setBusinessKind(plan::ModEnglish::BusinessKindFromName(answer(lines, QStringLiteral("FIELD1.1"))));
    info.setNewBusiness(answer(lines, QStringLiteral("FIELD1.2")).compare(QLatin1String("Exist"), Qt::CaseInsensitive) != 0);
    return info;
}

SamplePlan makeSamplePlan(const QString &answersFile, const QString &output)
{
    const QStringList lines = answerLines(answersFile);
    QTemporaryDir work(QDir(platform::Folders::tempFolder()).filePath(QStringLiteral("quorvex-sample-XXXXXX")));
    if (!work.isValid())
        fail(QStringLiteral("No folder to make the sample plan in: ") + work.errorString());
    // Plan creation reads, then deletes, its answers file.
    const QString answers = work.filePath(QStringLiteral("answers.qa"));
    if (const QString error = platform::writeFileAtomically(answers, answersIn(lines, work.path())); !error.isEmpty())
        fail(error);

    SamplePlan sample;
    create::SilentProgress silent;
    create::PlanCreation creation(silent);
    const create::CreationResult created = creation.createPlanFromQA(answers);
    if (!created.planMade())
        fail(QStringLiteral("The sample plan could not be made: ") + created.failure);
    sample.notApplied = created.notApplied;

    plan::Plan plan;
    plan::initialisePlanLetters(plan);
    plan.planInfo().setPlanType(plan::planTypeOfPath(created.documentPath));
    plan.setFilePath(created.documentPath);
    if (!plan.Open())
        fail(QStringLiteral("The sample plan could not be opened: ") + plan.lastError());
    sample.sectionsWritten = writeExampleTexts(plan);
    plan.Save();

    QStringList failedTables;
    compile::writeCompileFiles(plan, compile::PrintConversions{},
                               [&](const QString &excel) { failedTables << excel; });
    if (!failedTables.isEmpty())
        fail(QStringLiteral("Tables could not be converted: ") + failedTables.join(QStringLiteral(", ")));

    if (!QDir().mkpath(QFileInfo(output).absolutePath()))
        fail(QStringLiteral("The samples folder cannot be made: ") + QFileInfo(output).absolutePath());
    compiler::CompileRequest request;
    request.folder = plan.folder();
    request.pdfPath = QFileInfo(output).absoluteFilePath();
    request.writeOdt = false;
    const compiler::CompileResult compiled = compiler::compilePlan(request);
    sample.output = compiled.pdfPath;
    sample.pages = compiled.pages;
    sample.leftOut = compiled.leftOut;
    return sample;
}

} // namespace qv::samples
