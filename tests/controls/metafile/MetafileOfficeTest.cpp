#include "MetafileTestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::metafile;
using namespace qv::test;

// LibreOffice starts slowly, so this check has a program of its own.
TEST(MetafileWriter, LibreOfficeTurnsOurPictureIntoAnImage)
{
    QTemporaryDir dir;
    const QString wmfPath = dir.filePath(QStringLiteral("scene.wmf"));
    MetafilePaintDevice device(QSize(200, 150));
    {
        QPainter p(&device);
        drawSampleScene(p);
    }
    ASSERT_EQ(device.save(wmfPath), QString());
    const ToolResult run = runTool(QStringLiteral("soffice"),
                                   {QStringLiteral("--headless"),
                                    QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("lo")),
                                    QStringLiteral("--convert-to"), QStringLiteral("png"), QStringLiteral("--outdir"),
                                    dir.path(), wmfPath},
                                   120000);
    if (!run.ran)
        GTEST_SKIP() << "soffice (Debian package libreoffice-draw-nogui) is not installed";
    const QImage png(dir.filePath(QStringLiteral("scene.png")));
    ASSERT_FALSE(png.isNull()) << run.err.toStdString();
    int blue = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            blue += near(png.pixelColor(x, y), QColor(0x1f, 0x77, 0xb4), 20) ? 1 : 0;
    // LibreOffice puts the picture on a page of its own size; the 80 by 60
    // pixel rectangle is drawn in its colour, whatever the page's scale.
    EXPECT_GT(blue, 1000) << "the blue rectangle is missing";
    if (HasFailure()) {
        png.save(QDir::temp().filePath(QStringLiteral("metafile-office-failure.png")));
        QFile::copy(wmfPath, QDir::temp().filePath(QStringLiteral("metafile-office-failure.wmf")));
    }
}
