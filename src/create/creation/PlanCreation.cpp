#include "create/creation/PlanCreation.h"

#include "controls/workbook/Workbook.h"
#include "create/creation/AnswerValues.h"
#include "create/creation/CreationProgress.h"
#include "create/wizard/WizardLimits.h"
#include "plan/AnswerKeys.h"
#include "plan/FileNames.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"
#include "plan/PlanRules.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "resources/ResText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace qv::create {

namespace AnswerKey = plan::AnswerKey;

namespace {

const QString kSource = QStringLiteral("frmCreateProgress");
constexpr long kTableMissing = 9; // a key the table collection lacks

// String table ids (less 1000) of the status lines.
constexpr int kCustomizingTablesText = 449;
constexpr int kInitialisingPlanText = 451;

// The window lets the window system catch up this often before reading.
constexpr int kStartYields = 101;


// The header keys each count once towards the plan folder.
enum HeaderBit : unsigned { DocumentPathBit = 1, KindBit = 2, StageBit = 4 };
constexpr int kHeadersComplete = 3;
constexpr int kFolderMade = 10;

bool startsWithLetter(const QString &value, QChar letter)
{
    return !value.isEmpty() && value.at(0).toLower() == letter;
}

// Why the answered document path cannot hold a plan, or empty when it can:
// it must be a full path naming a file whose folder exists or can be made.
QString documentPathProblem(const QString &path)
{
    const QString shown = QLatin1Char('"') + path + QLatin1Char('"');
    for (const QChar c : path) {
        if (c.unicode() < 0x20)
            return QStringLiteral("The plan document path %1 holds a control character.").arg(shown);
    }
    // ":" begins Qt's resource paths, which no plan can be saved to.
    if (path.startsWith(QLatin1Char(':')) || !QDir::isAbsolutePath(path))
        return QStringLiteral("The plan document path %1 is not a full path.").arg(shown);
    const QFileInfo document(QDir::cleanPath(path));
    if (!plan::isPlainFileName(document.fileName()) || document.completeBaseName().isEmpty())
        return QStringLiteral("The plan document path %1 does not name a file.").arg(shown);
    if (document.isDir())
        return QStringLiteral("The plan document path %1 names a folder.").arg(shown);
    // The nearest folder that exists must let the user make the rest.
    QString existing = document.absolutePath();
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing)
            break;
        existing = parent;
    }
    const QFileInfo ancestor(existing);
    if (!ancestor.isDir())
        return QStringLiteral("The folder of the plan document %1 cannot be made: %2 is not a folder.")
            .arg(shown, existing);
    if (!ancestor.isWritable())
        return QStringLiteral("The folder of the plan document %1 cannot be written: %2 is read-only.")
            .arg(shown, existing);
    return QString();
}

} // namespace

QString CreationResult::reportText() const
{
    QStringList parts;
    if (!failure.isEmpty())
        parts << failure;
    if (!notApplied.isEmpty()) {
        parts << (planMade() ? QStringLiteral("The plan was made, but these answers could not be applied:")
                             : QStringLiteral("These answers could not be applied:"));
        for (const QString &line : notApplied)
            parts << QStringLiteral("- ") + line;
    }
    return parts.join(QLatin1Char('\n'));
}

PlanCreation::PlanCreation(CreationProgress &progress)
    : m_progress(progress), m_tables(std::make_unique<LoadedTables>())
{
}

PlanCreation::~PlanCreation() = default;

std::unique_ptr<plan::Plan> PlanCreation::takePlan() { return std::move(m_plan); }

// ---- Reporting ------------------------------------------------------------------

void PlanCreation::setMessage(const QString &text)
{
    if (!m_progress.isClosed())
        m_progress.showStatus(text);
}

void PlanCreation::setDetailMessage(const QString &text)
{
    // A closed window hears nothing more; creation goes on without it.
    if (!m_progress.isClosed())
        m_progress.showDetail(text.trimmed());
}

void PlanCreation::notApplied(const QString &line) { m_result.notApplied << line; }

void PlanCreation::stop(const QString &reason)
{
    if (m_result.failure.isEmpty())
        m_result.failure = reason;
    m_stopped = true;
}

