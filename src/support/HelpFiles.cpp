#include "support/HelpFiles.h"

#include "platform/Folders.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace qv::support
{

QString helpPagePath(const QString &helpFile)
{
    QString name = QFileInfo(helpFile).fileName();
    if (name.endsWith(QLatin1String(".hlp"), Qt::CaseInsensitive))
        name.chop(4);
    const QString page = platform::Folders::installFolder() + QStringLiteral("Help/") + name + QStringLiteral(".html");
    return platform::resolveExistingPath(page);
}

} // namespace qv::support
