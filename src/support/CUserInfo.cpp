#include "support/CUserInfo.h"

#include "platform/Settings.h"

namespace qv::support
{

namespace
{
const QString kSection = QStringLiteral("UserInfo");
const QString kUserName = QStringLiteral("UserName");
const QString kCompanyName = QStringLiteral("CompanyName");
} // namespace

CUserInfo::CUserInfo()
    : m_userName(platform::Settings::get(kSection, kUserName)),
      m_companyName(platform::Settings::get(kSection, kCompanyName))
{
}

void CUserInfo::setUserName(const QString &name)
{
    m_userName = name;
    platform::Settings::save(kSection, kUserName, name);
}

void CUserInfo::setCompanyName(const QString &name)
{
    m_companyName = name;
    platform::Settings::save(kSection, kCompanyName, name);
}

} // namespace qv::support
