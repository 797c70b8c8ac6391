#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace qv::platform {

QString withTrailingSeparator(const QString &folder)
{
    QString result = folder;
    while (result.size() > 1 && result.endsWith(kSeparator))
        result.chop(1);
    if (result == QString(kSeparator))
        return result;
    return result + kSeparator;
}

QString joinPath(const QString &folder, const QString &name)
{
    QString tail = name;
    while (tail.startsWith(kSeparator))
        tail.remove(0, 1);
    return withTrailingSeparator(folder) + tail;
}

QString resolveExistingPath(const QString &path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const bool absolute = path.startsWith(kSeparator);
    const QStringList parts = path.split(kSeparator, Qt::SkipEmptyParts);
    const bool trailing = path.endsWith(kSeparator);
    QString current = absolute ? QString(kSeparator) : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        const QString candidate = current.isEmpty() ? part : joinPath(current, part);
        if (QFileInfo::exists(candidate) || part == QLatin1String(".") || part == QLatin1String("..")) {
            current = candidate;
            continue;
        }
        const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
        QString match;
        const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty())
            return path;
        current = current.isEmpty() ? match : joinPath(current, match);
    }
    if (trailing)
        current = withTrailingSeparator(current);
    return current;
}

bool existsIgnoringCase(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(resolveExistingPath(path));
}

} // namespace qv::platform
