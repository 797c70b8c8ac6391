// The composer's menus, toolbar and captions.

#include "composer/frmMain.h"

#include "composer/ComposerArt.h"
#include "composer/CompileCommand.h"
#include "composer/ComposerCommon.h"
#include "composer/OutlineNodes.h"
#include "composer/RecentPlans.h"
#include "composer/SamplePlanChooser.h"
#include "composer/SectionFiles.h"
#include "composer/frmTables.h"
#include "controls/spell/SpellChecker.h"
#include "controls/richtextview/DisplayBox.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/WorkbookView.h"
#include "plan/Plan.h"
#include "plan/PlanErrors.h"
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

// ---- Building the window -----------------------------------------------------

void frmMain::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QString());
    file->setObjectName(QStringLiteral("mnuFileTop"));

    QMenu *fileNew = file->addMenu(QString());
    fileNew->setObjectName(QStringLiteral("mnuFileNewMenu"));
    fileNew->menuAction()->setObjectName(QStringLiteral("mnuFile_0"));
    captioned(fileNew->menuAction(), 1021);
    connect(captioned(menuItem(fileNew, QStringLiteral("mnuFileNew_0")), 1025), &QAction::triggered, this,
            [this] { startWizard(QStringLiteral("pwiz_mi")); });
    connect(captioned(menuItem(fileNew, QStringLiteral("mnuFileNew_1")), 1028), &QAction::triggered, this,
            [this] { startWizard(QStringLiteral("pwiz_mx")); });
    connect(menuItem(file, QStringLiteral("mnuFile_1"), tr("Marketing Plan Using Wi&zard")), &QAction::triggered,
            this, [this] { startWizard(QStringLiteral("pwiz_mp")); });
    m_items.save = captioned(menuItem(file, QStringLiteral("mnuFile_2")), 1039);
    connect(m_items.save, &QAction::triggered, this, [this] { SavePlan(); });
    m_items.save->setShortcut(QKeySequence::Save);
    QMenu *fileOpen = file->addMenu(QString());
    fileOpen->setObjectName(QStringLiteral("mnuFileOpenMenu"));
    fileOpen->menuAction()->setObjectName(QStringLiteral("mnuFile_3"));
    captioned(fileOpen->menuAction(), 1022);
    connect(captioned(menuItem(fileOpen, QStringLiteral("mnuFileOpen_0")), 1025), &QAction::triggered, this,
            &frmMain::openPlanDialog);
    QAction *samplePlan = menuItem(fileOpen, QStringLiteral("mnuFileOpen_1"), tr("&Sample Plan"));
    samplePlan->setEnabled(hasSamplePlanChooser());
    connect(fileOpen, &QMenu::aboutToShow, samplePlan, [samplePlan] { samplePlan->setEnabled(hasSamplePlanChooser()); });
    connect(samplePlan, &QAction::triggered, this,
            [this] { showSamplePlanChooser(plan().planInfo().planType(), this); });
    file->addSeparator();
    connect(captioned(menuItem(file, QStringLiteral("mnuFile_5")), 1041), &QAction::triggered, this, [this] {
        {
            support::frmPreferences dialog(this);
            dialog.exec();
        }
        ApplyPreferences();
    });
    m_items.profile = captioned(menuItem(file, QStringLiteral("mnuFile_6")), 1042);
    m_items.compilePlan = captioned(menuItem(file, QStringLiteral("mnuFile_7")), 1043);
    connect(m_items.compilePlan, &QAction::triggered, this, [this] { CompilePlan(*this); });
    file->addSeparator()->setObjectName(QStringLiteral("mnuFile_8"));
    // The recent-file entries; they show once the recent-file list fills them.
    for (int index = 9; index <= 13; ++index) {
        QAction *item = menuItem(file, QStringLiteral("mnuFile_%1").arg(index));
        item->setVisible(false);
        m_items.recentFiles[size_t(index - 9)] = item;
    }
    connect(captioned(menuItem(file, QStringLiteral("mnuFile_14")), 1044), &QAction::triggered, this,
            &frmMain::mainMenu);
    connect(captioned(menuItem(file, QStringLiteral("mnuFile_15")), 1027), &QAction::triggered, this,
            &frmMain::exitComposer);

    buildEditMenu();

    QMenu *view = menuBar()->addMenu(QString());
    view->setObjectName(QStringLiteral("mnuViewTop"));
    m_items.view = view;
    auto *layouts = new QActionGroup(this);
    const Layout layoutOf[3] = {Layout::ViewAll, Layout::HideNavigator, Layout::ExpandWorkspace};
    for (int index = 1; index <= 3; ++index) {
        QAction *item = captioned(menuItem(view, QStringLiteral("mnuView_%1").arg(index)), 1054 + index);
        item->setCheckable(true);
        layouts->addAction(item);
        m_items.layouts[size_t(index - 1)] = item;
        const Layout layout = layoutOf[index - 1];
        connect(item, &QAction::triggered, this, [this, layout] { setLayout(layout); });
    }
    layouts->actions().first()->setChecked(true);
    view->addSeparator();
    m_items.cellLinks = captioned(menuItem(view, QStringLiteral("mnuView_5")), 1071);
    QMenu *zoomMenu = view->addMenu(tr("Zoom To..."));
    zoomMenu->setObjectName(QStringLiteral("mnuViewZoomMenu"));
    zoomMenu->menuAction()->setObjectName(QStringLiteral("mnuView_6"));
    const int zooms[3] = {125, 100, 75};
    const char *const zoomCaptions[3] = {"125%", "Zoom To 100%", "75%"};
    for (int index = 0; index < 3; ++index) {
        QAction *item = menuItem(zoomMenu, QStringLiteral("mnuViewZoom_%1").arg(index), tr(zoomCaptions[index]));
        item->setCheckable(true);
        m_items.zooms[size_t(index)] = item;
        const int percent = zooms[index];
        connect(item, &QAction::triggered, this, [this, percent] { setZoom(percent); });
    }
    view->addSeparator();
    m_items.previousSection = captioned(menuItem(view, QStringLiteral("mnuView_8")), 1061);
    m_items.nextSection = captioned(menuItem(view, QStringLiteral("mnuView_9")), 1062);
    connect(m_items.previousSection, &QAction::triggered, this, [this] { moveSection(false); });
    connect(m_items.nextSection, &QAction::triggered, this, [this] { moveSection(true); });
    connect(captioned(menuItem(view, QStringLiteral("mnuView_10")), 1063), &QAction::triggered, this,
            [this] { moveTable(false); });
    connect(captioned(menuItem(view, QStringLiteral("mnuView_11")), 1064), &QAction::triggered, this,
            [this] { moveTable(true); });
    view->addSeparator();
    m_items.coverPage = menuItem(view, QStringLiteral("mnuView_13"), tr("Cover Page"));
    QMenu *workSpace = view->addMenu(tr("Work Space"));
    workSpace->setObjectName(QStringLiteral("mnuViewWorkSpaceMenu"));
    connect(captioned(menuItem(workSpace, QStringLiteral("mnuViewWorkSpace_0")), 1053), &QAction::triggered, this,
            [this] { showWorkView(0); });
    connect(captioned(menuItem(workSpace, QStringLiteral("mnuViewWorkSpace_1")), 1054), &QAction::triggered, this,
            [this] { showWorkView(1); });

    // The Customize menu's outline and status commands join it with the
    // outline customization.
    QMenu *customize = menuBar()->addMenu(QString());
    customize->setObjectName(QStringLiteral("mnuCustomizeTop"));
    m_items.customize = customize;
    QAction *unlock = captioned(menuItem(customize, QStringLiteral("mnuUnlockCells")), 1080);
    m_items.unlockCells = unlock;
    unlock->setCheckable(true);
    unlock->setEnabled(false);
    connect(unlock, &QAction::triggered, this, [this, unlock] {
        // The check mark shows the state before the choice; the choice flips it.
        const bool wasUnlocked = !unlock->isChecked();
        setProtection(wasUnlocked, !wasUnlocked);
    });

    buildToolsMenu();
    buildHelpMenu();
}

