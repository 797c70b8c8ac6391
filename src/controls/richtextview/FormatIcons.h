#pragma once

#include <QColor>
#include <QIcon>

namespace qv::richtext
{

// The button bar's pictures, drawn rather than loaded so that they need no
// icon theme and stay sharp at any size.
enum class FormatIcon { Bold, Italic, Underline, AlignLeft, AlignCenter, AlignRight, AlignJustify, Bullets, Numbering };

QIcon formatIcon(FormatIcon icon);
// "A" over a bar in the given colour.
QIcon textColorIcon(const QColor &color);

} // namespace qv::richtext