bool PlanCreation::tryStep(const QString &what, const std::function<void()> &step)
{
    try {
        step();
        return true;
    } catch (const QvError &e) {
        notApplied(what + QStringLiteral(": ") + e.description());
    } catch (const std::exception &e) {
        notApplied(what + QStringLiteral(": ") + QString::fromLocal8Bit(e.what()));
    }
    return false;
}

// ---- The creation -------------------------------------------------------------------

CreationResult PlanCreation::createPlanFromQA(const QString &answerFilePath)
{
    m_result = CreationResult();
    m_plan.reset();
    m_tables = std::make_unique<LoadedTables>();
    m_profileHelper = CProfileHelper();
    m_headerCount = 0;
    m_headersSeen = 0;
    m_yearArrived = m_monthArrived = false;
    m_stopped = m_folderMade = m_readToEnd = false;
    m_documentStem.clear();
    m_replaceAgreedFor.clear();
    m_staging.discard();
    m_pending.clear();

    setMessage(GetResText(kInitialisingPlanText));
    m_progress.yieldToWindowSystem();

    const QFileInfo answers(answerFilePath);
    if (answerFilePath.isEmpty() || !answers.isFile()) {
        m_result.failure = QStringLiteral("The answer file \"%1\" does not exist; no plan was made.").arg(answerFilePath);
        return m_result;
    }

    m_plan = std::make_unique<plan::Plan>();
    plan::initialisePlanLetters(*m_plan);
    plan::DataFile file;
    file.setFilePath(answers.absoluteFilePath());
    file.setHandler(this);
    if (!file.Read()) {
        m_plan.reset();
        m_result.failure = QStringLiteral("The answer file could not be read; no plan was made.\n") + file.lastError();
        return m_result;
    }

    if (!m_folderMade) {
        if (m_result.failure.isEmpty())
            m_result.failure = missingHeadersText();
        m_plan.reset();
        m_staging.discard();
        return m_result;
    }

    try {
        m_plan->Save();
    } catch (const QvError &e) {
        m_result.failure = QStringLiteral("The new plan could not be saved: ") + e.description();
        m_plan.reset();
        m_staging.discard();
        return m_result;
    }
    if (!finishPlan())
        return m_result;
    m_result.documentPath = m_plan->fullPath();
    // The answers are kept for another try unless they made a plan, and so
    // is a file that was cut short.
    if (m_readToEnd && !QFile::remove(answers.absoluteFilePath()))
        notApplied(QStringLiteral("The answer file %1 could not be deleted.").arg(answers.absoluteFilePath()));
    return m_result;
}

QString PlanCreation::missingHeadersText() const
{
    QStringList missing;
    if (!(m_headersSeen & DocumentPathBit))
        missing << QStringLiteral("the plan document (%1)").arg(AnswerKey::kDocumentPath);
    if (!(m_headersSeen & KindBit))
        missing << QStringLiteral("the business kind (%1)").arg(AnswerKey::kBusinessKind);
    if (m_info.isBusinessPlan() && !(m_headersSeen & StageBit))
        missing << QStringLiteral("new or existing business (%1)").arg(AnswerKey::kBusinessStage);
    return QStringLiteral("The answer file does not say %1; no plan was made.")
        .arg(missing.join(QStringLiteral(", ")));
}

// ---- Reading the answers ----------------------------------------------------------------

QString PlanCreation::iFile_ClassDebugID() { return QString(); }

void PlanCreation::iFile_WriteFileData(plan::DataFile &) {}

void PlanCreation::iFile_ReadFileData(plan::DataFile &file)
{
    for (int i = 0; i < kStartYields; ++i)
        m_progress.yieldToWindowSystem();
    if (!m_plan) {
        m_plan = std::make_unique<plan::Plan>();
        plan::initialisePlanLetters(*m_plan);
    }
    m_info = plan::PlanInfo();
    m_info.setPlanType(plan::BusinessPlan);
    m_submitter = plan::Submitter();
    m_plan->setPlanInfo(m_info);
    m_plan->setSubmitter(m_submitter);

    QString line;
    while (!m_stopped && file.ReadLine(line)) {
        applyLine(line);
        if (!m_info.isBusinessPlan() && m_headerCount == kHeadersComplete - 1)
            m_headerCount = kHeadersComplete; // a marketing plan has no new-or-existing answer
        // However the count was reached, no plan folder is made without the
        // document that names it.
        if (m_headerCount >= kHeadersComplete && (m_headersSeen & DocumentPathBit) && !m_folderMade && !m_stopped)
            makePlanFolder();
    }
    if (m_stopped)
        return;
    if (!file.lastError().isEmpty())
        notApplied(QStringLiteral("Reading stopped before the end of the answer file: ") + file.lastError());
    else
        m_readToEnd = true;
    if (m_folderMade)
        pushQueuedValues();
}

