#pragma once

// Deleting a plan: its plan folder beside the document, then the document.

#include <QString>
#include <QStringList>

namespace qv::shell
{

// The plan folder of a plan document: the document's path less its
// extension, followed by "B" for a ".bpl" and "M" for a ".mpl" (either
// case). Empty text when the file is not a plan document.
QString planFolderFor(const QString &documentPath);

struct PlanDeletion {
    enum class Outcome {
        Deleted,          // folder (when there was one) and document removed
        NotAPlanDocument, // nothing touched
        DocumentMissing,  // nothing touched
        FolderIsALink,    // nothing touched: its target may be anyone's
        FolderRemains,    // some entries stayed; the document is kept
        DocumentRemains,  // the folder went, the document could not
    };
    Outcome outcome = Outcome::Deleted;
    QString folder;         // the plan folder as it exists, or empty
    QStringList notRemoved; // what could not be removed
};

// Deletes the plan folder (everything in it, links removed as links, never
// followed), then the plan document. The document is kept when anything of
// the folder remains, so the plan can be chosen and deleted again. Only the
// folder the naming rule gives is touched; any other folder beside the
// document stays as it is.
PlanDeletion deletePlan(const QString &documentPath);

// What to tell the user when a deletion did not complete; empty text when
// it did. `documentTitle` is the document's name without its folder.
QString planDeletionProblemText(const PlanDeletion &deletion, const QString &documentTitle);

} // namespace qv::shell