void frmMain::buildToolbar()
{
    picToolbar = new QWidget(this);
    picToolbar->setObjectName(QStringLiteral("picToolbar"));
    auto *row = new QHBoxLayout(picToolbar);
    row->setContentsMargins(6, 3, 6, 3);
    row->setSpacing(2);
    static const char *const keys[10] = {"Tree",      "Expand",   "Helper", "Zoom",   "PrevSection",
                                         "NextSection", "PrevTable", "NextTable", "Online", "Compile"};
    for (int index = 0; index < 10; ++index) {
        auto *button = new QToolButton(picToolbar);
        button->setObjectName(QStringLiteral("cmdToolBar_%1").arg(index));
        button->setIcon(composerImage(QLatin1String(keys[index])));
        button->setIconSize(QSize(24, 24));
        button->setAutoRaise(true);
        button->setProperty("pictureKey", QLatin1String(keys[index]));
        cmdToolBar[size_t(index)] = button;
        row->addWidget(button);
        if (index == 3 || index == 7)
            row->addSpacing(12);
    }
    row->addStretch();
    connect(cmdToolBar[0], &QToolButton::clicked, this, [this] { setLayout(Layout::ViewAll); });
    connect(cmdToolBar[1], &QToolButton::clicked, this, [this] { setLayout(Layout::HideNavigator); });
    connect(cmdToolBar[2], &QToolButton::clicked, this, [this] { setLayout(Layout::ExpandWorkspace); });
    connect(cmdToolBar[3], &QToolButton::clicked, this, &frmMain::stepZoom);
    connect(cmdToolBar[4], &QToolButton::clicked, this, [this] { moveSection(false); });
    connect(cmdToolBar[5], &QToolButton::clicked, this, [this] { moveSection(true); });
    connect(cmdToolBar[6], &QToolButton::clicked, this, [this] { moveTable(false); });
    connect(cmdToolBar[7], &QToolButton::clicked, this, [this] { moveTable(true); });
    connect(cmdToolBar[8], &QToolButton::clicked, this, [this] { support::OpenSecondWebSite(this); });
    connect(cmdToolBar[9], &QToolButton::clicked, this, [this] { CompilePlan(*this); });
}


