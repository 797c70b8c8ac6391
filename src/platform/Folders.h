#pragma once

#include <QString>

namespace qv::platform {

// The file that the install step writes into the program folder, and the
// build tree never has.
inline constexpr char kInstalledMarkerFile[] = "quorvex.installed";

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

    // True when the program runs from an installed program folder (one that
    // holds the marker file the install step writes) rather than from the
    // build tree. An installed program never writes into its own folder.
    static bool isInstalled();

    // "My Plans" in the user's documents folder when installed or when the
    // program folder is not writable; in the program folder in the build tree.
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
