#include "apps/qvtool/Command.h"

#include "platform/Folders.h"

namespace {

// Prints one of the program's folders, as the program itself resolves it,
// so that scripts put files where the program looks for them.
int folders(qvtool::Context &c)
{
    using qv::platform::Folders;
    const QString which = c.args.value(0);
    QString folder;
    if (c.args.size() != 1)
        folder.clear();
    else if (which == QLatin1String("install"))
        folder = Folders::installFolder();
    else if (which == QLatin1String("myplans"))
        folder = Folders::myPlansFolder();
    else if (which == QLatin1String("system"))
        folder = Folders::systemFolder();
    else if (which == QLatin1String("temp"))
        folder = Folders::tempFolder();
    else if (which == QLatin1String("config"))
        folder = Folders::userConfigFolder();
    if (folder.isEmpty()) {
        c.err << "usage: qvtool folder install|myplans|system|temp|config\n";
        return 2;
    }
    c.out << folder << '\n';
    return 0;
}

const qvtool::CommandRegistration registration("folder", "folder install|myplans|system|temp|config", folders);

} // namespace
