#include "FakePlatform.h"

#include "platform/Error.h"
#include "support/ErrorReports.h"

#include <gtest/gtest.h>

using namespace qv;
using qv::test::fakes;

TEST(ErrorReports, OperationReportNamesTheFailureAndTheActivity)
{
    support::reportOperationError(nullptr, QvError(53, QStringLiteral("Plan"), QStringLiteral("File not found")),
                                  QStringLiteral("Saving Plan1.bpl"));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    const auto &m = fakes().messages->shown.first();
    EXPECT_EQ(m.text, QStringLiteral("Error: File not found (53)\r\nSaving Plan1.bpl"));
    EXPECT_EQ(m.icon, platform::Icon::None);
    EXPECT_EQ(m.buttons, platform::Buttons::Ok);
    EXPECT_TRUE(m.title.isEmpty()); // the application title
}

TEST(ErrorReports, OperationReportKeepsNegativeNumbers)
{
    EXPECT_EQ(support::operationReportText(-2147220989, QStringLiteral("Could not clear clipboard."),
                                           QStringLiteral("Getting Meta Files")),
              QStringLiteral("Error: Could not clear clipboard. (-2147220989)\r\nGetting Meta Files"));
}

TEST(ErrorReports, CaptionReportNamesWindowAndProcedureAndIsCritical)
{
    support::reportCaptionError(nullptr, QStringLiteral("frmMain"), QStringLiteral("Resource not found"));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown.first().text, QStringLiteral("frmMain:loadCaptions\r\nResource not found"));
    EXPECT_EQ(fakes().messages->shown.first().icon, platform::Icon::Critical);
    EXPECT_EQ(support::captionReportText(QStringLiteral("frmGraph"), QStringLiteral("x"), QStringLiteral("Form_Load")),
              QStringLiteral("frmGraph:Form_Load\r\nx"));
}

TEST(ErrorReports, FileLoadReportGivesThePath)
{
    support::reportFileLoadError(nullptr, QStringLiteral("/plans/A/Tbl0404.vts"));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Error loading file:\r\n/plans/A/Tbl0404.vts"));
}
