#include "FakePlatform.h"

#include "support/gui/HelpViewer.h"
#include "support/gui/frmAboutBox.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

using namespace qv;

TEST(AboutBox, ShowsTheNameAndVersion)
{
    support::frmAboutBox about;
    about.load();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quorvex 8.0"));
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("lbProgram"))->text(), QStringLiteral("Quorvex"));
    const QString version = about.findChild<QLabel *>(QStringLiteral("lbVersion"))->text();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Version 8\\.0 \\(\\d+\\)$")).match(version).hasMatch())
        << version.toStdString();
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty());
}

TEST(AboutBox, OtherProductsOpensTheProductsHelp)
{
    support::frmAboutBox about;
    about.load();
    about.show();
    QTest::mouseClick(about.findChild<QPushButton *>(QStringLiteral("cmdOther")), Qt::LeftButton);
    auto *viewer = support::HelpViewer::instance();
    EXPECT_TRUE(viewer->browser()->source().toLocalFile().endsWith(QStringLiteral("Help/products.html")));
    viewer->close();

    QTest::mouseClick(about.findChild<QPushButton *>(QStringLiteral("cmdOk")), Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}
