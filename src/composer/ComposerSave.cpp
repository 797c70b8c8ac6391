// Saving the plan, the autosave timer and the File menu's recent-file
// entries.

#include "composer/frmMain.h"

#include "composer/PlanSaving.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "platform/Services.h"
#include "shell/CurrentPlan.h"
#include "shell/modBusinessRule.h"
#include "support/CWaitCursor.h"
#include "support/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

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

} // namespace

void frmMain::reportSaveError(const QString &description, long number, const QString &activity)
{
    platform::Message message;
    message.text = QStringLiteral("Error: %1 (%2)\r\n%3").arg(description).arg(number).arg(activity);
    message.buttons = platform::Buttons::Ok;
    message.icon = platform::Icon::None;
    platform::messageBoxes().show(this, message);
}

bool frmMain::SavePlan()
{
    // A save lets window messages run while it commits; a second one
    // started meanwhile would find working copies half committed.
    if (m_saving)
        return false;
    FlagGuard savingNow(m_saving);
    support::CWaitCursor wait;
    plan::Plan &current = plan();

    bool complete = writeSectionText();
    markRelinkedTables();
    complete = writeChangedTables() && complete;
    rememberTableDigests();
    ReLoadHelper();

    bool documentSaved = false;
    try {
        if (current.fullPath().isEmpty()) {
            if (!current.SaveUnnamed())
                return false; // the user chose no place: nothing is committed
        } else {
            current.Save();
        }
        documentSaved = true;
    } catch (const QvError &error) {
        reportSaveError(error.description(), error.number(), QStringLiteral("Saving ") + current.fullPath());
    }
    refreshMenuStates();

    const QString folder = current.folder();
    // Deleted sections' files go only once no saved document names them.
    if (documentSaved)
        m_pendingDeletions.deleteFrom(folder, current.outline().chapters());
    const QList<CommitFailure> failures =
        commitWorkingFiles(folder, commitPauseSeconds(), [this](const CommitFailure &failure) {
            reportSaveError(failure.description, failure.number, QStringLiteral("Saving ") + failure.target);
        });
    return complete && documentSaved && failures.isEmpty();
}

void frmMain::DeleteWorkingFiles()
{
    const plan::Plan *current = shell::currentPlan();
    if (!current || current->folder().isEmpty())
        return;
    DeleteMatchingFiles(current->folder(), QStringLiteral("*.tmp"));
    DeleteMatchingFiles(current->folder(), QStringLiteral("*.tbf"));
}

void frmMain::markRelinkedTables()
{
    // A table whose values changed through links, not by an edit of its
    // own, is written too, so that its file holds what it shows.
    for (workbook::Workbook *book : m_tables->books()) {
        const QString name = book->title();
        if (m_changedTables.contains(name))
            continue;
        const auto kept = m_tableDigests.constFind(name);
        if (kept != m_tableDigests.constEnd() && *kept != formulaResultsDigest(*book))
            m_changedTables.insert(name);
    }
}

void frmMain::rememberTableDigests()
{
    m_tableDigests.clear();
    for (workbook::Workbook *book : m_tables->books()) {
        // A table still waiting to be written keeps no digest, so it is
        // compared afresh once written.
        if (!m_changedTables.contains(book->title()))
            m_tableDigests.insert(book->title(), formulaResultsDigest(*book));
    }
}

// ---- Autosave --------------------------------------------------------------------

void frmMain::ApplyPreferences()
{
    if (support::Preferences::IsAutoSave()) {
        timerSave->setInterval(60000);
        timerSave->setProperty("tag", QStringLiteral("0"));
        timerSave->start();
    } else {
        timerSave->stop();
    }
    LoadRecentFiles();
}

void frmMain::autosaveTick()
{
    // A plan without a document would ask where to save it; autosave never asks.
    const plan::Plan *current = shell::currentPlan();
    if (!current || current->fullPath().isEmpty() || m_saving)
        return;
    // Nor does it save behind an open question (such as "Save Plan", whose
    // No must still discard the edits); the count waits for the next tick.
    if (QApplication::activeModalWidget())
        return;
    const AutosaveTick tick =
        composer::autosaveTick(timerSave->property("tag").toString().toInt(), support::Preferences::getAutoSaveTime());
    timerSave->setProperty("tag", QString::number(tick.counter));
    if (!tick.save)
        return;
    const QString caption = windowTitle();
    setWindowTitle(QStringLiteral("Auto saving"));
    SavePlan();
    setWindowTitle(caption);
}

// ---- Recent files ------------------------------------------------------------------

void frmMain::LoadRecentFiles()
{
    for (const shell::RecentFileMenuItem &entry : shell::LoadRecentFiles()) {
        if (QAction *item = findChild<QAction *>(QStringLiteral("mnuFile_%1").arg(entry.menuIndex))) {
            item->setText(entry.caption);
            item->setVisible(entry.visible);
        }
    }
}

void frmMain::openRecentFile(int menuIndex)
{
    QAction *item = findChild<QAction *>(QStringLiteral("mnuFile_%1").arg(menuIndex));
    if (!item || !ClosePlan())
        return;
    const QString path = shell::recentFilePathFromCaption(item->text()).trimmed();
    if (!shell::PathExists(path)) {
        platform::Message message;
        message.text = QStringLiteral("File not found:\r\n") + path;
        message.icon = platform::Icon::Information;
        platform::messageBoxes().show(this, message);
        return;
    }
    OpenPlan(path);
}

} // namespace qv::composer
