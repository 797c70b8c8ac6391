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

// The helper options.
enum HelperOption { Instructions = 0, ExampleText = 1, ExampleTable = 2 };

// Page of a section text: US Letter, in twips.
constexpr int kPageWidthTwips = 12240;
constexpr int kPageHeightTwips = 15840;

// The plan library's icons for the composer by plan type.
constexpr int kBusinessPlanIcon = 102;
constexpr int kMarketingPlanIcon = 103;

// Error numbers of file failures reported without a library error.
constexpr long kFileNotFound = 53;
constexpr long kFileAccessError = 75;

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
    m_tables = std::make_unique<workbook::WorkbookSet>(this);
    g_loaded = this;

    buildMenus();
    buildToolbar();
    buildPanes();
    loadCaptions();
    buildWorkAreaExtras();
    showWorkView(0);
    setWindowTitle(resText(1383) + QStringLiteral(" - ") + resText(1302));
    setWindowIcon(resources::LoadResIcon(kBusinessPlanIcon));
    resize(1024, 720);
    shell::RestoreWindowPosition(this);
    refreshMenuStates();
    setUpCustomizingAndSaving();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &frmMain::focusWindowChanged);
}

frmMain::~frmMain() = default;

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

// ---- Building the window -----------------------------------------------------

void frmMain::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QString());
    file->setObjectName(QStringLiteral("mnuFileTop"));

    QMenu *fileNew = file->addMenu(QString());
    fileNew->setObjectName(QStringLiteral("mnuFileNewMenu"));
    fileNew->menuAction()->setObjectName(QStringLiteral("mnuFile_0"));
    connect(menuItem(fileNew, QStringLiteral("mnuFileNew_0")), &QAction::triggered, this,
            [this] { startWizard(QStringLiteral("pwiz_mi")); });
    connect(menuItem(fileNew, QStringLiteral("mnuFileNew_1")), &QAction::triggered, this,
            [this] { startWizard(QStringLiteral("pwiz_mx")); });
    connect(menuItem(file, QStringLiteral("mnuFile_1"), tr("Marketing Plan Using Wi&zard")), &QAction::triggered,
            this, [this] { startWizard(QStringLiteral("pwiz_mp")); });
    QAction *save = menuItem(file, QStringLiteral("mnuFile_2"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] { SavePlan(); });
    QMenu *fileOpen = file->addMenu(QString());
    fileOpen->setObjectName(QStringLiteral("mnuFileOpenMenu"));
    fileOpen->menuAction()->setObjectName(QStringLiteral("mnuFile_3"));
    connect(menuItem(fileOpen, QStringLiteral("mnuFileOpen_0")), &QAction::triggered, this,
            &frmMain::openPlanDialog);
    comingItem(fileOpen, QStringLiteral("mnuFileOpen_1"), tr("&Sample Plan"));
    file->addSeparator();
    connect(menuItem(file, QStringLiteral("mnuFile_5")), &QAction::triggered, this, [this] {
        {
            support::frmPreferences dialog(this);
            dialog.exec();
        }
        ApplyPreferences();
    });
    comingItem(file, QStringLiteral("mnuFile_6"), QString());
    comingItem(file, QStringLiteral("mnuFile_7"), QString());
    file->addSeparator()->setObjectName(QStringLiteral("mnuFile_8"));
    // The recent-file entries; they show once the recent-file list fills them.
    for (int index = 9; index <= 13; ++index)
        menuItem(file, QStringLiteral("mnuFile_%1").arg(index))->setVisible(false);
    connect(menuItem(file, QStringLiteral("mnuFile_14")), &QAction::triggered, this, &frmMain::mainMenu);
    connect(menuItem(file, QStringLiteral("mnuFile_15")), &QAction::triggered, this, &frmMain::exitComposer);

    buildEditMenu();

    QMenu *view = menuBar()->addMenu(QString());
    view->setObjectName(QStringLiteral("mnuViewTop"));
    auto *layouts = new QActionGroup(this);
    const Layout layoutOf[3] = {Layout::ViewAll, Layout::HideNavigator, Layout::ExpandWorkspace};
    for (int index = 1; index <= 3; ++index) {
        QAction *item = menuItem(view, QStringLiteral("mnuView_%1").arg(index));
        item->setCheckable(true);
        layouts->addAction(item);
        const Layout layout = layoutOf[index - 1];
        connect(item, &QAction::triggered, this, [this, layout] { setLayout(layout); });
    }
    layouts->actions().first()->setChecked(true);
    view->addSeparator();
    comingItem(view, QStringLiteral("mnuView_5"), QString());
    QMenu *zoomMenu = view->addMenu(tr("Zoom To..."));
    zoomMenu->setObjectName(QStringLiteral("mnuViewZoomMenu"));
    zoomMenu->menuAction()->setObjectName(QStringLiteral("mnuView_6"));
    const int zooms[3] = {125, 100, 75};
    const char *const zoomCaptions[3] = {"125%", "Zoom To 100%", "75%"};
    for (int index = 0; index < 3; ++index) {
        QAction *item = menuItem(zoomMenu, QStringLiteral("mnuViewZoom_%1").arg(index), tr(zoomCaptions[index]));
        item->setCheckable(true);
        const int percent = zooms[index];
        connect(item, &QAction::triggered, this, [this, percent] { setZoom(percent); });
    }
    view->addSeparator();
    connect(menuItem(view, QStringLiteral("mnuView_8")), &QAction::triggered, this, [this] { moveSection(false); });
    connect(menuItem(view, QStringLiteral("mnuView_9")), &QAction::triggered, this, [this] { moveSection(true); });
    connect(menuItem(view, QStringLiteral("mnuView_10")), &QAction::triggered, this, [this] { moveTable(false); });
    connect(menuItem(view, QStringLiteral("mnuView_11")), &QAction::triggered, this, [this] { moveTable(true); });
    view->addSeparator();
    comingItem(view, QStringLiteral("mnuView_13"), tr("Cover Page"));
    QMenu *workSpace = view->addMenu(tr("Work Space"));
    workSpace->setObjectName(QStringLiteral("mnuViewWorkSpaceMenu"));
    connect(menuItem(workSpace, QStringLiteral("mnuViewWorkSpace_0")), &QAction::triggered, this,
            [this] { showWorkView(0); });
    connect(menuItem(workSpace, QStringLiteral("mnuViewWorkSpace_1")), &QAction::triggered, this,
            [this] { showWorkView(1); });

    // The Customize menu's outline and status commands join it with the
    // outline customization.
    QMenu *customize = menuBar()->addMenu(QString());
    customize->setObjectName(QStringLiteral("mnuCustomizeTop"));
    QAction *unlock = menuItem(customize, QStringLiteral("mnuUnlockCells"));
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
    // Compiling arrives with its command.
    cmdToolBar[9]->setEnabled(false);
}