QAction *frmMain::captioned(QAction *item, int textId)
{
    m_captionIds.emplace_back(item, textId);
    return item;
}

void frmMain::loadCaptions()
{
    // The loader takes string-table numbers less 1000, as GetResText does.
    support::CaptionLoader loader(this, QStringLiteral("frmMain"));
    struct
    {
        support::CaptionLoader &loader;
        void set(QObject *target, int id) { loader.set(target, id - 1000); }
        QString text(int id) { return loader.text(id - 1000); }
    } captions{loader};
    captions.set(menuBar()->actions().at(0), 1004);
    captions.set(menuBar()->actions().at(1), 1005);
    captions.set(menuBar()->actions().at(2), 1006);
    captions.set(menuBar()->actions().at(3), 1076);
    captions.set(menuBar()->actions().at(4), 1073);
    captions.set(menuBar()->actions().at(5), 1007);
    for (const auto &[item, textId] : m_captionIds)
        captions.set(item, textId);
    tabWorkArea->setTabText(0, captions.text(1053));
    tabWorkArea->setTabText(1, captions.text(1054));
    for (int index = 0; index < 3; ++index)
        captions.set(optHelper[size_t(index)], 1058 + index);
    static const int tips[10] = {1055, 1056, 1057, 1131, 1061, 1062, 1063, 1064, 1034, 1043};
    for (int index = 0; index < 10; ++index)
        cmdToolBar[size_t(index)]->setToolTip(support::withoutAccessKey(captions.text(tips[index])));
}

void frmMain::refreshMenuStates()
{
    const bool hasPlan = shell::currentPlan() && !shell::currentPlan()->fullPath().isEmpty();
    m_items.save->setEnabled(hasPlan);
    m_items.compilePlan->setEnabled(hasPlan);
    cmdToolBar[9]->setEnabled(hasPlan);
    updateWorkCommands();
}

} // namespace qv::composer
