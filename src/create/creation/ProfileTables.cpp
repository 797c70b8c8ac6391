#include "create/creation/ProfileTables.h"

#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Error.h"

namespace qv::create {

LoadedWorkbooks::LoadedWorkbooks(workbook::WorkbookSet &set, std::function<void(workbook::Workbook &)> changed)
    : m_set(set), m_changed(std::move(changed))
{
}

workbook::Workbook *LoadedWorkbooks::find(const QString &tableName) const { return m_set.find(tableName); }

std::vector<QString> LoadedWorkbooks::names() const
{
    std::vector<QString> names;
    for (const workbook::Workbook *book : m_set.books())
        names.push_back(book->title());
    return names;
}

void LoadedWorkbooks::tableChanged(const QString &tableName)
{
    workbook::Workbook *book = find(tableName);
    if (!book)
        throw QvError(9, QStringLiteral("LoadedWorkbooks"), QStringLiteral("The plan has no table %1").arg(tableName));
    book->recalculate();
    if (m_changed)
        m_changed(*book);
}

} // namespace qv::create
