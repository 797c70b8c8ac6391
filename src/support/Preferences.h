#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace qv::support
{

// The user's preferences as the whole program reads them: each getter
// applies its default and limits, so a value missing from the settings
// store behaves as its default. The Preferences dialog writes them.
class Preferences
{
public:
    static qint16 getAutoSaveTime();       // "Minutes"; 0 or unreadable gives 10
    static QString getPreferenceBrowser(); // "Browser"; else the program for HTML files
    static QString getPreferenceFont();    // "Font"; empty gives "Times New Roman"
    static qint16 getPreferenceFontSize(); // "Font Size"; below 6 gives 11
    static qint16 getRecentFilesCount();   // "Recent Count", default 4
    static bool IsPreferencePrintBlack();  // "Print Color"
    static bool IsPreferencePrintNormal(); // "Print Normal"
    static bool IsAutoSave();              // "AutoSave"
    static bool showRecentFileList();      // "Recent Files"

    // The stored browser alone, without the fallback.
    static QString storedBrowser();

    // What the dialog writes, as the controls show it.
    struct Values {
        bool printNormal = true;
        bool printBlack = true;
        QString font;
        QString fontSize;
        bool autoSave = false;
        int minutes = 10;
        QString browser;
        bool recentFiles = true;
        int recentCount = 4;
    };
    // The nine keys and their texts, in the order they are written.
    static QList<QPair<QString, QString>> entries(const Values &values);
    // Writes all nine keys in that order.
    static void save(const Values &values);
    static Values current();

    // The sizes the font size box offers, in order.
    static QStringList fontSizes();
    // Each font once, names compared without regard to case, first spelling
    // and order kept.
    static QStringList distinctFonts(const QStringList &fonts);

    // The range of the two scroll bars.
    static constexpr int kMinMinutes = 1;
    static constexpr int kMaxMinutes = 30;
    static constexpr int kMinRecent = 1;
    static constexpr int kMaxRecent = 4;

    // The settings section and the HTML file used to find the browser.
    static QString section();
    static QString browserProbeFile() { return QStringLiteral("temphtml.htm"); }
};

} // namespace qv::support
