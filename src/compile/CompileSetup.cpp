#include "compile/CompileSetup.h"

#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/Settings.h"

#include <QFileInfo>

namespace qv::compile {

QString compileFolder()
{
    const QString stored = platform::Settings::getSetting(QString::fromLatin1(kCompileApplication),
                                                          QString::fromLatin1(kCompileSection),
                                                          QString::fromLatin1(kCompileFolderKey));
    return stored.isEmpty() ? stored : platform::withTrailingSeparator(stored);
}

void storeCompileFolder(const QString &planFolder)
{
    platform::Settings::saveSetting(QString::fromLatin1(kCompileApplication), QString::fromLatin1(kCompileSection),
                                    QString::fromLatin1(kCompileFolderKey),
                                    platform::withTrailingSeparator(planFolder));
}

QString installedCompiler()
{
    const QString program =
        platform::resolveInstalledProgram(platform::Folders::installFolder() + QStringLiteral("compiler.exe"));
    const QFileInfo info(program);
    return info.isFile() && info.isExecutable() ? program : QString();
}

} // namespace qv::compile
