#pragma once
// The tables that profile values go into. Plan creation writes each changed
// table to its file at once (LoadedTables); an open plan's tables are the
// composer's loaded workbooks, changed in memory and saved with the plan.
#include <QString>

#include <vector>

#include <functional>

namespace qv::workbook {
class Workbook;
class WorkbookSet;
}

namespace qv::create {

class ProfileTables
{
public:
    virtual ~ProfileTables() = default;
    // nullptr when the plan has no table of that name (case ignored).
    virtual qv::workbook::Workbook *find(const QString &tableName) const = 0;
    virtual std::vector<QString> names() const = 0;
    // The table's cells or shape were changed by a profile value. Raises
    // QvError when the change cannot be kept.
    virtual void tableChanged(const QString &tableName) = 0;
};

// An open plan's loaded tables: the workbooks of a set, found by title. A
// changed table is recalculated and reported to `changed` (the plan marks
// itself modified; the views show the new values at once).
class LoadedWorkbooks final : public ProfileTables
{
public:
    LoadedWorkbooks(qv::workbook::WorkbookSet &set, std::function<void(qv::workbook::Workbook &)> changed = {});
    qv::workbook::Workbook *find(const QString &tableName) const override;
    std::vector<QString> names() const override;
    void tableChanged(const QString &tableName) override;

private:
    qv::workbook::WorkbookSet &m_set;
    std::function<void(qv::workbook::Workbook &)> m_changed;
};

} // namespace qv::create
