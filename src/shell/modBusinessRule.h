#pragma once

// The plans the user worked on: the four most recently closed plan documents
// (the composer's File menu lists them) and the last plan opened of each plan
// type (the welcome menu and the opening dialog offer it). Beside them, two
// file helpers that plan creation and compilation share.

#include <QList>
#include <QString>
#include <QStringList>

namespace qv::shell
{

// ---- Recent-file list ---------------------------------------------------------

// Settings section "Recent Files", keys "RecentFile0" (newest) to "RecentFile3".
inline constexpr int kRecentFileSlots = 4;
QString recentFilesSection();
QString recentFileKey(int position);

// The four entries, positions 0 to 3; a missing key is empty text and one
// trailing separator is dropped.
QStringList ReadRecentFiles();

// Records a closed plan as the newest entry, moving the others down and
// dropping the oldest. A plan already listed (letter case aside) keeps its
// place; an empty path is not recorded.
void AddRecentFile(const QString &path);

// The composer's File menu items 9 to 13 are reserved for the list: entry i
// is item 9 + i.
inline constexpr int kFirstRecentFileMenuItem = 9;
inline constexpr int kLastRecentFileMenuItem = 13;

struct RecentFileMenuItem {
    int menuIndex = 0; // the File menu item, 9 to 13
    bool visible = false;
    QString caption; // "&1 path", the path's "&" doubled so the menu shows it
};

// What the File menu's items 9 to 13 show: all hidden unless the list is to
// be shown; then the first `count` entries (never more than four), each
// non-empty one visible with its caption. The composer applies the result.
QList<RecentFileMenuItem> LoadRecentFiles(const QStringList &entries, bool showList, int count);
// The same for the stored list and the user's preferences.
QList<RecentFileMenuItem> LoadRecentFiles();

// The plan path that a recent-file caption stands for: the text after its
// first blank, with doubled "&" made single again.
QString recentFilePathFromCaption(const QString &caption);

// ---- Last plan of each type ---------------------------------------------------

// Settings section "Options", key "Last_B_File" (business) or "Last_M_File"
// (marketing, and any other type).
QString lastPlanSection();
QString lastPlanKey(int planType);
// The stored value as it is; the composer writes it on every plan opened.
QString readLastPlan(int planType);
void writeLastPlan(int planType, const QString &path);
// The last plan worth offering: the stored value less one trailing separator,
// spelled as the file system spells it; empty when it names no existing file.
QString lastPlanToOffer(int planType);

// ---- File helpers ---------------------------------------------------------------

// True when the file or folder exists (names matched without regard to case);
// one trailing separator is ignored.
bool PathExists(const QString &path);

// Copies every file of the source folder into the target folder, each one
// atomically, letting window messages run after each copy. Returns one error
// text per file that could not be copied; the others are copied all the same.
QStringList CopyFolderFiles(const QString &sourceFolder, const QString &targetFolder);

} // namespace qv::shell
