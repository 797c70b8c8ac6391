#pragma once

// How a save turns the working copies of a plan folder into real files,
// and the pieces of saving that need no window: the pause after each
// committed file, the autosave minute count, and the values of the loaded
// tables that links may change behind the user's back.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace qv::workbook {
class Workbook;
} // namespace qv::workbook

namespace qv::composer {

// ---- The pause after each committed file ---------------------------------------

// The pause is over once the clock's seconds value has moved on by more than
// the length, counted across the turn of the minute (second 58 to second 4
// is six seconds). A length of 0 or less never pauses.
bool pauseOver(int startSecond, int nowSecond, int lengthSeconds);

// Waits on the platform clock until pauseOver, letting window messages run.
// Gives up after the length plus a minute of clock time, should the clock
// jump, so that a save can never hang.
void pauseAfterCommit(int lengthSeconds);

// The length in seconds: settings section "Options", key "Commit Pause",
// 0 when absent or unreadable, at most 30. A commit here is one atomic
// rename, so there is nothing to wait for.
int commitPauseSeconds();
inline constexpr int kMaxCommitPauseSeconds = 30;

// ---- Committing working copies ---------------------------------------------------

struct CommitFailure
{
    QString target;      // the committed file's path
    QString description; // why it failed
    long number = 0;     // the error number reported with it
};

// Called after each working copy is committed (or failed); a test stops a
// save midway with it.
using CommitProgress = std::function<void(const QString &workingCopy, bool committed)>;

// Commits every ".tbf" over its ".vts", then every ".tmp" over its ".rtf"
// (extensions in any case), each in folder listing order, each atomically,
// letting window messages run after each file and pausing as above. A
// failed file stays as a working copy and is reported through `report`; the
// others go on. Returns the failures.
QList<CommitFailure> commitWorkingFiles(const QString &planFolder, int pauseSeconds,
                                        const std::function<void(const CommitFailure &)> &report,
                                        const CommitProgress &progress = {});

// Deletes every file of the folder whose name matches the wildcard pattern
// ("*.tmp"), without regard to case; one that cannot be deleted is skipped.
// Returns how many were deleted.
int DeleteMatchingFiles(const QString &folder, const QString &pattern);

// ---- Autosave ------------------------------------------------------------------------

// One tick of the minute timer with the counter as its tag holds it: the
// counter to keep, and whether this tick saves.
struct AutosaveTick
{
    int counter = 0;
    bool save = false;
};
AutosaveTick autosaveTick(int counter, int intervalMinutes);

// ---- Table values ----------------------------------------------------------------

// A digest of every formula result in every sheet of the workbook; it
// changes when links recalculate the table to other values.
QByteArray formulaResultsDigest(workbook::Workbook &book);

} // namespace qv::composer
