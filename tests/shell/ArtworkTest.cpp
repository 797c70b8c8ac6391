#include "platform/Error.h"
#include "resources/art/Artwork.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

using namespace qv::resources;

TEST(Artwork, TheSplashIsDrawnAtItsSize)
{
    const QImage splash = LoadResPicture(5070).toImage();
    ASSERT_EQ(splash.size(), QSize(480, 320));
    // Deep blue ground, not an empty picture.
    const QColor corner = splash.pixelColor(4, 4);
    EXPECT_EQ(corner.alpha(), 255);
    EXPECT_GT(corner.blue(), corner.red());
    EXPECT_LT(corner.lightness(), 90);
}

TEST(Artwork, IconsComeInEverySizeAndAreDrawn)
{
    for (int id : {101, 102, 103}) {
        const QIcon icon = LoadResIcon(id);
        ASSERT_FALSE(icon.isNull()) << id;
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16))) << id;
        EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256))) << id;
        const QImage image = icon.pixmap(64, 64).toImage();
        EXPECT_EQ(image.pixelColor(32, 32).alpha(), 255) << id; // the middle is painted
        const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!shots.isEmpty())
            icon.pixmap(256, 256).save(QDir(shots).filePath(QStringLiteral("icon-%1.png").arg(id)));
    }
}

TEST(Artwork, AnIdWithoutArtworkRaisesTheResourceError)
{
    EXPECT_FALSE(hasResArtwork(5999));
    EXPECT_TRUE(hasResArtwork(5070));
    try {
        LoadResPicture(5999);
        FAIL() << "no error raised";
    } catch (const qv::QvError &error) {
        EXPECT_EQ(error.number(), 326);
    }
    EXPECT_THROW(LoadResIcon(104), qv::QvError);
}
