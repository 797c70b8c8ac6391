// Saves pictures of the support windows when QV_SCREENSHOT_DIR names a
// folder, for looking at the layout; does nothing otherwise.

#include "FakePlatform.h"

#include "support/HelpFiles.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/frmAboutBox.h"
#include "support/gui/frmPreferences.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontDatabase>

using namespace qv;

TEST(Screenshots, SupportWindows)
{
    const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SCREENSHOT_DIR not set";
    QDir().mkpath(folder);
    test::fakes().printers->fonts = QFontDatabase::families();

    support::frmPreferences preferences;
    preferences.load();
    preferences.show();
    QApplication::processEvents();
    EXPECT_TRUE(preferences.grab().save(folder + QStringLiteral("/preferences.png")));

    support::frmAboutBox about;
    about.load();
    about.show();
    QApplication::processEvents();
    EXPECT_TRUE(about.grab().save(folder + QStringLiteral("/about.png")));

    for (const QString &file : {support::kMainHelpFile, support::kAdvisorHelpFile, support::kProductsHelpFile}) {
        support::OpenHelpFile(nullptr, file);
        QApplication::processEvents();
        const QString name =
            QFileInfo(support::helpPagePath(file)).completeBaseName().replace(QLatin1Char(' '), QLatin1Char('_'));
        EXPECT_TRUE(support::HelpViewer::instance()->grab().save(folder + QStringLiteral("/help_") + name +
                                                                 QStringLiteral(".png")));
    }
}
