#include "plan/WorkingCopies.h"

#include "plan/FileNames.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>

namespace qv::plan {

QString committedNameOf(const QString &workingCopyName)
{
    if (hasExtension(workingCopyName, kTableWorkingExtension))
        return workingCopyName.left(workingCopyName.size() - 3) + QLatin1String(kTableExtension);
    if (hasExtension(workingCopyName, kTextWorkingExtension))
        return workingCopyName.left(workingCopyName.size() - 3) + QLatin1String(kTextExtension);
    return QString();
}

QStringList workingCopiesIn(const QString &folder, WorkingCopyKind kind)
{
    const char *extension = kind == WorkingCopyKind::Table ? kTableWorkingExtension : kTextWorkingExtension;
    QStringList found;
    if (folder.isEmpty())
        return found;
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &file : files) {
        if (hasExtension(file, extension))
            found.append(file);
    }
    return found;
}

QString commitWorkingCopy(const QString &folder, const QString &workingCopyName)
{
    const QString target = committedNameOf(workingCopyName);
    if (target.isEmpty())
        return QStringLiteral("%1 is not a working copy.").arg(workingCopyName);
    return platform::replaceFile(platform::joinPath(folder, workingCopyName), platform::joinPath(folder, target));
}

QStringList commitWorkingCopies(const QString &folder)
{
    QStringList failures;
    for (const WorkingCopyKind kind : {WorkingCopyKind::Table, WorkingCopyKind::Text}) {
        for (const QString &name : workingCopiesIn(folder, kind)) {
            const QString error = commitWorkingCopy(folder, name);
            if (!error.isEmpty())
                failures.append(committedNameOf(name) + QStringLiteral(": ") + error);
        }
    }
    return failures;
}

int deleteWorkingCopies(const QString &folder)
{
    int deleted = 0;
    for (const WorkingCopyKind kind : {WorkingCopyKind::Text, WorkingCopyKind::Table}) {
        for (const QString &name : workingCopiesIn(folder, kind)) {
            if (QFile::remove(platform::joinPath(folder, name)))
                ++deleted;
        }
    }
    return deleted;
}

} // namespace qv::plan
