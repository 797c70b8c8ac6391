#include "controls/metafile/MetafileRecorder.h"

#include "controls/metafile/AnsiText.h"
#include "controls/metafile/WmfFormat.h"

#include <QBuffer>
#include <QtEndian>

#include <algorithm>

namespace qv::metafile {

namespace {

std::int16_t clamp16(int v)
{
    return std::int16_t(std::clamp(v, -32768, 32767));
}

void append16(QByteArray &out, std::uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void append32(QByteArray &out, std::uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

std::uint32_t colorRef(QRgb c)
{
    return std::uint32_t(qRed(c)) | (std::uint32_t(qGreen(c)) << 8) | (std::uint32_t(qBlue(c)) << 16);
}

} // namespace

class MetafileRecorder::Record
{
public:
    explicit Record(std::uint16_t function) : m_function(function) {}
    Record &word(int v)
    {
        append16(m_params, std::uint16_t(clamp16(v)));
        return *this;
    }
    Record &uword(std::uint16_t v)
    {
        append16(m_params, v);
        return *this;
    }
    Record &dword(std::uint32_t v)
    {
        append32(m_params, v);
        return *this;
    }
    Record &bytes(const QByteArray &b)
    {
        m_params.append(b);
        if (m_params.size() % 2)
            m_params.append('\0');
        return *this;
    }
    QByteArray encoded() const
    {
        QByteArray out;
        append32(out, std::uint32_t(3 + m_params.size() / 2));
        append16(out, m_function);
        out.append(m_params);
        return out;
    }

private:
    std::uint16_t m_function;
    QByteArray m_params;
};

MetafileRecorder::MetafileRecorder(const QRect &bounds, int unitsPerInch)
    : m_bounds(bounds), m_unitsPerInch(unitsPerInch)
{
}

void MetafileRecorder::add(const Record &record)
{
    const QByteArray bytes = record.encoded();
    m_largestRecord = std::max(m_largestRecord, std::uint32_t(bytes.size() / 2));
    m_records.append(bytes);
}

void MetafileRecorder::rectParams(Record &r, const QRect &rect)
{
    // Windows rectangles exclude their right and bottom edges.
    r.word(rect.bottom() + 1).word(rect.right() + 1).word(rect.top()).word(rect.left());
}

namespace {
int takeSlot(std::vector<bool> &table)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (!table[i]) {
            table[i] = true;
            return int(i);
        }
    table.push_back(true);
    return int(table.size() - 1);
}
} // namespace

int MetafileRecorder::createPen(std::uint16_t style, int width, QRgb color)
{
    Record r(wmf::CreatePenIndirect);
    r.uword(style).word(std::max(width, 0)).word(0).dword(colorRef(color));
    add(r);
    return takeSlot(m_slots);
}

int MetafileRecorder::createBrush(std::uint16_t style, QRgb color, std::uint16_t hatch)
{
    Record r(wmf::CreateBrushIndirect);
    r.uword(style).dword(colorRef(color)).uword(hatch);
    add(r);
    return takeSlot(m_slots);
}

int MetafileRecorder::createFont(const MetafileFont &font)
{
    Record r(wmf::CreateFontIndirect);
    r.word(font.height).word(0).word(font.escapement).word(font.escapement);
    r.word(font.bold ? wmf::fontWeightBold : wmf::fontWeightNormal);
    QByteArray flags;
    flags.append(char(font.italic ? 1 : 0));
    flags.append(char(font.underline ? 1 : 0));
    flags.append(char(font.strikeOut ? 1 : 0));
    flags.append(char(font.symbol ? wmf::symbolCharset : wmf::ansiCharset));
    flags.append(char(wmf::outlinePrecision));
    flags.append(char(0)); // default clipping
    flags.append(char(wmf::antialiasedQuality));
    flags.append(char(0)); // default pitch and family
    r.bytes(flags);
    QByteArray face = toWindows1252(font.family).left(wmf::faceNameBytes - 1);
    face.append(QByteArray(wmf::faceNameBytes - face.size(), '\0'));
    r.bytes(face);
    add(r);
    return takeSlot(m_slots);
}

void MetafileRecorder::selectObject(int slot)
{
    add(Record(wmf::SelectObject).uword(std::uint16_t(slot)));
}

void MetafileRecorder::deleteObject(int slot)
{
    add(Record(wmf::DeleteObject).uword(std::uint16_t(slot)));
    if (slot >= 0 && std::size_t(slot) < m_slots.size())
        m_slots[std::size_t(slot)] = false;
}

void MetafileRecorder::setWindow(const QRect &window)
{
    add(Record(wmf::SetMapMode).uword(wmf::MapAnisotropic));
    add(Record(wmf::SetWindowOrg).word(window.top()).word(window.left()));
    add(Record(wmf::SetWindowExt).word(window.height()).word(window.width()));
}

void MetafileRecorder::setBackgroundMode(std::uint16_t mode)
{
    add(Record(wmf::SetBkMode).uword(mode));
}

void MetafileRecorder::setTextAlign(std::uint16_t align)
{
    add(Record(wmf::SetTextAlign).uword(align));
}

void MetafileRecorder::setTextColor(QRgb color)
{
    add(Record(wmf::SetTextColor).dword(colorRef(color)));
}

void MetafileRecorder::setPolyFillMode(std::uint16_t mode)
{
    add(Record(wmf::SetPolyFillMode).uword(mode));
}

void MetafileRecorder::saveDC()
{
    add(Record(wmf::SaveDC));
}

void MetafileRecorder::restoreDC()
{
    add(Record(wmf::RestoreDC).word(-1));
}

void MetafileRecorder::intersectClipRect(const QRect &rect)
{
    Record r(wmf::IntersectClipRect);
    rectParams(r, rect);
    add(r);
}

void MetafileRecorder::moveTo(QPoint p)
{
    add(Record(wmf::MoveTo).word(p.y()).word(p.x()));
}

void MetafileRecorder::lineTo(QPoint p)
{
    add(Record(wmf::LineTo).word(p.y()).word(p.x()));
}

namespace {
// A record holds at most a few thousand points comfortably for every reader.
constexpr int maxPointsPerRecord = 8000;
} // namespace

void MetafileRecorder::polyline(const QPolygon &points)
{
    for (int start = 0; start + 1 < points.size(); start += maxPointsPerRecord - 1) {
        const int count = std::min<int>(maxPointsPerRecord, int(points.size()) - start);
        Record r(wmf::Polyline);
        r.word(count);
        for (int i = start; i < start + count; ++i)
            r.word(points[i].x()).word(points[i].y());
        add(r);
    }
}

void MetafileRecorder::polygon(const QPolygon &points)
{
    if (points.size() > maxPointsPerRecord) {
        polyPolygon({points});
        return;
    }
    Record r(wmf::Polygon);
    r.word(int(points.size()));
    for (const QPoint &p : points)
        r.word(p.x()).word(p.y());
    add(r);
}

void MetafileRecorder::polyPolygon(const std::vector<QPolygon> &polygons)
{
    Record r(wmf::PolyPolygon);
    std::vector<QPolygon> kept;
    for (const QPolygon &p : polygons)
        if (p.size() >= 2)
            kept.push_back(p.size() > 16000 ? QPolygon(p.mid(0, 16000)) : p);
    if (kept.empty())
        return;
    r.word(int(kept.size()));
    for (const QPolygon &p : kept)
        r.word(int(p.size()));
    for (const QPolygon &p : kept)
        for (const QPoint &pt : p)
            r.word(pt.x()).word(pt.y());
    add(r);
}

void MetafileRecorder::rectangle(const QRect &rect)
{
    Record r(wmf::Rectangle);
    rectParams(r, rect);
    add(r);
}

void MetafileRecorder::roundRect(const QRect &rect, int cornerWidth, int cornerHeight)
{
    Record r(wmf::RoundRect);
    r.word(cornerHeight).word(cornerWidth);
    rectParams(r, rect);
    add(r);
}

void MetafileRecorder::ellipse(const QRect &rect)
{
    Record r(wmf::Ellipse);
    rectParams(r, rect);
    add(r);
}

void MetafileRecorder::pie(const QRect &rect, QPoint start, QPoint end)
{
    Record r(wmf::Pie);
    r.word(end.y()).word(end.x()).word(start.y()).word(start.x());
    rectParams(r, rect);
    add(r);
}

void MetafileRecorder::arc(const QRect &rect, QPoint start, QPoint end)
{
    Record r(wmf::Arc);
    r.word(end.y()).word(end.x()).word(start.y()).word(start.x());
    rectParams(r, rect);
    add(r);
}

void MetafileRecorder::extTextOut(QPoint p, const QByteArray &text, const std::vector<int> &advances)
{
    if (text.isEmpty())
        return;
    const QByteArray shown = text.left(8000);
    Record r(wmf::ExtTextOut);
    r.word(p.y()).word(p.x()).word(int(shown.size())).uword(0);
    r.bytes(shown);
    if (advances.size() >= std::size_t(shown.size()))
        for (int i = 0; i < shown.size(); ++i)
            r.word(advances[std::size_t(i)]);
    add(r);
}

void MetafileRecorder::stretchDib(const QRect &target, const QImage &image)
{
    if (image.isNull() || image.width() > 8000 || image.height() > 8000)
        return;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width(), h = rgb.height();
    const int stride = (w * 3 + 3) & ~3;
    QByteArray dib;
    append32(dib, 40); // BITMAPINFOHEADER
    append32(dib, std::uint32_t(w));
    append32(dib, std::uint32_t(h));
    append16(dib, 1);
    append16(dib, 24);
    append32(dib, 0); // no compression
    append32(dib, std::uint32_t(stride * h));
    append32(dib, 2835); // 72 dpi in pixels per metre
    append32(dib, 2835);
    append32(dib, 0);
    append32(dib, 0);
    for (int y = h - 1; y >= 0; --y) { // bottom-up rows, blue first
        const uchar *line = rgb.constScanLine(y);
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            row[3 * x] = char(line[3 * x + 2]);
            row[3 * x + 1] = char(line[3 * x + 1]);
            row[3 * x + 2] = char(line[3 * x]);
        }
        dib.append(row);
    }
    Record r(wmf::StretchDib);
    r.dword(wmf::sourceCopy).uword(0); // raster operation, RGB colours
    r.word(h).word(w).word(0).word(0); // source rectangle
    r.word(target.height()).word(target.width()).word(target.top()).word(target.left());
    r.bytes(dib);
    add(r);
}

QByteArray MetafileRecorder::finish()
{
    if (!m_finished) {
        add(Record(wmf::EndOfFile));
        m_finished = true;
    }
    QByteArray out;
    append32(out, wmf::placeableKey);
    append16(out, 0); // handle
    append16(out, std::uint16_t(clamp16(m_bounds.left())));
    append16(out, std::uint16_t(clamp16(m_bounds.top())));
    append16(out, std::uint16_t(clamp16(m_bounds.right() + 1)));
    append16(out, std::uint16_t(clamp16(m_bounds.bottom() + 1)));
    append16(out, std::uint16_t(m_unitsPerInch));
    append32(out, 0); // reserved
    std::uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<std::uint16_t>(out.constData() + i);
    append16(out, checksum);

    append16(out, wmf::memoryMetafile);
    append16(out, wmf::headerWords);
    append16(out, wmf::version300);
    append32(out, std::uint32_t(wmf::headerWords + m_records.size() / 2));
    append16(out, std::uint16_t(std::max<std::size_t>(m_slots.size(), 1)));
    append32(out, m_largestRecord);
    append16(out, 0); // no parameters
    out.append(m_records);
    return out;
}

} // namespace qv::metafile
