#include "MetafileTestSupport.h"

#include "controls/metafile/AnsiText.h"
#include "controls/metafile/WmfFormat.h"

#include <QFile>
#include <QPainterPath>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::metafile;
using namespace qv::test;

namespace {

std::vector<std::uint16_t> functionsOf(const MetafilePicture &picture)
{
    std::vector<std::uint16_t> out;
    for (const MetafileRecord &r : picture.records())
        out.push_back(r.function);
    return out;
}

bool hasFunction(const MetafilePicture &picture, std::uint16_t function)
{
    const auto all = functionsOf(picture);
    return std::find(all.begin(), all.end(), function) != all.end();
}

} // namespace

TEST(MetafileWriter, WritesAValidPlaceableHeaderAndTheRecordsOfEachPrimitive)
{
    const QByteArray data = recordMetafile(QSize(200, 150), drawSampleScene);
    ASSERT_GE(data.size(), 40);
    EXPECT_EQ(qFromLittleEndian<std::uint32_t>(data.constData()), wmf::placeableKey);
    std::uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= qFromLittleEndian<std::uint16_t>(data.constData() + i);
    EXPECT_EQ(checksum, qFromLittleEndian<std::uint16_t>(data.constData() + 20));
    // The header's size field counts the whole file after the placeable header.
    EXPECT_EQ(qFromLittleEndian<std::uint32_t>(data.constData() + 22 + 6) * 2, std::uint32_t(data.size() - 22));

    QString error;
    const auto picture = MetafilePicture::fromData(data, &error);
    ASSERT_TRUE(picture) << error.toStdString();
    EXPECT_EQ(picture->unitsPerInch(), 1440);
    EXPECT_EQ(picture->frame(), QRect(0, 0, 3000, 2250)); // 200 x 150 pixels at 96 dpi in twips
    EXPECT_EQ(picture->sizeAt(96), QSize(200, 150));
    for (std::uint16_t f : {wmf::CreatePenIndirect, wmf::CreateBrushIndirect, wmf::CreateFontIndirect, wmf::Rectangle,
                            wmf::Ellipse, wmf::Polygon, wmf::Polyline, wmf::ExtTextOut, wmf::StretchDib,
                            wmf::IntersectClipRect, wmf::MoveTo, wmf::LineTo})
        EXPECT_TRUE(hasFunction(*picture, f)) << std::hex << f;
}

TEST(MetafileWriter, PlayedBackPictureShowsWhatWasPainted)
{
    const QByteArray data = recordMetafile(QSize(200, 150), drawSampleScene);
    const auto picture = MetafilePicture::fromData(data);
    ASSERT_TRUE(picture);
    const QImage image = picture->toImage(QSize(200, 150));
    EXPECT_TRUE(near(colorAt(image, 50, 40), QColor(0x1f, 0x77, 0xb4)));
    EXPECT_TRUE(near(colorAt(image, 150, 40), QColor(0xff, 0x7f, 0x0e)));
    EXPECT_TRUE(near(colorAt(image, 40, 100), QColor(0x2c, 0xa0, 0x2c))); // inside the quarter pie
    EXPECT_TRUE(near(colorAt(image, 20, 100), Qt::white));                // beside it
    EXPECT_TRUE(near(colorAt(image, 148, 138), Qt::magenta));
    EXPECT_GT(inkedPixels(image, QRect(140, 108, 55, 14)), 20); // the text
    EXPECT_GT(inkedPixels(image, QRect(178, 120, 16, 25)), 5);  // the rotated text
}

TEST(MetafileWriter, ClippingKeepsLaterDrawingInsideTheClip)
{
    const QByteArray data = recordMetafile(QSize(100, 100), [](QPainter &p) {
        p.setClipRect(QRect(0, 0, 50, 50));
        p.fillRect(QRect(0, 0, 100, 100), Qt::red);
        p.setClipping(false);
        p.fillRect(QRect(60, 60, 20, 20), Qt::blue);
    });
    const auto picture = MetafilePicture::fromData(data);
    ASSERT_TRUE(picture);
    const QImage image = picture->toImage(QSize(100, 100));
    EXPECT_TRUE(near(colorAt(image, 25, 25), Qt::red));
    EXPECT_TRUE(near(colorAt(image, 75, 25), Qt::white));
    EXPECT_TRUE(near(colorAt(image, 25, 75), Qt::white));
    EXPECT_TRUE(near(colorAt(image, 70, 70), Qt::blue)); // drawn after the clip was lifted
}

