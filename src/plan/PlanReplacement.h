#pragma once

// A new plan never silently takes an existing plan's place. Whoever makes a
// plan where one exists asks the user first (replaceQuestion); the new plan
// is then built aside (PlanStaging) and only once it is complete does the
// old plan go to the desktop's trash and the new one take its place.
//
// Taking its place is several moves. Before the first, a note beside the
// document (".<document name>.replacing") names the finished staging, so
// that a program killed between two moves leaves a plan that the next open
// completes (finishInterruptedReplacement) instead of a missing one.

#include <QString>

class QObject;

namespace qv::plan {

// What stands where a plan document would go.
struct PlanInPlace
{
    QString document;      // the document path asked about
    QString folder;        // its plan folder as the disk spells it
    bool documentExists = false;
    bool folderHoldsEntries = false; // an empty folder holds nothing to lose
    bool exists() const { return documentExists || folderHoldsEntries; }
};

// The plan (document and plan folder, the folder matched without regard to
// case) at a document path ending in ".bpl" or ".mpl".
PlanInPlace planAt(const QString &documentPath);

// The question put before a plan is replaced, naming it and its folder.
QString replaceQuestion(const QString &documentPath);
// Asks it (Yes and No, No the default); true for Yes.
bool askToReplacePlan(QObject *owner, const QString &documentPath);

// A hidden folder beside the final document where a new plan is built, so
// that nothing of an existing plan is touched until the new one is done and
// nothing half-made is left when creation fails. The folder is removed when
// the staging ends without commit().
class PlanStaging
{
public:
    PlanStaging() = default;
    ~PlanStaging();
    PlanStaging(const PlanStaging &) = delete;
    PlanStaging &operator=(const PlanStaging &) = delete;

    // Makes the staging folder for the final document (and the folders on
    // the way to it); the reason on failure, else empty text.
    QString begin(const QString &finalDocument);
    bool active() const { return !m_folder.isEmpty(); }

    // Where the new plan's document is written while it is built.
    QString stagedDocument() const;
    const QString &finalDocument() const { return m_finalDocument; }

    // Moves an existing plan at the final place to the trash (its folder,
    // then its document) and the staged plan into its place. On failure the
    // old plan stays (or is brought back) where it was and the reason is
    // returned; the staged plan is then discarded with the staging.
    QString commit();
    // The old plan's document and folder in the trash after commit (empty
    // when there was none).
    const QString &trashedDocument() const { return m_trashedDocument; }
    const QString &trashedFolder() const { return m_trashedFolder; }

    // Removes the staging folder and all in it.
    void discard();

private:
    friend QString finishInterruptedReplacement(const QString &);
    // The moves that put the staged plan in place, each skipped when an
    // earlier run already made it; the first failure's reason, else empty.
    QString moveIntoPlace(bool stagedHasFolder);

    QString m_finalDocument;
    QString m_folder;
    QString m_trashedDocument;
    QString m_trashedFolder;
};

// Completes a replacement of the plan at `finalDocument` that a killed
// program left half done (see above); does nothing when none was. The
// reason when it still cannot be completed, else empty text.
QString finishInterruptedReplacement(const QString &finalDocument);

// Moves a file or folder to the desktop's trash; the reason on failure,
// else empty text. `inTrash` receives where it went.
QString moveToTrash(const QString &path, QString *inTrash = nullptr);

} // namespace qv::plan
