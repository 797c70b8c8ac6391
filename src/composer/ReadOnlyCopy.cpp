#include "composer/ReadOnlyCopy.h"

#include "composer/PlanLock.h"
#include "plan/ModEnglish.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

namespace qv::composer {

namespace {

// The other window's lock and its working copies are its own, not the plan's.
bool belongsToTheOtherWindow(const QString &fileName)
{
    return fileName == PlanLock::fileName() || fileName.endsWith(QLatin1String(".tmp"), Qt::CaseInsensitive)
           || fileName.endsWith(QLatin1String(".tbf"), Qt::CaseInsensitive);
}

} // namespace

ReadOnlyCopy::ReadOnlyCopy() = default;

ReadOnlyCopy::~ReadOnlyCopy() = default;

QString ReadOnlyCopy::make(const QString &documentPath, QString &error)
{
    auto folder = std::make_unique<QTemporaryDir>(platform::joinPath(platform::Folders::tempFolder(),
                                                                     QStringLiteral("quorvex-read-only-XXXXXX")));
    if (!folder->isValid()) {
        error = QStringLiteral("No temporary folder could be made for a copy of the plan: ") + folder->errorString();
        return QString();
    }
    const QFileInfo document(documentPath);
    const QString copiedDocument = folder->filePath(document.fileName());
    if (const QString why = platform::copyFileAtomically(documentPath, copiedDocument); !why.isEmpty()) {
        error = QStringLiteral("The plan could not be copied: ") + why;
        return QString();
    }
    const QString planFolder = platform::resolveExistingPath(plan::ModEnglish::PlanFolderOfDocument(documentPath));
    const QString copiedFolder = plan::ModEnglish::PlanFolderOfDocument(copiedDocument);
    QDir().mkpath(copiedFolder);
    // The plan folder holds files only; anything else is not the plan's.
    QDirIterator files(planFolder, QDir::Files | QDir::Hidden);
    while (files.hasNext()) {
        const QFileInfo file(files.next());
        if (belongsToTheOtherWindow(file.fileName()))
            continue;
        if (const QString why = platform::copyFileAtomically(file.filePath(), QDir(copiedFolder).filePath(file.fileName()));
            !why.isEmpty()) {
            error = QStringLiteral("The plan could not be copied: ") + why;
            return QString();
        }
    }
    m_folder = std::move(folder);
    m_original = document.absoluteFilePath();
    return copiedDocument;
}

} // namespace qv::composer
