#include "support/Version.h"

#include "resources/ResText.h"

namespace qv::support
{

ProgramVersion programVersion()
{
    return {QV_VERSION_MAJOR, QV_VERSION_MINOR, QV_REVISION};
}

QString versionNumberText()
{
    const ProgramVersion v = programVersion();
    return QString::number(v.major) + QLatin1Char('.') + QString::number(v.minor) + QStringLiteral(" (") +
           QString::number(v.revision) + QLatin1Char(')');
}

QString versionText()
{
    return GetResText(379) + QLatin1Char(' ') + versionNumberText();
}

} // namespace qv::support
