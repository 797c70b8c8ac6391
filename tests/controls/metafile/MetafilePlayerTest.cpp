#include "MetafileTestSupport.h"

#include "controls/metafile/WmfFormat.h"

#include <QRandomGenerator>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::metafile;
using namespace qv::test;

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(QV_METAFILE_DATA_DIR "/") + QString::fromLatin1(name);
}

void put16(QByteArray &d, int at, int v)
{
    qToLittleEndian<std::uint16_t>(std::uint16_t(v), d.data() + at);
}

QByteArray smallPicture()
{
    return recordMetafile(QSize(60, 40), [](QPainter &p) {
        p.setBrush(Qt::red);
        p.drawRect(5, 5, 30, 20);
        p.drawText(QPointF(5, 35), QStringLiteral("ok"));
    });
}

} // namespace

TEST(MetafilePlayer, DrawsAPictureWrittenByLibreOffice)
{
    QString error;
    const auto picture = MetafilePicture::fromFile(dataFile("libreoffice-shapes.wmf"), &error);
    ASSERT_TRUE(picture) << error.toStdString();
    EXPECT_EQ(picture->unitsPerInch(), 2540);
    EXPECT_EQ(picture->frame().size(), QSize(9856, 7210));
    // LibreOffice cropped the page to the drawing, so the shapes keep their
    // order and proportions but not the SVG's margins.
    const QImage image = picture->toImage(QSize(400, 300));
    EXPECT_TRUE(near(colorAt(image, 90, 60), QColor(0x1f, 0x77, 0xb4)));
    EXPECT_TRUE(near(colorAt(image, 295, 60), QColor(0xff, 0x7f, 0x0e)));
    EXPECT_TRUE(near(colorAt(image, 115, 240), QColor(0x2c, 0xa0, 0x2c)));
    EXPECT_TRUE(near(colorAt(image, 335, 215), QColor(0x94, 0x67, 0xbd))); // the pie slice
    EXPECT_TRUE(near(colorAt(image, 200, 60), Qt::white));
    EXPECT_GT(inkedPixels(image, QRect(205, 128, 120, 28)), 40); // "Sales 2026"
    EXPECT_GT(inkedPixels(image, QRect(0, 190, 12, 70)), 20);    // the rotated "Dollars"
}

TEST(MetafilePlayer, DrawsTheBitmapOfALibreOfficePicture)
{
    const auto picture = MetafilePicture::fromFile(dataFile("libreoffice-photo.wmf"));
    ASSERT_TRUE(picture);
    const QImage image = picture->toImage(picture->sizeAt(96));
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.saturation() > 60)
                ++coloured;
        }
    EXPECT_GT(coloured, 64 * 48 / 2);
}

TEST(MetafilePlayer, APictureWithoutPlaceableHeaderTakesItsFrameFromItsWindow)
{
    const QByteArray placeable = smallPicture();
    const auto bare = MetafilePicture::fromData(placeable.mid(wmf::placeableHeaderBytes));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->unitsPerInch(), 0);
    EXPECT_EQ(bare->frame(), QRect(0, 0, 900, 600));
    EXPECT_TRUE(near(colorAt(bare->toImage(QSize(60, 40)), 20, 15), Qt::red));
}

TEST(MetafilePlayer, RefusesWhatIsNotAMetafileOrIsCutShort)
{
    QString error;
    EXPECT_FALSE(MetafilePicture::fromData(QByteArray(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(MetafilePicture::fromData(QByteArray("GIF89a and then some more bytes here"), &error));
    EXPECT_EQ(error, QStringLiteral("This is not a Windows metafile."));
    const QByteArray good = smallPicture();
    EXPECT_FALSE(MetafilePicture::fromData(good.left(good.size() - 20), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("damaged"))) << error.toStdString();
    QByteArray overlong = good;
    overlong[22 + 18] = char(0x7f); // the first record claims far more than the file holds
    overlong[22 + 19] = char(0x7f);
    error.clear();
    EXPECT_FALSE(MetafilePicture::fromData(overlong, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("damaged"))) << error.toStdString();
}

TEST(MetafilePlayer, HostileRecordsAreDrawnSafely)
{
    QByteArray data = smallPicture();
    const auto picture = MetafilePicture::fromData(data);
    ASSERT_TRUE(picture);
    // Point counts far beyond their records, objects that do not exist, a
    // restore with nothing saved: each read stays inside its record.
    for (const MetafileRecord &r : picture->records()) {
        if (r.function == wmf::Polygon || r.function == wmf::ExtTextOut || r.function == wmf::CreateFontIndirect)
            put16(data, r.offset, 32767);
        if (r.function == wmf::SelectObject)
            put16(data, r.offset, 60000);
        if (r.function == wmf::SetWindowExt)
            put16(data, r.offset, 0);
        if (r.function == wmf::RestoreDC)
            put16(data, r.offset, 30000);
    }
    const auto hostile = MetafilePicture::fromData(data);
    ASSERT_TRUE(hostile);
    const QImage image = hostile->toImage(QSize(60, 40));
    EXPECT_EQ(image.size(), QSize(60, 40));
}

TEST(MetafilePlayer, RandomDamageNeverCrashesTheReaderOrThePlayer)
{
    const QByteArray good = smallPicture();
    QRandomGenerator random(16);
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = good;
        for (int i = 0; i < 6; ++i)
            damaged[int(random.bounded(damaged.size()))] = char(random.bounded(256));
        if (const auto picture = MetafilePicture::fromData(damaged))
            picture->toImage(QSize(30, 20));
    }
    SUCCEED();
}
