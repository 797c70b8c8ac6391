#include "plan/PlanReplacement.h"

#include "plan/ModEnglish.h"
#include "platform/Paths.h"
#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace qv::plan {

namespace {

QString builtFolderOf(const QString &documentPath)
{
    return ModEnglish::PlanFolderOfDocument(documentPath);
}

// A folder put back from the trash leaves its note there.
void restoreFromTrash(const QString &inTrash, const QString &original)
{
    if (!QFile::rename(inTrash, original))
        return;
    const QFileInfo trashed(inTrash);
    const QDir trash(trashed.absolutePath() + QStringLiteral("/../info"));
    QFile::remove(trash.filePath(trashed.fileName() + QStringLiteral(".trashinfo")));
}

} // namespace

PlanInPlace planAt(const QString &documentPath)
{
    PlanInPlace in;
    in.document = documentPath;
    in.folder = platform::resolveExistingPath(builtFolderOf(documentPath));
    in.documentExists = QFileInfo(documentPath).isFile();
    const QFileInfo folder(in.folder);
    if (folder.isSymLink() || (folder.exists() && !folder.isDir()))
        in.folderHoldsEntries = true; // not ours to judge: counts as something to lose
    else if (folder.isDir())
        in.folderHoldsEntries =
            !QDir(in.folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    return in;
}

QString replaceQuestion(const QString &documentPath)
{
    const QFileInfo document(documentPath);
    return QStringLiteral("A plan named \"%1\" already exists in %2.\n\n"
                          "Do you want to replace it? The existing plan, with its texts and tables, "
                          "will be moved to the trash once the new plan is ready.")
        .arg(document.completeBaseName(), QDir::toNativeSeparators(document.absolutePath()));
}

bool askToReplacePlan(QObject *owner, const QString &documentPath)
{
    platform::Message message;
    message.text = replaceQuestion(documentPath);
    message.title = QStringLiteral("Replace Plan");
    message.buttons = platform::Buttons::YesNo;
    message.icon = platform::Icon::Question;
    message.defaultButton = 1; // No: a slip of the Enter key keeps the plan
    return platform::messageBoxes().show(owner, message) == platform::Answer::Yes;
}

QString moveToTrash(const QString &path, QString *inTrash)
{
    QString where;
    if (!QFile::moveToTrash(path, &where))
        return QStringLiteral("%1 could not be moved to the trash.").arg(QDir::toNativeSeparators(path));
    if (inTrash)
        *inTrash = where;
    return QString();
}

PlanStaging::~PlanStaging() { discard(); }

QString PlanStaging::begin(const QString &finalDocument)
{
    discard();
    const QFileInfo document(finalDocument);
    if (!QDir().mkpath(document.absolutePath()))
        return QStringLiteral("The folder %1 could not be made.").arg(QDir::toNativeSeparators(document.absolutePath()));
    const QString name = QStringLiteral(".%1.new-%2")
                             .arg(document.completeBaseName(),
                                  QUuid::createUuid().toString(QUuid::Id128).left(8));
    const QString folder = QDir(document.absolutePath()).filePath(name);
    if (!QDir().mkdir(folder))
        return QStringLiteral("The folder %1 could not be made.").arg(QDir::toNativeSeparators(folder));
    m_folder = folder;
    m_finalDocument = document.absoluteFilePath();
    m_trashedDocument.clear();
    m_trashedFolder.clear();
    return QString();
}

QString PlanStaging::stagedDocument() const
{
    return active() ? QDir(m_folder).filePath(QFileInfo(m_finalDocument).fileName()) : QString();
}

QString PlanStaging::commit()
{
    if (!active())
        return QStringLiteral("The new plan was not built.");
    const QString stagedFolder = builtFolderOf(stagedDocument());
    const PlanInPlace old = planAt(m_finalDocument);
    const QFileInfo oldFolder(old.folder);

    if (old.folderHoldsEntries) {
        if (const QString error = moveToTrash(old.folder, &m_trashedFolder); !error.isEmpty())
            return error + QStringLiteral(" The existing plan was kept.");
    } else if (oldFolder.isDir()) {
        QDir().rmdir(old.folder);
    }
    // Whatever fails from here on puts the old plan back where it was.
    auto keepOld = [&](const QString &error) -> QString {
        if (!m_trashedDocument.isEmpty())
            restoreFromTrash(m_trashedDocument, m_finalDocument);
        if (!m_trashedFolder.isEmpty())
            restoreFromTrash(m_trashedFolder, old.folder);
        m_trashedDocument.clear();
        m_trashedFolder.clear();
        return error + QStringLiteral(" The existing plan was kept.");
    };
    if (old.documentExists) {
        if (const QString error = moveToTrash(m_finalDocument, &m_trashedDocument); !error.isEmpty())
            return keepOld(error);
    }
    // Renames within one folder: each is a single step of the file system.
    const QString finalFolder = builtFolderOf(m_finalDocument);
    if (QFileInfo(stagedFolder).isDir() && !QFile::rename(stagedFolder, finalFolder))
        return keepOld(QStringLiteral("The new plan folder could not be moved to %1.")
                           .arg(QDir::toNativeSeparators(finalFolder)));
    if (!QFile::rename(stagedDocument(), m_finalDocument)) {
        QFile::rename(finalFolder, stagedFolder);
        return keepOld(QStringLiteral("The new plan document could not be moved to %1.")
                           .arg(QDir::toNativeSeparators(m_finalDocument)));
    }
    QDir().rmdir(m_folder);
    m_folder.clear();
    return QString();
}

void PlanStaging::discard()
{
    if (!active())
        return;
    QDir(m_folder).removeRecursively();
    m_folder.clear();
}

} // namespace qv::plan
