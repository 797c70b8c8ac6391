// The composer window: building it, opening and closing plans, and the
// File menu commands that leave it.

#include "composer/frmMain.h"

#include "composer/ComposerArt.h"
#include "composer/ComposerTexts.h"
#include "composer/ComposerCommon.h"
#include "composer/OutlineNodes.h"
#include "composer/RecentPlans.h"
#include "composer/SectionFiles.h"
#include "composer/frmTables.h"
#include "controls/spell/SpellChecker.h"
#include "controls/richtextview/DisplayBox.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/workbook/Workbook.h"
#include "editors/wordprocessor/SectionWordProcessor.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/WorkbookView.h"
#include "plan/Plan.h"
#include "plan/PlanErrors.h"
#include "plan/PlanRules.h"
#include "plan/WorkingCopies.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "resources/ResText.h"
#include "resources/art/Artwork.h"
#include "shell/CurrentPlan.h"
#include "shell/MMain.h"
#include "shell/frmParent.h"
#include "shell/modBusinessRule.h"
#include "support/CWaitCursor.h"
#include "support/ErrorReports.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"
#include "support/Preferences.h"
#include "support/gui/Captions.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/frmPreferences.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QWindow>
#include <QPointer>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qv::composer {

namespace {

QPointer<frmMain> g_loaded;

// The plan library's icons for the composer by plan type.
constexpr int kBusinessPlanIcon = 102;
constexpr int kMarketingPlanIcon = 103;

// The program's wizards sit beside it in the install folder; this platform's
// programs carry no ".exe".
QString wizardPath(const QString &name)
{
    return platform::joinPath(platform::Folders::installFolder(), name);
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_session = new OpenPlanSession(this);
    m_session->setReportOwner(this);
    g_loaded = this;

    buildMenus();
    buildToolbar();
    buildPanes();
    loadCaptions();
    buildWorkAreaExtras();
    setUpTableWindows();
    showWorkView(0);
    setWindowTitle(resText(1383) + QStringLiteral(" - ") + resText(1302));
    setWindowIcon(resources::LoadResIcon(kBusinessPlanIcon));
    resize(1024, 720);
    shell::RestoreWindowPosition(this);
    refreshMenuStates();
    setUpCustomizingAndSaving();
    joinSession();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &frmMain::focusWindowChanged);
}

frmMain::~frmMain() = default;

void frmMain::joinSession()
{
    // The table view lets go of the tables before they are reloaded.
    connect(m_session, &OpenPlanSession::tablesAboutToReload, this, [this] { fOne->setWorkbook(nullptr); });
    connect(m_session, &OpenPlanSession::saveFinished, this, [this] {
        ReLoadHelper();
        refreshMenuStates();
    });
    m_session->addEditWriter(this, [this] { return writeShownText(); });
    m_wordProcessor = new editors::SectionWordProcessor(*m_session, this);
    connect(m_wordProcessor, &editors::SectionWordProcessor::returned, this, &frmMain::wordProcessorReturned);
}

frmMain *frmMain::loaded()
{
    return g_loaded.data();
}

frmMain &frmMain::load()
{
    if (!g_loaded)
        new frmMain();
    return *g_loaded;
}

plan::Plan &frmMain::plan() const
{
    return shell::ensureCurrentPlan();
}


// ---- Opening and closing -----------------------------------------------------

bool frmMain::OpenPlan(const QString &path)
{
    support::CWaitCursor wait;
    // The shown section belongs to the plan being replaced; its edits were
    // offered for saving when that plan closed.
    Result<void> opened = m_session->OpenPlan(path);
    if (!opened && OpenPlanSession::isPlanInUse(opened.failure())) {
        // Another window writes this plan; it may still be read here.
        const QString offer = opened.failure().description
                              + QStringLiteral("\r\n\r\nOpen a read-only copy instead? You can read, print and "
                                               "compile the copy, but it cannot be saved over the plan.");
        if (platform::msgBox(this, offer, platform::Buttons::YesNo, platform::Icon::Question) != platform::Answer::Yes)
            return false;
        opened = m_session->OpenReadOnlyCopy(path);
    }
    if (!opened) {
        tell(this, opened.failure().description, platform::Icon::Exclamation);
        return false;
    }
    showOpenedPlan();
    return true;
}

