#pragma once

#include <QString>
#include <QStringList>

namespace qv::platform {

// The per-user settings store: application name, section, key. An
// application name "Corvane\Quorvex 8.0" is the INI file
// "Corvane/Quorvex 8.0.ini" under the user's config folder; the section is
// the INI group. Every value is text; an absent key reads as the default.
class Settings
{
public:
    static QString getSetting(const QString &appName, const QString &section, const QString &key,
                              const QString &defaultValue = QString());
    static void saveSetting(const QString &appName, const QString &section, const QString &key,
                            const QString &value);
    // Removes one key, or the whole section when key is empty.
    static void deleteSetting(const QString &appName, const QString &section, const QString &key = QString());
    static QStringList keys(const QString &appName, const QString &section);

    // The INI file that holds an application name's settings.
    static QString fileFor(const QString &appName);

    // Shorthands for this release's own application name, "Corvane\" + title.
    static QString appName();
    static QString get(const QString &section, const QString &key, const QString &defaultValue = QString());
    static void save(const QString &section, const QString &key, const QString &value);

    // Check-box values: "-1" on, "0" off; any non-zero number reads as on.
    static QString fromBool(bool on) { return on ? QStringLiteral("-1") : QStringLiteral("0"); }
    static bool toBool(const QString &value);
    // A stored number; unreadable text reads as 0.
    static long toNumber(const QString &value);
};

} // namespace qv::platform
