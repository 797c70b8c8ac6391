#pragma once

// The rules for the file names a plan records. Every name is a plain name
// inside the plan folder: a document that tried to reach outside it through
// a name ("../x", "/etc/x") is refused, and so is such a name set by code.

#include <QString>

namespace qv::plan {

// Extensions of the files a plan folder holds, and of their working copies.
inline constexpr char kTextExtension[] = "rtf";
inline constexpr char kTextWorkingExtension[] = "tmp";
inline constexpr char kTableExtension[] = "vts";
inline constexpr char kTableWorkingExtension[] = "tbf";

// True for a non-empty name without folder separators, NUL or control
// characters, other than "." and "..", of at most 255 characters.
bool isPlainFileName(const QString &name);

// The name with its last three characters (the extension after the dot)
// replaced: "Ans00001.rtf" with "tmp" gives "Ans00001.tmp". A name shorter
// than four characters gets the extension appended after a dot.
QString withExtension(const QString &name, const char *extension);

// True when the name ends in "." + extension, without regard to case.
bool hasExtension(const QString &name, const char *extension);

// A name as a plan records it: a plain name ending in "." + extension in
// lower case. A name ending in otherExtension (the working copy's) is
// turned into the committed one; a name with neither gets the extension
// appended. Empty stays empty. Raises QvError 5 for a name that is not plain.
QString normalisedFileName(const QString &name, const char *extension, const char *otherExtension,
                           const char *source);

// The chart file of a table's graph: "Grf" + the table name from its fourth
// character + ".vtc" ("Tbl0404" gives "Grf0404.vtc"), so that the graph's
// picture ("Grf0404.wmf") never shares its name with the table's picture.
inline constexpr char kChartExtension[] = "vtc";
QString chartFileNameOf(const QString &tableName);

// Raises QvError 5 unless the name is empty or plain.
void requirePlainOrEmpty(const QString &name, const char *source);

} // namespace qv::plan
