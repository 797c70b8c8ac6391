#include "resources/art/Artwork.h"

#include "platform/Error.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

static void initArtworkResources()
{
    Q_INIT_RESOURCE(art);
}

namespace qv::resources
{

namespace
{

// Bitmaps are "bitmap-<id>.svg", icons "icon-<id>.svg".
QString sourceFor(int id)
{
    initArtworkResources();
    const QString stem = id < 1000 ? QStringLiteral("icon-") : QStringLiteral("bitmap-");
    return QStringLiteral(":/quorvex/art/") + stem + QString::number(id) + QStringLiteral(".svg");
}

QString requireSource(int id)
{
    const QString source = sourceFor(id);
    if (!QFile::exists(source))
        throw QvError(326, QStringLiteral("Quorvex"),
                      QStringLiteral("Resource with identifier '%1' not found").arg(id));
    return source;
}

QPixmap render(QSvgRenderer &renderer, const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

bool hasResArtwork(int id)
{
    return QFile::exists(sourceFor(id));
}

QPixmap LoadResPicture(int id)
{
    QSvgRenderer renderer(requireSource(id));
    return render(renderer, renderer.defaultSize());
}

QIcon LoadResIcon(int id)
{
    QSvgRenderer renderer(requireSource(id));
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(render(renderer, QSize(side, side)));
    return icon;
}

} // namespace qv::resources