void PlanCreation::applyLine(const QString &rawLine)
{
    const QString line = rawLine.trimmed();
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return;
    const QString key = line.left(equals).trimmed().toUpper();
    const QString value = line.mid(equals + 1).trimmed();

    if (key == AnswerKey::kReplace) {
        m_replaceAgreedFor = value;
        return;
    }
    if (key == AnswerKey::kPlanType || key == AnswerKey::kDocumentPath || key == AnswerKey::kBusinessKind
        || key == AnswerKey::kBusinessStage) {
        applyHeader(key, value);
        return;
    }
    if (applySubmitterAnswer(key, value))
        return;
    // Everything else needs the plan's folder, tables and final kind; an
    // answer that comes early waits for them.
    if (!m_folderMade) {
        m_pending.emplace_back(key, value);
        return;
    }
    applyCustomization(key, value);
}

void PlanCreation::applyHeader(const QString &key, const QString &value)
{
    if (m_folderMade) {
        notApplied(QStringLiteral("%1=%2: the plan folder was already made; the answer comes too late to change it.")
                       .arg(key, value));
        return;
    }
    unsigned bit = 0;
    if (key == AnswerKey::kPlanType) {
        m_info.setPlanType(startsWithLetter(value, u'b') ? plan::BusinessPlan : plan::MarketingPlan);
    } else if (key == AnswerKey::kDocumentPath) {
        // The wizard's own extension gives way to the plan type's.
        const QString stem = value.left(std::max<qsizetype>(0, value.size() - 4));
        const QString problem = documentPathProblem(stem + QStringLiteral(".bpl"));
        if (!problem.isEmpty()) {
            stop(problem + QStringLiteral(" No plan was made."));
            return;
        }
        m_documentStem = QDir::cleanPath(stem);
        bit = DocumentPathBit;
    } else if (key == AnswerKey::kBusinessKind) {
        m_info.setBusinessKind(plan::ModEnglish::BusinessKindFromName(value));
        bit = KindBit;
    } else {
        m_info.setNewBusiness(startsWithLetter(value, u'n'));
        bit = StageBit;
    }
    m_plan->setPlanInfo(m_info);
    // A header repeated changes its value but is counted once.
    if (bit && !(m_headersSeen & bit)) {
        m_headersSeen |= bit;
        ++m_headerCount;
    }
}

bool PlanCreation::applySubmitterAnswer(const QString &key, const QString &value)
{
    plan::Address &address = m_submitter.address();
    if (key == AnswerKey::kBusinessName) {
        m_info.setBusinessName(value);
        m_plan->setPlanInfo(m_info);
        // The title cells depend on the kind: queued once the folder exists.
        if (m_folderMade)
            m_profileHelper.handleBusinessName(*m_plan);
        else
            m_pending.emplace_back(key, value);
        return true;
    }
    if (key == AnswerKey::kSubmittedTo)
        m_submitter.setSubmittedTo(value);
    else if (key == AnswerKey::kSubmissionDate)
        m_submitter.setSubmissionDate(QVariant(value));
    else if (key == AnswerKey::kSubmitterName)
        address.setName(value);
    else if (key == AnswerKey::kStreet)
        address.setStreet(value);
    else if (key == AnswerKey::kCity)
        address.setCity(value);
    else if (key == AnswerKey::kState)
        address.setState(value);
    else if (key == AnswerKey::kZip)
        address.setZip(value);
    else if (key == AnswerKey::kTelephone)
        address.setTelephone(value);
    else
        return false;
    m_plan->setSubmitter(m_submitter);
    return true;
}

// ---- Answers that customize the plan ---------------------------------------------------

