#include "FakePlatform.h"

#include "platform/Settings.h"
#include "support/HelpFiles.h"
#include "support/gui/HelpViewer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QTextBrowser>

using namespace qv;
using qv::test::fakes;

namespace
{
QString shownPage()
{
    return QFileInfo(support::HelpViewer::instance()->browser()->source().toLocalFile()).fileName();
}
QAction *action(const char *name)
{
    return support::HelpViewer::instance()->findChild<QAction *>(QString::fromLatin1(name));
}
} // namespace

TEST(HelpViewer, EachHelpFileHasARealPage)
{
    for (const QString &file : {support::kMainHelpFile, support::kAdvisorHelpFile, support::kProductsHelpFile}) {
        support::OpenHelpFile(nullptr, file);
        auto *browser = support::HelpViewer::instance()->browser();
        EXPECT_GT(browser->toPlainText().size(), 800) << file.toStdString();
        EXPECT_FALSE(browser->documentTitle().isEmpty());
    }
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
    support::HelpViewer::instance()->close();
}

TEST(HelpViewer, TheMainPageCoversTheEssentials)
{
    support::OpenHelpFile(nullptr, support::kMainHelpFile);
    const QString text = support::HelpViewer::instance()->browser()->toPlainText();
    for (const char *topic : {"Starting a plan", "The Plan Composer", "Tables and how they link", "Compiling"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(topic))) << topic;
    const QString advisor = [] {
        support::OpenHelpFile(nullptr, support::kAdvisorHelpFile);
        return support::HelpViewer::instance()->browser()->toPlainText();
    }();
    for (const char *topic : {"Income Statement", "Cash Flow", "Balance Sheet", "Current ratio", "Break-even"})
        EXPECT_TRUE(advisor.contains(QString::fromLatin1(topic))) << topic;
    support::HelpViewer::instance()->close();
}

TEST(HelpViewer, LinksBetweenPagesWithBackForwardAndHome)
{
    support::OpenHelpFile(nullptr, support::kMainHelpFile);
    auto *viewer = support::HelpViewer::instance();
    EXPECT_EQ(shownPage(), QStringLiteral("BPlan8.html"));
    EXPECT_FALSE(action("cmdBack")->isEnabled());

    emit viewer->browser()->anchorClicked(QUrl(QStringLiteral("financial%20advisor.html")));
    EXPECT_EQ(shownPage(), QStringLiteral("financial advisor.html"));
    EXPECT_TRUE(action("cmdBack")->isEnabled());

    action("cmdBack")->trigger();
    EXPECT_EQ(shownPage(), QStringLiteral("BPlan8.html"));
    EXPECT_TRUE(action("cmdForward")->isEnabled());
    action("cmdForward")->trigger();
    EXPECT_EQ(shownPage(), QStringLiteral("financial advisor.html"));
    action("cmdHome")->trigger();
    EXPECT_EQ(shownPage(), QStringLiteral("BPlan8.html"));
    viewer->close();
}

TEST(HelpViewer, WebLinksGoToTheBrowser)
{
    platform::Settings::save(QStringLiteral("Preferences"), QStringLiteral("Browser"), QStringLiteral("/opt/web"));
    support::OpenHelpFile(nullptr, support::kProductsHelpFile);
    emit support::HelpViewer::instance()->browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
    ASSERT_EQ(fakes().shell->opened.size(), 1);
    EXPECT_EQ(fakes().shell->opened.first().second, QStringLiteral("https://example.org/"));
    EXPECT_EQ(shownPage(), QStringLiteral("products.html"));
    support::HelpViewer::instance()->close();
}

TEST(HelpViewer, AMissingHelpFileIsReported)
{
    support::OpenHelpFile(nullptr, QStringLiteral("nothing here.hlp"));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("nothing here.hlp")));
}

TEST(HelpViewer, OpensCentredOverTheWindowThatAskedForIt)
{
    support::HelpViewer::instance()->close();
    support::HelpViewer::instance()->resize(400, 300);
    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    owner.show();
    support::OpenHelpFile(&owner, support::kMainHelpFile);
    QWidget *viewer = support::HelpViewer::instance();
    EXPECT_NEAR(viewer->frameGeometry().center().x(), owner.frameGeometry().center().x(), 2);
    EXPECT_NEAR(viewer->frameGeometry().center().y(), owner.frameGeometry().center().y(), 2);
    EXPECT_NE(viewer->pos(), QPoint(0, 0));
    support::HelpViewer::instance()->close();
}
