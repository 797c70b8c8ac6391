#pragma once

#include <QString>

namespace qv::platform {

// The application title (set at start-up from the string table) that forms
// the settings application name and the default message-box title.
QString applicationTitle();
void setApplicationTitle(const QString &title);

// The application's help file path, set at start-up.
QString applicationHelpFile();
void setApplicationHelpFile(const QString &path);

// Twips are 1440 per inch, converted with the screen's logical resolution.
double twipsPerPixelX();
double twipsPerPixelY();
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
double pixelsToTwipsX(int pixels);
double pixelsToTwipsY(int pixels);

} // namespace qv::platform
