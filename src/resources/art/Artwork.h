#pragma once

#include <QIcon>
#include <QPixmap>

namespace qv::resources
{

// The program's bitmaps (5000 upwards) and icons (101 upwards), rendered from
// the SVG sources in this folder. A picture comes at its drawn size; an icon
// carries renderings from 16 to 256 pixels. An id without artwork raises
// QvError 326, the resource loader's failure, as a missing string does.
QPixmap LoadResPicture(int id);
QIcon LoadResIcon(int id);

// True when there is artwork for the id (pictures and icons share the ids).
bool hasResArtwork(int id);

} // namespace qv::resources
