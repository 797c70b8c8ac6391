#include "create/opening/gui/OpeningStyle.h"

#include <QIcon>
#include <QPainter>
#include <QWidget>

// The pictures live in this static library; make sure they are linked in.
static void initOpeningArt()
{
    Q_INIT_RESOURCE(opening);
}

namespace qv::create::opening
{

void loadArt()
{
    static const bool loaded = [] {
        initOpeningArt();
        return true;
    }();
    Q_UNUSED(loaded);
}

QFont bodyFont(double pointSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void paintNavy(QWidget *widget)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(group, role, kNavy);
    widget->setPalette(palette);
}

QPixmap tilePixmap(const QString &iconPath, int size)
{
    loadArt();
    QPixmap tile(size, size);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kHarbour);
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 5.0, size / 5.0);
    const int margin = 6;
    QIcon(iconPath).paint(&painter, QRect(margin, margin, size - 2 * margin, size - 2 * margin));
    return tile;
}

void paintBackdrop(QPainter &painter, const QRect &area)
{
    QLinearGradient ground(area.topLeft(), area.bottomRight());
    ground.setColorAt(0.0, kHarbour);
    ground.setColorAt(0.55, QColor(0x12, 0x29, 0x4C));
    ground.setColorAt(1.0, QColor(0x0A, 0x1A, 0x33));
    painter.fillRect(area, ground);
}

} // namespace qv::create::opening
