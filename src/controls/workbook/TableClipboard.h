#pragma once

#include "controls/workbook/CellAddress.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace qv::workbook {

class Workbook;

// A rectangle of cells as text, the way spreadsheets exchange them on the
// clipboard: tab-separated lines and an HTML table.
using TextGrid = std::vector<QStringList>;

QString rangeAsTabText(const Workbook &book, const CellRange &range); // displayed values
QString rangeAsHtml(const Workbook &book, const CellRange &range);    // displayed values with basic styling
TextGrid parseTabText(const QString &text);
TextGrid parseHtmlTable(const QString &html); // the first table of the document; empty when none

QStringList commonNumberFormats();

} // namespace qv::workbook
