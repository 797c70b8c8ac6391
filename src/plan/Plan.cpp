#include "plan/Plan.h"

#include "plan/PlanReplacement.h"
#include "plan/PlanRules.h"
#include "plan/WorkingCopies.h"

#include "plan/ModEnglish.h"
#include "plan/PlanErrors.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>

namespace qv::plan {

QString PlanPlace::folder() const
{
    if (!plan)
        return QString();
    const QString planFolder = plan->folder();
    return planFolder.isEmpty() ? QString() : platform::withTrailingSeparator(planFolder);
}

Plan::Plan() : m_place(std::make_shared<PlanPlace>())
{
    m_place->plan = this;
    m_content.outline.chapters().setPlace(m_place);
}

Plan::~Plan()
{
    // Sections and tables held elsewhere outlive the plan; they lose its folder.
    m_place->plan = nullptr;
}

void Plan::Initialise(const QString &businessLetter, const QString &marketingLetter)
{
    m_businessLetter = businessLetter;
    m_marketingLetter = marketingLetter;
}

void Plan::setFilePath(const QString &path)
{
    m_filePath = path;
    // Resolved now, so that a later change of the working folder cannot move
    // the plan.
    m_fullPath = path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString Plan::folder() const
{
    const QString path = fullPath();
    return path.isEmpty() ? QString() : ModEnglish::PlanFolderOf(path, typeLetter());
}

QString Plan::typeLetter() const
{
    return planInfo().isBusinessPlan() ? m_businessLetter : m_marketingLetter;
}

QString Plan::name() const
{
    if (!m_content.title.isEmpty())
        return m_content.title;
    const QString path = fullPath();
    return path.isEmpty() ? QString() : QFileInfo(path).completeBaseName();
}

bool Plan::Open()
{
    const QString path = fullPath();
    PlanContent read;
    QString reason;
    // A program killed while it replaced this plan left the rest to us.
    const QString unfinished = path.isEmpty() ? QString() : finishInterruptedReplacement(path);
    const bool ok = path.isEmpty() ? (reason = QStringLiteral("No plan document was named."), false)
                                   : PlanDocument::readFile(path, read, reason);
    if (!ok && !unfinished.isEmpty())
        reason = unfinished;
    if (!ok) {
        m_lastError = reason;
        if (!m_documentPath.isEmpty())
            setFilePath(m_documentPath);
        return false;
    }

    const int planType = m_content.info.planType();
    if (!read.isTemplate) {
        m_content.info = read.info;
        m_content.submitter = read.submitter;
    }
    m_content.info.setPlanType(planType);
    m_content.title = read.title;
    m_content.profile = read.profile;
    m_content.outline.chapters().takeItemsOf(read.outline.chapters());
    // Once opened, the plan is a plan of its own, even when it began as a template.
    m_content.isTemplate = false;
    m_documentPath = path;
    m_lastError.clear();
    m_modified = false;
    return true;
}

void Plan::Save()
{
    const QString path = fullPath();
    if (path.isEmpty())
        throw QvError(kNoDocumentPath, QStringLiteral("Plan.Save"),
                      QStringLiteral("The plan has no document to save to."));
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString error = platform::writeFileAtomically(path, documentBytes());
    if (!error.isEmpty())
        throw QvError(kSaveFailed, QStringLiteral("Plan.Save"),
                      QStringLiteral("The plan could not be saved to %1: %2").arg(path, error));
    // The plan folder holds the plan's texts and tables; it must exist before
    // the first working copy is written. A template has none.
    if (!isTemplate()) {
        QDir().mkpath(folder());
        forgetNewSectionTexts(folder()); // the document now names them
    }
    m_documentPath = path;
    m_modified = false;
}

bool Plan::SaveUnnamed()
{
    const QString extension = planExtension(planInfo().planType());
    platform::FileRequest request;
    request.title = QStringLiteral("Save Plan");
    request.folder = platform::Folders::myPlansFolder();
    request.fileName = name().isEmpty() ? planInfo().businessName() : name();
    request.filter = planFileFilter(planInfo().planType());
    request.overwritePrompt = true;
    const std::optional<QString> chosen = platform::fileDialogs().saveFile(nullptr, request);
    if (!chosen || chosen->isEmpty())
        return false;

    QString path = *chosen;
    if (!path.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive))
        path += QLatin1Char('.') + extension;
    const QString previous = m_filePath;
    setFilePath(path);
    try {
        Save();
    } catch (...) {
        setFilePath(previous);
        throw;
    }
    return true;
}

} // namespace qv::plan
