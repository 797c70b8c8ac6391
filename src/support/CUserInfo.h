#pragma once

#include <QString>

namespace qv::support
{

// The user's name and company name, kept in the settings store (section
// "UserInfo"). Both are read once when the object is made; setting one
// writes it back at once, so every holder sees the same values next time.
class CUserInfo
{
public:
    CUserInfo();

    // Empty text when the store has no value.
    QString userName() const { return m_userName; }
    QString companyName() const { return m_companyName; }
    void setUserName(const QString &name);
    // The name to show as the licensee: the stored user name, else the
    // full name of the computer account (its login name when it has none).
    QString licenseeName() const;
    // The full name of the computer account, else its login name.
    static QString accountName();
    void setCompanyName(const QString &name);

private:
    QString m_userName;
    QString m_companyName;
};

} // namespace qv::support
