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

// "Version 8.0 (1)": the "Version" text, the major and minor joined by ".",
// and the revision in brackets.
QString versionText();

} // namespace qv::support
