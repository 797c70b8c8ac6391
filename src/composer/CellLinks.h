#pragma once

// What "View Cell Link" finds in a cell's formula: the tables it reads
// ([Tbl0404]Sheet1!$B$1) and where each of them sits in the plan.

#include "composer/OutlineKeys.h"
#include "composer/PlanTables.h"

#include <QString>

#include <vector>

namespace qv::composer {

struct CellLink
{
    QString tableName;   // as the plan's table is named ("Tbl0404")
    QString cell;        // without "$" and in capitals ("B1")
    QString displayName; // the table's caption
    OutlinePosition position;
    QString sectionName;

    QString target() const;      // "Tbl0404!B1"
    QString description() const; // "Section 8.2 : Sales Forecast, cell B1"
};

struct CellLinks
{
    enum class Outcome { NoLink, Linked, TableNotFound };
    Outcome outcome = Outcome::NoLink;
    std::vector<CellLink> links; // in the formula's order, each target once
    bool several = false;        // more than one table named: the dialog lists them
    QString missingTable;        // the name no table of the plan starts with

    // What the dialog says above its link or list.
    QString explanation() const;
};

// Reads the links of a formula against the plan's tables in plan order. A
// table is found by its name's start ("Tbl04" finds the first table whose
// name begins so), ignoring case.
CellLinks findCellLinks(const QString &formula, const std::vector<TableEntry> &tables);

// The cell named after the first "!" from `from`: "$", letters and digits up
// to the first other character, "$" dropped and letters in capitals.
QString linkedCellAfter(const QString &formula, qsizetype from);

// A link target split into its table name and cell; false when it is not one.
bool splitLinkTarget(const QString &target, QString &tableName, int &row, int &col);

// The message for a cell whose formula names no other table.
QString noLinkMessage();
inline constexpr char kLinkedTableNotFound[] = "Linked table not found";

} // namespace qv::composer
