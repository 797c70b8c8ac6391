#pragma once

// The open plan, apart from any window: the current Plan, every table of it
// loaded into one set that resolves the links between tables, the section
// and the table being worked on, what changed since the last save, and the
// save and close sequences. The composer leads it; every other window that
// works on the open plan joins it (composer's session()) rather than keeping
// tables of its own, and follows its signals.

#include "composer/OutlineEditing.h"
#include "plan/Outline.h"
#include "platform/Result.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>
#include <vector>

namespace qv::plan {
class Plan;
} // namespace qv::plan

namespace qv::workbook {
class Workbook;
class WorkbookSet;
} // namespace qv::workbook

namespace qv::composer {

class PlanLock;
class ReadOnlyCopy;

class OpenPlanSession : public QObject
{
    Q_OBJECT
public:
    explicit OpenPlanSession(QObject *parent = nullptr);
    ~OpenPlanSession() override;

    // The window over which the session's own messages show (the failures
    // it reports and goes on past, the "Save Plan" question); may be none.
    void setReportOwner(QObject *owner) { m_reportOwner = owner; }
    QObject *reportOwner() const { return m_reportOwner; }

    // ---- The plan ------------------------------------------------------------------
    // The program's current Plan (created when missing).
    plan::Plan &plan() const;
    // Opens the document into a fresh plan; only when the library accepts it
    // does it become the current plan, whose tables are then loaded (start).
    // A refused document leaves everything as it was.
    // The plan is locked while open: one held by another live program is
    // refused. Edits a crashed program left unsaved are offered back (Yes
    // keeps them, marking the plan modified) or discarded.
    Result<void> OpenPlan(const QString &path);
    // A plan refused because another window holds it (see OpenPlan) can be
    // opened as a read-only copy instead: a copy as last saved, in a
    // temporary folder, which the session never saves.
    static bool isPlanInUse(const Failure &failure);
    Result<void> OpenReadOnlyCopy(const QString &path);
    bool isReadOnlyCopy() const { return m_readOnlyCopy != nullptr; }
    // The plan the read-only copy was made of (empty for a plan of its own).
    QString readOnlyOriginal() const;
    // Makes the plan the current Plan holds the open plan: loads its tables
    // and forgets what earlier plans left changed. Emits planOpened.
    void start();

    // ---- Tables --------------------------------------------------------------------
    // One workbook per table of the plan, titled by table name, in plan
    // order; a missing or unreadable file is reported and its table stays
    // in the set, empty. Then one recalculation brings links up to date.
    void LoadAllTables();
    // The loaded tables (the same set every window shows, never a copy).
    workbook::WorkbookSet &getTables() const { return *m_tables; }
    // The loaded workbook of the table so named (any case), or nullptr.
    workbook::Workbook *table(const QString &name) const;
    // The first table in plan order whose name starts with the text (any
    // case), with its chapter and section; no table when none does.
    plan::PlanOutline::TablePlace findTable(const QString &namePrefix) const;

    // ---- Where the user works ------------------------------------------------------
    std::shared_ptr<plan::Section> currentSection() const { return m_section; }
    std::shared_ptr<plan::Table> currentTable() const { return m_table; }
    // A new section has no current table until one is chosen.
    void setCurrentSection(const std::shared_ptr<plan::Section> &section);
    void setCurrentTable(const std::shared_ptr<plan::Table> &table);

    // ---- What changed --------------------------------------------------------------
    // The plan's modified flag (set by every edit, cleared by a save).
    bool isModified() const;
    void setModified(bool modified);
    void markModified() { setModified(true); }
    // The shown section text differs from its file; the window holding it
    // writes it (see addEditWriter) and then calls setTextWritten.
    bool textChanged() const { return m_textChanged; }
    void markTextChanged();
    void setTextWritten() { m_textChanged = false; }
    // Tables edited since they were last written. An edit of a loaded
    // workbook marks its table by itself.
    bool isTableChanged(const QString &name) const { return m_changedTables.contains(name); }
    void markTableChanged(const QString &name);
    // Marks the tables whose values links have changed since they were
    // last written, so that their files hold what they show.
    void markRelinkedTables();
    // Writes every changed table to its working copy; the first failure
    // stops (that table and the unwritten ones stay marked).
    Result<void> writeChangedTables();
    // The text files of deleted sections, deleted by the next save.
    PendingDeletions &pendingDeletions() { return m_pendingDeletions; }

    // ---- Edits held by windows -------------------------------------------------------
    // A window that holds an edit outside the loaded tables (a section text
    // on screen) registers how to write it; every save and every change of
    // section runs them first. The writer goes when the window does.
    using EditWriter = std::function<Result<void>()>;
    void addEditWriter(QObject *window, EditWriter writer);
    // Runs every writer; a failed one is reported. False when one failed.
    bool writeHeldEdits();

    // ---- Saving and closing ----------------------------------------------------------
    // Writes the held edits and the changed tables, saves the plan document
    // (asking for a place when it has none) and commits every working copy,
    // pausing after each. Failures are reported as they happen and the save
    // goes on; the result is the first of them. A second save while one runs
    // is refused, as is a document without a place chosen (cancelled).
    Result<void> SavePlan();
    bool saving() const { return m_saving; }
    // Deletes every working copy of the plan folder.
    void DeleteWorkingFiles();
    // Asks "Save Plan" when the plan is modified (Yes saves, Cancel or a
    // failed save keeps the plan open and returns false), records the plan
    // as recent, deletes the working copies and forgets every unsaved edit.
    bool ClosePlan();

signals:
    void planOpened();
    // The loaded tables are about to be thrown away: views let go of them.
    void tablesAboutToReload();
    void tablesLoaded();
    void tableChanged(const QString &name);
    void modifiedChanged(bool modified);
    void currentSectionChanged();
    void currentTableChanged();
    void saveStarted();
    void saveFinished(bool complete);
    void planClosed();

private:
    void rememberTableDigests();
    void forgetEdits();
    std::shared_ptr<plan::Table> tableOfPlan(const QString &name) const;
    Result<void> saveDocument();
    bool offerLeftoverEdits(const plan::Plan &opened);
    Result<void> lockPlan(const plan::Plan &plan);
    Result<void> openDocument(const QString &path);

    std::unique_ptr<workbook::WorkbookSet> m_tables;
    std::unique_ptr<PlanLock> m_lock;
    std::unique_ptr<ReadOnlyCopy> m_readOnlyCopy;
    std::shared_ptr<plan::Section> m_section;
    std::shared_ptr<plan::Table> m_table;
    QSet<QString> m_changedTables;             // names of tables edited since last written
    QHash<QString, QByteArray> m_tableDigests; // formula results of each table as last written
    PendingDeletions m_pendingDeletions;
    std::vector<std::pair<QPointer<QObject>, EditWriter>> m_editWriters;
    QPointer<QObject> m_reportOwner;
    bool m_textChanged = false;
    bool m_saving = false;
};

} // namespace qv::composer
