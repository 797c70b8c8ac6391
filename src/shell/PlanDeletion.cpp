#include "shell/PlanDeletion.h"

#include "plan/PlanRules.h"
#include "platform/Paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace qv::shell
{

namespace
{

constexpr int kExtensionLength = 4; // ".bpl", ".mpl"
constexpr qsizetype kMostNamesListed = 8;

QString planLetterFor(const QString &documentPath)
{
    const QString extension = documentPath.right(kExtensionLength - 1);
    if (documentPath.size() <= kExtensionLength || documentPath.at(documentPath.size() - kExtensionLength) != u'.')
        return QString();
    for (const int type : {plan::BusinessPlan, plan::MarketingPlan}) {
        if (extension.compare(plan::planExtension(type), Qt::CaseInsensitive) == 0)
            return plan::planTypeLetter(type);
    }
    return QString();
}

// Removes everything below the folder, deepest first, and the folder itself;
// returns what stayed.
QStringList removeFolder(const QString &folder)
{
    QStringList files;
    QStringList folders;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        if (entry.isDir() && !entry.isSymLink())
            folders.append(entry.filePath());
        else
            files.append(entry.filePath());
    }
    QStringList remaining;
    for (const QString &file : files)
        if (!QFile::remove(file))
            remaining.append(file);
    // Deeper folders have longer paths, so they go first.
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    folders.append(folder);
    for (const QString &sub : folders)
        if (!QDir().rmdir(sub))
            remaining.append(sub);
    return remaining;
}

} // namespace

QString planFolderFor(const QString &documentPath)
{
    const QString letter = planLetterFor(documentPath);
    if (letter.isEmpty())
        return QString();
    return documentPath.left(documentPath.size() - kExtensionLength) + letter;
}

PlanDeletion deletePlan(const QString &documentPath)
{
    PlanDeletion result;
    const QString builtFolder = planFolderFor(documentPath);
    if (builtFolder.isEmpty()) {
        result.outcome = PlanDeletion::Outcome::NotAPlanDocument;
        return result;
    }
    const QFileInfo document(documentPath);
    if (!document.isFile()) {
        result.outcome = PlanDeletion::Outcome::DocumentMissing;
        return result;
    }

    // The folder may be spelt in another case than the rule builds it.
    const QFileInfo folder(platform::resolveExistingPath(builtFolder));
    const bool besideDocument = folder.absolutePath() == document.absolutePath();
    if (besideDocument && folder.isSymLink()) {
        result.outcome = PlanDeletion::Outcome::FolderIsALink;
        result.folder = folder.filePath();
        return result;
    }
    if (besideDocument && folder.isDir()) {
        result.folder = folder.filePath();
        result.notRemoved = removeFolder(folder.filePath());
        if (!result.notRemoved.isEmpty()) {
            result.outcome = PlanDeletion::Outcome::FolderRemains;
            return result;
        }
    }
    if (!QFile::remove(document.filePath())) {
        result.outcome = PlanDeletion::Outcome::DocumentRemains;
        result.notRemoved.append(document.filePath());
    }
    return result;
}

QString planDeletionProblemText(const PlanDeletion &deletion, const QString &documentTitle)
{
    const QString quoted = u'"' + documentTitle + u'"';
    switch (deletion.outcome) {
    case PlanDeletion::Outcome::Deleted: return QString();
    case PlanDeletion::Outcome::NotAPlanDocument:
        return quoted + QStringLiteral(" is not a plan document (.bpl or .mpl). Nothing was deleted.");
    case PlanDeletion::Outcome::DocumentMissing:
        return quoted + QStringLiteral(" no longer exists. Nothing was deleted.");
    case PlanDeletion::Outcome::FolderIsALink:
        return QStringLiteral("The plan folder of %1 is a link to another place:\n%2\nNothing was deleted.")
            .arg(quoted, QDir::toNativeSeparators(deletion.folder));
    case PlanDeletion::Outcome::FolderRemains:
    case PlanDeletion::Outcome::DocumentRemains: break;
    }
    QStringList names;
    for (const QString &path : deletion.notRemoved.first(std::min(kMostNamesListed, deletion.notRemoved.size())))
        names.append(QDir::toNativeSeparators(path));
    if (deletion.notRemoved.size() > kMostNamesListed)
        names.append(QStringLiteral("and %1 more").arg(deletion.notRemoved.size() - kMostNamesListed));
    if (deletion.outcome == PlanDeletion::Outcome::FolderRemains)
        return QStringLiteral("The plan %1 was not deleted completely. These could not be removed:\n%2\n"
                              "The plan document was kept so that you can delete the plan again.")
            .arg(quoted, names.join(u'\n'));
    return QStringLiteral("The data of the plan %1 was deleted, but the plan document could not be removed:\n%2")
        .arg(quoted, names.join(u'\n'));
}

} // namespace qv::shell
