#pragma once

// Working copies in a plan folder: an edited section text waits in
// "<name>.tmp" and an edited table in "<name>.tbf" until the plan is saved,
// which commits each over "<name>.rtf" or "<name>.vts"; closing without
// saving deletes them. So answering No to "Save Plan" discards every unsaved
// edit, and a saved edit is never lost: a commit replaces the committed file
// in one step (a rename), never leaving a half-written one.

#include <QString>
#include <QStringList>

namespace qv::plan {

class PlanOutline;
class Section;

enum class WorkingCopyKind { Table, Text };

// The committed file a working copy stands for: its name less the last three
// characters, followed by "vts" (for ".tbf") or "rtf" (for ".tmp"). Empty for
// a name that is not a working copy.
QString committedNameOf(const QString &workingCopyName);

// The working copies of one kind in the folder ("*.tbf" or "*.tmp", any
// case), in name order.
QStringList workingCopiesIn(const QString &folder, WorkingCopyKind kind);

// Commits one working copy of the folder over its committed file. Returns
// an empty string, or the reason it failed (the working copy then stays).
QString commitWorkingCopy(const QString &folder, const QString &workingCopyName);

// Commits every working copy, tables first, then texts; the targets that
// failed, each with its reason, in "target: reason" form.
QStringList commitWorkingCopies(const QString &folder);

// Deletes every working copy of the folder; one that cannot be deleted is
// skipped. Returns how many were deleted.
int deleteWorkingCopies(const QString &folder);

// Section texts made since the plan was last saved. The plan document names
// a new text only from the next save, so a program that dies before it would
// leave the text, and its working copy, belonging to no section. Each new
// text is therefore noted in the plan folder (NewSectionTextsFile) by its
// section's key and name.
inline constexpr char NewSectionTextsFile[] = ".new-section-texts";
// Notes that `section` now keeps its text in `fileName`. A note that cannot
// be written costs nothing but this help after a crash.
void noteNewSectionText(const QString &folder, const Section &section, const QString &fileName);
// Gives each section of the outline without a text the one noted for it
// (the only section with that key and name), while that text or its working
// copy is in the folder. Returns how many sections got one.
int adoptNewSectionTexts(const QString &folder, PlanOutline &outline);
// Removes the notes: the saved document now names every text.
void forgetNewSectionTexts(const QString &folder);

} // namespace qv::plan
