#include "shell/modBusinessRule.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "plan/PlanInfo.h"
#include "support/Preferences.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace qv::shell
{

using platform::Settings;

namespace
{

// Stored paths may come from the Windows release, so either separator counts.
QString withoutTrailingSeparator(const QString &path)
{
    if (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        return path.left(path.size() - 1);
    return path;
}

QString recentFileCaption(int position, const QString &path)
{
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(position + 1).arg(withoutTrailingSeparator(shown));
}

} // namespace

QString recentFilesSection()
{
    return QStringLiteral("Recent Files");
}

QString recentFileKey(int position)
{
    return QStringLiteral("RecentFile%1").arg(position);
}

QStringList ReadRecentFiles()
{
    QStringList entries;
    for (int i = 0; i < kRecentFileSlots; ++i)
        entries.append(withoutTrailingSeparator(Settings::get(recentFilesSection(), recentFileKey(i))));
    return entries;
}

void AddRecentFile(const QString &path)
{
    const QString newest = withoutTrailingSeparator(path);
    if (newest.isEmpty())
        return;
    const QStringList entries = ReadRecentFiles();
    const bool listed = std::any_of(entries.cbegin(), entries.cend(), [&](const QString &entry) {
        return entry.compare(newest, Qt::CaseInsensitive) == 0;
    });
    if (listed)
        return;
    // From the oldest down, so no entry is overwritten before it has moved.
    for (int i = kRecentFileSlots - 1; i > 0; --i)
        Settings::save(recentFilesSection(), recentFileKey(i), entries.at(i - 1));
    Settings::save(recentFilesSection(), recentFileKey(0), newest);
}

QList<RecentFileMenuItem> LoadRecentFiles(const QStringList &entries, bool showList, int count)
{
    QList<RecentFileMenuItem> items;
    for (int index = kFirstRecentFileMenuItem; index <= kLastRecentFileMenuItem; ++index)
        items.append(RecentFileMenuItem{index, false, QString()});
    if (!showList)
        return items;
    const int shown = std::clamp(count, 0, std::min<int>(kRecentFileSlots, entries.size()));
    for (int i = 0; i < shown; ++i) {
        if (entries.at(i).isEmpty())
            continue;
        items[i].visible = true;
        items[i].caption = recentFileCaption(i, entries.at(i));
    }
    return items;
}

QList<RecentFileMenuItem> LoadRecentFiles()
{
    return LoadRecentFiles(ReadRecentFiles(), support::Preferences::showRecentFileList(),
                           support::Preferences::getRecentFilesCount());
}

QString recentFilePathFromCaption(const QString &caption)
{
    const qsizetype blank = caption.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return QString();
    QString path = caption.mid(blank + 1);
    path.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return path;
}

QString lastPlanSection()
{
    return QStringLiteral("Options");
}

QString lastPlanKey(int planType)
{
    return planType == plan::BusinessPlan ? QStringLiteral("Last_B_File") : QStringLiteral("Last_M_File");
}

QString readLastPlan(int planType)
{
    return Settings::get(lastPlanSection(), lastPlanKey(planType));
}

void writeLastPlan(int planType, const QString &path)
{
    // This platform has no short (8.3) names: the long form is what is stored.
    Settings::save(lastPlanSection(), lastPlanKey(planType), path);
}

QString lastPlanToOffer(int planType)
{
    const QString stored = withoutTrailingSeparator(readLastPlan(planType));
    if (stored.isEmpty())
        return QString();
    const QString onDisk = platform::resolveExistingPath(stored);
    return QFileInfo(onDisk).isFile() ? onDisk : QString();
}

bool PathExists(const QString &path)
{
    return platform::existsIgnoringCase(withoutTrailingSeparator(path));
}

QStringList CopyFolderFiles(const QString &sourceFolder, const QString &targetFolder)
{
    QStringList errors;
    const QDir source(platform::resolveExistingPath(sourceFolder));
    const QStringList names = source.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const QString error =
            platform::copyFileAtomically(source.filePath(name), platform::joinPath(targetFolder, name));
        if (!error.isEmpty())
            errors.append(name + QStringLiteral(": ") + error);
        platform::clock().processEvents();
    }
    return errors;
}

} // namespace qv::shell
