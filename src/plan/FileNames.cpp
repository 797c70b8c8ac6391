#include "plan/FileNames.h"

#include "plan/PlanErrors.h"

namespace qv::plan {

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name.size() > 255 || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

bool hasExtension(const QString &name, const char *extension)
{
    const QString suffix = QLatin1Char('.') + QLatin1String(extension);
    return name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive);
}

QString withExtension(const QString &name, const char *extension)
{
    if (name.size() < 4 || name.at(name.size() - 4) != QLatin1Char('.'))
        return name + QLatin1Char('.') + QLatin1String(extension);
    return name.left(name.size() - 3) + QLatin1String(extension);
}

QString normalisedFileName(const QString &name, const char *extension, const char *otherExtension,
                           const char *source)
{
    if (name.isEmpty())
        return name;
    requirePlainOrEmpty(name, source);
    if (hasExtension(name, extension) || hasExtension(name, otherExtension))
        return withExtension(name, extension);
    return name + QLatin1Char('.') + QLatin1String(extension);
}

void requirePlainOrEmpty(const QString &name, const char *source)
{
    if (!name.isEmpty() && !isPlainFileName(name))
        throw QvError(kInvalidArgument, QLatin1String(source),
                      QStringLiteral("Not a file name of the plan folder: ") + name);
}

QString chartFileNameOf(const QString &tableName)
{
    return QStringLiteral("Grf") + tableName.mid(3) + QLatin1Char('.') + QLatin1String(kChartExtension);
}

} // namespace qv::plan
