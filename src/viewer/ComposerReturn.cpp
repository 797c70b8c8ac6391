#include "viewer/ComposerReturn.h"

#include "compile/compiler/PlanSource.h"
#include "platform/Folders.h"
#include "platform/Services.h"

#include <QFileInfo>

namespace qv::viewer {

QString composerProgram()
{
    const QString program =
        platform::resolveInstalledProgram(platform::Folders::installFolder() + QStringLiteral("quorvex.exe"));
    const QFileInfo info(program);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

QString planOfCompiledFile(const QString &compiledPlan)
{
    if (compiledPlan.isEmpty())
        return QString();
    return compiler::planDocumentOfFolder(QFileInfo(compiledPlan).absolutePath());
}

bool startComposerOn(const QString &planDocument)
{
    const QString composer = composerProgram();
    return !composer.isEmpty() && !planDocument.isEmpty() &&
           platform::processes().startDetached(composer, {QStringLiteral("-o"), planDocument});
}

} // namespace qv::viewer