namespace {

// The answered count within the rows its tables have; a count outside them
// is reported and taken at the nearest end.
struct CountReading
{
    std::optional<int> count;
    QString note; // why the answer was not taken as given
};

CountReading readCount(const QString &key, const QString &value, wizard::Range range)
{
    CountReading reading;
    const std::optional<int> read = leadingCount(value);
    if (!read) {
        reading.note = QStringLiteral("%1=%2: not a number; the answer is ignored.").arg(key, value);
        return reading;
    }
    reading.count = std::clamp(*read, range.min, range.max);
    if (*reading.count != *read)
        reading.note = QStringLiteral("%1=%2: taken as %3 (the plan's tables allow %4 to %5).")
                           .arg(key, value)
                           .arg(*reading.count)
                           .arg(range.min)
                           .arg(range.max);
    return reading;
}

} // namespace

void PlanCreation::applyCustomization(const QString &key, const QString &value)
{
    if (key == AnswerKey::kBusinessName) {
        m_profileHelper.handleBusinessName(*m_plan);
        return;
    }
    if (key == AnswerKey::kFirstYear) {
        const std::optional<int> year = answerYear(value);
        if (!year) {
            notApplied(QStringLiteral("%1=%2: not a year; the answer is ignored.").arg(key, value));
            return;
        }
        m_plan->profile().setFirstYearDate(QDate(*year, 1, 1));
        yearOrMonthArrived(true);
        return;
    }
    if (key == AnswerKey::kFirstMonth) {
        const std::optional<int> month = answerMonth(value);
        if (!month) {
            notApplied(QStringLiteral("%1=%2: not a month from 1 to 12; the answer is ignored.").arg(key, value));
            return;
        }
        m_plan->profile().setMonth(*month);
        yearOrMonthArrived(false);
        return;
    }
    if (key.contains(QLatin1Char(':'))) {
        // Queued as given; checked when it is written.
        m_profileHelper.addTableValue(key, value);
        return;
    }
    if (key == AnswerKey::kProjectedYears) {
        // The projected years mean the same in both plan types.
        applyCount(key, value, wizard::limits::kProjectedYears, [&](int years) {
            m_plan->profile().setProjectedYears(years);
            tryStep(key + QLatin1Char('=') + value, [&] { m_profileHelper.handleProjection(*m_plan); });
        });
    } else if (m_info.isBusinessPlan()) {
        applyBusinessCount(key, value);
    } else {
        applyMarketingCount(key, value);
    }
}

void PlanCreation::applyCount(const QString &key, const QString &value, wizard::Range range,
                              const std::function<void(int)> &apply)
{
    const CountReading reading = readCount(key, value, range);
    if (!reading.note.isEmpty())
        notApplied(reading.note);
    if (reading.count)
        apply(*reading.count);
}

void PlanCreation::applyBusinessCount(const QString &key, const QString &value)
{
    namespace limits = wizard::limits;
    plan::Profile &profile = m_plan->profile();
    const QString what = key + QLatin1Char('=') + value;
    auto counted = [&](wizard::Range range, const std::function<void(int)> &apply) {
        applyCount(key, value, range, apply);
    };

    if (key == AnswerKey::kBusinessProducts) {
        counted(limits::kBusinessProducts, [&](int n) {
            tryStep(what, [&] { handleProductNo(n); });
            profile.setProductCount(n);
        });
    } else if (key == AnswerKey::kBusinessAdvertisingMedia) {
        counted(limits::kBusinessAdvertisingMedia, [&](int n) {
            profile.setAdvertisingMediaCount(n);
            if (n != limits::kBusinessAdvertisingMedia.max)
                tryStep(what, [&] { handleAdvertisingMediums(n); });
        });
    } else if (key == AnswerKey::kBusinessSegments) {
        counted(limits::kSegments, [&](int n) {
            profile.setSegmentCount(n);
            if (n != limits::kSegments.max)
                tryStep(what, [&] { handleSegments(n); });
        });
    } else if (key == AnswerKey::kBusinessMarkets) {
        counted(limits::kBusinessMarkets, [&](int n) {
            profile.setMarketCount(n);
            tryStep(what, [&] { handleDifferentMarkets(n); });
        });
    }
    // Every other key is no answer of a business plan.
}

