#include "create/creation/LoadedTables.h"

#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <QDir>

namespace qv::create {

namespace {
constexpr long tableNotLoaded = 9; // "Subscript out of range", as a missing collection key
const QString kSource = QStringLiteral("LoadedTables");
} // namespace

LoadedTables::LoadedTables() : m_set(std::make_unique<workbook::WorkbookSet>()) {}

LoadedTables::~LoadedTables() = default;

void LoadedTables::loadFolder(const QString &planFolder, const std::function<void(const QString &)> &beforeEach)
{
    m_folder = planFolder;
    m_failures.clear();
    const QDir dir(planFolder);
    const QStringList files = dir.entryList({QStringLiteral("*.vts")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    workbook::WorkbookSet::Batch batch(*m_set);
    for (const QString &file : files) {
        if (beforeEach)
            beforeEach(file);
        try {
            add(workbook::tableNameOf(file), workbook::loadWorkbook(dir.filePath(file)));
        } catch (const QvError &e) {
            m_failures.push_back(e.description());
        }
    }
}

void LoadedTables::add(const QString &tableName, std::shared_ptr<workbook::Workbook> book)
{
    for (auto it = m_tables.begin(); it != m_tables.end(); ++it) {
        if (it->name.compare(tableName, Qt::CaseInsensitive) == 0) {
            m_set->remove(it->book.get());
            m_tables.erase(it);
            break;
        }
    }
    book->setTitle(tableName);
    m_set->add(book);
    m_tables.push_back({tableName, std::move(book)});
}

workbook::Workbook *LoadedTables::find(const QString &tableName) const
{
    for (const Entry &entry : m_tables)
        if (entry.name.compare(tableName, Qt::CaseInsensitive) == 0)
            return entry.book.get();
    return nullptr;
}

QString LoadedTables::fileNameOf(const QString &tableName) const
{
    for (const Entry &entry : m_tables)
        if (entry.name.compare(tableName, Qt::CaseInsensitive) == 0)
            return entry.name;
    return {};
}

std::vector<QString> LoadedTables::names() const
{
    std::vector<QString> result;
    result.reserve(m_tables.size());
    for (const Entry &entry : m_tables)
        result.push_back(entry.name);
    return result;
}

void LoadedTables::recalculateAndWrite(const QString &tableName)
{
    workbook::Workbook *book = find(tableName);
    if (!book)
        throw QvError(tableNotLoaded, kSource, QStringLiteral("The plan has no table %1").arg(tableName));
    book->recalculate();
    // Workbook::write goes through the platform's atomic write.
    book->write(platform::joinPath(m_folder, fileNameOf(tableName) + QStringLiteral(".vts")));
}

} // namespace qv::create
