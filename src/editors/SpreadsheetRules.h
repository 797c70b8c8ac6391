#pragma once

// The spreadsheet window's rules that need no window: what the zoom box
// accepts and the area that Print prints.

#include <QString>

#include <optional>

namespace qv::editors {

// The zoom a typed or chosen zoom-box text asks for: the number it begins
// with, when above 10 and below 400; none otherwise.
std::optional<int> zoomFromText(const QString &text);
// The zoom box's text for an accepted value: "%" added once.
QString zoomBoxText(const QString &text);
inline constexpr char kZoomOutOfRange[] = "View scale must be between 10 and 400";
inline constexpr char kDefaultZoomText[] = "100%";

// "A1:" and the last used cell: "A1:E20", two letters past Z ("A1:AB7").
QString printAreaText(int lastRow, int lastCol);

} // namespace qv::editors