void PlanCreation::applyMarketingCount(const QString &key, const QString &value)
{
    namespace limits = wizard::limits;
    plan::Profile &profile = m_plan->profile();
    const QString what = key + QLatin1Char('=') + value;
    auto counted = [&](wizard::Range range, const std::function<void(int)> &apply) {
        applyCount(key, value, range, apply);
    };
    auto marketingCount = [&](int which) {
        counted(limits::kMarketingItems, [&](int n) {
            profile.setMarketingCount(which, n);
            tryStep(what, [&] { handleMarketingCount(which, n); });
        });
    };

    if (key == AnswerKey::kMarketingProducts) {
        counted(limits::kMarketingProducts, [&](int n) {
            tryStep(what, [&] { handleMProductNo(n); });
            profile.setProductCount(n);
        });
    } else if (key == AnswerKey::kMarketingPublicRelations) {
        marketingCount(1);
    } else if (key == AnswerKey::kMarketingSalesPromotions) {
        marketingCount(2);
    } else if (key == AnswerKey::kMarketingAdvertisingMedia) {
        counted(limits::kMarketingAdvertisingMedia, [&](int n) {
            profile.setAdvertisingMediaCount(n);
            if (n != limits::kMarketingAdvertisingMedia.max)
                tryStep(what, [&] { handleMAdvertisingMediums(n); });
        });
    } else if (key == AnswerKey::kMarketingMarkets) {
        counted(limits::kMarketingMarkets, [&](int n) {
            profile.setMarketCount(n);
            tryStep(what, [&] { handleMMarketing(n); });
        });
    } else if (key == AnswerKey::kMarketingEvents) {
        marketingCount(3);
    } else if (key == AnswerKey::kMarketingDirectCampaigns) {
        marketingCount(4);
    }
}

void PlanCreation::yearOrMonthArrived(bool isYear)
{
    (isYear ? m_yearArrived : m_monthArrived) = true;
    // The headings need both; whichever comes second writes them.
    if (m_yearArrived && m_monthArrived)
        tryStep(QStringLiteral("The month and year headings"), [&] { m_profileHelper.handleYearandMonth(*m_plan); });
}

// ---- The plan folder ---------------------------------------------------------------------

void PlanCreation::makePlanFolder()
{
    const bool business = m_info.isBusinessPlan();
    m_plan->setPlanInfo(m_info);
    const QString finalDocument = m_documentStem + (business ? QStringLiteral(".bpl") : QStringLiteral(".mpl"));

    // Without its template a plan would have no outline: better none at all.
    const QString templateDocument =
        platform::resolveExistingPath(plan::ModEnglish::TemplatePlanDocumentPath(m_info));
    if (!QFileInfo(templateDocument).isFile()) {
        stop(QStringLiteral("The template library lacks the plan document %1; no plan was made.").arg(templateDocument));
        return;
    }
    if (!stagePlan(finalDocument))
        return;
    m_plan->setFilePath(m_staging.stagedDocument());

    createDirectory();
    if (m_stopped)
        return;
    copyTemplatePlan();
    setMessage(GetResText(kCustomizingTablesText));
    m_progress.yieldToWindowSystem();
    // A template that cannot be read still leaves a plan with the answers.
    if (!m_plan->Open())
        notApplied(QStringLiteral("The template plan document could not be read: ") + m_plan->lastError());
    copyTables();
    loadTables();
    // The answers, not the template, decide the kind, stage and submitter.
    m_plan->setPlanInfo(m_info);
    m_plan->setSubmitter(m_submitter);
    m_headerCount = kFolderMade;
    m_folderMade = true;

    std::vector<std::pair<QString, QString>> early;
    early.swap(m_pending);
    for (const auto &[key, value] : early)
        applyCustomization(key, value);
}

bool PlanCreation::stagePlan(const QString &finalDocument)
{
    const QString folder =
        platform::resolveExistingPath(plan::ModEnglish::PlanFolderOf(finalDocument, m_plan->typeLetter()));
    const QFileInfo info(folder);
    if (info.isSymLink()) {
        stop(QStringLiteral("The plan folder %1 is a link to another place; no plan was made.").arg(folder));
        return false;
    }
    if (info.exists() && !info.isDir()) {
        stop(QStringLiteral("A file %1 stands where the plan folder belongs; no plan was made.").arg(folder));
        return false;
    }
    if (plan::planAt(finalDocument).exists() && !mayReplace(finalDocument)) {
        stop(QStringLiteral("A plan named \"%1\" already exists in %2 and was kept; no plan was made.")
                 .arg(QFileInfo(finalDocument).completeBaseName(), QFileInfo(finalDocument).absolutePath()));
        return false;
    }
    // The new plan is built aside and takes its place only when complete.
    const QString error = m_staging.begin(finalDocument);
    if (!error.isEmpty()) {
        stop(error + QStringLiteral(" No plan was made."));
        return false;
    }
    return true;
}

