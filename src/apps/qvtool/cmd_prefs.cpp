#include "apps/qvtool/Command.h"

#include "support/Preferences.h"

namespace
{

using qv::support::Preferences;

// The preference getters as the program reads them, one per line, in the
// order the getters are declared.
int prefs(qvtool::Context &c)
{
    if (!c.args.isEmpty()) {
        c.err << "usage: qvtool prefs\n";
        return 2;
    }
    c.out << "getAutoSaveTime=" << Preferences::getAutoSaveTime() << "\n";
    c.out << "getPreferenceBrowser=" << Preferences::getPreferenceBrowser() << "\n";
    c.out << "getPreferenceFont=" << Preferences::getPreferenceFont() << "\n";
    c.out << "getPreferenceFontSize=" << Preferences::getPreferenceFontSize() << "\n";
    c.out << "getRecentFilesCount=" << Preferences::getRecentFilesCount() << "\n";
    c.out << "IsPreferencePrintBlack=" << qvtool::formatBool(Preferences::IsPreferencePrintBlack()) << "\n";
    c.out << "IsPreferencePrintNormal=" << qvtool::formatBool(Preferences::IsPreferencePrintNormal()) << "\n";
    c.out << "IsAutoSave=" << qvtool::formatBool(Preferences::IsAutoSave()) << "\n";
    c.out << "showRecentFileList=" << qvtool::formatBool(Preferences::showRecentFileList()) << "\n";
    return 0;
}

const qvtool::CommandRegistration registration("prefs", "prefs", prefs);

} // namespace
