#include "platform/Settings.h"

#include "platform/Application.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <QSettings>

#include <cmath>

namespace qv::platform {

namespace {
QString sectionKey(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString Settings::fileFor(const QString &appName)
{
    QString relative = appName;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return joinPath(Folders::userConfigFolder(), relative + QStringLiteral(".ini"));
}

QString Settings::getSetting(const QString &appName, const QString &section, const QString &key,
                             const QString &defaultValue)
{
    QSettings store(fileFor(appName), QSettings::IniFormat);
    const QVariant value = store.value(sectionKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

void Settings::saveSetting(const QString &appName, const QString &section, const QString &key, const QString &value)
{
    QSettings store(fileFor(appName), QSettings::IniFormat);
    store.setValue(sectionKey(section, key), value);
    store.sync();
}

void Settings::deleteSetting(const QString &appName, const QString &section, const QString &key)
{
    QSettings store(fileFor(appName), QSettings::IniFormat);
    store.remove(key.isEmpty() ? section : sectionKey(section, key));
    store.sync();
}

QStringList Settings::keys(const QString &appName, const QString &section)
{
    QSettings store(fileFor(appName), QSettings::IniFormat);
    store.beginGroup(section);
    return store.childKeys();
}

QString Settings::appName()
{
    return QStringLiteral("Corvane\\") + applicationTitle();
}

QString Settings::get(const QString &section, const QString &key, const QString &defaultValue)
{
    return getSetting(appName(), section, key, defaultValue);
}

void Settings::save(const QString &section, const QString &key, const QString &value)
{
    saveSetting(appName(), section, key, value);
}

bool Settings::toBool(const QString &value)
{
    return toNumber(value) != 0;
}

long Settings::toNumber(const QString &value)
{
    // Reads the leading number as the settings store's callers always have:
    // "12abc" is 12, "abc" is 0, "7.6" rounds to 8.
    const QString text = value.trimmed();
    int end = 0;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    while (end < text.size() && (text[end].isDigit() || text[end] == QLatin1Char('.')))
        ++end;
    bool ok = false;
    const double number = text.left(end).toDouble(&ok);
    if (!ok || !std::isfinite(number) || std::fabs(number) > 2147483647.0)
        return 0;
    return std::lround(number);
}

} // namespace qv::platform
