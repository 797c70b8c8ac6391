#pragma once

// The files behind a section on screen: its own text file in the plan
// folder, and its instruction, example and example-table files in the
// template library.

#include "plan/PlanRules.h"

#include <QString>

class QTextDocument;

namespace qv::plan {
class Plan;
class Section;
} // namespace qv::plan

namespace qv::composer {

// The plan type an opened file has (the plan rule, under the composer's name).
using plan::planTypeOfPath;

// The first "Ans" + five-digit number + ".rtf" for which neither that name
// nor its working copy (".tmp") exists in the folder.
QString nextSectionFileName(const QString &planFolder);

// The text of a new, empty section file: four CR LF ended lines giving the
// font and its size (in points).
QByteArray newSectionFileText(const QString &fontName, int fontSize);

// Creates a new text file for a section that has none, in the preferred
// font, and records its name in the section. Returns the reason on failure
// (the section is then unchanged), else empty text.
QString createSectionTextFile(plan::Section &section, const QString &fontName, int fontSize);

// The template library files of a section key (empty without a key) and of
// a table ("Tbl0404" gives "TPL0404.vts").
QString instructionFilePath(const plan::Plan &plan, const QString &sectionKey);
QString exampleFilePath(const plan::Plan &plan, const QString &sectionKey);
QString exampleTablePath(const plan::Plan &plan, const QString &tableName);

// Writes a section's text as section files hold it (RTF with its lines
// broken every 2000 characters), atomically. Returns the reason on failure.
QString writeSectionText(const QTextDocument &document, const QString &path);

} // namespace qv::composer
