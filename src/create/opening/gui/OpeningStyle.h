#pragma once

// The look the opening windows share with the splash and the frame: the
// house palette, navy option and kind labels, the backdrop gradient.

#include <QColor>
#include <QFont>
#include <QPixmap>

class QPainter;
class QRect;
class QWidget;

namespace qv::create::opening
{

inline const QColor kMidnight(0x0E, 0x22, 0x40);
inline const QColor kHarbour(0x1B, 0x3A, 0x66);
inline const QColor kSteel(0x3D, 0x5A, 0x80);
inline const QColor kTeal(0x22, 0xA3, 0x9F);
inline const QColor kAmber(0xF4, 0xA9, 0x3B);
inline const QColor kPaper(0xF6, 0xF7, 0xF9);
inline const QColor kMist(0xDC, 0xE3, 0xEC);
inline const QColor kBodyText(0x4A, 0x5B, 0x73);
// The navy of the sample chooser's kind labels and options (RGB 0, 0, 128).
inline const QColor kNavy(0, 0, 128);

// Makes the opening windows' pictures (":/opening/...") available.
void loadArt();

QFont bodyFont(double pointSize, bool bold = false);
// Draws text and option captions in navy.
void paintNavy(QWidget *widget);
// A picture on the house's rounded Harbour tile, as the picture buttons show it.
QPixmap tilePixmap(const QString &iconPath, int size);
// The frame's backdrop: the diagonal Harbour-to-Midnight gradient.
void paintBackdrop(QPainter &painter, const QRect &area);

} // namespace qv::create::opening
