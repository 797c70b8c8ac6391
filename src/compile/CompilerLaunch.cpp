#include "compile/CompilerLaunch.h"

#include "compile/CompileSetup.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "resources/ResText.h"
#include "support/CWaitCursor.h"
#include "support/registry/CRegistry.h"

#include <QDir>
#include <QFileInfo>

namespace qv::compile {

namespace {

const QStringList kWordProKeys = {QStringLiteral("Software\\Lotus\\WordPro\\97.0\\lwpuser.ini\\InstalledPaths"),
                                  QStringLiteral("Software\\Lotus\\WordPro\\98.0\\lwpuser.ini\\InstalledPaths")};

QString wordProMastersFolder()
{
    for (const QString &key : kWordProKeys) {
        const QString folder =
            support::readRegistryValue(support::modRegistry::HKEY_CURRENT_USER, key, QStringLiteral("LWPMASTERSDIR"));
        if (!folder.isEmpty())
            return folder;
    }
    return QString();
}

// Word Pro compiles with the documents of the program's "Compile" folder.
void copyCompileDocuments(const QString &mastersFolder)
{
    const QDir compile(platform::resolveExistingPath(platform::Folders::installFolder() + QStringLiteral("Compile")));
    for (const QString &name : compile.entryList(QDir::Files))
        platform::copyFileAtomically(compile.filePath(name), platform::joinPath(mastersFolder, name));
}

} // namespace

QString noPrinterMessage()
{
    return QStringLiteral("There is no printer driver installed on your computer.  ")
           + QStringLiteral("The plan compilation process can not start unless you install a printer driver.  ")
           + QStringLiteral("Once the installation is complete you may compile your plan without a physical ")
           + QStringLiteral("printer connected.") + QStringLiteral("\r\n\r\n")
           + QStringLiteral("Refer to Windows help file for more information on printer installation. ");
}

bool CheckCompileReady()
{
    const QString installedTo = support::readRegistryValue(support::modRegistry::HKEY_LOCAL_MACHINE,
                                                           QString::fromLatin1(kTableConverterKey),
                                                           QString::fromLatin1(kInstalledToValue));
    if (!installedTo.isEmpty()) {
        if (platform::printers().printerNames().isEmpty()) {
            platform::msgBox(nullptr, noPrinterMessage(), platform::Buttons::Ok, platform::Icon::Critical);
            return false;
        }
        // The converter is built in: its entry names the installation it belongs to.
        if (QFileInfo(platform::withTrailingSeparator(installedTo)).isDir())
            return true;
    }
    platform::msgBox(nullptr, GetResText(624), platform::Buttons::Ok, platform::Icon::Critical);
    return false;
}

bool LaunchCompiler(QObject *owner, const std::function<bool()> &convertTables)
{
    support::CWaitCursor wait(support::MousePointer::Hourglass);
    const QString compiler = installedCompiler();
    QString program = compiler;
    const QString masters = wordProMastersFolder();
    if (masters.isEmpty()) {
        if (compiler.isEmpty())
            platform::msgBox(owner, QStringLiteral("Word Pro not installed"), platform::Buttons::Ok,
                             platform::Icon::Information);
    } else {
        copyCompileDocuments(masters);
        if (compiler.isEmpty())
            program = platform::joinPath(masters, QStringLiteral("BPlan.lwp"));
    }
    const QString failed = QStringLiteral("Error occured trying to compile program");
    if (program.isEmpty()) {
        platform::msgBox(owner, failed, platform::Buttons::Ok, platform::Icon::Critical);
        return false;
    }
    if (!convertTables())
        return false;
    // The compiler is a program: the desktop's "open" (xdg-open) would not run it.
    const bool started = compiler.isEmpty() ? platform::shell().open(owner, program)
                                            : platform::processes().startDetached(program, {});
    if (!started) {
        platform::msgBox(owner, failed, platform::Buttons::Ok, platform::Icon::Critical);
        return false;
    }
    return true;
}

} // namespace qv::compile
