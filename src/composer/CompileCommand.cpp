#include "composer/CompileCommand.h"

#include "compile/CompileFiles.h"
#include "compile/CompileSetup.h"
#include "compile/CompilerLaunch.h"
#include "compile/TablePictures.h"
#include "composer/OpenPlanSession.h"
#include "composer/frmMain.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "platform/Services.h"
#include "resources/ResText.h"
#include "support/Advice.h"
#include "support/CWaitCursor.h"
#include "support/ErrorReports.h"
#include "support/gui/frmAdvise.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

#include <memory>

namespace qv::composer {

namespace {

// Shown while the plan is exported and its tables are drawn.
class frmCompileWait : public QDialog
{
public:
    explicit frmCompileWait(QWidget *owner) : QDialog(owner)
    {
        setObjectName(QStringLiteral("frmCompileWait"));
        setWindowTitle(QApplication::applicationDisplayName());
        setWindowFlag(Qt::WindowCloseButtonHint, false);
        auto *label = new QLabel(tr("Your plan is being prepared for compiling.\nPlease wait..."), this);
        label->setObjectName(QStringLiteral("lblWait"));
        label->setAlignment(Qt::AlignCenter);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(32, 24, 32, 24);
        layout->addWidget(label);
        setModal(false);
    }
};

} // namespace

void CompilePlan(frmMain &composer)
{
    if (!compile::CheckCompileReady())
        return;
    support::showAdvice(&composer, support::CompileAdvice, support::compileAdvice());
    if (platform::msgBox(&composer, GetResText(604), platform::Buttons::OkCancel, platform::Icon::Question)
        != platform::Answer::Ok)
        return;
    support::CWaitCursor wait(support::MousePointer::Hourglass);
    OpenPlanSession &session = composer.session();
    compile::storeCompileFolder(session.plan().folder());
    if (!composer.SavePlan())
        return; // the save reported why

    composer.setEnabled(false);
    auto waitWindow = std::make_unique<frmCompileWait>(&composer);
    waitWindow->show();
    waitWindow->repaint();
    platform::clock().processEvents();
    composer.showWorkView(0);
    composer.ReLoadHelper();

    auto giveBack = [&] {
        wait.Restore();
        waitWindow.reset();
        composer.setEnabled(true);
    };
    try {
        // The graph pictures of every table with a graph, then the export.
        compile::writeGraphsAndExport(session.plan(), compile::graphGeneratorPictures(),
                                      compile::PrintConversions::fromPreferences());
    } catch (const QvError &error) {
        giveBack();
        support::reportOperationError(&composer, error, QStringLiteral("Exporting ") + session.plan().folder());
        return;
    }
    const bool started = compile::LaunchCompiler(
        &composer, [&] { return compile::ConvertTables([&] { waitWindow.reset(); }); });
    if (!started) {
        giveBack();
        return;
    }
    wait.Restore();
    waitWindow.reset();
    composer.unload();
}

} // namespace qv::composer
