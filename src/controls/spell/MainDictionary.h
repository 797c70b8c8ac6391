#pragma once

#include <QString>

namespace qv::spell
{

// The main dictionary file ("American.vtd" in the system folder) is a small
// text file that names the hunspell dictionary to use:
//
//   # comment
//   dictionary=en_US
//   folder=/usr/share/hunspell
//
// "dictionary" is the base name of the .aff and .dic files (or an absolute
// base path); each "folder" is searched in order, a relative one from the
// folder of the main dictionary file.
struct HunspellFiles {
    QString affix;      // the .aff file
    QString dictionary; // the .dic file
    QString error;      // why none was found; empty when found
};

// Finds the hunspell files a main dictionary file names.
HunspellFiles locateHunspellFiles(const QString &mainDictionaryPath);

} // namespace qv::spell
