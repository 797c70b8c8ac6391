#include "apps/qvtool/Command.h"

#include "shell/modBusinessRule.h"

namespace
{

// The recent-file list as the File menu reads it: positions 0 to 3, an
// empty line for an empty entry.
int recent(qvtool::Context &c)
{
    if (!c.args.isEmpty()) {
        c.err << "usage: qvtool recent\n";
        return 2;
    }
    const QStringList entries = qv::shell::ReadRecentFiles();
    for (const QString &entry : entries)
        c.out << entry << '\n';
    return 0;
}

const qvtool::CommandRegistration registration("recent", "recent", recent);

} // namespace