void frmMain::buildPanes()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(picToolbar);
    auto *rule = new QFrame(central);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    column->addWidget(rule);

    splitMain = new QSplitter(Qt::Horizontal, central);
    splitMain->setObjectName(QStringLiteral("splitMain"));
    splitMain->setChildrenCollapsible(false);
    splitMain->setHandleWidth(5);
    column->addWidget(splitMain, 1);
    setCentralWidget(central);

    // Outline pane.
    picOutline = new QWidget(splitMain);
    picOutline->setObjectName(QStringLiteral("picOutline"));
    picOutline->setProperty("pane", QStringLiteral("tree"));
    auto *outlineColumn = new QVBoxLayout(picOutline);
    outlineColumn->setContentsMargins(6, 6, 0, 6);
    outlineColumn->setSpacing(4);
    auto *outlineHeader = new QHBoxLayout;
    auto *outlineTitle = new QLabel(tr("Outline"), picOutline);
    outlineTitle->setStyleSheet(QStringLiteral("font-weight: bold;"));
    outlineHeader->addWidget(outlineTitle, 1);
    cmdChapters = new QToolButton(picOutline);
    cmdChapters->setObjectName(QStringLiteral("cmdChapters"));
    cmdChapters->setIcon(composerImage(QStringLiteral("closed folder")));
    cmdChapters->setAutoRaise(true);
    cmdChapters->setToolTip(tr("Expand Chapters"));
    connect(cmdChapters, &QToolButton::clicked, this, &frmMain::ToggleChapters);
    outlineHeader->addWidget(cmdChapters);
    outlineColumn->addLayout(outlineHeader);
    tvwOutline = new QTreeWidget(picOutline);
    tvwOutline->setObjectName(QStringLiteral("tvwOutline"));
    tvwOutline->setHeaderHidden(true);
    tvwOutline->setIconSize(QSize(16, 16));
    tvwOutline->setEditTriggers(QAbstractItemView::EditKeyPressed);
    tvwOutline->setUniformRowHeights(true);
    // A right click selects the node under the pointer as a click would.
    tvwOutline->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tvwOutline, &QWidget::customContextMenuRequested, this, [this](const QPoint &point) {
        if (QTreeWidgetItem *node = tvwOutline->itemAt(point))
            tvwOutline->setCurrentItem(node);
    });
    tvwOutline->setAcceptDrops(true);
    tvwOutline->viewport()->setAcceptDrops(true);
    tvwOutline->viewport()->installEventFilter(this);
    outlineColumn->addWidget(tvwOutline, 1);
    connect(tvwOutline, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        if (!m_buildingTree && current)
            nodeClick(current);
    });
    connect(tvwOutline, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *node) {
        if (IsChapterNode(node))
            setNodeImage(node, QStringLiteral("open folder"));
    });
    connect(tvwOutline, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *node) {
        if (IsChapterNode(node))
            setNodeImage(node, QStringLiteral("closed folder"));
    });
    connect(tvwOutline, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *node) {
        if (!m_buildingTree)
            nodeRenamed(node);
    });

    // Helper pane.
    picHelper = new QWidget(splitMain);
    picHelper->setObjectName(QStringLiteral("picHelper"));
    picHelper->setProperty("pane", QStringLiteral("helper"));
    auto *helperColumn = new QVBoxLayout(picHelper);
    helperColumn->setContentsMargins(6, 6, 0, 6);
    helperColumn->setSpacing(4);
    auto *options = new QHBoxLayout;
    options->setSpacing(10);
    for (int index = 0; index < 3; ++index) {
        auto *option = new QRadioButton(picHelper);
        option->setObjectName(QStringLiteral("optHelper_%1").arg(index));
        option->setEnabled(false);
        optHelper[size_t(index)] = option;
        options->addWidget(option);
    }
    options->addStretch();
    optHelper[Instructions]->setChecked(true);
    connect(optHelper[Instructions], &QRadioButton::clicked, this, &frmMain::showInstructions);
    connect(optHelper[ExampleText], &QRadioButton::clicked, this, &frmMain::showExampleText);
    connect(optHelper[ExampleTable], &QRadioButton::clicked, this, [this] { showExampleTable(true); });
    helperColumn->addLayout(options);
    sbsIEWeb = new richtext::DisplayBox(picHelper);
    sbsIEWeb->setObjectName(QStringLiteral("sbsIEWeb"));
    helperColumn->addWidget(sbsIEWeb, 1);
    f1Helper = new workbook::WorkbookView(picHelper);
    f1Helper->setObjectName(QStringLiteral("f1Helper"));
    f1Helper->setShowSelection(false); // a picture of a table has no cell cursor
    f1Helper->hide();
    helperColumn->addWidget(f1Helper, 1);

    // Work area.
    picWorkArea = new QWidget(splitMain);
    picWorkArea->setObjectName(QStringLiteral("picWorkArea"));
    picWorkArea->setProperty("pane", QStringLiteral("workarea"));
    auto *workColumn = new QVBoxLayout(picWorkArea);
    workColumn->setContentsMargins(6, 6, 6, 6);
    workColumn->setSpacing(4);
    auto *titleRow = new QHBoxLayout;
    lblSectionName = new QLabel(picWorkArea);
    lblSectionName->setObjectName(QStringLiteral("lblSectionName"));
    QFont titleFont = lblSectionName->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    lblSectionName->setFont(titleFont);
    lblSectionName->setTextFormat(Qt::PlainText);
    titleRow->addWidget(lblSectionName, 1);
    cmdTables = new QToolButton(picWorkArea);
    cmdTables->setObjectName(QStringLiteral("cmdTables"));
    cmdTables->setText(tr("Tables"));
    cmdTables->setPopupMode(QToolButton::InstantPopup);
    mnuExtraTablesPopUp = new QMenu(cmdTables);
    mnuExtraTablesPopUp->setObjectName(QStringLiteral("mnuExtraTablesPopUp"));
    cmdTables->setMenu(mnuExtraTablesPopUp);
    cmdTables->setToolTip(tr("Other tables in Section"));
    cmdTables->hide();
    connect(mnuExtraTablesPopUp, &QMenu::triggered, this, [this](QAction *item) {
        showTable(item->data().toString());
        if (optHelper[ExampleTable]->isChecked())
            ReLoadHelper();
    });
    titleRow->addWidget(cmdTables);
    sscmdEdit = new QToolButton(picWorkArea);
    sscmdEdit->setObjectName(QStringLiteral("sscmdEdit"));
    sscmdEdit->setIcon(composerImage(QStringLiteral("Text")));
    sscmdEdit->setEnabled(false); // the word processor comes with the editors
    titleRow->addWidget(sscmdEdit);
    sscmdAssist = new QToolButton(picWorkArea);
    sscmdAssist->setObjectName(QStringLiteral("sscmdAssist"));
    sscmdAssist->setIcon(composerImage(QStringLiteral("Spell")));
    sscmdAssist->setEnabled(false);
    titleRow->addWidget(sscmdAssist);
    workColumn->addLayout(titleRow);
    tabWorkArea = new QTabBar(picWorkArea);
    tabWorkArea->setObjectName(QStringLiteral("tabWorkArea"));
    tabWorkArea->addTab(QString());
    tabWorkArea->addTab(QString());
    tabWorkArea->setTabEnabled(1, false); // until a section with tables shows
    tabWorkArea->setDrawBase(false);
    tabWorkArea->setExpanding(false);
    workColumn->addWidget(tabWorkArea);
    connect(tabWorkArea, &QTabBar::currentChanged, this, &frmMain::showWorkView);
    workViews = new QStackedWidget(picWorkArea);
    rtfWorkArea = new richtext::TextEditor(workViews);
    rtfWorkArea->setObjectName(QStringLiteral("rtfWorkArea"));
    rtfWorkArea->setReadOnly(true); // until a section shows
    workViews->addWidget(rtfWorkArea);
    fOne = new workbook::WorkbookView(workViews);
    fOne->setObjectName(QStringLiteral("fOne"));
    workViews->addWidget(fOne);
    workColumn->addWidget(workViews, 1);
    connect(rtfWorkArea, &richtext::TextEditor::changed, this, [this] {
        if (m_loadingText || !m_section)
            return;
        m_textChanged = true;
        plan().setModified(true);
    });

    splitMain->addWidget(picOutline);
    splitMain->addWidget(picHelper);
    splitMain->addWidget(picWorkArea);
    splitMain->setStretchFactor(0, 0);
    splitMain->setStretchFactor(1, 1);
    splitMain->setStretchFactor(2, 2);
    splitMain->setSizes({250, 300, 470});

    sbarPlan = new QStatusBar(this);
    sbarPlan->setObjectName(QStringLiteral("sbarPlan"));
    const int stretch[4] = {0, 2, 3, 0};
    for (int index = 0; index < 4; ++index) {
        auto *panel = new QLabel(sbarPlan);
        panel->setObjectName(QStringLiteral("sbarPlan_%1").arg(index + 1));
        panel->setMinimumWidth(index == 0 ? 60 : 24);
        panel->setTextFormat(Qt::PlainText);
        panel->setContentsMargins(6, 0, 6, 0);
        statusPanels[size_t(index)] = panel;
        sbarPlan->addPermanentWidget(panel, stretch[index]);
    }
    setStatusBar(sbarPlan);

    timerSave = new QTimer(this);
    timerSave->setObjectName(QStringLiteral("timerSave"));
    timerSave->setInterval(60000);
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
    auto action = [this](const char *name) { return findChild<QAction *>(QLatin1String(name)); };
    captions.set(menuBar()->actions().at(0), 1004);
    captions.set(menuBar()->actions().at(1), 1005);
    captions.set(menuBar()->actions().at(2), 1006);
    captions.set(menuBar()->actions().at(3), 1076);
    captions.set(menuBar()->actions().at(4), 1073);
    captions.set(menuBar()->actions().at(5), 1007);
    captions.set(action("mnuUnlockCells"), 1080);
    captions.set(action("mnuFile_0"), 1021);
    captions.set(action("mnuFileNew_0"), 1025);
    captions.set(action("mnuFileNew_1"), 1028);
    captions.set(action("mnuFile_2"), 1039);
    captions.set(action("mnuFile_3"), 1022);
    captions.set(action("mnuFileOpen_0"), 1025);
    captions.set(action("mnuFile_5"), 1041);
    captions.set(action("mnuFile_6"), 1042);
    captions.set(action("mnuFile_7"), 1043);
    captions.set(action("mnuFile_14"), 1044);
    captions.set(action("mnuFile_15"), 1027);
    captions.set(action("mnuEdit_1"), 1016);
    captions.set(action("mnuEdit_2"), 1017);
    captions.set(action("mnuEdit_3"), 1018);
    captions.set(action("mnuView_1"), 1055);
    captions.set(action("mnuView_2"), 1056);
    captions.set(action("mnuView_3"), 1057);
    captions.set(action("mnuView_5"), 1071);
    captions.set(action("mnuView_10"), 1063);
    captions.set(action("mnuView_11"), 1064);
    captions.set(action("mnuViewWorkSpace_0"), 1053);
    captions.set(action("mnuViewWorkSpace_1"), 1054);
    captions.set(action("mnuView_8"), 1061);
    captions.set(action("mnuView_9"), 1062);
    captions.set(action("mnuTools_2"), 1074);
    captions.set(action("mnuHelp_0"), 1090);
    captions.set(action("mnuHelp_2"), 1092);
    captions.set(action("mnuTools_5"), 1075);
    captions.set(action("mnuTools_6"), 1034);
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
    if (QAction *save = findChild<QAction *>(QStringLiteral("mnuFile_2")))
        save->setEnabled(hasPlan);
    updateWorkCommands();
}