void frmMain::planOpen()
{
    support::CWaitCursor wait;
    forgetShownSection();
    m_session->start();
    showOpenedPlan();
}

void frmMain::showOpenedPlan()
{
    forgetShownSection();
    plan::Plan &current = plan();
    BuildTree(current.outline().chapters());
    const bool business = current.planInfo().planType() == plan::BusinessPlan;
    const bool copy = m_session->isReadOnlyCopy();
    // A read-only copy lives in a temporary folder: it is never the plan to reopen.
    if (!copy)
        shell::writeLastPlan(current.planInfo().planType(), current.fullPath());
    setWindowIcon(resources::LoadResIcon(business ? kBusinessPlanIcon : kMarketingPlanIcon));
    setWindowTitle(composerTitle(current.fullPath()) + (copy ? QStringLiteral(" (Read-Only Copy)") : QString()));

    QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (root) {
        root->setExpanded(true);
        if (QTreeWidgetItem *chapter = root->child(0)) {
            chapter->setExpanded(true);
            QTreeWidgetItem *first = chapter->child(0) ? chapter->child(0) : chapter;
            tvwOutline->setCurrentItem(first); // runs the node click
        } else {
            tvwOutline->setCurrentItem(root);
        }
    }
    refreshMenuStates();
}

bool frmMain::ClosePlan()
{
    // The word processor's text goes back to the plan before the plan asks
    // to be saved.
    if (!m_wordProcessor->close())
        return false;
    return m_session->ClosePlan();
}

void frmMain::SetPlantype(int businessKind, bool newBusiness)
{
    plan().planInfo().setBusinessKind(businessKind);
    plan().planInfo().setNewBusiness(newBusiness);
}

void frmMain::openPlanDialog()
{
    if (!ClosePlan())
        return;
    platform::FileRequest request;
    request.title = resText(1330);
    request.folder = platform::Folders::myPlansFolder();
    request.filter = plan::planFileFilter(plan().planInfo().planType());
    const std::optional<QString> chosen = platform::fileDialogs().openFile(this, request);
    if (chosen && !chosen->isEmpty())
        OpenPlan(*chosen);
}

void frmMain::startWizard(const QString &program)
{
    if (!ClosePlan())
        return;
    shell::replaceCurrentPlan();
    forgetShownSection();
    const QString path = wizardPath(program);
    if (!platform::services().processes->startDetached(path, {}, platform::Folders::installFolder()))
        tell(this, QStringLiteral("The program %1 could not be started.").arg(path), platform::Icon::Exclamation);
    hide();
    m_closePrompt = false;
    unload();
}

void frmMain::mainMenu()
{
    if (!ClosePlan())
        return;
    // The welcome menu comes up before the composer goes, so the program
    // never finds itself without a window and ends.
    shell::frmParent::Display();
    unload();
}

void frmMain::exitComposer()
{
    if (!ClosePlan())
        return;
    forgetShownSection();
    shell::releaseCurrentPlan();
    unload();
}

void frmMain::unload()
{
    m_unloading = true;
    close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (saving()) { // the save's working copies are not all committed yet
        event->ignore();
        return;
    }
    if (!m_unloading && m_closePrompt && shell::currentPlan()) {
        if (!ClosePlan()) {
            event->ignore();
            return;
        }
        shell::SaveWindowPosition(this);
    }
    event->accept();
}

void frmMain::focusWindowChanged(QWindow *window)
{
    // The helper reloads when the user comes back from another window of the
    // program (an editor may have changed what it shows), never after a
    // message box, so that a missing file cannot start a loop of messages.
    if (!window)
        return;
    if (window == windowHandle()) {
        if (m_awayToOtherWindow) {
            m_awayToOtherWindow = false;
            ReLoadHelper();
        }
        return;
    }
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == window) {
            // Message boxes, menus and tool tips pass over the composer;
            // they are no other window the user went to.
            const bool passing = qobject_cast<QMessageBox *>(widget) || widget->windowType() == Qt::Popup
                                 || widget->windowType() == Qt::ToolTip;
            if (!passing)
                m_awayToOtherWindow = true;
            return;
        }
    }
}

} // namespace qv::composer
