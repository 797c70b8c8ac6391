#include "controls/richtextview/FormatIcons.h"

#include <QPainter>
#include <QPixmap>

namespace qv::richtext
{

namespace
{
constexpr int kSize = 32; // drawn large, shown at the toolbar's size

QPixmap canvas()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon letter(const QString &text, bool bold, bool italic, bool underline)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(26);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.drawText(QRect(0, -1, kSize, kSize), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

// Five text lines of the given widths (in eighths of the line), placed as
// the alignment places them.
QIcon lines(Qt::Alignment alignment)
{
    static const int widths[] = {8, 5, 7, 4, 8};
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    const int left = 4, full = kSize - 8;
    for (int i = 0; i < 5; ++i) {
        const int w = alignment == Qt::AlignJustify ? (i == 4 ? 5 * full / 8 : full) : widths[i] * full / 8;
        int x = left;
        if (alignment == Qt::AlignHCenter)
            x = left + (full - w) / 2;
        else if (alignment == Qt::AlignRight)
            x = left + full - w;
        p.fillRect(x, 4 + i * 5, w, 3, QColor(0x20, 0x20, 0x20));
    }
    return QIcon(pixmap);
}

QIcon bullets()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor(0x20, 0x20, 0x20));
        p.drawEllipse(QPointF(7, 7 + i * 9), 2.8, 2.8);
        p.fillRect(13, 6 + i * 9, 16, 3, QColor(0x20, 0x20, 0x20));
    }
    return QIcon(pixmap);
}

QIcon numbering()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QColor(0x20, 0x20, 0x20));
        p.drawText(QRect(1, 2 + i * 9, 11, 10), Qt::AlignCenter, QString::number(i + 1));
        p.fillRect(13, 6 + i * 9, 16, 3, QColor(0x20, 0x20, 0x20));
    }
    return QIcon(pixmap);
}
} // namespace

QIcon formatIcon(FormatIcon icon)
{
    switch (icon) {
    case FormatIcon::Bold: return letter(QStringLiteral("B"), true, false, false);
    case FormatIcon::Italic: return letter(QStringLiteral("I"), false, true, false);
    case FormatIcon::Underline: return letter(QStringLiteral("U"), false, false, true);
    case FormatIcon::AlignLeft: return lines(Qt::AlignLeft);
    case FormatIcon::AlignCenter: return lines(Qt::AlignHCenter);
    case FormatIcon::AlignRight: return lines(Qt::AlignRight);
    case FormatIcon::AlignJustify: return lines(Qt::AlignJustify);
    case FormatIcon::Bullets: return bullets();
    case FormatIcon::Numbering: return numbering();
    }
    return QIcon();
}

QIcon textColorIcon(const QColor &color)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.drawText(QRect(0, -2, kSize, kSize - 6), Qt::AlignCenter, QStringLiteral("A"));
    p.fillRect(4, kSize - 8, kSize - 8, 6, color);
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawRect(4, kSize - 8, kSize - 9, 5);
    return QIcon(pixmap);
}

} // namespace qv::richtext
