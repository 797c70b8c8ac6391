#pragma once

#include <QString>

namespace qv::shell
{

// A remembered window place, in twips, under the window's own section.
struct WindowPositionRecord {
    long top = 0;
    long left = 0;
    long height = 0;
    long width = 0;
};

// Reads "Top", "Left", "Height", "Width" as integers; a missing key reads 0.
WindowPositionRecord readWindowPosition(const QString &section);

// Writes the four keys as decimal text of single-precision numbers.
void writeWindowPosition(const QString &section, double top, double left, double height, double width);

// The decimal text of a single-precision number ("1440", "-120", "12.5").
QString singlePrecisionText(double value);

// A record without a width or a height (a first run), or one at least as
// large as the screen both ways (what a maximised window leaves), restores
// the window maximised.
bool restoresMaximised(const WindowPositionRecord &record, double screenWidthTwips, double screenHeightTwips);

} // namespace qv::shell
