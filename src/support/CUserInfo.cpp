#include "support/CUserInfo.h"

#include "platform/Settings.h"

#include <pwd.h>
#include <unistd.h>

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

QString CUserInfo::licenseeName() const
{
    return m_userName.trimmed().isEmpty() ? accountName() : m_userName;
}

QString CUserInfo::accountName()
{
    if (const passwd *account = getpwuid(getuid())) {
        // The full name is the first field of the comment ("Jenna Marsh,,,").
        const QString full = QString::fromLocal8Bit(account->pw_gecos).section(u',', 0, 0).trimmed();
        if (!full.isEmpty())
            return full;
        return QString::fromLocal8Bit(account->pw_name);
    }
    return qEnvironmentVariable("USER");
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
