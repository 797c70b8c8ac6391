#include "controls/spell/MainDictionary.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace qv::spell
{

namespace
{
HunspellFiles failure(const QString &reason)
{
    HunspellFiles files;
    files.error = reason;
    return files;
}

// A base path is usable when both of its files exist.
bool completeAt(const QString &base, HunspellFiles &files)
{
    const QString aff = base + QStringLiteral(".aff");
    const QString dic = base + QStringLiteral(".dic");
    if (!QFileInfo(aff).isFile() || !QFileInfo(dic).isFile())
        return false;
    files.affix = aff;
    files.dictionary = dic;
    return true;
}
} // namespace

HunspellFiles locateHunspellFiles(const QString &mainDictionaryPath)
{
    QFile file(mainDictionaryPath);
    if (!QFileInfo(mainDictionaryPath).isFile() || !file.open(QIODevice::ReadOnly))
        return failure(
            QStringLiteral("The dictionary %1 was not found.").arg(QDir::toNativeSeparators(mainDictionaryPath)));
    if (file.size() > 64 * 1024)
        return failure(QStringLiteral("The dictionary %1 is not a dictionary file.").arg(mainDictionaryPath));

    QString name;
    QStringList folders;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("dictionary"))
            name = value;
        else if (key == QLatin1String("folder") && !value.isEmpty())
            folders.append(value);
    }
    if (name.isEmpty() || name.contains(QLatin1String("..")))
        return failure(QStringLiteral("The dictionary %1 names no hunspell dictionary.").arg(mainDictionaryPath));

    HunspellFiles files;
    if (QDir::isAbsolutePath(name))
        return completeAt(name, files)
                   ? files
                   : failure(QStringLiteral("The hunspell dictionary %1 is not installed.").arg(name));

    const QString home = QFileInfo(mainDictionaryPath).absolutePath();
    for (const QString &folder : std::as_const(folders)) {
        const QString absolute = QDir::isAbsolutePath(folder) ? folder : QDir(home).filePath(folder);
        if (completeAt(platform::joinPath(absolute, name), files))
            return files;
    }
    return failure(QStringLiteral("The hunspell dictionary %1 is not installed.").arg(name));
}

} // namespace qv::spell
