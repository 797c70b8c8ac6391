// Saves pictures of the word processor in normal and page view when
// QV_SCREENSHOT_DIR names a folder; does nothing otherwise.

#include "editors/wordprocessor/frmWordProcessor.h"
#include "WordProcessorTestSupport.h"

#include "controls/richtextview/TextEditor.h"
#include "platform/Application.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv;

TEST(WordProcessorScreenshots, NormalAndPageView)
{
    const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SCREENSHOT_DIR not set";
    QDir().mkpath(folder);
    QTemporaryDir dir;
    editors::frmWordProcessor window;
    window.setFileName(dir.filePath(QStringLiteral("Ans00001.tmp")));
    window.setWindowTitle(platform::applicationTitle() + QStringLiteral(" - 2.1 Market Analysis"));
    test::writeSampleSection(*window.editor(), 2);
    window.editor()->insertPlainText(QStringLiteral(" A recieved word."));
    window.resize(1100, 800);
    window.show();
    QTextCursor top = window.editor()->textCursor();
    top.setPosition(2);
    window.editor()->setTextCursor(top);
    window.editor()->ensureCursorVisible();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/word-processor-normal.png")));
    window.findChild<QAction *>(QStringLiteral("mnuView_1"))->trigger();
    window.editor()->setZoomFactor(75);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/word-processor-page.png")));
}
