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

bool frmMain::SavePlan()
{
    // The session writes this window's text through its edit writer and
    // reports each failure; the helper and menus follow when it finishes.
    return m_session->SavePlan().ok();
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
    if (!current || current->fullPath().isEmpty() || saving() || m_session->isReadOnlyCopy())
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
        if (entry.menuIndex < 9 || entry.menuIndex > 13)
            continue;
        QAction *item = m_items.recentFiles[size_t(entry.menuIndex - 9)];
        item->setText(entry.caption);
        item->setVisible(entry.visible);
    }
}

void frmMain::openRecentFile(int menuIndex)
{
    if (menuIndex < 9 || menuIndex > 13)
        return;
    QAction *item = m_items.recentFiles[size_t(menuIndex - 9)];
    if (!ClosePlan())
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
