#include "compile/FolderTables.h"

#include "compile/CompileErrors.h"
#include "controls/workbook/Workbook.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace qv::compile {

FolderTables::FolderTables(const QString &folder) : m_folder(platform::withTrailingSeparator(folder))
{
    workbook::WorkbookSet::Batch batch(m_set);
    const QStringList files =
        QDir(m_folder).entryList({QStringLiteral("*.vts")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        const QString title = QFileInfo(file).completeBaseName();
        if (m_set.contains(title))
            continue;
        auto book = std::make_shared<workbook::Workbook>();
        try {
            book->read(m_folder + file);
            m_set.add(book, title);
        } catch (const QvError &error) {
            m_failures.insert(title.toLower(), {error.number(), error.description()});
        }
    }
}

FolderTables::~FolderTables() = default;

workbook::Workbook &FolderTables::table(const QString &fileName)
{
    const QString title = QFileInfo(fileName).completeBaseName();
    if (workbook::Workbook *book = m_set.find(title))
        return *book;
    const auto failure = m_failures.constFind(title.toLower());
    if (failure != m_failures.constEnd())
        throw QvError(failure->first, QStringLiteral("Export"), failure->second);
    throw QvError(kFileNotFound, QStringLiteral("Export"),
                  QStringLiteral("File not found: ") + QDir::toNativeSeparators(m_folder + fileName));
}

} // namespace qv::compile
