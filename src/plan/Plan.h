#pragma once

// The plan: one plan document and its plan folder. The program holds one
// current Plan and reaches everything else through it.

#include "plan/Outline.h"
#include "plan/PlanDocument.h"
#include "plan/PlanInfo.h"
#include "plan/Profile.h"
#include "plan/Submitter.h"

#include <QString>

#include <memory>

namespace qv::plan {

class Plan
{
public:
    Plan();
    ~Plan();
    Plan(const Plan &) = delete;
    Plan &operator=(const Plan &) = delete;

    // Tells the library the letters of the two plan types ("B", "M"), which
    // end the plan folder's name.
    void Initialise(const QString &businessLetter, const QString &marketingLetter);

    // The path of the plan document. Setting it names the document that
    // Open reads and Save writes; FullPath and Folder follow at once.
    const QString &filePath() const { return m_filePath; }
    void setFilePath(const QString &path);
    // The absolute, clean form of filePath(); empty without a path.
    const QString &fullPath() const { return m_fullPath; }
    // The plan folder: the document's path less its four-character
    // extension, followed by the plan type's letter ("Acme.bpl" has
    // "AcmeB"). No trailing separator; empty without a path.
    QString folder() const;

    // Reads the document at fullPath(). On success the plan holds it and is
    // unmodified; the plan type stays as the caller set it (it follows the
    // file's extension). On failure returns false, keeps the reason in
    // lastError() and leaves the plan as it was; a plan that already held a
    // document goes back to that document's path, so that a later Save
    // never writes it over the file that failed to open.
    bool Open();
    const QString &lastError() const { return m_lastError; }

    // Writes the document to fullPath() atomically (creating its folder and,
    // but for a template, the plan folder when missing): a crash leaves the
    // old or the new document, never a broken one. Raises QvError 10003
    // without a path and 10002 when the write fails, leaving the old
    // document as it was.
    void Save();
    // For a plan without a document: asks the file dialog where to save it,
    // adds the plan type's extension when missing and saves there. False
    // when the user cancels (nothing is written). Raises as Save does.
    bool SaveUnnamed();

    // The plan's title; a plan without one takes its document's base name
    // ("Acme" for Acme.bpl). Empty only for an untitled plan without a path.
    QString name() const;
    const QString &title() const { return m_content.title; }
    void setName(const QString &title) { m_content.title = title; }

    // Callers set it with every edit; Open and Save clear it.
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    PlanInfo &planInfo() { return m_content.info; }
    const PlanInfo &planInfo() const { return m_content.info; }
    void setPlanInfo(const PlanInfo &info) { m_content.info = info; }

    Profile &profile() { return m_content.profile; }
    const Profile &profile() const { return m_content.profile; }
    void setProfile(const Profile &profile) { m_content.profile = profile; }

    Submitter &submitter() { return m_content.submitter; }
    const Submitter &submitter() const { return m_content.submitter; }
    void setSubmitter(const Submitter &submitter) { m_content.submitter = submitter; }

    PlanOutline &outline() { return m_content.outline; }
    const PlanOutline &outline() const { return m_content.outline; }

    // A template document (the library's "default.~pl") carries no business
    // of its own; opening one keeps the plan's PlanInfo and Submitter.
    bool isTemplate() const { return m_content.isTemplate; }
    void setTemplate(bool isTemplate) { m_content.isTemplate = isTemplate; }

    // The document as Save writes it.
    QByteArray documentBytes() const { return PlanDocument::write(m_content); }
    const PlanContent &content() const { return m_content; }

    // The letter of the plan's type ("B" or "M").
    QString typeLetter() const;

private:
    QString m_businessLetter = QStringLiteral("B");
    QString m_marketingLetter = QStringLiteral("M");
    QString m_filePath;
    QString m_fullPath;
    QString m_documentPath; // the document the plan holds, once opened or saved
    QString m_lastError;
    bool m_modified = false;
    PlanContent m_content;
    std::shared_ptr<PlanPlace> m_place;
};

} // namespace qv::plan
