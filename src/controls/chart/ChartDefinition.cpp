#include "controls/chart/ChartDefinition.h"

#include <QCoreApplication>

#include <array>

namespace qv::chart {

namespace {

struct TypeNames
{
    ChartType type;
    const char *name;
    const char *caption;
};

constexpr std::array<TypeNames, 7> typeNames{{
    {ChartType::Column, "column", QT_TRANSLATE_NOOP("Chart", "Columns")},
    {ChartType::StackedColumn, "stacked-column", QT_TRANSLATE_NOOP("Chart", "Stacked columns")},
    {ChartType::Bar, "bar", QT_TRANSLATE_NOOP("Chart", "Bars")},
    {ChartType::Line, "line", QT_TRANSLATE_NOOP("Chart", "Lines")},
    {ChartType::Area, "area", QT_TRANSLATE_NOOP("Chart", "Stacked areas")},
    {ChartType::Pie, "pie", QT_TRANSLATE_NOOP("Chart", "Pie")},
    {ChartType::ColumnLine, "column-line", QT_TRANSLATE_NOOP("Chart", "Columns with a line")},
}};

constexpr std::array<std::pair<LegendPosition, const char *>, 4> legendNames{{
    {LegendPosition::None, "none"},
    {LegendPosition::Right, "right"},
    {LegendPosition::Bottom, "bottom"},
    {LegendPosition::Top, "top"},
}};

constexpr std::array<QRgb, 10> palette{0x2E5A88, 0xF28E2B, 0x59A14F, 0xE15759, 0x76B7B2,
                                       0xEDC948, 0xB07AA1, 0x9C755F, 0xFF9DA7, 0x7F7F7F};

} // namespace

QColor paletteColor(int index)
{
    return QColor::fromRgb(palette[std::size_t(std::max(index, 0)) % palette.size()]);
}

QColor ChartDefinition::seriesColor(int index) const
{
    if (index >= 0 && std::size_t(index) < seriesColors.size() && seriesColors[std::size_t(index)].isValid())
        return seriesColors[std::size_t(index)];
    return paletteColor(index);
}

void ChartDefinition::setSeriesColor(int index, const QColor &color)
{
    if (index < 0 || index > 255)
        return;
    if (seriesColors.size() <= std::size_t(index))
        seriesColors.resize(std::size_t(index) + 1);
    seriesColors[std::size_t(index)] = color;
}

QString chartTypeName(ChartType type)
{
    for (const auto &t : typeNames)
        if (t.type == type)
            return QString::fromLatin1(t.name);
    return QStringLiteral("column");
}

std::optional<ChartType> chartTypeFromName(const QString &name)
{
    for (const auto &t : typeNames)
        if (name == QLatin1String(t.name))
            return t.type;
    return std::nullopt;
}

QString chartTypeCaption(ChartType type)
{
    for (const auto &t : typeNames)
        if (t.type == type)
            return QCoreApplication::translate("Chart", t.caption);
    return QString();
}

const std::vector<ChartType> &allChartTypes()
{
    static const std::vector<ChartType> all = [] {
        std::vector<ChartType> v;
        for (const auto &t : typeNames)
            v.push_back(t.type);
        return v;
    }();
    return all;
}

QString legendPositionName(LegendPosition position)
{
    for (const auto &[p, name] : legendNames)
        if (p == position)
            return QString::fromLatin1(name);
    return QStringLiteral("bottom");
}

std::optional<LegendPosition> legendPositionFromName(const QString &name)
{
    for (const auto &[p, n] : legendNames)
        if (name == QLatin1String(n))
            return p;
    return std::nullopt;
}

} // namespace qv::chart