bool PlanCreation::mayReplace(const QString &finalDocument)
{
    if (!m_replaceQuestion)
        return false;
    const bool agreed = !m_replaceAgreedFor.isEmpty()
                        && QDir::cleanPath(m_replaceAgreedFor) == QDir::cleanPath(finalDocument);
    return m_replaceQuestion({finalDocument, agreed});
}

bool PlanCreation::finishPlan()
{
    const QString error = m_staging.commit();
    if (!error.isEmpty()) {
        m_result.failure = QStringLiteral("The new plan could not take its place: ") + error;
        m_plan.reset();
        m_staging.discard();
        return false;
    }
    for (const QString &trashed : {m_staging.trashedDocument(), m_staging.trashedFolder()}) {
        if (!trashed.isEmpty())
            m_result.trashed << trashed;
    }
    m_plan->setFilePath(m_staging.finalDocument());
    m_tables->setFolder(m_plan->folder());
    return true;
}

void PlanCreation::createDirectory()
{
    setMessage(QStringLiteral("Creating Plan Directory"));
    setDetailMessage(QStringLiteral("\""));
    const QString folder = m_plan->folder();
    if (!QDir().mkpath(folder))
        stop(QStringLiteral("The plan folder %1 could not be made; no plan was made.").arg(folder));
}

void PlanCreation::copyTemplatePlan()
{
    const QString document = m_plan->fullPath();
    const QString source = platform::resolveExistingPath(plan::ModEnglish::TemplatePlanDocumentPath(m_info));
    setMessage(QStringLiteral("Copying Template File"));
    setDetailMessage(QStringLiteral("Creating File: ")
                     + (m_staging.active() ? m_staging.finalDocument() : document));
    const QString error = platform::copyFileAtomically(source, document);
    if (!error.isEmpty())
        notApplied(QStringLiteral("The template plan document could not be copied to %1: %2").arg(document, error));
}

void PlanCreation::copyTables()
{
    setMessage(QStringLiteral("Copying Tables"));
    setDetailMessage(QString());
    const QString source = platform::resolveExistingPath(plan::ModEnglish::GetTablesFolder(m_info));
    const QDir sourceDir(source);
    if (!sourceDir.exists()) {
        notApplied(QStringLiteral("The template tables folder %1 is missing; the plan has no tables.").arg(source));
        return;
    }
    const QString folder = m_plan->folder();
    const QStringList names = sourceDir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        // A file of the reused folder spelt in another case is updated, not doubled.
        const QString target = platform::resolveExistingPath(platform::joinPath(folder, name));
        const QString error = platform::copyFileAtomically(sourceDir.filePath(name), target);
        if (!error.isEmpty())
            notApplied(QStringLiteral("The template table %1 could not be copied: %2").arg(name, error));
        m_progress.yieldToWindowSystem();
    }
}

void PlanCreation::loadTables()
{
    setMessage(GetResText(kCustomizingTablesText));
    setDetailMessage(QString());
    m_tables = std::make_unique<LoadedTables>();
    m_tables->loadFolder(m_plan->folder(), [this](const QString &fileName) {
        setDetailMessage(QStringLiteral("Loading ") + fileName);
        m_progress.yieldToWindowSystem();
    });
    for (const QString &failure : m_tables->failures())
        notApplied(QStringLiteral("A table could not be loaded: ") + failure);
    m_profileHelper.setTables(m_tables.get());
}

// ---- Queued cell values ------------------------------------------------------------------------

void PlanCreation::pushQueuedValues()
{
    const int count = m_profileHelper.getCount();
    if (count == 0)
        return;
    m_progress.startProgress(count);
    // Each table is recalculated and written once, after its last value.
    std::vector<QString> touched;
    for (int index = 0; index < count; ++index) {
        QString key;
        QString value;
        m_profileHelper.getValues(index, key, value);
        const QString table = updateCell(key, value);
        if (!table.isEmpty() && std::find(touched.begin(), touched.end(), table) == touched.end())
            touched.push_back(table);
        m_progress.advanceProgress();
        m_progress.yieldToWindowSystem();
    }
    for (const QString &table : touched)
        tryStep(QStringLiteral("Writing table ") + table, [&] { m_tables->recalculateAndWrite(table); });
}

