// The composer's View additions, Tools and Help menus, the list of tables
// and the graph pictures.

#include "composer/ComposerCommon.h"
#include "composer/frmMain.h"
#include "composer/frmTables.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "editors/analysis/frmAnalysis.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "resources/art/Artwork.h"
#include "shell/CurrentPlan.h"
#include "support/ErrorReports.h"
#include "support/Calculator.h"
#include "support/CWaitCursor.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/frmAboutBox.h"

#include <QMenuBar>
#include <QSplitter>
#include <QTreeWidget>

namespace qv::composer {

namespace {

// The program's icon, the About window's picture.
constexpr int kProgramIcon = 101;

} // namespace

void frmMain::buildToolsMenu()
{
    QMenu *tools = menuBar()->addMenu(QString());
    tools->setObjectName(QStringLiteral("mnuToolsTop"));
    m_items.wordProcessor = menuItem(tools, QStringLiteral("mnuTools_0"), tr("Word &Processor"));
    connect(m_items.wordProcessor, &QAction::triggered, this, &frmMain::openWordProcessor);
    m_items.spreadsheet = menuItem(tools, QStringLiteral("mnuTools_1"), tr("&Spread Sheet"));
    m_items.graphGenerator = captioned(menuItem(tools, QStringLiteral("mnuTools_2"), resText(1074)), 1074);
    tools->addSeparator()->setObjectName(QStringLiteral("mnuTools_3"));
    connect(menuItem(tools, QStringLiteral("mnuTools_4"), tr("&Calculator")), &QAction::triggered, this,
            &frmMain::startCalculator);
    connect(captioned(menuItem(tools, QStringLiteral("mnuTools_5"), resText(1075)), 1075), &QAction::triggered, this,
            [this] { support::OpenHelpFile(this, support::kAdvisorHelpFile); });
    connect(captioned(menuItem(tools, QStringLiteral("mnuTools_6"), resText(1034)), 1034), &QAction::triggered, this,
            [this] { support::OpenSecondWebSite(this); });
    // The financial analysis, shown for plans whose profile offers it.
    m_items.analysisRule = tools->addSeparator();
    m_items.analysisRule->setObjectName(QStringLiteral("mnuTools_7"));
    m_items.analysisRule->setVisible(false);
    m_items.analysis = menuItem(tools, QStringLiteral("mnuTools_8"), QString());
    m_items.analysis->setVisible(false);
    connect(m_items.analysis, &QAction::triggered, this, [this] {
        analysis::frmAnalysis window(m_session->plan(), m_session->getTables(), this);
        window.exec();
    });
    connect(tools, &QMenu::aboutToShow, this, &frmMain::updateWorkCommands);
}

void frmMain::applyAnalysisItems()
{
    const plan::Plan *current = shell::currentPlan();
    const bool offered = current && !current->fullPath().isEmpty() && current->profile().analysis();
    m_items.analysisRule->setVisible(offered);
    m_items.analysis->setVisible(offered);
    m_items.analysis->setText(offered ? current->profile().analysisTitle() : QString());
}

void frmMain::buildHelpMenu()
{
    QMenu *help = menuBar()->addMenu(QString());
    help->setObjectName(QStringLiteral("mnuHelpTop"));
    m_items.helpTopics = captioned(menuItem(help, QStringLiteral("mnuHelp_0"), resText(1090) + QStringLiteral("...")),
                                   1090);
    connect(m_items.helpTopics, &QAction::triggered, this,
            [this] { support::OpenHelpFile(this, support::kMainHelpFile); });
    connect(menuItem(help, QStringLiteral("mnuHelp_1"), resText(1032)), &QAction::triggered, this,
            [this] { support::OpenHelpFile(this, support::kTipsHelpFile); });
    connect(captioned(menuItem(help, QStringLiteral("mnuHelp_2"), resText(1092)), 1092), &QAction::triggered, this,
            [this] { support::ShowProducts(this); });
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelp_3"));
    connect(menuItem(help, QStringLiteral("mnuHelp_4"),
                     resText(1091) + QLatin1Char(' ') + resText(1302) + QStringLiteral("...")),
            &QAction::triggered, this, [this] {
                support::frmAboutBox about(this);
                about.setPicture(resources::LoadResIcon(kProgramIcon).pixmap(64, 64));
                about.Display();
            });
}

void frmMain::addViewItems()
{
    QMenu *view = m_items.view;
    QAction *cellLink = m_items.cellLinks;
    // The helper pane's own switch, beside the layouts.
    auto *helper = new QAction(tr("Hide Instructions/Examples"), view);
    m_items.helperPane = helper;
    helper->setObjectName(QStringLiteral("mnuViewHelperPane"));
    view->insertAction(cellLink, helper);
    view->insertSeparator(cellLink);
    connect(helper, &QAction::triggered, this, &frmMain::toggleHelperPane);
    // The list of tables, beside the cell links that also lead to tables.
    const QList<QAction *> items = view->actions();
    const qsizetype after = items.indexOf(cellLink) + 1;
    auto *list = new QAction(resText(1072), view);
    list->setObjectName(QStringLiteral("mnuViewListOfTables"));
    view->insertAction(after < items.size() ? items[after] : nullptr, list);
    connect(list, &QAction::triggered, this, &frmMain::showListOfTables);
    connect(view, &QMenu::aboutToShow, this, &frmMain::updateWorkCommands);
}

void frmMain::toggleHelperPane()
{
    const bool show = picHelper->isHidden();
    picHelper->setUpdatesEnabled(false);
    showHelperPane(show);
    picHelper->setUpdatesEnabled(true);
    if (show)
        ReLoadHelper();
    updateWorkCommands();
}

frmTables *frmMain::listOfTables() const
{
    return m_listOfTables.data();
}

void frmMain::showOutlinePane(bool show)
{
    if (show == !picOutline->isHidden())
        return;
    if (!show) {
        // Its width waits in its tag, as the helper pane's sizes do.
        picOutline->setProperty("tag", splitMain->sizes().value(0));
        picOutline->hide();
        return;
    }
    picOutline->show();
    const int width = picOutline->property("tag").toInt();
    QList<int> sizes = splitMain->sizes();
    if (width <= 0 || sizes.size() != 3)
        return;
    // The helper and the work area give the room back in proportion.
    const int room = width - sizes[0];
    const int others = sizes[1] + sizes[2];
    if (others > 0) {
        const int fromHelper = picHelper->isHidden() ? 0 : room * sizes[1] / others;
        sizes[1] -= fromHelper;
        sizes[2] -= room - fromHelper;
    }
    sizes[0] = width;
    splitMain->setSizes(sizes);
}

void frmMain::showListOfTables()
{
    if (m_listOfTables) {
        m_listOfTables->raise();
        m_listOfTables->activateWindow();
        return;
    }
    auto *list = new frmTables(this);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->fill(plan().outline());
    m_listOfTables = list;
    connect(list, &frmTables::tableChosen, this, [this](const QString &name) {
        // The row names one table exactly; a prefix could find another.
        for (const TableEntry &entry : tablesInPlanOrder(plan().outline())) {
            if (entry.table->name().compare(name, Qt::CaseInsensitive) == 0) {
                goToTablePlace(entry.chapter, entry.section, entry.table->name());
                return;
            }
        }
    });
    list->open();
}

bool frmMain::goToTablePlace(int chapter, int section, const QString &name)
{
    QTreeWidgetItem *node = nodeOfKey(sectionKey(chapter, section));
    if (!node)
        return false;
    node->parent()->setExpanded(true);
    tvwOutline->setCurrentItem(node);
    if (m_position.chapter != chapter || m_position.section != section)
        return false; // the shown section could not be left
    if (!tableNamed(name))
        return false;
    showTable(name);
    showWorkView(1);
    return true;
}

void frmMain::startCalculator()
{
    // The desktop's calculator stands in for the system's calc program.
    support::StartCalculator(this);
}

std::vector<GraphPicture> frmMain::UpdateGraphPictures()
{
    support::CWaitCursor wait;
    std::vector<GraphPicture> pictures = graphPictures(plan().outline());
    if (!m_graphPictureMaker)
        return pictures;
    for (GraphPicture &picture : pictures) {
        if (picture.current)
            continue;
        // The loaded workbook holds the table as saved, with its links to
        // other tables calculated; the helper keeps showing its example.
        const workbook::Workbook *book = m_session->table(picture.entry.table->name());
        if (!book)
            continue;
        const QString failure = m_graphPictureMaker(*book, *picture.entry.table, picture.picturePath);
        if (failure.isEmpty())
            picture.current = true;
        else
            support::reportOperationError(this, 75, failure, QStringLiteral("Saving ") + picture.picturePath);
    }
    return pictures;
}

} // namespace qv::composer
