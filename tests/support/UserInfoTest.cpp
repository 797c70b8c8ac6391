#include "platform/Settings.h"
#include "support/CUserInfo.h"

#include <gtest/gtest.h>

using qv::platform::Settings;
using qv::support::CUserInfo;

TEST(UserInfo, MissingKeysReadAsEmptyText)
{
    CUserInfo info;
    EXPECT_TRUE(info.userName().isEmpty());
    EXPECT_TRUE(info.companyName().isEmpty());
}

TEST(UserInfo, ReadsAtCreationAndWritesWhenSet)
{
    Settings::save(QStringLiteral("UserInfo"), QStringLiteral("UserName"), QStringLiteral("Ada Byrne"));
    CUserInfo info;
    EXPECT_EQ(info.userName(), QStringLiteral("Ada Byrne"));

    info.setCompanyName(QStringLiteral("Byrne & Daughters"));
    EXPECT_EQ(Settings::get(QStringLiteral("UserInfo"), QStringLiteral("CompanyName")),
              QStringLiteral("Byrne & Daughters"));
    EXPECT_EQ(CUserInfo().companyName(), QStringLiteral("Byrne & Daughters"));

    // A value stored after creation is not seen by the older object.
    Settings::save(QStringLiteral("UserInfo"), QStringLiteral("UserName"), QStringLiteral("Other"));
    EXPECT_EQ(info.userName(), QStringLiteral("Ada Byrne"));
}
