#pragma once

#include <QString>

namespace qv::support
{

struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

// This build's version (major and minor from the project, the revision a
// build setting).
ProgramVersion programVersion();

// "8.0 (1)": the major and minor joined by ".", the revision in brackets.
QString versionNumberText();

// "Version 8.0 (1)": the "Version" text and the number text.
QString versionText();

} // namespace qv::support