TEST(MetafileWriter, TransformedShapesLandWhereTheRasterPainterPutsThem)
{
    auto scene = [](QPainter &p) {
        p.fillRect(QRect(0, 0, 120, 120), Qt::white);
        p.translate(60, 60);
        p.rotate(30);
        p.scale(1.5, 1);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::darkGreen);
        p.drawRect(QRectF(-20, -10, 40, 20));
        p.drawEllipse(QRectF(-10, 20, 20, 20));
    };
    QImage direct(120, 120, QImage::Format_RGB32);
    direct.fill(Qt::white);
    {
        QPainter p(&direct);
        scene(p);
    }
    const auto picture = MetafilePicture::fromData(recordMetafile(QSize(120, 120), scene));
    ASSERT_TRUE(picture);
    const QImage played = picture->toImage(QSize(120, 120));
    int differing = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x)
            if (!near(direct.pixelColor(x, y), played.pixelColor(x, y), 100))
                ++differing;
    EXPECT_LT(differing, 120) << "only edge pixels may differ";
}

TEST(MetafileWriter, RotatedTextKeepsItsAngleAndTextIsWindows1252)
{
    const QByteArray data = recordMetafile(QSize(100, 100), [](QPainter &p) {
        p.translate(50, 90);
        p.rotate(-90);
        p.drawText(QPointF(0, 0), QStringLiteral("Naïve – €"));
    });
    const auto picture = MetafilePicture::fromData(data);
    ASSERT_TRUE(picture);
    bool sawFont = false, sawText = false;
    for (const MetafileRecord &r : picture->records()) {
        const char *params = picture->bytes().constData() + r.offset;
        if (r.function == wmf::CreateFontIndirect) {
            EXPECT_EQ(qFromLittleEndian<std::int16_t>(params + 4), 900); // escapement, tenths of a degree
            sawFont = true;
        }
        if (r.function == wmf::ExtTextOut) {
            const int count = qFromLittleEndian<std::int16_t>(params + 4);
            EXPECT_EQ(fromWindows1252(QByteArray(params + 8, count)), QStringLiteral("Naïve – €"));
            sawText = true;
        }
    }
    EXPECT_TRUE(sawFont && sawText);
    EXPECT_EQ(toWindows1252(QStringLiteral("a\u4e00b")), QByteArray("a?b"));
}

TEST(MetafileWriter, SavingReplacesTheFileAndReportsAFolderThatIsMissing)
{
    QTemporaryDir dir;
    MetafilePaintDevice device(QSize(40, 40));
    {
        QPainter p(&device);
        p.fillRect(QRect(5, 5, 30, 30), Qt::black);
    }
    const QString path = dir.filePath(QStringLiteral("Grf0404.wmf"));
    EXPECT_EQ(device.save(path), QString());
    EXPECT_EQ(QFile(path).size(), device.data().size());
    EXPECT_FALSE(device.save(dir.filePath(QStringLiteral("missing/Grf0404.wmf"))).isEmpty());
}

TEST(MetafileWriter, Wmf2svgReadsOurPicturesWithoutAWarning)
{
    QTemporaryDir dir;
    const QString wmfPath = dir.filePath(QStringLiteral("scene.wmf"));
    MetafilePaintDevice device(QSize(200, 150));
    {
        QPainter p(&device);
        drawSampleScene(p);
    }
    ASSERT_EQ(device.save(wmfPath), QString());
    const QString svgPath = dir.filePath(QStringLiteral("scene.svg"));
    const ToolResult run = runTool(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), svgPath, wmfPath});
    if (!run.ran)
        GTEST_SKIP() << "wmf2svg (Debian package libwmf-bin) is not installed";
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_GT(QFile(svgPath).size(), 500);
}
