#include "plan/PlanReplacement.h"

#include "plan/ModEnglish.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
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

// The note that a replacement of the document is under way.
QString replacementNotePath(const QString &finalDocument)
{
    const QFileInfo document(finalDocument);
    return QDir(document.absolutePath()).filePath(QLatin1Char('.') + document.fileName() + QStringLiteral(".replacing"));
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
    // Qt puts the trash beside the working folder, not in the user's data
    // folder, when that folder does not exist yet (a new account).
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
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
    // A replacement killed half way is completed before another begins.
    if (const QString error = finishInterruptedReplacement(finalDocument); !error.isEmpty())
        return error;
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
    if (!QFileInfo(stagedDocument()).isFile())
        return QStringLiteral("The new plan document was not written. The existing plan was kept.");
    const bool stagedHasFolder = QFileInfo(builtFolderOf(stagedDocument())).isDir();
    const QString note = replacementNotePath(m_finalDocument);
    const QByteArray noteText = QFileInfo(m_folder).fileName().toUtf8()
                                + (stagedHasFolder ? "\nfolder\n" : "\nno folder\n");
    if (const QString error = platform::writeFileAtomically(note, noteText); !error.isEmpty())
        return error + QStringLiteral(" The existing plan was kept.");

    const QString oldFolder = planAt(m_finalDocument).folder;
    const QString error = moveIntoPlace(stagedHasFolder);
    if (!error.isEmpty()) {
        // Put the old plan back where it was; the staging is discarded later.
        const QString finalFolder = builtFolderOf(m_finalDocument);
        if (stagedHasFolder && !QFileInfo(builtFolderOf(stagedDocument())).exists())
            QFile::rename(finalFolder, builtFolderOf(stagedDocument()));
        if (!m_trashedDocument.isEmpty())
            restoreFromTrash(m_trashedDocument, m_finalDocument);
        if (!m_trashedFolder.isEmpty())
            restoreFromTrash(m_trashedFolder, oldFolder);
        m_trashedDocument.clear();
        m_trashedFolder.clear();
        QFile::remove(note);
        return error + QStringLiteral(" The existing plan was kept.");
    }
    QFile::remove(note);
    QDir(m_folder).removeRecursively();
    m_folder.clear();
    return QString();
}

QString PlanStaging::moveIntoPlace(bool stagedHasFolder)
{
    const QString stagedFolder = builtFolderOf(stagedDocument());
    // The document moves last, so while it waits in the staging every
    // document and folder at the final place still belongs to the old plan.
    if (!QFileInfo(stagedDocument()).isFile())
        return QString();
    const bool folderWaits = stagedHasFolder && QFileInfo(stagedFolder).isDir();
    if (folderWaits || !stagedHasFolder) {
        const PlanInPlace old = planAt(m_finalDocument);
        if (old.folderHoldsEntries) {
            if (const QString error = moveToTrash(old.folder, &m_trashedFolder); !error.isEmpty())
                return error;
        } else if (QFileInfo(old.folder).isDir()) {
            QDir().rmdir(old.folder);
        }
    }
    // Renames within one folder: each is a single step of the file system.
    const QString finalFolder = builtFolderOf(m_finalDocument);
    if (folderWaits && !QFile::rename(stagedFolder, finalFolder))
        return QStringLiteral("The new plan folder could not be moved to %1.").arg(QDir::toNativeSeparators(finalFolder));
    if (QFileInfo(m_finalDocument).isFile()) {
        if (const QString error = moveToTrash(m_finalDocument, &m_trashedDocument); !error.isEmpty())
            return error;
    }
    if (!QFile::rename(stagedDocument(), m_finalDocument))
        return QStringLiteral("The new plan document could not be moved to %1.").arg(QDir::toNativeSeparators(m_finalDocument));
    return QString();
}

QString finishInterruptedReplacement(const QString &finalDocument)
{
    const QString note = replacementNotePath(finalDocument);
    QFile file(note);
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 could not be read.").arg(QDir::toNativeSeparators(note));
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    const QString stagingName = QString::fromUtf8(lines.value(0));
    const QFileInfo document(finalDocument);
    // Only a staging of this very document is followed, never another path.
    if (!stagingName.startsWith(QLatin1Char('.') + document.completeBaseName() + QStringLiteral(".new-"))
        || stagingName.contains(QLatin1Char('/')) || stagingName.contains(QLatin1Char('\\'))) {
        QFile::remove(note);
        return QString();
    }
    PlanStaging staging;
    staging.m_folder = QDir(document.absolutePath()).filePath(stagingName);
    staging.m_finalDocument = document.absoluteFilePath();
    if (!QFileInfo(staging.m_folder).isDir()) {
        QFile::remove(note); // finished, only the note was left
        staging.m_folder.clear();
        return QString();
    }
    const QString error = staging.moveIntoPlace(lines.value(1) == "folder");
    if (!error.isEmpty()) {
        staging.m_folder.clear(); // keep the staging for the next try
        return QStringLiteral("An interrupted replacement of the plan could not be completed: ") + error;
    }
    QFile::remove(note);
    return QString(); // the staging goes with `staging`
}

void PlanStaging::discard()
{
    if (!active())
        return;
    QDir(m_folder).removeRecursively();
    m_folder.clear();
}

} // namespace qv::plan
