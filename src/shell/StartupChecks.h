#pragma once

#include <QString>

namespace qv::shell
{

// The file that start-up requires in the system folder: the spelling
// dictionary, which the composer and the word processor cannot work without.
QString requiredSystemFileName();

// True when the required system file is present in the system folder;
// otherwise shows message 1624 with the critical icon and returns false.
bool CheckSystemFiles();

// Sets the application title (resource 1302) and the help file (the install
// folder's "Help/BPlan8.hlp").
void setApplicationTitleAndHelpFile();

// Writes the install folder, with its trailing separator, under "Paths" /
// "Install". This platform has no short path names, so the long form is
// stored, as the record always allowed.
void RecordInstallPath();

// "Business Plan" (1303) for plan type 0, "Marketing Plan" (1304) for type 1,
// empty text for any other type or when there is no current plan.
QString PlanTypeName();
QString planTypeNameFor(int planType);

} // namespace qv::shell
