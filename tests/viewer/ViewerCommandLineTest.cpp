#include "viewer/ViewerCommandLine.h"

#include <gtest/gtest.h>

using namespace qv::viewer;

namespace {

std::optional<ViewerRequest> parse(const QStringList &arguments, QString *error = nullptr)
{
    QString ignored;
    return parseViewerArguments(arguments, error ? error : &ignored);
}

} // namespace

TEST(ViewerCommandLineTest, ASampleRequestGoesThereAndBack)
{
    ViewerRequest request;
    request.file = QStringLiteral("/opt/Quorvex/Data/ENG/BusPlan/Samples/New/Retail.cpd");
    request.sample = true;
    request.typefield = QStringLiteral("Business Plan");
    const QStringList arguments = viewerArguments(request);
    EXPECT_EQ(arguments, (QStringList{QStringLiteral("--sample"), QStringLiteral("--type"),
                                      QStringLiteral("Business Plan"), QStringLiteral("--"), request.file}));
    const auto back = parse(arguments);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->file, request.file);
    EXPECT_TRUE(back->sample);
    EXPECT_EQ(back->typefield, QStringLiteral("Business Plan"));
    EXPECT_FALSE(back->doReturn);
}

TEST(ViewerCommandLineTest, TheCompilersRequestOffersTheWayBack)
{
    ViewerRequest request;
    request.file = QStringLiteral("-odd name.pdf");
    request.doReturn = true;
    const auto back = parse(viewerArguments(request));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->doReturn);
    EXPECT_FALSE(back->sample);
    // A file whose name starts with a dash travels after "--".
    EXPECT_EQ(back->file, QStringLiteral("-odd name.pdf"));
}

TEST(ViewerCommandLineTest, AFileAloneAndNothingAtAll)
{
    const auto file = parse({QStringLiteral("Acme.pdf")});
    ASSERT_TRUE(file);
    EXPECT_EQ(file->file, QStringLiteral("Acme.pdf"));
    EXPECT_FALSE(file->sample || file->doReturn || file->help);
    const auto none = parse({});
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->file.isEmpty());
    EXPECT_TRUE(parse({QStringLiteral("--help")})->help);
}

TEST(ViewerCommandLineTest, WrongCommandLinesSayWhy)
{
    QString error;
    EXPECT_FALSE(parse({QStringLiteral("--type")}, &error));
    EXPECT_EQ(error, QStringLiteral("--type needs a value"));
    EXPECT_FALSE(parse({QStringLiteral("--zoom"), QStringLiteral("2")}, &error));
    EXPECT_EQ(error, QStringLiteral("unknown argument: --zoom"));
    EXPECT_FALSE(parse({QStringLiteral("a.pdf"), QStringLiteral("b.pdf")}, &error));
    EXPECT_EQ(error, QStringLiteral("one file only"));
    EXPECT_FALSE(parse({QStringLiteral("--"), QStringLiteral("a.pdf"), QStringLiteral("b.pdf")}, &error));
}
