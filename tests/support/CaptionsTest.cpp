#include "FakePlatform.h"

#include "support/gui/Captions.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>

using namespace qv::support;
using qv::test::fakes;

TEST(Captions, SetsEachKindOfCaption)
{
    QDialog window;
    auto *check = new QCheckBox(&window);
    auto *label = new QLabel(&window);
    QMenu menu;
    QAction action;
    CaptionLoader captions(&window, QStringLiteral("frmTest"));
    captions.set(&window, 396);
    captions.set(check, 394);
    captions.set(label, 392);
    captions.set(&menu, 4);
    captions.set(&action, 90, QStringLiteral("..."));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Preferences ..."));
    EXPECT_EQ(check->text(), QStringLiteral("Automatic Save Every:"));
    EXPECT_EQ(label->text(), QStringLiteral("Font:"));
    EXPECT_EQ(menu.title(), QStringLiteral("&File"));
    EXPECT_EQ(action.text(), QStringLiteral("&Help Topics..."));
    EXPECT_EQ(captions.failures(), 0);
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(Captions, AMissingTextIsReportedOnceAndTheRestStillLoad)
{
    QDialog window;
    auto *first = new QLabel(QStringLiteral("before"), &window);
    auto *second = new QLabel(&window);
    CaptionLoader captions(&window, QStringLiteral("frmMain"));
    captions.set(first, 23); // 1023 is not in the table
    captions.set(second, 393);
    EXPECT_EQ(first->text(), QStringLiteral("before"));
    EXPECT_EQ(second->text(), QStringLiteral("Size:"));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->lastText().startsWith(QStringLiteral("frmMain:loadCaptions\r\n")));
    EXPECT_EQ(fakes().messages->shown.first().icon, qv::platform::Icon::Critical);
    EXPECT_EQ(captions.failures(), 1);
}

TEST(Captions, AccessKeyMarksCanBeDropped)
{
    EXPECT_EQ(withoutAccessKey(QStringLiteral("&Section")), QStringLiteral("Section"));
    EXPECT_EQ(withoutAccessKey(QStringLiteral("Sam&ple Graph")), QStringLiteral("Sample Graph"));
    EXPECT_EQ(withoutAccessKey(QStringLiteral("Save && Close")), QStringLiteral("Save & Close"));
    EXPECT_EQ(withoutAccessKey(QStringLiteral("Table")), QStringLiteral("Table"));
}
