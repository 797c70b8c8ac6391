#include "controls/metafile/MetafilePicture.h"

#include "controls/metafile/MetafilePlayer.h"
#include "controls/metafile/WmfFormat.h"

#include <QFile>
#include <QObject>
#include <QPainter>
#include <QtEndian>

#include <algorithm>

namespace qv::metafile {

namespace {

std::uint16_t word(const QByteArray &d, int at)
{
    return qFromLittleEndian<std::uint16_t>(d.constData() + at);
}
std::uint32_t dword(const QByteArray &d, int at)
{
    return qFromLittleEndian<std::uint32_t>(d.constData() + at);
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// The frame a picture without a placeable header gives itself.
std::optional<QRect> windowOf(const QByteArray &data, const std::vector<MetafileRecord> &records)
{
    std::optional<QPoint> origin;
    for (const MetafileRecord &r : records) {
        if (r.size < 4)
            continue;
        const int y = std::int16_t(word(data, r.offset)), x = std::int16_t(word(data, r.offset + 2));
        if (r.function == wmf::SetWindowOrg && !origin)
            origin = QPoint(x, y);
        else if (r.function == wmf::SetWindowExt && x != 0 && y != 0)
            return QRect(origin.value_or(QPoint()), QSize(x, y)).normalized();
    }
    return std::nullopt;
}

} // namespace

std::optional<MetafilePicture> MetafilePicture::fromFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QObject::tr("The picture %1 cannot be read: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return fromData(file.readAll(), error);
}

std::optional<MetafilePicture> MetafilePicture::fromData(const QByteArray &data, QString *error)
{
    MetafilePicture picture;
    picture.m_data = data;
    int at = 0;
    if (data.size() >= wmf::placeableHeaderBytes && dword(data, 0) == wmf::placeableKey) {
        const auto left = std::int16_t(word(data, 6)), top = std::int16_t(word(data, 8));
        const auto right = std::int16_t(word(data, 10)), bottom = std::int16_t(word(data, 12));
        picture.m_frame = QRect(QPoint(left, top), QSize(right - left, bottom - top)).normalized();
        picture.m_unitsPerInch = word(data, 14);
        at = wmf::placeableHeaderBytes;
    }
    const QString notMetafile = QObject::tr("This is not a Windows metafile.");
    if (data.size() < at + 2 * wmf::headerWords) {
        fail(error, notMetafile);
        return std::nullopt;
    }
    const std::uint16_t type = word(data, at), headerSize = word(data, at + 2), version = word(data, at + 4);
    if ((type != 1 && type != 2) || headerSize != wmf::headerWords || (version != 0x0100 && version != 0x0300)) {
        fail(error, notMetafile);
        return std::nullopt;
    }
    picture.m_objectCount = word(data, at + 10);
    const QString cutShort = QObject::tr("The metafile is damaged: it is cut short.");
    if (std::int64_t(dword(data, at + 6)) * 2 > data.size() - at) {
        fail(error, cutShort);
        return std::nullopt;
    }
    at += 2 * wmf::headerWords;
    bool ended = false;
    while (at + 6 <= data.size()) {
        const std::uint32_t words = dword(data, at);
        const std::uint16_t function = word(data, at + 4);
        if (function == wmf::EndOfFile) {
            ended = true;
            break;
        }
        if (words < 3 || words > std::uint32_t(data.size() - at) / 2) {
            fail(error, QObject::tr("The metafile is damaged: a record at byte %1 runs past the end of the file.")
                            .arg(at));
            return std::nullopt;
        }
        picture.m_records.push_back({function, at + 6, int(words * 2 - 6)});
        at += int(words * 2);
    }
    if (!ended && at != data.size()) {
        fail(error, cutShort);
        return std::nullopt;
    }
    if (picture.m_frame.isEmpty()) {
        const auto window = windowOf(data, picture.m_records);
        if (!window) {
            fail(error, QObject::tr("The metafile does not give the size of its picture."));
            return std::nullopt;
        }
        picture.m_frame = *window;
    }
    return picture;
}

QSize MetafilePicture::sizeAt(int dotsPerInch) const
{
    // Without a resolution of its own a picture is taken to be in twips.
    const double perInch = m_unitsPerInch > 0 ? m_unitsPerInch : 1440.0;
    return QSize(std::max(1, int(m_frame.width() * dotsPerInch / perInch)),
                 std::max(1, int(m_frame.height() * dotsPerInch / perInch)));
}

void MetafilePicture::draw(QPainter &painter, const QRectF &target) const
{
    MetafilePlayer(*this, painter, target).play();
}

QImage MetafilePicture::toImage(QSize size) const
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw(painter, QRectF(QPointF(0, 0), image.size()));
    return image;
}

} // namespace qv::metafile
