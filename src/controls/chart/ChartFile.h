#pragma once

#include "controls/chart/ChartDefinition.h"

#include <QByteArray>
#include <QString>

namespace qv::chart {

// Error numbers of chart files, as the workbook files use them.
constexpr long chartFileNotFound = 53;
constexpr long chartFileUnreadable = 75;
constexpr long badChartFile = 31037;

constexpr int chartFileVersion = 1;

// The chart file (".vtc"): a small JSON document, described in the file
// format notes. Reading throws qv::QvError with a message a user can act on;
// a failed read gives nothing, so the caller's chart stays as it was.
ChartDefinition parseChartFile(const QByteArray &bytes);
ChartDefinition readChartFile(const QString &path);
QByteArray chartFileContent(const ChartDefinition &chart);
// Replaces the file atomically; throws qv::QvError when it cannot.
void writeChartFile(const QString &path, const ChartDefinition &chart);

} // namespace qv::chart
