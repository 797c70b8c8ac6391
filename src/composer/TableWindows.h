#pragma once

// The windows the composer opens on the open plan's tables: the spreadsheet
// module on the current table, the cell link dialog and the Plan Profile
// dialog. All of them work on the session's loaded workbooks.

#include "create/profile/frmProfile.h"
#include "editors/frmSpreadSheet.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace qv::workbook {
class WorkbookView;
}

namespace qv::composer {

class OpenPlanSession;

class TableWindows : public QObject
{
    Q_OBJECT

public:
    // `goToCell` shows a table by name with its section and makes the cell
    // active (the composer's gotoTable); false when no table matches.
    using GoToCell = std::function<bool(const QString &table, int row, int col)>;
    TableWindows(OpenPlanSession &session, QWidget *composer, GoToCell goToCell);
    ~TableWindows() override;

    // Tools, Spread Sheet: the module on the current table (raised when open).
    editors::frmSpreadSheet *openSpreadsheet();
    editors::frmSpreadSheet *spreadsheet() const { return m_spreadsheet; }
    void closeSpreadsheet();

    // View, View Cell Link on a formula; true when it went to a linked cell.
    bool viewCellLink(const QString &formula);

    // File, Plan Profile (first page) or View, Cover Page; true after OK.
    bool openProfile(create::frmProfile::Page page);

signals:
    // The module closed: the composer takes its table view back.
    void spreadsheetReturned();

private:
    OpenPlanSession &m_session;
    QPointer<QWidget> m_composer;
    GoToCell m_goToCell;
    QPointer<editors::frmSpreadSheet> m_spreadsheet;
};

} // namespace qv::composer
