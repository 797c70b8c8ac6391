#pragma once

#include "controls/chart/ChartData.h"
#include "controls/chart/ChartDefinition.h"

#include <QSize>
#include <QString>

namespace qv::chart {

// The size of a graph's picture in a plan document: 6.5 by 4 inches at 96 dpi.
inline constexpr QSize graphPictureSize{624, 384};

// Writes the chart as a picture in the format its extension names: ".wmf"
// (Windows metafile), ".svg", ".png" or ".pdf". The file is replaced
// atomically. Returns an empty text on success, else the reason.
QString writeChartPicture(const QString &path, const ChartDefinition &chart, const ChartData &data,
                          QSize size = graphPictureSize);

// True for the extensions writeChartPicture understands.
bool isChartPictureFormat(const QString &path);

} // namespace qv::chart
