#include "composer/OpenPlanSession.h"

#include "composer/LeftoverEdits.h"
#include "composer/PlanLock.h"
#include "composer/PlanSaving.h"
#include "composer/PlanTables.h"
#include "composer/ReadOnlyCopy.h"
#include "composer/RecentPlans.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "plan/Plan.h"
#include "plan/PlanRules.h"
#include "plan/WorkingCopies.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "resources/ResText.h"
#include "shell/CurrentPlan.h"
#include "support/CWaitCursor.h"
#include "support/ErrorReports.h"

#include <QFileInfo>

#include <optional>

namespace qv::composer {

namespace {

// Restores a flag when the scope ends, however it ends.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &m_flag;
};

// The string table's "Save Plan" question.
constexpr int kSavePlanQuestion = 605;

// The error number of a file that could not be read or written.
constexpr long kFileAccessError = 75;
// The error number of a plan that another program has open.
constexpr long kPermissionDenied = 70;

} // namespace

OpenPlanSession::OpenPlanSession(QObject *parent)
    : QObject(parent), m_tables(std::make_unique<workbook::WorkbookSet>()), m_lock(std::make_unique<PlanLock>())
{
}

OpenPlanSession::~OpenPlanSession() = default;

plan::Plan &OpenPlanSession::plan() const
{
    return shell::ensureCurrentPlan();
}

// ---- The plan ----------------------------------------------------------------------

Result<void> OpenPlanSession::OpenPlan(const QString &path)
{
    Result<void> opened = openDocument(path);
    if (opened)
        m_readOnlyCopy.reset(); // a plan of its own replaced the copy
    return opened;
}

bool OpenPlanSession::isPlanInUse(const Failure &failure)
{
    return failure.number == kPermissionDenied;
}

Result<void> OpenPlanSession::OpenReadOnlyCopy(const QString &path)
{
    auto copy = std::make_unique<ReadOnlyCopy>();
    QString error;
    const QString copied = copy->make(path, error);
    if (copied.isEmpty())
        return Failure{kFileAccessError, error, QStringLiteral("Opening ") + path};
    Result<void> opened = openDocument(copied);
    if (opened)
        m_readOnlyCopy = std::move(copy);
    return opened;
}

QString OpenPlanSession::readOnlyOriginal() const
{
    return m_readOnlyCopy ? m_readOnlyCopy->original() : QString();
}

Result<void> OpenPlanSession::openDocument(const QString &path)
{
    support::CWaitCursor wait;
    auto opened = std::make_unique<plan::Plan>();
    plan::initialisePlanLetters(*opened);
    opened->planInfo().setPlanType(plan::planTypeOfPath(path));
    opened->setFilePath(path);
    if (!opened->Open()) {
        const QString reason = opened->lastError().isEmpty()
                                   ? QStringLiteral("The plan %1 could not be opened.").arg(path)
                                   : opened->lastError();
        return Failure{kFileAccessError, reason, QStringLiteral("Opening ") + path};
    }
    if (Result<void> locked = lockPlan(*opened); !locked)
        return locked;
    if (!opened->folder().isEmpty())
        plan::adoptNewSectionTexts(opened->folder(), opened->outline());
    const bool recovered = offerLeftoverEdits(*opened);
    shell::adoptCurrentPlan(std::move(opened));
    start();
    if (recovered)
        markModified();
    return success();
}

Result<void> OpenPlanSession::lockPlan(const plan::Plan &plan)
{
    const QString folder = plan.folder();
    if (folder.isEmpty())
        return success();
    // The plan this session holds keeps its lock when opened again.
    if (m_lock->held() && QFileInfo(m_lock->folder()) == QFileInfo(folder))
        return success();
    auto lock = std::make_unique<PlanLock>();
    QString refusal;
    if (!lock->take(folder, plan.name(), refusal))
        return Failure{kPermissionDenied, refusal, QStringLiteral("Opening ") + plan.fullPath()};
    m_lock = std::move(lock);
    return success();
}

bool OpenPlanSession::offerLeftoverEdits(const plan::Plan &opened)
{
    if (opened.folder().isEmpty())
        return false;
    const QStringList edits = leftoverEdits(opened.folder(), opened.outline());
    if (edits.isEmpty())
        return false;
    const platform::Answer answer = platform::msgBox(m_reportOwner, recoverEditsQuestion(opened.name(), edits),
                                                     platform::Buttons::YesNo, platform::Icon::Question);
    if (answer == platform::Answer::Yes)
        return true;
    plan::deleteWorkingCopies(opened.folder());
    return false;
}

void OpenPlanSession::start()
{
    // A plan that reached the session without OpenPlan (a new plan handed
    // over by creation) is locked here.
    if (Result<void> locked = lockPlan(plan()); !locked)
        support::reportOperationError(m_reportOwner, locked.failure());
    forgetEdits();
    setCurrentSection(nullptr);
    LoadAllTables();
    rememberTableDigests();
    m_pendingDeletions.clear();
    emit planOpened();
}

