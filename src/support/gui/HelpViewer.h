#pragma once

#include <QMainWindow>
#include <QUrl>

class QObject;
class QTextBrowser;

namespace qv::support
{

// Opens a help file ("BPlan8.hlp", "financial advisor.hlp",
// "products.hlp") in the program's help viewer, at a topic (an anchor of
// its page) when one is named. A missing page is reported; nothing else
// happens.
void OpenHelpFile(QObject *owner, const QString &helpFile, const QString &topic = QString());

// The one help window of the program: the pages under Help/ in a browser
// with Back, Forward and Home; links between pages stay in the window,
// web addresses go to the preferred browser.
class HelpViewer : public QMainWindow
{
    Q_OBJECT
public:
    // The window, made on first use.
    static HelpViewer *instance();

    // Shows the page (a local HTML file), makes it the Home page and starts
    // the Back and Forward history afresh.
    void showPage(const QString &path, const QString &topic = QString());
    QTextBrowser *browser() const { return m_browser; }
    QUrl home() const { return m_home; }

private:
    HelpViewer();
    void followLink(const QUrl &url);
    void updateTitle();

    QTextBrowser *m_browser;
    QUrl m_home;
};

} // namespace qv::support
