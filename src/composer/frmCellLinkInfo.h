#pragma once

#include "composer/CellLinks.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace qv::composer {

// The cell link dialog: one link shown as a sentence with Goto, or several
// listed under "Choose a table"; View Formula shows the cell's formula.
// Display returns the chosen link target ("Tbl0404!B1"), or empty text.
class frmCellLinkInfo : public QDialog
{
    Q_OBJECT

public:
    explicit frmCellLinkInfo(QWidget *parent = nullptr);

    // Adds one link; a target already listed is not added twice.
    void addTable(const CellLink &link);
    void setFormula(const QString &formula);
    // The explanation above the link or the list, and whether to list.
    void setExplanation(const QString &text, bool several);
    QString Display();

    QString chosenTarget() const { return m_chosen; }

private:
    void arrange();
    void viewFormula();

    QLabel *lblLink;
    QComboBox *cboTables;
    QPushButton *cmdGoto;
    QPushButton *cmdClose;
    QPushButton *cmdViewFormula;
    std::vector<CellLink> m_links;
    QString m_formula;
    QString m_chosen;
    bool m_several = false;
};

// View Cell Link on a formula: says when the cell has no link or a linked
// table is missing, else shows the dialog. Returns the chosen target or
// empty text.
QString viewCellLink(QWidget *owner, const QString &formula, const std::vector<TableEntry> &tables);

} // namespace qv::composer
