#include "support/Version.h"

#include "resources/ResText.h"

namespace qv::support
{

ProgramVersion programVersion()
{
    return {QV_VERSION_MAJOR, QV_VERSION_MINOR, QV_REVISION};
}

QString versionText()
{
    const ProgramVersion v = programVersion();
    return GetResText(379) + QLatin1Char(' ') + QString::number(v.major) + QLatin1Char('.') + QString::number(v.minor) +
           QStringLiteral(" (") + QString::number(v.revision) + QLatin1Char(')');
}

} // namespace qv::support
