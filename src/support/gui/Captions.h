#pragma once

#include "resources/ResText.h"

#include <QString>

class QObject;
class QTabWidget;

namespace qv::support
{

// The captions of one window from the string table, as its loadCaptions
// sets them. A text the table cannot give is reported once (the caption
// report, naming the window and procedure) and that caption is left as it
// was, so the window always shows, at worst with a caption missing.
class CaptionLoader
{
public:
    CaptionLoader(QObject *owner, QString window, QString procedure = QStringLiteral("loadCaptions"));

    // GetResText(number) followed by the suffix; empty text after a failure.
    QString text(int number, const QString &suffix = QString());

    // Buttons, labels, group boxes, actions and menus take the text as their
    // caption; any other widget that is a window takes it as its title.
    void set(QObject *target, int number, const QString &suffix = QString());
    void setTab(QTabWidget *tabs, int index, int number);

    int failures() const { return m_failures; }

private:
    bool fetch(int number, QString &result);

    QObject *m_owner;
    QString m_window;
    QString m_procedure;
    int m_failures = 0;
};

// Sets a caption as `CaptionLoader::set` does, for a text already in hand.
void setCaptionText(QObject *target, const QString &text);

using qv::withoutAccessKey;

} // namespace qv::support
