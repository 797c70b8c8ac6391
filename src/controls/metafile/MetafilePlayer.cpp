#include "controls/metafile/MetafilePlayer.h"

#include "controls/metafile/AnsiText.h"
#include "controls/metafile/WmfFormat.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace qv::metafile {

namespace {
constexpr std::size_t maxObjects = 65535;
constexpr std::size_t maxSavedStates = 1000;
constexpr std::int64_t maxBitmapPixels = 4096LL * 4096;

QColor fromColorRef(std::uint32_t ref)
{
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

Qt::BrushStyle hatchStyle(int hatch)
{
    switch (hatch) {
    case wmf::HatchHorizontal: return Qt::HorPattern;
    case wmf::HatchVertical: return Qt::VerPattern;
    case wmf::HatchForwardDiagonal: return Qt::BDiagPattern; // "\\\\" in Windows, "////" in Qt terms
    case wmf::HatchBackwardDiagonal: return Qt::FDiagPattern;
    case wmf::HatchCross: return Qt::CrossPattern;
    default: return Qt::DiagCrossPattern;
    }
}
} // namespace

// Reads a record's parameters: 16-bit words by index, bounds-checked, so a
// short record reads zeros instead of past its end.
class MetafilePlayer::Params
{
public:
    Params(const QByteArray &data, const MetafileRecord &r) : m_data(data), m_offset(r.offset), m_size(r.size) {}
    int words() const { return m_size / 2; }
    bool has(int count) const { return count >= 0 && count <= words(); }
    int s(int i) const { return has(i + 1) ? std::int16_t(u(i)) : 0; }
    std::uint16_t u(int i) const
    {
        return has(i + 1) ? qFromLittleEndian<std::uint16_t>(m_data.constData() + m_offset + 2 * i) : 0;
    }
    std::uint32_t u32(int i) const { return std::uint32_t(u(i)) | (std::uint32_t(u(i + 1)) << 16); }
    QPointF point(int i) const { return QPointF(s(i), s(i + 1)); }
    QByteArray bytes(int firstWord, int count) const
    {
        const int start = 2 * firstWord;
        if (start < 0 || count < 0 || start > m_size)
            return {};
        return m_data.mid(m_offset + start, std::min(count, m_size - start));
    }
    // Windows rectangles list bottom, right, top, left from word i on.
    QRectF rect(int i) const { return QRectF(QPointF(s(i + 3), s(i + 2)), QPointF(s(i + 1), s(i))).normalized(); }

private:
    const QByteArray &m_data;
    int m_offset;
    int m_size;
};

MetafilePlayer::MetafilePlayer(const MetafilePicture &picture, QPainter &painter, const QRectF &target)
    : m_picture(picture), m_painter(painter), m_target(target), m_base(painter.worldTransform())
{
    m_dc.windowOrigin = picture.frame().topLeft();
    m_dc.windowExtent = picture.frame().size();
    if (painter.hasClipping())
        m_callerClip = painter.clipRegion();
    m_objects.resize(std::min<std::size_t>(std::size_t(picture.objectCount()), maxObjects));
}

void MetafilePlayer::play()
{
    if (m_target.isEmpty())
        return;
    m_painter.save();
    applyClip();
    for (const MetafileRecord &record : m_picture.records())
        playRecord(record);
    m_painter.restore();
}

QTransform MetafilePlayer::logicalToTarget() const
{
    const double ex = std::abs(m_dc.windowExtent.width()) < 1e-9 ? 1 : m_dc.windowExtent.width();
    const double ey = std::abs(m_dc.windowExtent.height()) < 1e-9 ? 1 : m_dc.windowExtent.height();
    const double sx = m_target.width() / ex, sy = m_target.height() / ey;
    return QTransform(sx, 0, 0, sy, m_target.left() - m_dc.windowOrigin.x() * sx,
                      m_target.top() - m_dc.windowOrigin.y() * sy);
}

void MetafilePlayer::applyClip()
{
    m_painter.setWorldTransform(m_base);
    QRegion region(m_target.toAlignedRect());
    if (m_dc.clipped)
        region &= m_dc.clip;
    // A caller drawing part of the picture (a page's share of a tall table) keeps its clip.
    if (m_callerClip)
        region &= *m_callerClip;
    m_painter.setClipRegion(region);
}

void MetafilePlayer::playRecord(const MetafileRecord &record)
{
    Params p(m_picture.bytes(), record);
    const std::uint16_t f = record.function;
    if (playStateRecord(f, p) || playObjectRecord(f, p) || playShapeRecord(f, p))
        return;
    playBitmapRecord(f, p, 3 + record.size / 2);
}

bool MetafilePlayer::playStateRecord(std::uint16_t f, Params &p)
{
    switch (f) {
    case wmf::SetWindowOrg: m_dc.windowOrigin = QPointF(p.s(1), p.s(0)); return true;
    case wmf::SetWindowExt: m_dc.windowExtent = QSizeF(p.s(1), p.s(0)); return true;
    case wmf::OffsetWindowOrg: m_dc.windowOrigin += QPointF(p.s(1), p.s(0)); return true;
    case wmf::SetTextColor: m_dc.textColor = fromColorRef(p.u32(0)); return true;
    case wmf::SetBkColor: m_dc.backgroundColor = fromColorRef(p.u32(0)); return true;
    case wmf::SetBkMode: m_dc.opaqueBackground = p.u(0) == wmf::Opaque; return true;
    case wmf::SetTextAlign: m_dc.textAlign = p.u(0); return true;
    case wmf::SetPolyFillMode: m_dc.fillRule = p.u(0) == wmf::Winding ? Qt::WindingFill : Qt::OddEvenFill; return true;
    case wmf::MoveTo: m_dc.position = QPointF(p.s(1), p.s(0)); return true;
    case wmf::SaveDC:
        if (m_saved.size() < maxSavedStates)
            m_saved.push_back(m_dc);
        return true;
    case wmf::RestoreDC: restore(p.s(0)); return true;
    case wmf::IntersectClipRect:
    case wmf::ExcludeClipRect: {
        const QRegion area(logicalToTarget().mapRect(p.rect(0)).toAlignedRect());
        const QRegion current = m_dc.clipped ? m_dc.clip : QRegion(m_target.toAlignedRect());
        m_dc.clip = f == wmf::IntersectClipRect ? current & area : current - area;
        m_dc.clipped = true;
        applyClip();
        return true;
    }
    case wmf::SelectClipRegion:
        m_dc.clipped = false;
        applyClip();
        return true;
    case wmf::SetMapMode: case wmf::SetViewportOrg: case wmf::SetViewportExt: case wmf::OffsetViewportOrg:
    case wmf::SetRop2: case wmf::SetStretchBltMode: case wmf::Escape: case wmf::RealizePalette:
    case wmf::SelectPalette:
        return true; // the picture is fitted to the target; the rest does not change what is drawn
    default: return false;
    }
}

void MetafilePlayer::restore(int which)
{
    if (m_saved.empty())
        return;
    // Negative: that many states back; positive: that state counted from the first.
    std::size_t keep = 0;
    if (which < 0 && std::size_t(-std::int64_t(which)) <= m_saved.size())
        keep = m_saved.size() - std::size_t(-std::int64_t(which));
    else if (which > 0 && std::size_t(which) <= m_saved.size())
        keep = std::size_t(which) - 1;
    else
        return;
    m_dc = m_saved[keep];
    m_saved.resize(keep);
    applyClip();
}

void MetafilePlayer::addObject(Object object)
{
    for (Object &slot : m_objects)
        if (std::holds_alternative<std::monostate>(slot)) {
            slot = std::move(object);
            return;
        }
    if (m_objects.size() < maxObjects)
        m_objects.push_back(std::move(object));
}

void MetafilePlayer::selectObject(int index)
{
    if (index < 0 || std::size_t(index) >= m_objects.size())
        return;
    const Object &o = m_objects[std::size_t(index)];
    if (auto pen = std::get_if<PenObject>(&o))
        m_dc.pen = *pen;
    else if (auto brush = std::get_if<BrushObject>(&o))
        m_dc.brush = brush->brush;
    else if (auto font = std::get_if<FontObject>(&o))
        m_dc.font = *font;
}

void MetafilePlayer::deleteObject(int index)
{
    if (index >= 0 && std::size_t(index) < m_objects.size())
        m_objects[std::size_t(index)] = std::monostate();
}

bool MetafilePlayer::playObjectRecord(std::uint16_t f, Params &p)
{
    switch (f) {
    case wmf::CreatePenIndirect:
        addObject(PenObject{fromColorRef(p.u32(3)), std::abs(p.s(1)), p.u(0)});
        return true;
    case wmf::CreateBrushIndirect: {
        const std::uint16_t style = p.u(0);
        const QColor color = fromColorRef(p.u32(1));
        QBrush brush = style == wmf::BrushNull ? QBrush(Qt::NoBrush)
                       : style == wmf::BrushHatched ? QBrush(color, hatchStyle(p.u(3)))
                       : style == wmf::BrushSolid ? QBrush(color)
                                                  : QBrush(Qt::gray);
        addObject(BrushObject{brush});
        return true;
    }
    case wmf::CreateFontIndirect: {
        FontObject font;
        font.height = p.s(0);
        font.escapement = p.s(2);
        font.weight = p.s(4);
        const QByteArray flags = p.bytes(5, 8);
        font.italic = flags.size() > 0 && flags[0];
        font.underline = flags.size() > 1 && flags[1];
        font.strikeOut = flags.size() > 2 && flags[2];
        QByteArray face = p.bytes(9, wmf::faceNameBytes);
        face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
        font.family = fromWindows1252(face);
        addObject(font);
        return true;
    }
    case wmf::CreatePalette: case wmf::CreatePatternBrush: case wmf::CreateRegion:
        addObject(f == wmf::CreatePatternBrush ? Object(BrushObject{QBrush(Qt::gray)}) : Object(OtherObject{}));
        return true;
    case wmf::DibCreatePatternBrush:
        addObject(BrushObject{QBrush(Qt::gray)});
        return true;
    case wmf::SelectObject: selectObject(p.u(0)); return true;
    case wmf::DeleteObject: deleteObject(p.u(0)); return true;
    default: return false;
    }
}

void MetafilePlayer::prepareShape(bool fill)
{
    m_painter.setWorldTransform(logicalToTarget() * m_base);
    const PenObject &po = m_dc.pen;
    const std::uint16_t style = po.style & 0x0F;
    if (style == wmf::PenNull) {
        m_painter.setPen(Qt::NoPen);
    } else {
        QPen pen(po.color);
        // Wider than the picture itself is never meant; it only costs time.
        pen.setWidthF(std::min<double>(po.width, 4.0 * std::max(std::abs(m_dc.windowExtent.width()),
                                                                std::abs(m_dc.windowExtent.height()))));
        if (po.width == 0)
            pen.setCosmetic(true);
        const Qt::PenStyle dashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
        pen.setStyle(style < 5 ? dashes[style] : Qt::SolidLine);
        const int cap = po.style & 0x0F00, join = po.style & 0xF000;
        pen.setCapStyle(cap == 0x0100 ? Qt::SquareCap : cap == 0x0200 ? Qt::FlatCap : Qt::RoundCap);
        pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
        m_painter.setPen(pen);
    }
    m_painter.setBrush(fill ? m_dc.brush : QBrush(Qt::NoBrush));
}

bool MetafilePlayer::playShapeRecord(std::uint16_t f, Params &p)
{
    switch (f) {
    case wmf::LineTo: {
        const QPointF to(p.s(1), p.s(0));
        prepareShape(false);
        m_painter.drawLine(m_dc.position, to);
        m_dc.position = to;
        return true;
    }
    case wmf::Polyline:
    case wmf::Polygon: {
        const int count = std::clamp(p.s(0), 0, (p.words() - 1) / 2);
        QPolygonF polygon;
        polygon.reserve(count);
        for (int i = 0; i < count; ++i)
            polygon.append(p.point(1 + 2 * i));
        prepareShape(f == wmf::Polygon);
        if (f == wmf::Polygon)
            m_painter.drawPolygon(polygon, m_dc.fillRule);
        else
            m_painter.drawPolyline(polygon);
        return true;
    }
    case wmf::PolyPolygon: {
        const int polygons = std::clamp(p.s(0), 0, p.words() - 1);
        QPainterPath path;
        path.setFillRule(m_dc.fillRule);
        int at = 1 + polygons;
        for (int i = 0; i < polygons; ++i) {
            const int count = std::clamp(p.s(1 + i), 0, std::max(0, (p.words() - at) / 2));
            QPolygonF polygon;
            for (int k = 0; k < count; ++k)
                polygon.append(p.point(at + 2 * k));
            at += 2 * count;
            if (!polygon.isEmpty())
                path.addPolygon(polygon), path.closeSubpath();
        }
        prepareShape(true);
        m_painter.drawPath(path);
        return true;
    }
    case wmf::Rectangle: prepareShape(true); m_painter.drawRect(p.rect(0)); return true;
    case wmf::Ellipse: prepareShape(true); m_painter.drawEllipse(p.rect(0)); return true;
    case wmf::RoundRect:
        prepareShape(true);
        m_painter.drawRoundedRect(p.rect(2), p.s(1) / 2.0, p.s(0) / 2.0);
        return true;
    case wmf::Arc: case wmf::Pie: case wmf::Chord: arcShape(f, p); return true;
    case wmf::SetPixel: {
        m_painter.setWorldTransform(logicalToTarget() * m_base);
        m_painter.fillRect(QRectF(p.s(2), p.s(1), 1, 1), fromColorRef(p.u32(0)));
        return true;
    }
    case wmf::TextOut: {
        const int count = std::max(0, p.s(0));
        const int after = 1 + (count + 1) / 2;
        drawText(QPointF(p.s(after + 1), p.s(after)), p.bytes(1, count), {}, std::nullopt, std::nullopt);
        return true;
    }
    case wmf::ExtTextOut: {
        const QPointF at(p.s(1), p.s(0));
        const int count = std::max(0, p.s(2));
        const std::uint16_t options = p.u(3);
        int next = 4;
        std::optional<QRectF> box;
        if (options & (wmf::textOpaque | wmf::textClipped)) {
            box = QRectF(QPointF(p.s(4), p.s(5)), QPointF(p.s(6), p.s(7))).normalized();
            next = 8;
        }
        const QByteArray text = p.bytes(next, count);
        std::vector<int> advances;
        const int dxAt = next + (count + 1) / 2;
        if (p.has(dxAt + count))
            for (int i = 0; i < count; ++i)
                advances.push_back(p.s(dxAt + i));
        drawText(at, text, advances, options & wmf::textClipped ? box : std::nullopt,
                 options & wmf::textOpaque ? box : std::nullopt);
        return true;
    }
    default: return false;
    }
}

void MetafilePlayer::arcShape(std::uint16_t f, Params &p)
{
    const QRectF box = p.rect(4);
    if (box.width() < 1e-9 || box.height() < 1e-9)
        return;
    const QPointF end(p.s(1), p.s(0)), start(p.s(3), p.s(2)), c = box.center();
    // Angles of the radials as Qt measures them on the ellipse, counter-clockwise.
    auto angle = [&](QPointF q) {
        return std::atan2(-(q.y() - c.y()) / box.height(), (q.x() - c.x()) / box.width()) * 180 / M_PI;
    };
    const double a0 = angle(start);
    double span = angle(end) - a0;
    while (span <= 0)
        span += 360;
    prepareShape(f != wmf::Arc);
    const int qa = int(std::lround(a0 * 16)), qs = int(std::lround(span * 16));
    if (f == wmf::Arc)
        m_painter.drawArc(box, qa, qs);
    else if (f == wmf::Pie)
        m_painter.drawPie(box, qa, qs);
    else
        m_painter.drawChord(box, qa, qs);
}

QFont MetafilePlayer::textFont(double &pixelSize) const
{
    const FontObject &fo = m_dc.font;
    const QTransform t = logicalToTarget();
    const double scaleY = std::abs(t.m22());
    // Positive heights include the line's leading, negative ones are the em.
    const double logical = fo.height == 0 ? 12.0 / std::max(scaleY, 1e-9) : fo.height < 0 ? -fo.height : fo.height * 0.85;
    pixelSize = std::clamp(logical * scaleY, 0.5, 4.0 * std::max(m_target.width(), m_target.height()) + 1);
    QFont font(fo.family.isEmpty() ? QStringLiteral("Arial") : fo.family);
    font.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    font.setWeight(fo.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(fo.italic);
    font.setUnderline(fo.underline);
    font.setStrikeOut(fo.strikeOut);
    return font;
}

void MetafilePlayer::drawText(QPointF at, const QByteArray &bytes, const std::vector<int> &advances,
                              std::optional<QRectF> clipRect, std::optional<QRectF> opaqueRect)
{
    const QTransform t = logicalToTarget();
    m_painter.setWorldTransform(m_base);
    if (opaqueRect)
        m_painter.fillRect(t.mapRect(*opaqueRect), m_dc.backgroundColor);
    const QString text = fromWindows1252(bytes);
    if (text.isEmpty())
        return;
    double pixelSize = 0;
    const QFont font = textFont(pixelSize);
    const QFontMetricsF metrics(font);
    const bool updatesPosition = m_dc.textAlign & wmf::alignUpdateCurrentPosition;
    const QPointF reference = t.map(updatesPosition ? m_dc.position : at);

    std::vector<double> steps; // device pixels along the baseline
    double width = 0;
    for (int i = 0; i < text.size(); ++i) {
        const double step = i < int(advances.size()) ? advances[std::size_t(i)] * std::abs(t.m11())
                                                     : metrics.horizontalAdvance(text.at(i));
        steps.push_back(step);
        width += step;
    }
    double dx = 0, dy = 0;
    switch (m_dc.textAlign & wmf::alignHorizontalMask) {
    case wmf::alignCenter: dx = -width / 2; break;
    case wmf::alignRight: dx = -width; break;
    default: break;
    }
    switch (m_dc.textAlign & wmf::alignVerticalMask) {
    case wmf::alignBaseline: break;
    case wmf::alignBottom: dy = -metrics.descent(); break;
    default: dy = metrics.ascent(); break;
    }
    if (updatesPosition)
        m_dc.position = t.inverted().map(reference + QPointF(width, 0));

    m_painter.save();
    if (clipRect)
        m_painter.setClipRect(t.mapRect(*clipRect), Qt::IntersectClip);
    m_painter.translate(reference);
    m_painter.rotate(-m_dc.font.escapement / 10.0);
    m_painter.setFont(font);
    m_painter.setPen(m_dc.textColor);
    if (m_dc.opaqueBackground && !opaqueRect)
        m_painter.fillRect(QRectF(dx, dy - metrics.ascent(), width, metrics.height()), m_dc.backgroundColor);
    double x = dx;
    for (int i = 0; i < text.size(); ++i) {
        m_painter.drawText(QPointF(x, dy), QString(text.at(i)));
        x += steps[std::size_t(i)];
    }
    m_painter.restore();
}

bool MetafilePlayer::playBitmapRecord(std::uint16_t f, Params &p, int recordWords)
{
    const bool withoutBitmap = recordWords == (f >> 8) + 3;
    switch (f) {
    case wmf::PatBlt: {
        fillDest(p.u32(0), QRectF(p.s(5), p.s(4), p.s(3), p.s(2)));
        return true;
    }
    case wmf::DibBitBlt:
        if (withoutBitmap)
            fillDest(p.u32(0), QRectF(p.s(6), p.s(5), p.s(4), p.s(3)));
        else
            drawDib(p.bytes(8, p.words() * 2), QRectF(p.s(3), p.s(2), p.s(5), p.s(4)),
                    QRectF(p.s(7), p.s(6), p.s(5), p.s(4)));
        return true;
    case wmf::DibStretchBlt:
        if (withoutBitmap)
            fillDest(p.u32(0), QRectF(p.s(8), p.s(7), p.s(6), p.s(5)));
        else
            drawDib(p.bytes(10, p.words() * 2), QRectF(p.s(5), p.s(4), p.s(3), p.s(2)),
                    QRectF(p.s(9), p.s(8), p.s(7), p.s(6)));
        return true;
    case wmf::StretchDib:
        drawDib(p.bytes(11, p.words() * 2), QRectF(p.s(6), p.s(5), p.s(4), p.s(3)),
                QRectF(p.s(10), p.s(9), p.s(8), p.s(7)));
        return true;
    default: return false; // unknown records are passed over, as Windows does
    }
}

void MetafilePlayer::fillDest(std::uint32_t rop, const QRectF &dest)
{
    m_painter.setWorldTransform(logicalToTarget() * m_base);
    constexpr std::uint32_t blackness = 0x00000042, whiteness = 0x00FF0062;
    const QBrush brush = rop == blackness ? QBrush(Qt::black) : rop == whiteness ? QBrush(Qt::white) : m_dc.brush;
    m_painter.fillRect(dest.normalized(), brush);
}

void MetafilePlayer::drawDib(const QByteArray &dib, QRectF source, QRectF dest)
{
    if (dib.size() < 16)
        return;
    const std::uint32_t headerSize = qFromLittleEndian<std::uint32_t>(dib.constData());
    std::int64_t width = 0, height = 0;
    int bitCount = 0;
    std::uint32_t compression = 0, colorsUsed = 0;
    if (headerSize == 12) {
        width = qFromLittleEndian<std::uint16_t>(dib.constData() + 4);
        height = qFromLittleEndian<std::uint16_t>(dib.constData() + 6);
        bitCount = qFromLittleEndian<std::uint16_t>(dib.constData() + 10);
    } else if (headerSize >= 40 && dib.size() >= 40) {
        width = qFromLittleEndian<std::int32_t>(dib.constData() + 4);
        height = std::abs(std::int64_t(qFromLittleEndian<std::int32_t>(dib.constData() + 8)));
        bitCount = qFromLittleEndian<std::uint16_t>(dib.constData() + 14);
        compression = qFromLittleEndian<std::uint32_t>(dib.constData() + 16);
        colorsUsed = qFromLittleEndian<std::uint32_t>(dib.constData() + 32);
    } else {
        return;
    }
    if (width <= 0 || height <= 0 || width * height > maxBitmapPixels || colorsUsed > 256)
        return;
    const std::uint32_t entries = colorsUsed ? colorsUsed : bitCount <= 8 ? (1u << bitCount) : 0;
    const std::uint32_t masks = headerSize == 40 && compression == 3 ? 12 : 0;
    const std::uint32_t bitsAt = 14 + headerSize + masks + entries * (headerSize == 12 ? 3 : 4);
    QByteArray file("BM");
    char word32[4];
    qToLittleEndian<std::uint32_t>(std::uint32_t(14 + dib.size()), word32);
    file.append(word32, 4);
    file.append(4, '\0');
    qToLittleEndian<std::uint32_t>(bitsAt, word32);
    file.append(word32, 4);
    file.append(dib);
    QImage image;
    if (!image.loadFromData(file, "BMP"))
        return;
    if (source.isEmpty())
        source = image.rect();
    m_painter.setWorldTransform(logicalToTarget() * m_base);
    m_painter.drawImage(dest.normalized(), image, source.normalized());
}

} // namespace qv::metafile