void OpenPlanSession::forgetEdits()
{
    m_textChanged = false;
    m_changedTables.clear();
}

// ---- Tables --------------------------------------------------------------------------

void OpenPlanSession::LoadAllTables()
{
    support::CWaitCursor wait;
    emit tablesAboutToReload();
    m_changedTables.clear();
    setCurrentTable(nullptr);
    m_tables->clear();
    {
        // One recalculation of the whole set, once every table is in, brings
        // linked values up to date.
        workbook::WorkbookSet::Batch once(*m_tables);
        for (const TableEntry &entry : tablesInPlanOrder(plan().outline())) {
            const plan::Table &table = *entry.table;
            auto book = std::make_shared<workbook::Workbook>();
            // The working copy holds the latest edit while it exists.
            const QString path = table.fileToLoad();
            if (!path.isEmpty() && QFileInfo::exists(path)) {
                try {
                    book->read(path);
                } catch (const QvError &error) {
                    support::reportOperationError(m_reportOwner, Failure::of(error, QStringLiteral("Loading ") + path));
                }
            } else {
                support::reportFileLoadError(m_reportOwner, path);
            }
            const QString name = table.name();
            workbook::Workbook *added = m_tables->add(book, name);
            connect(added, &workbook::Workbook::contentChanged, this, [this, name] { markTableChanged(name); });
        }
    }
    emit tablesLoaded();
}

workbook::Workbook *OpenPlanSession::table(const QString &name) const
{
    return name.isEmpty() ? nullptr : m_tables->find(name);
}

plan::PlanOutline::TablePlace OpenPlanSession::findTable(const QString &namePrefix) const
{
    if (namePrefix.isEmpty())
        return {};
    return plan().outline().findTable(namePrefix);
}

std::shared_ptr<plan::Table> OpenPlanSession::tableOfPlan(const QString &name) const
{
    for (const TableEntry &entry : tablesInPlanOrder(plan().outline())) {
        if (entry.table->name().compare(name, Qt::CaseInsensitive) == 0)
            return entry.table;
    }
    return nullptr;
}

// ---- Where the user works --------------------------------------------------------------

void OpenPlanSession::setCurrentSection(const std::shared_ptr<plan::Section> &section)
{
    const bool changed = section != m_section;
    m_section = section;
    setCurrentTable(nullptr);
    if (changed)
        emit currentSectionChanged();
}

void OpenPlanSession::setCurrentTable(const std::shared_ptr<plan::Table> &table)
{
    if (table == m_table)
        return;
    m_table = table;
    emit currentTableChanged();
}

// ---- What changed ----------------------------------------------------------------------

bool OpenPlanSession::isModified() const
{
    const plan::Plan *current = shell::currentPlan();
    return current && current->modified();
}

void OpenPlanSession::setModified(bool modified)
{
    plan::Plan &current = plan();
    const bool flipped = current.modified() != modified;
    current.setModified(modified);
    if (flipped)
        emit modifiedChanged(modified);
}

void OpenPlanSession::markTextChanged()
{
    m_textChanged = true;
    markModified();
}

void OpenPlanSession::markTableChanged(const QString &name)
{
    m_changedTables.insert(name);
    markModified();
    emit tableChanged(name);
}

void OpenPlanSession::markRelinkedTables()
{
    for (workbook::Workbook *book : m_tables->books()) {
        const QString name = book->title();
        if (m_changedTables.contains(name))
            continue;
        const auto kept = m_tableDigests.constFind(name);
        if (kept != m_tableDigests.constEnd() && *kept != formulaResultsDigest(*book))
            m_changedTables.insert(name);
    }
}

void OpenPlanSession::rememberTableDigests()
{
    m_tableDigests.clear();
    for (workbook::Workbook *book : m_tables->books()) {
        // A table still waiting to be written keeps no digest, so it is
        // compared afresh once written.
        if (!m_changedTables.contains(book->title()))
            m_tableDigests.insert(book->title(), formulaResultsDigest(*book));
    }
}

Result<void> OpenPlanSession::writeChangedTables()
{
    const QSet<QString> pending = m_changedTables;
    for (const QString &name : pending) {
        const std::shared_ptr<plan::Table> entry = tableOfPlan(name);
        workbook::Workbook *book = m_tables->find(name);
        if (!entry || !book) { // the table left the plan
            m_changedTables.remove(name);
            continue;
        }
        const QString path = platform::joinPath(entry->folder(), entry->primaryFileName());
        try {
            book->write(path);
        } catch (const QvError &error) {
            return Failure::of(error, QStringLiteral("Saving ") + path);
        }
        m_changedTables.remove(name);
    }
    return success();
}

// ---- Edits held by windows ----------------------------------------------------------------

void OpenPlanSession::addEditWriter(QObject *window, EditWriter writer)
{
    m_editWriters.emplace_back(window, std::move(writer));
}

