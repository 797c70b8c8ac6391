#pragma once

// Opening things outside the program: web pages in the preferred browser,
// other programs, files with their own program, and the products message.
// Help files open in the program's help viewer (support/gui/Help.h).

#include <QString>
#include <QStringList>

class QObject;

namespace qv::support
{

// Opens the address in the preferred browser (the Browser preference, else
// the program that opens HTML files). Without a browser, says so and opens
// nothing. False when nothing was opened.
bool OpenUrl(QObject *owner, const QString &address);

// The shell's "open" on a file, owned by the window. False on failure.
bool ShellOpen(QObject *owner, const QString &path);

// The program that opens files named like `fileName` ("temphtml.htm"), or
// empty text. It asks about a small HTML file made for the question in a
// private folder of the user's temporary folder, and always removes it.
QString FindHtmlProgram(const QString &fileName);

// Starts another program shown normally; a missing file is reported with
// "File not found: " and the path. False when nothing was started.
bool RunProgram(const QString &path, const QStringList &arguments = {});

// The information message about the maker's other products.
void ShowProducts(QObject *owner = nullptr);
QString productsText();

// The maker's two web sites (settings section "Online", keys "MainSite"
// and "SecondSite"), opened by the welcome menu and the Plan Composer.
QString mainWebSite();
QString secondWebSite();
bool OpenMainWebSite(QObject *owner);
bool OpenSecondWebSite(QObject *owner);

} // namespace qv::support
