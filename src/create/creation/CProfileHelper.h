#pragma once
// Carries a plan's profile answers into its tables: the business name into
// the title cells, the first year and month into the column headings (both
// queued as cell values, written in one pass at the end of creation), and
// the projected years into the width of the projection tables (at once).
#include <QString>
#include <utility>
#include <vector>

namespace qv::plan {
class Plan;
}
namespace qv::workbook {
class Workbook;
struct EditResult;
}

namespace qv::create {

class ProfileTables;

class CProfileHelper
{
public:
    // Appends the pair, each trimmed. Duplicates and order are kept.
    void addTableValue(const QString &key, const QString &value);
    int getCount() const;
    // The pair at index (from 0); two empty texts past the end.
    void getValues(int index, QString &key, QString &value) const;
    void resetTableValues();

    // The tables that handleProjection narrows; not owned. Until it is set
    // the helper has an empty collection.
    void setTables(ProfileTables *tables);

    void handleBusinessName(const qv::plan::Plan &plan);
    void handleYearandMonth(const qv::plan::Plan &plan);
    // Raises QvError for a table of the list that the plan lacks, after
    // narrowing every table it has.
    void handleProjection(const qv::plan::Plan &plan);

private:
    std::vector<std::pair<QString, QString>> m_values;
    ProfileTables *m_tables = nullptr;
};

// Writes one queued value into its cell, as plan creation and the profile
// dialog both do: "$1,500" as a currency amount, anything else as if typed.
qv::workbook::EditResult writeQueuedValue(qv::workbook::Workbook &book, int row, int col, const QString &value);

} // namespace qv::create