bool OpenPlanSession::writeHeldEdits()
{
    bool complete = true;
    // A writer of a window that has gone has nothing left to write.
    std::erase_if(m_editWriters, [](const auto &entry) { return entry.first.isNull(); });
    const auto writers = m_editWriters; // a writer may add or remove writers
    for (const auto &[window, writer] : writers) {
        if (window.isNull())
            continue;
        const Result<void> written = writer();
        if (!written) {
            support::reportOperationError(m_reportOwner, written.failure());
            complete = false;
        }
    }
    return complete;
}

// ---- Saving and closing -----------------------------------------------------------------

Result<void> OpenPlanSession::saveDocument()
{
    plan::Plan &current = plan();
    const bool wasModified = current.modified();
    try {
        if (current.fullPath().isEmpty()) {
            if (!current.SaveUnnamed())
                return Failure::cancelled();
        } else {
            current.Save();
        }
    } catch (const QvError &error) {
        return Failure::of(error, QStringLiteral("Saving ") + current.fullPath());
    }
    if (wasModified)
        emit modifiedChanged(false);
    return success();
}

Result<void> OpenPlanSession::SavePlan()
{
    // A save lets window messages run while it commits; a second one
    // started meanwhile would find working copies half committed.
    if (m_saving)
        return Failure::cancelled();
    if (m_readOnlyCopy) {
        const Failure refused{kPermissionDenied,
                              QStringLiteral("This is a read-only copy of \"%1\", which is open in another Quorvex "
                                             "window. Changes made to the copy cannot be saved to the plan.")
                                  .arg(QFileInfo(m_readOnlyCopy->original()).completeBaseName()),
                              QStringLiteral("Saving")};
        // Not a failure of the disk or the plan: the copy is kept read-only on purpose.
        platform::msgBox(m_reportOwner, refused.description, platform::Buttons::Ok, platform::Icon::Information);
        return refused;
    }
    FlagGuard savingNow(m_saving);
    support::CWaitCursor wait;
    emit saveStarted();
    std::optional<Failure> first;
    auto note = [&first](const Failure &failure) {
        if (!first)
            first = failure;
    };
    auto reportAndNote = [this, &note](const Failure &failure) {
        support::reportOperationError(m_reportOwner, failure);
        note(failure);
    };

    if (!writeHeldEdits())
        note(Failure{kFileAccessError, QStringLiteral("An edit could not be written."), QStringLiteral("Saving")});
    markRelinkedTables();
    if (const Result<void> tables = writeChangedTables(); !tables)
        reportAndNote(tables.failure());
    rememberTableDigests();

    const Result<void> document = saveDocument();
    if (!document && document.failure().isCancelled()) {
        emit saveFinished(false);
        return document; // no place chosen: nothing is committed
    }
    if (!document)
        reportAndNote(document.failure());

    const QString folder = plan().folder();
    // Deleted sections' files go only once no saved document names them.
    if (document)
        m_pendingDeletions.deleteFrom(folder, plan().outline().chapters());
    commitWorkingFiles(folder, commitPauseSeconds(), [&](const CommitFailure &failure) {
        reportAndNote(Failure{failure.number, failure.description, QStringLiteral("Saving ") + failure.target});
    });
    emit saveFinished(!first);
    if (first)
        return *first;
    return success();
}

void OpenPlanSession::DeleteWorkingFiles()
{
    const plan::Plan *current = shell::currentPlan();
    if (!current || current->folder().isEmpty())
        return;
    DeleteMatchingFiles(current->folder(), QStringLiteral("*.tmp"));
    DeleteMatchingFiles(current->folder(), QStringLiteral("*.tbf"));
}

bool OpenPlanSession::ClosePlan()
{
    plan::Plan *current = shell::currentPlan();
    if (!current)
        return true;
    if (m_saving)
        return false; // its working copies are still being committed
    if (m_readOnlyCopy) {
        if (current->modified()
            && platform::msgBox(m_reportOwner,
                                QStringLiteral("The changes made to this read-only copy will be discarded. Close it?"),
                                platform::Buttons::YesNo, platform::Icon::Question)
                   != platform::Answer::Yes)
            return false;
        m_lock->release();
        m_readOnlyCopy.reset();
        m_pendingDeletions.clear();
        forgetEdits();
        emit planClosed();
        return true;
    }
    if (current->modified()) {
        const platform::Answer answer = platform::msgBox(m_reportOwner, GetResText(kSavePlanQuestion),
                                                         platform::Buttons::YesNoCancel, platform::Icon::Question);
        if (answer == platform::Answer::Cancel)
            return false;
        // A save that fails keeps the plan open, so that no edit is lost with
        // the working copies.
        if (answer == platform::Answer::Yes && !SavePlan())
            return false;
    }
    if (!current->fullPath().isEmpty())
        addToRecentPlans(current->fullPath());
    DeleteWorkingFiles();
    m_lock->release();
    // Unsaved deletions are undone by not saving: their files stay.
    m_pendingDeletions.clear();
    // What windows show now matches no working copy: it is not written
    // again unless edited anew.
    forgetEdits();
    emit planClosed();
    return true;
}

} // namespace qv::composer
