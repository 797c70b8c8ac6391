#include "platform/Application.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace qv::platform {

namespace {
QString g_title = QStringLiteral("Quorvex 8.0");
QString g_helpFile;

double logicalDpi(bool horizontal)
{
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (QScreen *screen = app->primaryScreen()) {
            const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
            if (dpi > 0)
                return dpi;
        }
    }
    return 96.0;
}
} // namespace

QString applicationTitle()
{
    return g_title;
}

void setApplicationTitle(const QString &title)
{
    g_title = title;
}

QString applicationHelpFile()
{
    return g_helpFile;
}

void setApplicationHelpFile(const QString &path)
{
    g_helpFile = path;
}

double twipsPerPixelX()
{
    return 1440.0 / logicalDpi(true);
}

double twipsPerPixelY()
{
    return 1440.0 / logicalDpi(false);
}

int twipsToPixelsX(double twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixelX()));
}

int twipsToPixelsY(double twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixelY()));
}

double pixelsToTwipsX(int pixels)
{
    return pixels * twipsPerPixelX();
}

double pixelsToTwipsY(int pixels)
{
    return pixels * twipsPerPixelY();
}

} // namespace qv::platform
