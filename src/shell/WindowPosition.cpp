#include "shell/WindowPosition.h"

#include "platform/Settings.h"

namespace qv::shell
{

namespace
{
using platform::Settings;

long readTwips(const QString &section, const QString &key)
{
    return Settings::toNumber(Settings::get(section, key));
}
} // namespace

WindowPositionRecord readWindowPosition(const QString &section)
{
    WindowPositionRecord record;
    record.top = readTwips(section, QStringLiteral("Top"));
    record.left = readTwips(section, QStringLiteral("Left"));
    record.height = readTwips(section, QStringLiteral("Height"));
    record.width = readTwips(section, QStringLiteral("Width"));
    return record;
}

QString singlePrecisionText(double value)
{
    return QString::number(static_cast<double>(static_cast<float>(value)), 'g', 7);
}

void writeWindowPosition(const QString &section, double top, double left, double height, double width)
{
    Settings::save(section, QStringLiteral("Top"), singlePrecisionText(top));
    Settings::save(section, QStringLiteral("Left"), singlePrecisionText(left));
    Settings::save(section, QStringLiteral("Height"), singlePrecisionText(height));
    Settings::save(section, QStringLiteral("Width"), singlePrecisionText(width));
}

bool restoresMaximised(const WindowPositionRecord &record, double screenWidthTwips, double screenHeightTwips)
{
    if (record.width == 0 || record.height == 0)
        return true;
    return record.height >= screenHeightTwips && record.width >= screenWidthTwips;
}

} // namespace qv::shell
