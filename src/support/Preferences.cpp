#include "support/Preferences.h"

#include "platform/Settings.h"
#include "support/OnlineLinks.h"

#include <QSet>

#include <limits>

namespace qv::support
{

using platform::Settings;

namespace
{

const QString kMinutes = QStringLiteral("Minutes");
const QString kAutoSave = QStringLiteral("AutoSave");
const QString kFont = QStringLiteral("Font");
const QString kFontSize = QStringLiteral("Font Size");
const QString kRecentFiles = QStringLiteral("Recent Files");
const QString kRecentCount = QStringLiteral("Recent Count");
const QString kBrowser = QStringLiteral("Browser");
const QString kPrintColor = QStringLiteral("Print Color");
const QString kPrintNormal = QStringLiteral("Print Normal");

const QString kOn = QStringLiteral("-1");
const QString kOff = QStringLiteral("0");

QString value(const QString &key, const QString &defaultValue)
{
    return Settings::get(Preferences::section(), key, defaultValue);
}

long number(const QString &key, const QString &defaultValue)
{
    return Settings::toNumber(value(key, defaultValue));
}

bool fits16Bits(long n)
{
    return n >= std::numeric_limits<qint16>::min() && n <= std::numeric_limits<qint16>::max();
}

} // namespace

QString Preferences::section()
{
    return QStringLiteral("Preferences");
}

qint16 Preferences::getAutoSaveTime()
{
    // A negative or oversized interval (a hand-edited file) would make the
    // autosave timer misbehave; it reads as the default like 0 does.
    const long minutes = number(kMinutes, QStringLiteral("10"));
    return minutes <= 0 || !fits16Bits(minutes) ? 10 : static_cast<qint16>(minutes);
}

QString Preferences::storedBrowser()
{
    return value(kBrowser, QString()).trimmed();
}

QString Preferences::getPreferenceBrowser()
{
    const QString browser = storedBrowser();
    return browser.isEmpty() ? FindHtmlProgram(browserProbeFile()) : browser;
}

QString Preferences::getPreferenceFont()
{
    const QString font = value(kFont, QStringLiteral("Times New Roman"));
    return font.isEmpty() ? QStringLiteral("Times New Roman") : font;
}

qint16 Preferences::getPreferenceFontSize()
{
    const long size = number(kFontSize, QStringLiteral("11"));
    return size < 6 || !fits16Bits(size) ? 11 : static_cast<qint16>(size);
}

qint16 Preferences::getRecentFilesCount()
{
    // The list holds at most four plans; a count outside 0 to 4 (only a
    // hand-edited file has one) is held to that range.
    return static_cast<qint16>(qBound(0L, number(kRecentCount, QStringLiteral("4")), long(kMaxRecent)));
}

bool Preferences::IsPreferencePrintBlack()
{
    return Settings::toBool(value(kPrintColor, kOn));
}

bool Preferences::IsPreferencePrintNormal()
{
    return Settings::toBool(value(kPrintNormal, kOn));
}

bool Preferences::IsAutoSave()
{
    return Settings::toBool(value(kAutoSave, kOff));
}

bool Preferences::showRecentFileList()
{
    return Settings::toBool(value(kRecentFiles, kOn));
}

QList<QPair<QString, QString>> Preferences::entries(const Values &v)
{
    return {{kPrintNormal, Settings::fromBool(v.printNormal)},
            {kPrintColor, Settings::fromBool(v.printBlack)},
            {kFont, v.font},
            {kFontSize, v.fontSize},
            {kAutoSave, Settings::fromBool(v.autoSave)},
            {kMinutes, QString::number(v.minutes)},
            {kBrowser, v.browser},
            {kRecentFiles, Settings::fromBool(v.recentFiles)},
            {kRecentCount, QString::number(v.recentCount)}};
}

void Preferences::save(const Values &values)
{
    for (const auto &[key, text] : entries(values))
        Settings::save(section(), key, text);
}

Preferences::Values Preferences::current()
{
    Values v;
    v.printNormal = IsPreferencePrintNormal();
    v.printBlack = IsPreferencePrintBlack();
    v.font = getPreferenceFont();
    v.fontSize = QString::number(getPreferenceFontSize());
    v.autoSave = IsAutoSave();
    v.minutes = getAutoSaveTime();
    v.browser = getPreferenceBrowser();
    v.recentFiles = showRecentFileList();
    v.recentCount = getRecentFilesCount();
    return v;
}

QStringList Preferences::fontSizes()
{
    static const QStringList sizes = [] {
        QStringList list;
        for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
            list << QString::number(size);
        return list;
    }();
    return sizes;
}

QStringList Preferences::distinctFonts(const QStringList &fonts)
{
    QStringList result;
    QSet<QString> seen;
    for (const QString &font : fonts) {
        const QString key = font.toCaseFolded();
        if (font.isEmpty() || seen.contains(key))
            continue;
        seen.insert(key);
        result << font;
    }
    return result;
}

} // namespace qv::support
