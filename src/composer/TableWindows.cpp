#include "composer/TableWindows.h"

#include "composer/CellLinks.h"
#include "composer/OpenPlanSession.h"
#include "composer/PlanTables.h"
#include "composer/frmCellLinkInfo.h"
#include "controls/workbook/EditHistory.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "create/creation/ProfileTables.h"
#include "editors/frmSpreadSheet.h"
#include "plan/Currency.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"
#include "platform/Paths.h"

#include <QApplication>

namespace qv::composer {

TableWindows::TableWindows(OpenPlanSession &session, QWidget *composer, GoToCell goToCell)
    : QObject(composer), m_session(session), m_composer(composer), m_goToCell(std::move(goToCell))
{
    // The module shows a loaded workbook: it goes before the workbooks do.
    connect(&session, &OpenPlanSession::tablesAboutToReload, this, &TableWindows::closeSpreadsheet);
    connect(&session, &OpenPlanSession::planClosed, this, &TableWindows::closeSpreadsheet);
}

TableWindows::~TableWindows()
{
    delete m_spreadsheet;
}

editors::frmSpreadSheet *TableWindows::openSpreadsheet()
{
    const std::shared_ptr<plan::Table> table = m_session.currentTable();
    workbook::Workbook *book = table ? m_session.table(table->name()) : nullptr;
    if (!book)
        return nullptr;
    if (!m_spreadsheet) {
        m_spreadsheet = new editors::frmSpreadSheet;
        m_spreadsheet->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_spreadsheet, &editors::frmSpreadSheet::returned, this, [this] {
            emit spreadsheetReturned();
            if (m_composer) {
                m_composer->raise();
                m_composer->activateWindow();
            }
        });
        connect(m_spreadsheet, &editors::frmSpreadSheet::cellLinkRequested, this, &TableWindows::viewCellLink);
    }
    const plan::Plan &plan = m_session.plan();
    m_spreadsheet->setDefaultTableFile(platform::resolveExistingPath(
        platform::joinPath(plan::ModEnglish::GetTablesFolder(plan.planInfo()), table->name() + QStringLiteral(".vts"))));
    m_spreadsheet->setPdfFolder(plan.folder());
    m_spreadsheet->setCurrency(plan::currencyOfType(plan.profile().currencyType()));
    m_spreadsheet->setSpreadsheet(book);
    if (m_composer)
        m_spreadsheet->setWindowIcon(m_composer->windowIcon());
    m_spreadsheet->show();
    m_spreadsheet->raise();
    m_spreadsheet->activateWindow();
    return m_spreadsheet;
}

void TableWindows::closeSpreadsheet()
{
    if (!m_spreadsheet)
        return;
    m_spreadsheet->close();
    QApplication::processEvents(); // the module lets go before the composer moves on
}

bool TableWindows::viewCellLink(const QString &formula)
{
    QWidget *owner = m_spreadsheet && m_spreadsheet->isActiveWindow() ? static_cast<QWidget *>(m_spreadsheet) : m_composer.data();
    const QString target = composer::viewCellLink(owner, formula, tablesInPlanOrder(m_session.plan().outline()));
    QString name;
    int row = 0, col = 0;
    if (target.isEmpty() || !splitLinkTarget(target, name, row, col))
        return false;
    closeSpreadsheet();
    return m_goToCell && m_goToCell(name, row, col);
}

bool TableWindows::openProfile(create::frmProfile::Page page)
{
    // Changed tables are marked for the next save; their undo history would
    // take back only part of a profile change, so it starts afresh.
    create::LoadedWorkbooks tables(m_session.getTables(), [this](workbook::Workbook &book) {
        m_session.markTableChanged(book.title());
        workbook::EditHistory::clear(book);
    });
    create::frmProfile dialog(m_session.plan(), tables, m_composer);
    const bool applied = dialog.Display(page);
    if (applied && dialog.outcome().planChanged)
        m_session.markModified();
    if (m_spreadsheet)
        m_spreadsheet->setCurrency(plan::currencyOfType(m_session.plan().profile().currencyType()));
    return applied;
}

} // namespace qv::composer
