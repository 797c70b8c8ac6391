#include "controls/chart/ChartFile.h"

#include "controls/workbook/CellAddress.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>

#include <algorithm>

namespace qv::chart {

namespace {

const QString source = QStringLiteral("Chart");
const QString formatName = QStringLiteral("Quorvex chart");
constexpr qint64 largestChartFile = 256 * 1024;
constexpr int longestText = 500;
constexpr int mostSeriesColors = 256;
constexpr int mostListed = 2000;

[[noreturn]] void damaged(const QString &why)
{
    throw QvError(badChartFile, source, QObject::tr("The chart file is damaged or not a chart: %1.").arg(why));
}

QString textField(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return QString();
    if (!v.isString())
        damaged(QObject::tr("\"%1\" is not a text").arg(QLatin1String(key)));
    const QString text = v.toString();
    if (text.size() > longestText)
        damaged(QObject::tr("\"%1\" is too long").arg(QLatin1String(key)));
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 && c != u'\t'; }))
        damaged(QObject::tr("\"%1\" holds control characters").arg(QLatin1String(key)));
    return text;
}

template <typename T>
T namedField(const QJsonObject &o, const char *key, T fallback, std::optional<T> (*fromName)(const QString &))
{
    if (!o.contains(QLatin1String(key)))
        return fallback;
    const auto value = fromName(textField(o, key));
    if (!value)
        damaged(QObject::tr("\"%1\" has an unknown value").arg(QLatin1String(key)));
    return *value;
}

std::optional<SeriesLayout> layoutFromName(const QString &name)
{
    if (name == QLatin1String("rows"))
        return SeriesLayout::InRows;
    if (name == QLatin1String("columns"))
        return SeriesLayout::InColumns;
    return std::nullopt;
}

std::vector<int> lineList(const QJsonObject &o, const char *key, int last)
{
    std::vector<int> lines;
    if (!o.contains(QLatin1String(key)))
        return lines;
    const QJsonValue list = o.value(QLatin1String(key));
    if (!list.isArray() || list.toArray().size() > mostListed)
        damaged(QObject::tr("\"%1\" is not a list of table lines").arg(QLatin1String(key)));
    for (const QJsonValue &line : list.toArray()) {
        const double n = line.toDouble(-1);
        if (!line.isDouble() || n < 1 || n > last || n != double(int(n)))
            damaged(QObject::tr("\"%1\" holds something that is not a table line").arg(QLatin1String(key)));
        lines.push_back(int(n));
    }
    return lines;
}

} // namespace

ChartDefinition parseChartFile(const QByteArray &bytes)
{
    if (bytes.size() > largestChartFile)
        damaged(QObject::tr("it is too large"));
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        damaged(QObject::tr("it is not a chart document"));
    const QJsonObject o = doc.object();
    if (o.value(QLatin1String("format")).toString() != formatName)
        damaged(QObject::tr("it is not a chart document"));
    const QJsonValue version = o.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != double(version.toInt()))
        damaged(QObject::tr("its version is missing"));
    if (version.toInt() > chartFileVersion)
        throw QvError(badChartFile, source,
                      QObject::tr("The chart file was written by a newer version of Quorvex (chart format %1).")
                          .arg(version.toInt()));

    ChartDefinition chart;
    chart.type = namedField(o, "type", ChartType::Column, &chartTypeFromName);
    chart.dataRange = textField(o, "dataRange");
    if (!chart.dataRange.isEmpty() && !workbook::parseCellRange(chart.dataRange))
        damaged(QObject::tr("its data range \"%1\" is not a cell range").arg(chart.dataRange));
    chart.seriesLayout = namedField(o, "series", SeriesLayout::InRows, &layoutFromName);
    chart.title = textField(o, "title");
    chart.categoryAxisTitle = textField(o, "categoryAxisTitle");
    chart.valueAxisTitle = textField(o, "valueAxisTitle");
    chart.legend = namedField(o, "legend", LegendPosition::Bottom, &legendPositionFromName);
    chart.valueFormat = textField(o, "valueFormat");
    if (o.contains(QLatin1String("gridlines"))) {
        if (!o.value(QLatin1String("gridlines")).isBool())
            damaged(QObject::tr("\"gridlines\" is not true or false"));
        chart.gridlines = o.value(QLatin1String("gridlines")).toBool();
    }
    if (o.contains(QLatin1String("seriesColors"))) {
        const QJsonValue colors = o.value(QLatin1String("seriesColors"));
        if (!colors.isArray() || colors.toArray().size() > mostSeriesColors)
            damaged(QObject::tr("\"seriesColors\" is not a list of colours"));
        for (const QJsonValue &c : colors.toArray()) {
            const QString name = c.toString();
            if (!c.isString() || (!name.isEmpty() && !QColor::isValidColorName(name)) || name.size() > 20)
                damaged(QObject::tr("\"seriesColors\" holds something that is not a colour"));
            chart.seriesColors.push_back(name.isEmpty() ? QColor() : QColor::fromString(name));
        }
    }
    chart.excludedRows = lineList(o, "excludedRows", workbook::maxRows);
    chart.excludedColumns = lineList(o, "excludedColumns", workbook::maxColumns);
    return chart;
}

ChartDefinition readChartFile(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw QvError(chartFileNotFound, source, QObject::tr("Chart file not found: %1").arg(path));
    if (file.size() > largestChartFile)
        damaged(QObject::tr("it is too large"));
    if (!file.open(QIODevice::ReadOnly))
        throw QvError(chartFileUnreadable, source,
                      QObject::tr("The chart file %1 cannot be read: %2").arg(path, file.errorString()));
    return parseChartFile(file.read(largestChartFile + 1));
}

QByteArray chartFileContent(const ChartDefinition &chart)
{
    QJsonObject o;
    o.insert(QStringLiteral("format"), formatName);
    o.insert(QStringLiteral("version"), chartFileVersion);
    o.insert(QStringLiteral("type"), chartTypeName(chart.type));
    o.insert(QStringLiteral("dataRange"), chart.dataRange);
    o.insert(QStringLiteral("series"),
             chart.seriesLayout == SeriesLayout::InRows ? QStringLiteral("rows") : QStringLiteral("columns"));
    o.insert(QStringLiteral("title"), chart.title);
    o.insert(QStringLiteral("categoryAxisTitle"), chart.categoryAxisTitle);
    o.insert(QStringLiteral("valueAxisTitle"), chart.valueAxisTitle);
    o.insert(QStringLiteral("legend"), legendPositionName(chart.legend));
    o.insert(QStringLiteral("valueFormat"), chart.valueFormat);
    o.insert(QStringLiteral("gridlines"), chart.gridlines);
    QJsonArray colors;
    for (const QColor &c : chart.seriesColors)
        colors.append(c.isValid() ? c.name() : QString());
    o.insert(QStringLiteral("seriesColors"), colors);
    for (const auto &[key, lines] : {std::pair{QStringLiteral("excludedRows"), &chart.excludedRows},
                                     std::pair{QStringLiteral("excludedColumns"), &chart.excludedColumns}}) {
        if (lines->empty())
            continue;
        QJsonArray list;
        for (int line : *lines)
            list.append(line);
        o.insert(key, list);
    }
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

void writeChartFile(const QString &path, const ChartDefinition &chart)
{
    const QString failure = platform::writeFileAtomically(path, chartFileContent(chart));
    if (!failure.isEmpty())
        throw QvError(chartFileUnreadable, source,
                      QObject::tr("The chart file %1 cannot be written: %2").arg(path, failure));
}

} // namespace qv::chart
