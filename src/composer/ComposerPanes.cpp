// The composer's panes: outline, helper, work area and status bar.

#include "composer/frmMain.h"

#include "composer/ComposerArt.h"
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

    buildOutlinePane();
    buildHelperPane();
    buildWorkAreaPane();
    splitMain->addWidget(picOutline);
    splitMain->addWidget(picHelper);
    splitMain->addWidget(picWorkArea);
    splitMain->setStretchFactor(0, 0);
    splitMain->setStretchFactor(1, 1);
    splitMain->setStretchFactor(2, 2);
    splitMain->setSizes({250, 300, 470});

    buildStatusBar();

    timerSave = new QTimer(this);
    timerSave->setObjectName(QStringLiteral("timerSave"));
    timerSave->setInterval(60000);

    m_typingPause = new QTimer(this);
    m_typingPause->setObjectName(QStringLiteral("timerTypingPause"));
    m_typingPause->setSingleShot(true);
    m_typingPause->setInterval(2000);
    connect(m_typingPause, &QTimer::timeout, this, &frmMain::keepTypedText);
}

void frmMain::buildOutlinePane()
{
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

}

void frmMain::buildHelperPane()
{
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

}

void frmMain::buildWorkAreaPane()
{
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
    lblSectionName->setWordWrap(true); // a long table title takes a second line rather than losing its end
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
    sscmdEdit->setEnabled(false); // until a section shows
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
        if (m_loadingText || !currentSection())
            return;
        m_session->markTextChanged();
        m_typingPause->start();
    });
}

void frmMain::buildStatusBar()
{
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
}

} // namespace qv::composer
