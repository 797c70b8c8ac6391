#include "plan/WorkingCopies.h"

#include "plan/FileNames.h"
#include "plan/Outline.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

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

namespace {

QJsonArray newSectionTexts(const QString &folder)
{
    QFile file(platform::joinPath(folder, QLatin1String(NewSectionTextsFile)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.read(1 << 20)).array();
}

} // namespace

void noteNewSectionText(const QString &folder, const Section &section, const QString &fileName)
{
    QJsonArray notes = newSectionTexts(folder);
    notes.append(QJsonObject{{QStringLiteral("key"), section.key()},
                             {QStringLiteral("name"), section.name()},
                             {QStringLiteral("file"), fileName}});
    platform::writeFileAtomically(platform::joinPath(folder, QLatin1String(NewSectionTextsFile)),
                                  QJsonDocument(notes).toJson(QJsonDocument::Compact));
}

int adoptNewSectionTexts(const QString &folder, PlanOutline &outline)
{
    QSet<QString> named;
    for (const auto &chapter : outline.chapters())
        for (const auto &section : chapter->sections())
            named.insert(section->textFileName().toLower());
    int adopted = 0;
    for (const QJsonValue &value : newSectionTexts(folder)) {
        const QJsonObject note = value.toObject();
        const QString key = note.value(QStringLiteral("key")).toString();
        const QString name = note.value(QStringLiteral("name")).toString();
        const QString file = note.value(QStringLiteral("file")).toString();
        // Only a plain section text of this folder, never a path elsewhere.
        if (QFileInfo(file).fileName() != file || !hasExtension(file, kTextExtension) || named.contains(file.toLower()))
            continue;
        const QString workingCopy = withExtension(file, kTextWorkingExtension);
        if (!QFileInfo::exists(platform::joinPath(folder, file))
            && !QFileInfo::exists(platform::joinPath(folder, workingCopy)))
            continue;
        Section *owner = nullptr;
        int matches = 0;
        for (const auto &chapter : outline.chapters()) {
            for (const auto &section : chapter->sections()) {
                if (section->key() == key && section->name() == name) {
                    owner = section.get();
                    ++matches;
                }
            }
        }
        if (matches == 1 && owner->textFileName().isEmpty()) {
            owner->setTextFileName(file);
            named.insert(file.toLower());
            ++adopted;
        }
    }
    return adopted;
}

void forgetNewSectionTexts(const QString &folder)
{
    QFile::remove(platform::joinPath(folder, QLatin1String(NewSectionTextsFile)));
}

} // namespace qv::plan
