#include "platform/Folders.h"

#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qv::platform {

namespace {
QString g_installFolder;
QString g_systemFolder;
QString g_userConfigFolder;
} // namespace

QString Folders::installFolder()
{
    if (!g_installFolder.isEmpty())
        return g_installFolder;
    if (QCoreApplication::instance())
        return withTrailingSeparator(QCoreApplication::applicationDirPath());
    return withTrailingSeparator(QDir::currentPath());
}

void Folders::setInstallFolder(const QString &folder)
{
    g_installFolder = folder.isEmpty() ? QString() : withTrailingSeparator(folder);
}

QString Folders::windowsFolder()
{
    return installFolder();
}

QString Folders::systemFolder()
{
    if (!g_systemFolder.isEmpty())
        return g_systemFolder;
    return withTrailingSeparator(resolveExistingPath(installFolder() + QStringLiteral("System")));
}

void Folders::setSystemFolder(const QString &folder)
{
    g_systemFolder = folder.isEmpty() ? QString() : withTrailingSeparator(folder);
}

bool Folders::isInstalled()
{
    return QFileInfo::exists(installFolder() + QLatin1String(kInstalledMarkerFile));
}

QString Folders::myPlansFolder()
{
    // Root may run an installed program from a folder it could write to;
    // the marker, not the permission, keeps the plans out of it.
    if (!isInstalled()) {
        const QString beside = resolveExistingPath(installFolder() + QStringLiteral("My Plans"));
        const QFileInfo info(beside);
        if (info.isDir() && info.isWritable())
            return withTrailingSeparator(beside);
        if (!info.exists() && QFileInfo(installFolder()).isWritable())
            return withTrailingSeparator(beside);
    }
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return joinPath(documents, QStringLiteral("My Plans/"));
}

QString Folders::tempFolder()
{
    // QDir::tempPath() is empty when TMPDIR names something that is not a
    // folder; never fall back to the root folder.
    const QString temp = QDir::tempPath();
    if (temp.isEmpty() || !QFileInfo(temp).isDir())
        return QStringLiteral("/tmp/");
    return withTrailingSeparator(temp);
}

QString Folders::userConfigFolder()
{
    if (!g_userConfigFolder.isEmpty())
        return g_userConfigFolder;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return withTrailingSeparator(base);
}

void Folders::setUserConfigFolder(const QString &folder)
{
    g_userConfigFolder = folder.isEmpty() ? QString() : withTrailingSeparator(folder);
}

void Folders::reset()
{
    g_installFolder.clear();
    g_systemFolder.clear();
    g_userConfigFolder.clear();
}

} // namespace qv::platform
