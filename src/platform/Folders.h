#pragma once

#include <QString>

namespace qv::platform {

// The folders of the installation and of the user. Every folder ends in "/".
// Tests point them at temporary folders.
class Folders
{
public:
    // The folder that holds the executable (the build tree lays it out as
    // installed).
    static QString installFolder();
    static void setInstallFolder(const QString &folder);

    // This platform's stand-ins for the Windows folder and the system folder:
    // the install folder itself and its "System/" folder.
    static QString windowsFolder();
    static QString systemFolder();
    static void setSystemFolder(const QString &folder);

    // "My Plans" in the install folder when it is writable, else in the
    // user's documents folder.
    static QString myPlansFolder();

    // The user's folder for temporary files.
    static QString tempFolder();

    // The folder that holds the per-user settings files and user dictionary.
    static QString userConfigFolder();
    static void setUserConfigFolder(const QString &folder);

    // Forgets every override (tests).
    static void reset();
};

} // namespace qv::platform
