#include "viewer/CViewer.h"

#include "platform/Folders.h"
#include "platform/Services.h"

#include <QFileInfo>

namespace qv::viewer {

QString viewerProgram()
{
    const QString program =
        platform::resolveInstalledProgram(platform::Folders::installFolder() + QStringLiteral("viewer.exe"));
    const QFileInfo info(program);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

void CViewer::Show()
{
    const QString program = viewerProgram();
    if (program.isEmpty()) {
        platform::msgBox(nullptr, QStringLiteral("The compiled-plan viewer is not installed."), platform::Buttons::Ok,
                         platform::Icon::Exclamation);
        return;
    }
    if (!platform::processes().startDetached(program, viewerArguments(m_request)))
        platform::msgBox(nullptr, QStringLiteral("The compiled-plan viewer could not be started:\r\n") + program,
                         platform::Buttons::Ok, platform::Icon::Critical);
}

bool registerInstalledViewer()
{
    if (viewerProgram().isEmpty()) {
        create::registerSampleViewer(create::kSampleViewerProgId, nullptr);
        return false;
    }
    create::registerSampleViewer(create::kSampleViewerProgId, [] { return std::make_unique<CViewer>(); });
    return true;
}

} // namespace qv::viewer