QString PlanCreation::updateCell(const QString &key, const QString &value)
{
    const QString shown = cellKeyText(key);
    setDetailMessage(QStringLiteral("Updating cell: ") + shown);
    const QString what = shown + QLatin1Char('=') + value;
    const std::optional<CellKey> cell = parseCellKey(key);
    if (!cell) {
        notApplied(what + QStringLiteral(": not a table name and a cell such as Tbl0303:B1; skipped."));
        return QString();
    }
    workbook::Workbook *book = m_tables->find(cell->table);
    if (!book) {
        notApplied(what + QStringLiteral(": the plan has no table %1.").arg(cell->table));
        return QString();
    }
    const workbook::EditResult result = writeQueuedValue(*book, cell->row, cell->col, value);
    if (!result) {
        notApplied(what + QStringLiteral(": ") + result.message);
        return QString();
    }
    return m_tables->fileNameOf(cell->table);
}

// ---- Table customizations ----------------------------------------------------------------------

void PlanCreation::hideRows(const QString &tableName, int first, int last)
{
    workbook::Workbook *book = m_tables ? m_tables->find(tableName) : nullptr;
    if (!book)
        throw QvError(kTableMissing, kSource, QStringLiteral("The plan has no table %1.").arg(tableName));
    if (first <= last)
        book->setRowsHidden(std::max(first, 1), last, true);
    m_tables->recalculateAndWrite(tableName);
}

void PlanCreation::handleAdvertisingMediums(int count)
{
    const int n = std::clamp(count, 0, 6);
    QString table = QStringLiteral("Tbl0805");
    if (m_info.isBusinessPlan())
        table = m_info.businessKind() == plan::Custom ? QStringLiteral("Tbl0406") : QStringLiteral("Tbl0601");
    const int base = m_info.newBusiness() ? 3 : 4;
    hideRows(table, n + base, base + 5);
}

void PlanCreation::handleMAdvertisingMediums(int count)
{
    hideRows(QStringLiteral("Tbl0805"), std::clamp(count, 0, 10) + 3, 12);
}

void PlanCreation::handleDifferentMarkets(int count)
{
    const int n = std::clamp(count, 0, 6);
    if (n != 6)
        hideRows(QStringLiteral("Tbl0302"), n + 4, 9);
}

void PlanCreation::handleMMarketing(int count)
{
    const int n = std::clamp(count, 0, 10);
    if (n != 10)
        hideRows(QStringLiteral("Tbl0806"), n + 3, 12);
}

void PlanCreation::handleProductNo(int count)
{
    const int n = std::clamp(count, 0, 10);
    if (n == 10)
        return;
    const bool custom = m_info.businessKind() == plan::Custom;
    hideRows(custom ? QStringLiteral("Tbl0403") : QStringLiteral("Tbl0503"), 3 * n + 3, 32);
    hideRows(custom ? QStringLiteral("Tbl0404") : QStringLiteral("Tbl0505"), 5 * n + 2, 51);
}

void PlanCreation::handleMProductNo(int count)
{
    const int n = std::clamp(count, 0, 10);
    if (n == 10)
        return;
    hideRows(QStringLiteral("Tbl0801"), n + 4, 14);
    hideRows(QStringLiteral("Tbl0802"), 6 * n + 3, 62);
    hideRows(QStringLiteral("Tbl1101"), 4 * n + 3, 42);
}

void PlanCreation::handleSegments(int count)
{
    hideRows(QStringLiteral("Tbl0301"), std::clamp(count, 0, 6) + 3, 8);
}

void PlanCreation::handleMarketingCount(int which, int count)
{
    static const char *const tables[] = {"Tbl0803", "Tbl0804", "Tbl0807", "Tbl0808"};
    if (which < 1 || which > 4)
        return;
    hideRows(QString::fromLatin1(tables[which - 1]), std::clamp(count, 0, 10) + 3, 12);
}

} // namespace qv::create
