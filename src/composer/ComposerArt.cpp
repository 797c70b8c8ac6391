#include "composer/ComposerArt.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace qv::composer {

namespace {

// Every picture is drawn on a 16-unit grid and rendered at several sizes.
using Drawing = std::function<void(QPainter &)>;

const QColor kInk(0x33, 0x3d, 0x4a);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kFolder(0xe8, 0xb3, 0x3a);
const QColor kFolderDark(0xb9, 0x83, 0x1a);
const QColor kBlue(0x2f, 0x6f, 0xc4);
const QColor kGreen(0x2e, 0x9a, 0x4b);
const QColor kRed(0xc8, 0x3a, 0x32);

void page(QPainter &p, const QColor &fill = kPaper)
{
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(12.5, 4);
    path.lineTo(12.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawPath(path);
    p.setPen(QPen(QColor(0x9a, 0xa4, 0xb0), 1));
    for (double y = 6.5; y < 13; y += 2)
        p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
}

void badge(QPainter &p, const QColor &color, bool check)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(QPointF(11.5, 11.5), 4, 4);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (check) {
        p.drawPolyline(QPolygonF({QPointF(9.6, 11.6), QPointF(11, 13), QPointF(13.6, 10)}));
    } else {
        p.drawLine(QPointF(10, 10), QPointF(13, 13));
        p.drawLine(QPointF(13, 10), QPointF(10, 13));
    }
}

void folder(QPainter &p, bool open)
{
    p.setPen(QPen(kFolderDark, 1));
    p.setBrush(kFolder.darker(110));
    p.drawRoundedRect(QRectF(1.5, 3.5, 13, 10), 1, 1);
    p.setBrush(kFolder.darker(110));
    p.drawRect(QRectF(1.5, 2.5, 5, 2));
    if (open) {
        QPolygonF front({QPointF(3.5, 6.5), QPointF(15.5, 6.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
        p.setBrush(kFolder);
        p.drawPolygon(front);
    } else {
        p.setBrush(kFolder);
        p.drawRoundedRect(QRectF(1.5, 5.5, 13, 8), 1, 1);
    }
}

void arrow(QPainter &p, bool left, const QColor &color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    QPolygonF shape = left ? QPolygonF({QPointF(2, 8), QPointF(8, 2.5), QPointF(8, 5.5), QPointF(14, 5.5),
                                        QPointF(14, 10.5), QPointF(8, 10.5), QPointF(8, 13.5)})
                           : QPolygonF({QPointF(14, 8), QPointF(8, 2.5), QPointF(8, 5.5), QPointF(2, 5.5),
                                        QPointF(2, 10.5), QPointF(8, 10.5), QPointF(8, 13.5)});
    p.drawPolygon(shape);
}

void grid(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setBrush(QColor(0xd7, 0xe4, 0xf5));
    p.drawRect(QRectF(r.left(), r.top(), r.width(), 3));
    p.setPen(QPen(QColor(0x9a, 0xa4, 0xb0), 1));
    for (double x = r.left() + r.width() / 3; x < r.right() - 0.5; x += r.width() / 3)
        p.drawLine(QPointF(x, r.top() + 3), QPointF(x, r.bottom()));
    for (double y = r.top() + 6; y < r.bottom() - 0.5; y += 3)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
}

void panes(QPainter &p, double treeWidth, double helperWidth)
{
    // A window split into outline, helper and work area, as the layouts show.
    const QRectF frame(1.5, 2.5, 13, 11);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(frame);
    double x = frame.left();
    if (treeWidth > 0) {
        p.fillRect(QRectF(x + 0.5, frame.top() + 0.5, treeWidth, frame.height() - 1), QColor(0xd7, 0xe4, 0xf5));
        x += treeWidth;
        p.drawLine(QPointF(x + 0.5, frame.top()), QPointF(x + 0.5, frame.bottom()));
    }
    if (helperWidth > 0) {
        p.fillRect(QRectF(x + 1, frame.top() + 0.5, helperWidth, frame.height() - 1), QColor(0xfb, 0xee, 0xc8));
        x += helperWidth;
        p.drawLine(QPointF(x + 0.5, frame.top()), QPointF(x + 0.5, frame.bottom()));
    }
    p.setPen(QPen(QColor(0x9a, 0xa4, 0xb0), 1));
    for (double y = 5.5; y < 12; y += 2)
        p.drawLine(QPointF(x + 2, y), QPointF(frame.right() - 1.5, y));
}

const QHash<QString, Drawing> &drawings()
{
    static const QHash<QString, Drawing> all = {
        {QStringLiteral("plan"),
         [](QPainter &p) {
             page(p, QColor(0xee, 0xf3, 0xfb));
             p.setPen(Qt::NoPen);
             p.setBrush(kBlue);
             p.drawRect(QRectF(3.5, 1.5, 2, 13));
         }},
        {QStringLiteral("closed folder"), [](QPainter &p) { folder(p, false); }},
        {QStringLiteral("open folder"), [](QPainter &p) { folder(p, true); }},
        {QStringLiteral("leaf"), [](QPainter &p) { page(p); }},
        {QStringLiteral("leaf check"),
         [](QPainter &p) {
             page(p);
             badge(p, kGreen, true);
         }},
        {QStringLiteral("leaf exclude"),
         [](QPainter &p) {
             page(p, QColor(0xe4, 0xe4, 0xe4));
             badge(p, kRed, false);
         }},
        {QStringLiteral("Tree"), [](QPainter &p) { panes(p, 3.5, 3.5); }},
        {QStringLiteral("Expand"), [](QPainter &p) { panes(p, 0, 4.5); }},
        {QStringLiteral("Helper"), [](QPainter &p) { panes(p, 0, 0); }},
        {QStringLiteral("Zoom"),
         [](QPainter &p) {
             p.setPen(QPen(kInk, 1.5));
             p.setBrush(QColor(0xee, 0xf3, 0xfb));
             p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
             p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(10, 10), QPointF(14, 14));
             p.setPen(QPen(kBlue, 1.5));
             p.drawLine(QPointF(4.5, 6.5), QPointF(8.5, 6.5));
             p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 8.5));
         }},
        {QStringLiteral("PrevSection"), [](QPainter &p) { arrow(p, true, kBlue); }},
        {QStringLiteral("NextSection"), [](QPainter &p) { arrow(p, false, kBlue); }},
        {QStringLiteral("PrevTable"),
         [](QPainter &p) {
             grid(p, QRectF(5.5, 1.5, 9, 9));
             arrow(p, true, kGreen);
         }},
        {QStringLiteral("NextTable"),
         [](QPainter &p) {
             grid(p, QRectF(1.5, 1.5, 9, 9));
             arrow(p, false, kGreen);
         }},
        {QStringLiteral("Online"),
         [](QPainter &p) {
             p.setPen(QPen(kBlue, 1.2));
             p.setBrush(QColor(0xd7, 0xe4, 0xf5));
             p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(8, 8), 3, 6.5);
             p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
             p.drawLine(QPointF(2.8, 4.8), QPointF(13.2, 4.8));
             p.drawLine(QPointF(2.8, 11.2), QPointF(13.2, 11.2));
         }},
        {QStringLiteral("Compile"),
         [](QPainter &p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(0xee, 0xf3, 0xfb));
             p.drawRect(QRectF(4.5, 1.5, 9, 11));
             p.setBrush(kPaper);
             p.drawRect(QRectF(2.5, 3.5, 9, 11));
             p.setPen(QPen(kBlue, 1));
             for (double y = 6.5; y < 13; y += 2)
                 p.drawLine(QPointF(4.5, y), QPointF(9.5, y));
         }},
        {QStringLiteral("Text"),
         [](QPainter &p) {
             page(p);
             p.setPen(QPen(kBlue, 1.6, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(8, 13.5), QPointF(14, 7.5));
         }},
        {QStringLiteral("Spell"),
         [](QPainter &p) {
             QFont font(QStringLiteral("Sans"));
             font.setPixelSize(7);
             font.setBold(true);
             p.setFont(font);
             p.setPen(kInk);
             p.drawText(QRectF(0, 0, 16, 8), Qt::AlignCenter, QStringLiteral("ABC"));
             p.setPen(QPen(kGreen, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawPolyline(QPolygonF({QPointF(4, 11), QPointF(7, 14), QPointF(13, 8.5)}));
         }},
        {QStringLiteral("Table"), [](QPainter &p) { grid(p, QRectF(1.5, 2.5, 13, 11)); }},
        {QStringLiteral("Graph"),
         [](QPainter &p) {
             p.setPen(QPen(kInk, 1));
             p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
             p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
             p.setPen(Qt::NoPen);
             p.setBrush(kBlue);
             p.drawRect(QRectF(3.5, 8, 2.5, 6));
             p.setBrush(kGreen);
             p.drawRect(QRectF(7, 4, 2.5, 10));
             p.setBrush(kFolder);
             p.drawRect(QRectF(10.5, 6, 2.5, 8));
         }},
    };
    return all;
}

QPixmap render(const Drawing &drawing, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    drawing(painter);
    return pixmap;
}

} // namespace

QIcon composerImage(const QString &key)
{
    const auto found = drawings().constFind(key);
    if (found == drawings().constEnd())
        return QIcon();
    QIcon icon;
    for (int size : {16, 20, 24, 32, 48})
        icon.addPixmap(render(*found, size));
    return icon;
}

} // namespace qv::composer
