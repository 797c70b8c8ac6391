#include "compile/StagedFiles.h"

#include "compile/CompileErrors.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace qv::compile {

StagedFiles::StagedFiles(const QString &folder) : m_folder(platform::withTrailingSeparator(folder))
{
    if (!QFileInfo(m_folder).isDir())
        throw QvError(kPathNotFound, QStringLiteral("Export"), QStringLiteral("Path not found: ") + m_folder);
    // Inside the folder, so that moving a file into place is a rename.
    m_staging = std::make_unique<QTemporaryDir>(m_folder + QStringLiteral(".compile-XXXXXX"));
    if (!m_staging->isValid())
        throw QvError(kPermissionDenied, QStringLiteral("Export"),
                      QStringLiteral("Cannot write in the plan folder ") + m_folder + QStringLiteral(": ")
                          + m_staging->errorString());
}

StagedFiles::~StagedFiles() = default;

QString StagedFiles::stagingPath(const QString &name)
{
    if (!m_names.contains(name, Qt::CaseInsensitive))
        m_names << name;
    return m_staging->filePath(name);
}

void StagedFiles::write(const QString &name, const QByteArray &bytes)
{
    if (const QString why = platform::writeFileAtomically(stagingPath(name), bytes); !why.isEmpty())
        throw QvError(kPermissionDenied, QStringLiteral("Export"), name + QStringLiteral(": ") + why);
}

QStringList StagedFiles::commit()
{
    QStringList moved;
    for (const QString &name : std::as_const(m_names)) {
        const QString staged = m_staging->filePath(name);
        if (!QFileInfo::exists(staged))
            continue;
        if (const QString why = platform::replaceFile(staged, m_folder + name); !why.isEmpty())
            throw QvError(kPermissionDenied, QStringLiteral("Export"), name + QStringLiteral(": ") + why);
        moved << name;
    }
    m_names.clear();
    return moved;
}

} // namespace qv::compile
