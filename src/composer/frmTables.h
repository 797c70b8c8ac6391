#pragma once

// The list of tables: every table of the plan with its chapter and section,
// in plan order. Choosing a row goes to that table.

#include <QDialog>

class QDialogButtonBox;
class QTreeWidget;

namespace qv::plan {
class PlanOutline;
}

namespace qv::composer {

class frmTables : public QDialog
{
    Q_OBJECT
public:
    explicit frmTables(QWidget *parent = nullptr);

    // Fills the list from the outline; the first row is selected.
    void fill(const plan::PlanOutline &outline);
    // The table name of the selected row, empty when none is.
    QString chosenTable() const;

signals:
    // A row was chosen (double click, Enter or Goto).
    void tableChosen(const QString &tableName);

private:
    void choose();

    QTreeWidget *lvwTables;
    QDialogButtonBox *buttons;
};

} // namespace qv::composer
