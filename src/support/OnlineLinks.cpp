#include "support/OnlineLinks.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "support/Preferences.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

namespace qv::support
{

using platform::Buttons;
using platform::Icon;

namespace
{

const QString kOnlineSection = QStringLiteral("Online");

// Removes the probe file however the lookup ends.
struct RemoveOnExit {
    QString path;
    ~RemoveOnExit()
    {
        if (!path.isEmpty())
            QFile::remove(path);
    }
};

} // namespace

QString FindHtmlProgram(const QString &fileName)
{
    // Only the name counts (the association goes by its extension); a
    // private folder keeps the probe clear of other users' files.
    const QString name = QFileInfo(fileName).fileName();
    if (name.isEmpty())
        return QString();
    QTemporaryDir folder(platform::Folders::tempFolder() + QStringLiteral("quorvex-XXXXXX"));
    if (!folder.isValid())
        return QString();
    RemoveOnExit probe{folder.filePath(name)};
    if (!platform::writeFileAtomically(probe.path, QByteArrayLiteral("<HTML> <\\HTML>\r\n")).isEmpty())
        return QString();
    return platform::shell().associatedProgram(probe.path).trimmed();
}

bool OpenUrl(QObject *owner, const QString &address)
{
    const QString browser = Preferences::getPreferenceBrowser();
    if (browser.isEmpty()) {
        platform::msgBox(owner, QStringLiteral("Could not find associated Browser."), Buttons::Ok, Icon::Exclamation,
                         QStringLiteral("Browser Not Found."));
        return false;
    }
    // Encoded, the address holds no blank or quote that could split it
    // into several arguments.
    const QString encoded = QString::fromLatin1(QUrl::fromUserInput(address).toEncoded());
    if (!platform::shell().open(owner, browser, encoded)) {
        platform::msgBox(owner, QStringLiteral("Web Page not Opened"), Buttons::Ok, Icon::Exclamation,
                         QStringLiteral("URL Failed"));
        return false;
    }
    return true;
}

bool ShellOpen(QObject *owner, const QString &path)
{
    return platform::shell().open(owner, path);
}

bool RunProgram(const QString &path, const QStringList &arguments)
{
    const QString program = platform::resolveInstalledProgram(path);
    const QFileInfo info(program);
    if (!info.isFile()) {
        platform::msgBox(nullptr, QStringLiteral("File not found: ") + path, Buttons::Ok, Icon::Critical);
        return false;
    }
    if (!platform::processes().startDetached(info.absoluteFilePath(), arguments, info.absolutePath())) {
        // A program that is there but will not start is a failure too.
        platform::msgBox(nullptr, QStringLiteral("The program could not be started: ") + path, Buttons::Ok,
                         Icon::Critical);
        return false;
    }
    return true;
}

QString productsText()
{
    return QStringLiteral(
        "Corvane makes business-information software for owners and managers of small and growing "
        "businesses: Quorvex for business plans and marketing plans, the Financial Advisor for reading "
        "a plan's statements and ratios, and ready-made templates and sample plans for the most common "
        "kinds of business.\n\n"
        "Visit our small-business web site to learn about our other products, updates and free planning "
        "guides.");
}

void ShowProducts(QObject *owner)
{
    platform::msgBox(owner, productsText(), Buttons::Ok, Icon::Information, QStringLiteral("Corvane Products"));
}

QString mainWebSite()
{
    return platform::Settings::get(kOnlineSection, QStringLiteral("MainSite"),
                                   QStringLiteral("https://www.corvane.com/"));
}

QString secondWebSite()
{
    return platform::Settings::get(kOnlineSection, QStringLiteral("SecondSite"),
                                   QStringLiteral("https://smallbusiness.corvane.com/"));
}

bool OpenMainWebSite(QObject *owner)
{
    return OpenUrl(owner, mainWebSite());
}

bool OpenSecondWebSite(QObject *owner)
{
    return OpenUrl(owner, secondWebSite());
}

} // namespace qv::support
