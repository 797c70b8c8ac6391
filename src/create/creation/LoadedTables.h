#pragma once
// The table workbooks of a plan being made, keyed by table name without
// regard to case ("TBL0503" finds Tbl0503.vts), each written back to the plan
// folder under the name its file has on disk.
#include "create/creation/ProfileTables.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace qv::workbook {
class Workbook;
class WorkbookSet;
}

namespace qv::create {

class LoadedTables : public ProfileTables
{
public:
    LoadedTables();
    ~LoadedTables() override;
    LoadedTables(const LoadedTables &) = delete;
    LoadedTables &operator=(const LoadedTables &) = delete;

    // Loads every "*.vts" file of the folder (one workbook per file, titled by
    // its file name less ".vts"). Files that cannot be read are listed in
    // failures() and left out. beforeEach, when given, hears each file name
    // before it is read (the progress window names it).
    void loadFolder(const QString &planFolder,
                    const std::function<void(const QString &fileName)> &beforeEach = {});
    // Adds or replaces the table of that name (titling the workbook by it).
    void add(const QString &tableName, std::shared_ptr<qv::workbook::Workbook> book);

    // nullptr when the plan has no table of that name.
    qv::workbook::Workbook *find(const QString &tableName) const override;
    // The table's name as its file spells it ("Tbl0503"), or empty.
    QString fileNameOf(const QString &tableName) const;
    std::vector<QString> names() const override;
    int count() const { return int(m_tables.size()); }

    // Recalculates the table and writes it atomically to the plan folder as
    // its own file name + ".vts". Raises QvError when the table is not
    // loaded or the file cannot be written.
    void recalculateAndWrite(const QString &tableName);
    // A new plan's changed table goes straight to its file.
    void tableChanged(const QString &tableName) override { recalculateAndWrite(tableName); }

    const QString &folder() const { return m_folder; }
    // Where the tables are written from now on (their plan folder moved).
    void setFolder(const QString &planFolder) { m_folder = planFolder; }
    const std::vector<QString> &failures() const { return m_failures; }

private:
    struct Entry
    {
        QString name;
        std::shared_ptr<qv::workbook::Workbook> book;
    };
    QString m_folder;
    std::vector<Entry> m_tables;
    std::vector<QString> m_failures;
    // The tables link to each other's cells ([Tbl0303]Sheet1!$B$1), so they
    // recalculate as one set.
    std::unique_ptr<qv::workbook::WorkbookSet> m_set;
};

} // namespace qv::create