void frmMain::reportError(const QString &description, long number, const QString &activity)
{
    tell(this, QStringLiteral("Error: %1 (%2)\n%3").arg(description).arg(number).arg(activity),
         platform::Icon::Critical);
}

// ---- Opening and closing -----------------------------------------------------

bool frmMain::OpenPlan(const QString &path)
{
    support::CWaitCursor wait;
    auto opened = std::make_unique<plan::Plan>();
    opened->Initialise(QStringLiteral("B"), QStringLiteral("M"));
    opened->planInfo().setPlanType(planTypeOfPath(path));
    opened->setFilePath(path);
    if (!opened->Open()) {
        tell(this, opened->lastError().isEmpty() ? QStringLiteral("The plan %1 could not be opened.").arg(path)
                                                 : opened->lastError(),
             platform::Icon::Exclamation);
        return false;
    }
    // The shown section belongs to the plan being replaced; its edits were
    // offered for saving when that plan closed.
    forgetShownSection();
    shell::adoptCurrentPlan(std::move(opened));
    planOpen();
    return true;
}

void frmMain::planOpen()
{
    support::CWaitCursor wait;
    forgetShownSection();
    plan::Plan &current = plan();
    BuildTree(current.outline().chapters());
    const bool business = current.planInfo().planType() == plan::BusinessPlan;
    shell::writeLastPlan(current.planInfo().planType(), current.fullPath());
    setWindowIcon(resources::LoadResIcon(business ? kBusinessPlanIcon : kMarketingPlanIcon));
    setWindowTitle(composerTitle(current.fullPath()));
    LoadAllTables();
    rememberTableDigests();
    m_pendingDeletions.clear();

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
    plan::Plan *current = shell::currentPlan();
    if (!current)
        return true;
    if (m_saving)
        return false; // its working copies are still being committed
    if (current->modified()) {
        const platform::Answer answer =
            ask(this, resText(1605), platform::Buttons::YesNoCancel, platform::Icon::Question);
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
    // Unsaved deletions are undone by not saving: their files stay.
    m_pendingDeletions.clear();
    // What the text view shows now matches no working copy: it is not
    // written again unless edited anew.
    m_textChanged = false;
    m_changedTables.clear();
    return true;
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
    const bool business = plan().planInfo().planType() == plan::BusinessPlan;
    platform::FileRequest request;
    request.title = resText(1330);
    request.folder = platform::Folders::myPlansFolder();
    request.filter = business ? QStringLiteral("Business Plan Files (*.bpl)|*.bpl")
                              : QStringLiteral("Marketing Plan Files (*.mpl)|*.mpl");
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
    if (m_saving) { // the save's working copies are not all committed yet
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

// ---- Outline tree ------------------------------------------------------------

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != tvwOutline->viewport())
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDropEvent *>(event);
        const bool onSection = IsSectionNode(tvwOutline->itemAt(drag->position().toPoint()));
        if (drag->mimeData()->hasUrls() && onSection)
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        QStringList paths;
        for (const QUrl &url : drop->mimeData()->urls()) {
            if (url.isLocalFile())
                paths << url.toLocalFile();
        }
        dropTextFiles(tvwOutline->itemAt(drop->position().toPoint()), paths);
        drop->acceptProposedAction();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

int frmMain::dropTextFiles(QTreeWidgetItem *node, const QStringList &paths)
{
    if (!IsSectionNode(node) || plan().folder().isEmpty())
        return 0;
    const int c = ChapterIndexOf(node);
    plan::Chapters &chapters = plan().outline().chapters();
    if (c < 1 || c > chapters.count())
        return 0;
    plan::Sections &sections = chapters.item(c)->sections();
    QTreeWidgetItem *chapterNode = node->parent();
    int added = 0;
    for (const QString &path : paths) {
        const QString fileName = QFileInfo(path).fileName();
        if (!fileName.toUpper().endsWith(QLatin1String(".RTF")))
            continue;
        const QString name = fileName.left(fileName.size() - 4);
        if (name.trimmed().isEmpty())
            continue;
        if (sections.find(name) != 0) {
            tell(this, QStringLiteral("This section name already exist"), platform::Icon::Exclamation);
            continue;
        }
        const QString copyName = nextSectionFileName(plan().folder());
        const QString failure = platform::copyFileAtomically(path, platform::joinPath(plan().folder(), copyName));
        if (!failure.isEmpty()) {
            reportError(failure, kFileAccessError, QStringLiteral("Copying ") + path);
            continue;
        }
        auto section = std::make_shared<plan::Section>(name);
        section->setTextSource(path);
        sections.Add(section);
        section->setTextFileName(copyName);
        section->setTextSource(QString()); // copied: the plan no longer needs the original
        m_buildingTree = true;
        addSectionNode(chapterNode, c, sections.count(), *section);
        m_buildingTree = false;
        plan().setModified(true);
        ++added;
    }
    if (added)
        updateSectionButtons(tvwOutline->currentItem());
    return added;
}

bool frmMain::IsChapterNode(const QTreeWidgetItem *node)
{
    return node && node->data(0, kNodeTagRole).toInt() == int(NodeTag::Chapter);
}

bool frmMain::IsSectionNode(const QTreeWidgetItem *node)
{
    return node && node->data(0, kNodeTagRole).toInt() == int(NodeTag::Section);
}

int frmMain::ChapterIndexOf(const QTreeWidgetItem *node)
{
    if (!node)
        return 0;
    if (IsSectionNode(node))
        return ChapterIndexOf(node->parent());
    return chapterNumberOfKey(nodeKeyOf(node));
}

void frmMain::setNodeImage(QTreeWidgetItem *node, const QString &image)
{
    const bool building = m_buildingTree;
    m_buildingTree = true; // an image change is no rename
    node->setIcon(0, composerImage(image));
    node->setData(0, kNodeImageRole, image);
    m_buildingTree = building;
}

QTreeWidgetItem *frmMain::addChapterNode(QTreeWidgetItem *root, int c, const plan::Chapter &chapter)
{
    QTreeWidgetItem *node = outlineNode(chapterKey(c), NodeTag::Chapter, chapter.name());
    node->setToolTip(0, chapter.name()); // the whole name, however narrow the pane
    root->addChild(node);
    setNodeImage(node, QStringLiteral("closed folder"));
    return node;
}

QTreeWidgetItem *frmMain::addSectionNode(QTreeWidgetItem *chapterNode, int c, int s, const plan::Section &section)
{
    QTreeWidgetItem *node = outlineNode(sectionKey(c, s), NodeTag::Section, section.name());
    node->setToolTip(0, section.name());
    chapterNode->addChild(node);
    setNodeImage(node, statusImageOf(section.status()));
    return node;
}

void frmMain::BuildTree(const plan::Chapters &chapters)
{
    m_buildingTree = true;
    tvwOutline->clear();
    QTreeWidgetItem *root = outlineNode(QLatin1String(kRootKey), NodeTag::Root, plan().name());
    tvwOutline->addTopLevelItem(root);
    setNodeImage(root, QStringLiteral("plan"));
    m_buildingTree = true;
    int c = 0;
    for (const auto &chapter : chapters) {
        ++c;
        QTreeWidgetItem *chapterNode = addChapterNode(root, c, *chapter);
        int s = 0;
        for (const auto &section : chapter->sections())
            addSectionNode(chapterNode, c, ++s, *section);
    }
    m_buildingTree = true;
    m_chaptersExpanded = false;
    cmdChapters->setToolTip(tr("Expand Chapters"));
    m_buildingTree = false;
}

QTreeWidgetItem *frmMain::nodeOfKey(const QString &key) const
{
    QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (!root)
        return nullptr;
    const OutlinePosition position = positionOfKey(key);
    if (key == QLatin1String(kRootKey))
        return root;
    if (position.chapter == 0 || position.chapter > root->childCount())
        return nullptr;
    QTreeWidgetItem *chapter = root->child(position.chapter - 1);
    if (position.section == 0)
        return chapter;
    return position.section <= chapter->childCount() ? chapter->child(position.section - 1) : nullptr;
}

void frmMain::ToggleChapters()
{
    QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (!root)
        return;
    m_chaptersExpanded = !m_chaptersExpanded;
    root->setExpanded(true);
    for (int index = root->childCount() - 1; index >= 0; --index)
        root->child(index)->setExpanded(m_chaptersExpanded);
    cmdChapters->setToolTip(m_chaptersExpanded ? tr("Collapse Chapters") : tr("Expand Chapters"));
    cmdChapters->setIcon(composerImage(m_chaptersExpanded ? QStringLiteral("open folder")
                                                          : QStringLiteral("closed folder")));
}

void frmMain::updateSectionButtons(const QTreeWidgetItem *node)
{
    bool previous = false;
    bool next = false;
    const QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (IsSectionNode(node)) {
        const QTreeWidgetItem *chapter = node->parent();
        const int s = chapter->indexOfChild(const_cast<QTreeWidgetItem *>(node));
        const int c = root->indexOfChild(const_cast<QTreeWidgetItem *>(chapter));
        previous = s > 0 || c > 0;
        next = s < chapter->childCount() - 1 || c < root->childCount() - 1;
    } else if (IsChapterNode(node)) {
        previous = root->indexOfChild(const_cast<QTreeWidgetItem *>(node)) > 0;
        next = true;
    } else if (root) {
        next = root->childCount() > 0;
    }
    cmdToolBar[4]->setEnabled(previous);
    cmdToolBar[5]->setEnabled(next);
    if (QAction *item = findChild<QAction *>(QStringLiteral("mnuView_8")))
        item->setEnabled(previous);
    if (QAction *item = findChild<QAction *>(QStringLiteral("mnuView_9")))
        item->setEnabled(next);
}

void frmMain::nodeClick(QTreeWidgetItem *node)
{
    adaptOutlinePopUp(node);
    updateSectionButtons(node);
    const OutlinePosition position = positionOfKey(nodeKeyOf(node));
    const bool section = IsSectionNode(node);
    const QTreeWidgetItem *chapterNode = section ? node->parent() : (IsChapterNode(node) ? node : nullptr);
    statusPanels[0]->setText(outlineNumber(position));
    statusPanels[1]->setText(chapterNode ? chapterNode->text(0) : QString());
    statusPanels[1]->setToolTip(chapterNode ? QStringLiteral("Current Chapter: ") + chapterNode->text(0) : QString());
    statusPanels[2]->setText(section ? node->text(0) : QString());
    statusPanels[2]->setToolTip(section ? QStringLiteral("Current Section: ") + node->text(0) : QString());
    statusPanels[3]->clear();
    if (!section)
        return;
    plan::Chapters &chapters = plan().outline().chapters();
    const int c = ChapterIndexOf(node);
    if (c < 1 || c > chapters.count() || position.section > chapters.item(c)->sections().count())
        return;
    const auto &sectionItem = chapters.item(c)->sections().item(position.section);
    const qint16 status = sectionItem->status();
    if (status == plan::Complete || status == plan::Exclude)
        statusPanels[3]->setPixmap(composerImage(statusImageOf(status)).pixmap(16, 16));
    showSection(sectionItem, position);
}

void frmMain::nodeRenamed(QTreeWidgetItem *node)
{
    const QString oldText = node->data(0, kNodeTextRole).toString();
    const QString newText = node->text(0);
    auto cancel = [&] {
        m_buildingTree = true;
        node->setText(0, oldText);
        m_buildingTree = false;
    };
    if (newText.trimmed().isEmpty() || newText.compare(oldText, Qt::CaseInsensitive) == 0) {
        if (newText != oldText)
            cancel();
        return;
    }
    const OutlinePosition position = positionOfKey(nodeKeyOf(node));
    plan::Chapters &chapters = plan().outline().chapters();
    try {
        if (IsSectionNode(node))
            chapters.item(position.chapter)->sections().Rename(position.section, newText);
        else if (IsChapterNode(node))
            chapters.Rename(position.chapter, newText);
        else
            return;
    } catch (const QvError &error) {
        cancel();
        if (error.number() == plan::kDuplicateSectionName)
            tell(this, QStringLiteral("This section name already exist"), platform::Icon::Exclamation);
        else
            reportError(error.description(), error.number(), QStringLiteral("Renaming ") + oldText);
        return;
    }
    m_buildingTree = true;
    node->setData(0, kNodeTextRole, newText);
    m_buildingTree = false;
    plan().setModified(true);
    if (tvwOutline->currentItem() == node) {
        if (IsSectionNode(node)) {
            lblSectionName->setText(outlineNumber(position) + QStringLiteral(" - ") + newText);
            statusPanels[2]->setText(newText);
            statusPanels[2]->setToolTip(QStringLiteral("Current Section: ") + newText);
        } else {
            statusPanels[1]->setText(newText);
            statusPanels[1]->setToolTip(QStringLiteral("Current Chapter: ") + newText);
        }
    }
}

void frmMain::moveSection(bool forward)
{
    QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (!root)
        return;
    QTreeWidgetItem *node = tvwOutline->currentItem() ? tvwOutline->currentItem() : root;
    QTreeWidgetItem *target = nullptr;
    auto firstOf = [](QTreeWidgetItem *chapter) { return chapter->childCount() ? chapter->child(0) : nullptr; };
    auto lastOf = [](QTreeWidgetItem *chapter) {
        return chapter->childCount() ? chapter->child(chapter->childCount() - 1) : nullptr;
    };
    // The nearest chapter with sections in the direction of travel.
    auto chapterFrom = [&](int index, int step) -> QTreeWidgetItem * {
        for (; index >= 0 && index < root->childCount(); index += step) {
            if (root->child(index)->childCount())
                return root->child(index);
        }
        return nullptr;
    };
    const int step = forward ? 1 : -1;
    if (IsSectionNode(node)) {
        QTreeWidgetItem *chapter = node->parent();
        const int s = chapter->indexOfChild(node) + step;
        if (s >= 0 && s < chapter->childCount()) {
            target = chapter->child(s);
        } else if (QTreeWidgetItem *other = chapterFrom(root->indexOfChild(chapter) + step, step)) {
            other->setExpanded(true);
            target = forward ? firstOf(other) : lastOf(other);
        }
    } else {
        const int from = IsChapterNode(node) ? root->indexOfChild(node) + (forward ? 0 : -1) : (forward ? 0 : -1);
        if (QTreeWidgetItem *other = chapterFrom(from, step)) {
            other->setExpanded(true);
            target = forward ? firstOf(other) : lastOf(other);
        }
    }
    if (target) {
        tvwOutline->setCurrentItem(target);
        tabWorkArea->setCurrentIndex(0);
        workViews->setCurrentWidget(rtfWorkArea);
    }
}

// ---- Work area ---------------------------------------------------------------

void frmMain::forgetShownSection()
{
    m_section.reset();
    m_position = {};
    m_saveTarget.clear();
    m_tableName.clear();
    m_table.reset();
    m_textChanged = false;
    m_changedTables.clear();
}

bool frmMain::writeSectionText()
{
    if (!m_section || !m_textChanged || m_saveTarget.isEmpty())
        return true;
    // Every character gets an explicit font, so the text reads the same in
    // every program that opens the file.
    m_loadingText = true;
    const QTextCursor kept = rtfWorkArea->textCursor();
    rtfWorkArea->setSelection(0, rtfWorkArea->plainTextLength());
    rtfWorkArea->makeFontsExplicit();
    rtfWorkArea->setTextCursor(kept);
    m_loadingText = false;
    const QString failure = composer::writeSectionText(*rtfWorkArea->document(), m_saveTarget);
    if (!failure.isEmpty()) {
        reportError(failure, kFileAccessError, QStringLiteral("Saving ") + m_saveTarget);
        return false;
    }
    m_textChanged = false;
    return true;
}

void frmMain::showSection(const std::shared_ptr<plan::Section> &section, const OutlinePosition &position)
{
    // A text that cannot be written stays on screen, so that the user can
    // try again rather than lose it.
    if (!writeSectionText() || !writeChangedTables())
        return;
    m_section = section;
    m_position = position;
    m_reportedMissing.clear();
    m_textChanged = false;
    lblSectionName->setText(outlineNumber(position) + QStringLiteral(" - ") + section->name());

    bool isNew = false;
    if (section->textFileName().isEmpty()) {
        const QString failure = createSectionTextFile(*section, support::Preferences::getPreferenceFont(),
                                                      support::Preferences::getPreferenceFontSize());
        if (!failure.isEmpty())
            reportError(failure, kFileAccessError, QStringLiteral("Creating the text of ") + section->name());
        else {
            isNew = true;
            plan().setModified(true); // the plan document now names the file
        }
    }

    m_loadingText = true;
    setUpdatesEnabled(false);
    const QString toShow = section->textFileToShow();
    if (toShow.isEmpty()) {
        rtfWorkArea->clear();
    } else {
        const QString failure = rtfWorkArea->loadRtfFile(toShow);
        if (!failure.isEmpty()) {
            rtfWorkArea->clear();
            reportError(failure, kFileNotFound, QStringLiteral("Loading ") + toShow);
        }
    }
    m_saveTarget = section->primaryTextFileName().isEmpty()
                       ? QString()
                       : platform::joinPath(section->folder(), section->primaryTextFileName());
    rtfWorkArea->setPageWidth(kPageWidthTwips);
    rtfWorkArea->setPageHeight(kPageHeightTwips);
    if (isNew) {
        rtfWorkArea->setSelection(0, rtfWorkArea->plainTextLength());
        rtfWorkArea->makeFontsExplicit();
        rtfWorkArea->clearSelection();
    }
    rtfWorkArea->setBackgroundColor(section->status() == plan::Exclude ? palette().color(QPalette::Button)
                                                                        : QColor(255, 255, 255));
    rtfWorkArea->setReadOnly(toShow.isEmpty());
    setUpdatesEnabled(true);
    m_loadingText = false;

    const bool hasKey = !section->key().isEmpty();
    optHelper[Instructions]->setEnabled(hasKey);
    optHelper[ExampleText]->setEnabled(hasKey);
    optHelper[ExampleTable]->setEnabled(hasKey && section->hasTables());
    showSectionTables();
    ReLoadHelper();
}

void frmMain::showSectionTables()
{
    mnuExtraTablesPopUp->clear();
    m_table.reset();
    m_tableName.clear();
    const bool hasTables = m_section->hasTables();
    tabWorkArea->setTabEnabled(1, hasTables);
    cmdTables->setVisible(hasTables && m_section->tables().count() >= 2);
    if (!hasTables) {
        fOne->setWorkbook(nullptr);
        setProtection(true, false);
        showWorkView(0);
        return;
    }
    const plan::Tables &tables = m_section->tables();
    for (int index = 2; index <= tables.count(); ++index) {
        const auto &table = tables.item(index);
        QAction *item = mnuExtraTablesPopUp->addAction(table->displayName().isEmpty() ? table->name()
                                                                                       : table->displayName());
        item->setObjectName(QStringLiteral("mnuExtraTables_%1").arg(index - 2));
        item->setData(table->name());
    }
    showTable(tables.item(1)->name());
}

std::shared_ptr<plan::Table> frmMain::tableNamed(const QString &name) const
{
    if (!m_section)
        return nullptr;
    for (const auto &table : m_section->tables()) {
        if (table->name().compare(name, Qt::CaseInsensitive) == 0)
            return table;
    }
    return nullptr;
}

void frmMain::showTable(const QString &name)
{
    std::shared_ptr<plan::Table> table = tableNamed(name);
    workbook::Workbook *book = table ? m_tables->find(table->name()) : nullptr;
    if (!book)
        return;
    m_table = table;
    m_tableName = table->name();
    const int zoom = fOne->workbook() ? fOne->zoom() : 100;
    fOne->setUpdatesEnabled(false);
    fOne->setWorkbook(book);
    fOne->setProperty("tablePath", platform::joinPath(plan().folder(), table->name() + QStringLiteral(".vts")));
    fOne->setShowColumnHeadings(false);
    fOne->setShowRowHeadings(false);
    fOne->setShowFormulaBar(false);
    fOne->setShowBorder(false);
    fOne->setZoom(zoom);
    fOne->setBackgroundColor(palette().color(QPalette::Base));
    fOne->setUpdatesEnabled(true);
    // Every change of table locks the cells again.
    setProtection(true, false);
    if (workViews->currentWidget() == fOne) {
        fOne->setFocus();
        fOne->goHome();
        const int position = m_section->tables().indexOf(table.get());
        lblSectionName->setText(QStringLiteral("%1 %2.%3 - %4")
                                    .arg(support::withoutAccessKey(resText(1054)), outlineNumber(m_position))
                                    .arg(position)
                                    .arg(table->displayName().isEmpty() ? table->name() : table->displayName()));
    }
    updateWorkCommands();
}

void frmMain::showWorkView(int index)
{
    if (index == 1 && !m_table)
        index = 0;
    if (tabWorkArea->currentIndex() != index) {
        tabWorkArea->setCurrentIndex(index); // comes back here
        return;
    }
    workViews->setCurrentIndex(index);
    // The side buttons follow the view: word processor and spelling beside
    // the text, spreadsheet and graph generator beside a table.
    const bool table = index == 1;
    sscmdEdit->setIcon(composerImage(table ? QStringLiteral("Table") : QStringLiteral("Text")));
    sscmdAssist->setIcon(composerImage(table ? QStringLiteral("Graph") : QStringLiteral("Spell")));
    sscmdEdit->setToolTip(table ? tr("Spread Sheet") : tr("Word Processor"));
    sscmdAssist->setToolTip(table ? support::withoutAccessKey(resText(1074))
                                  : support::withoutAccessKey(resText(1093)));
    if (index == 1 && m_table) {
        showTable(m_table->name());
    } else if (m_section) {
        lblSectionName->setText(outlineNumber(m_position) + QStringLiteral(" - ") + m_section->name());
    }
    updateWorkCommands();
}

void frmMain::setProtection(bool locked, bool ask)
{
    QAction *unlock = findChild<QAction *>(QStringLiteral("mnuUnlockCells"));
    workbook::Workbook *book = m_table ? m_tables->find(m_table->name()) : nullptr;
    if (!locked && ask
        && composer::ask(this, resText(1602), platform::Buttons::YesNo, platform::Icon::Question) != platform::Answer::Yes)
        locked = true;
    if (book)
        book->setProtected(locked);
    unlock->setEnabled(book != nullptr);
    unlock->setChecked(!locked);
}

void frmMain::clearCommand()
{
    if (workViews->currentWidget() != fOne || !fOne->workbook()) {
        rtfWorkArea->textCursor().removeSelectedText();
        return;
    }
    workbook::Workbook *book = fOne->workbook();
    for (const workbook::CellRange &range : book->selection().ranges) {
        if (book->hasLockedCells(range)) {
            tell(this, resText(1603), platform::Icon::Exclamation);
            return;
        }
    }
    fOne->clearSelection();
}

void frmMain::showHelperPane(bool show)
{
    if (show == !picHelper->isHidden())
        return;
    QList<int> sizes = splitMain->sizes();
    if (!show) {
        // The pane's two sizes wait in its tag until it shows again.
        picHelper->setProperty("tag", QStringLiteral("%1:%2").arg(sizes[1]).arg(sizes[2]));
        picHelper->hide();
        return;
    }
    picHelper->show();
    const QStringList kept = picHelper->property("tag").toString().split(QLatin1Char(':'));
    if (kept.size() == 2 && kept[0].toInt() > 0 && kept[1].toInt() > 0) {
        sizes = splitMain->sizes();
        sizes[1] = kept[0].toInt();
        sizes[2] = kept[1].toInt();
        splitMain->setSizes(sizes);
    }
}

void frmMain::setLayout(Layout layout)
{
    const int item = layout == Layout::ViewAll ? 1 : layout == Layout::HideNavigator ? 2 : 3;
    if (QAction *check = findChild<QAction *>(QStringLiteral("mnuView_%1").arg(item)))
        check->setChecked(true);
    picHelper->setUpdatesEnabled(false);
    switch (layout) {
    case Layout::ViewAll:
        if (picOutline->isHidden()) {
            showHelperPane(true);
            showOutlinePane(true);
        }
        break;
    case Layout::HideNavigator:
        showHelperPane(true);
        showOutlinePane(false);
        break;
    case Layout::ExpandWorkspace:
        showOutlinePane(false);
        showHelperPane(false);
        break;
    }
    picHelper->setUpdatesEnabled(true);
    if (layout != Layout::ExpandWorkspace)
        ReLoadHelper();
}

int frmMain::zoom() const
{
    if (workViews->currentWidget() == fOne && fOne->workbook())
        return fOne->zoom();
    if (workViews->currentWidget() == rtfWorkArea && m_section)
        return rtfWorkArea->zoomFactor();
    return 0;
}

void frmMain::setZoom(int percent)
{
    if (workViews->currentWidget() == fOne && fOne->workbook())
        fOne->setZoom(percent);
    else if (workViews->currentWidget() == rtfWorkArea && m_section)
        rtfWorkArea->setZoomFactor(percent);
    updateZoomChecks();
}

void frmMain::stepZoom()
{
    const int current = zoom();
    if (current == 0)
        return;
    setZoom(current <= 150 ? current + 10 : 75);
}

void frmMain::updateZoomChecks()
{
    const int current = zoom();
    const int zooms[3] = {125, 100, 75};
    for (int index = 0; index < 3; ++index) {
        if (QAction *item = findChild<QAction *>(QStringLiteral("mnuViewZoom_%1").arg(index)))
            item->setChecked(current == zooms[index]);
    }
}

void frmMain::LoadAllTables()
{
    support::CWaitCursor wait;
    m_changedTables.clear();
    fOne->setWorkbook(nullptr);
    m_table.reset();
    m_tables->clear();
    plan::Plan &current = plan();
    for (const auto &chapter : current.outline().chapters()) {
        for (const auto &section : chapter->sections()) {
            for (const auto &table : section->tables()) {
                auto book = std::make_shared<workbook::Workbook>();
                // The working copy holds the latest edit while it exists.
                const QString path = table->fileToLoad();
                if (!path.isEmpty() && QFileInfo::exists(path)) {
                    try {
                        book->read(path);
                    } catch (const QvError &error) {
                        reportError(error.description(), error.number(), QStringLiteral("Loading ") + path);
                    }
                } else {
                    tell(this, QStringLiteral("Error loading file:\r\n%1").arg(path), platform::Icon::Information);
                }
                const QString name = table->name();
                workbook::Workbook *added = m_tables->add(book, name);
                connect(added, &workbook::Workbook::contentChanged, this, [this, name] {
                    m_changedTables.insert(name);
                    plan().setModified(true);
                });
            }
        }
    }
    // One recalculation of the whole set brings linked values up to date.
    m_tables->recalculate();
}

bool frmMain::writeChangedTables()
{
    const QSet<QString> pending = m_changedTables;
    for (const QString &name : pending) {
        std::shared_ptr<plan::Table> table;
        for (const auto &chapter : plan().outline().chapters()) {
            for (const auto &section : chapter->sections()) {
                for (const auto &candidate : section->tables()) {
                    if (!table && candidate->name().compare(name, Qt::CaseInsensitive) == 0)
                        table = candidate;
                }
            }
        }
        workbook::Workbook *book = m_tables->find(name);
        if (!table || !book) { // the table left the plan
            m_changedTables.remove(name);
            continue;
        }
        const QString path = platform::joinPath(table->folder(), table->primaryFileName());
        try {
            book->write(path);
        } catch (const QvError &error) {
            reportError(error.description(), error.number(), QStringLiteral("Saving ") + path);
            return false;
        }
        m_changedTables.remove(name);
    }
    return true;
}

void frmMain::moveTable(bool forward)
{
    const std::vector<TableEntry> order = tablesInPlanOrder(plan().outline());
    if (order.empty())
        return;
    int target = forward ? 0 : -1;
    for (size_t index = 0; index < order.size(); ++index) {
        if (order[index].table == m_table) {
            target = int(index) + (forward ? 1 : -1);
            break;
        }
    }
    if (target < 0 && !m_table)
        target = 0;
    if (target < 0 || target >= int(order.size()))
        return; // the first or last table stays in place
    const TableEntry &place = order[size_t(target)];
    if (m_position.chapter != place.chapter || m_position.section != place.section) {
        QTreeWidgetItem *node = nodeOfKey(sectionKey(place.chapter, place.section));
        if (!node)
            return;
        node->parent()->setExpanded(true);
        tvwOutline->setCurrentItem(node);
        if (m_position.chapter != place.chapter || m_position.section != place.section)
            return; // the shown section could not be left
    }
    showTable(place.table->name());
    showWorkView(1);
    if (optHelper[ExampleTable]->isChecked())
        ReLoadHelper();
    if (!fOne->isHidden())
        fOne->setFocus();
}

bool frmMain::gotoTable(const QString &name)
{
    if (name.isEmpty())
        return false;
    const plan::PlanOutline::TablePlace place = plan().outline().findTable(name);
    if (!place.table)
        return false;
    return goToTablePlace(place.chapter, place.section, place.table->name());
}

// ---- Helper pane -------------------------------------------------------------

void frmMain::ReLoadHelper()
{
    if (picHelper->isHidden())
        return;
    if (optHelper[ExampleTable]->isChecked())
        showExampleTable(false);
    else if (optHelper[ExampleText]->isChecked())
        showExampleText();
    else
        showInstructions();
}

void frmMain::switchHelper()
{
    sbsIEWeb->setVisible(sbsIEWeb->isHidden());
    f1Helper->setVisible(sbsIEWeb->isHidden());
}

void frmMain::showHelperFile(int option, const QString &path, int missingMessage)
{
    if (!m_section)
        return;
    if (m_section->key().isEmpty()) {
        // A section of the user's own has no instructions in the library.
        if (option == Instructions)
            sbsIEWeb->setText(ownSectionInstructions(m_section->name()));
        else
            sbsIEWeb->clear();
    } else if (!QFileInfo::exists(path)) {
        sbsIEWeb->clear();
        if (!m_reportedMissing.contains(option)) {
            m_reportedMissing.insert(option);
            tell(this, resText(missingMessage), platform::Icon::Information);
        }
    } else {
        const QString failure = sbsIEWeb->loadFile(path);
        if (!failure.isEmpty() && !m_reportedMissing.contains(option)) {
            m_reportedMissing.insert(option);
            reportError(failure, kFileNotFound, QStringLiteral("Loading ") + path);
        }
    }
    if (sbsIEWeb->isHidden())
        switchHelper();
    returnFocus();
}

void frmMain::showInstructions()
{
    if (m_section)
        showHelperFile(Instructions, instructionFilePath(plan(), m_section->key()), 1608);
}

void frmMain::showExampleText()
{
    if (m_section)
        showHelperFile(ExampleText, exampleFilePath(plan(), m_section->key()), 1609);
}

void frmMain::showExampleTable(bool bringIntoView)
{
    if (!m_section)
        return;
    const QString path = exampleTablePath(plan(), m_tableName);
    auto book = std::make_unique<workbook::Workbook>();
    bool read = false;
    if (m_section->hasTables() && !path.isEmpty() && QFileInfo::exists(path)) {
        try {
            book->read(path);
            read = true;
        } catch (const QvError &) {
            read = false; // an unreadable example falls back as a missing one does
        }
    }
    if (!read) {
        optHelper[Instructions]->setChecked(true);
        showInstructions();
        return;
    }
    f1Helper->setWorkbook(book.get());
    m_exampleTable = std::move(book);
    f1Helper->setShowColumnHeadings(false);
    f1Helper->setShowRowHeadings(false);
    f1Helper->setShowFormulaBar(false);
    f1Helper->setShowGridLines(false);
    f1Helper->setBackgroundColor(palette().color(QPalette::Button));
    if (bringIntoView && f1Helper->isHidden())
        switchHelper();
    f1Helper->setActiveCell(1, 1);
    if (!f1Helper->isHidden()) {
        f1Helper->setFocus();
        f1Helper->goHome();
    }
    returnFocus();
}

void frmMain::returnFocus()
{
    if (workViews->currentWidget() == rtfWorkArea)
        rtfWorkArea->setFocus();
    else
        fOne->setFocus();
}

} // namespace qv::composer
