// The helper pane: the section's instructions, example text and example
// table.

#include "composer/frmMain.h"

#include "composer/ComposerArt.h"
#include "composer/ComposerCommon.h"
#include "composer/ComposerTexts.h"
#include "composer/OutlineNodes.h"
#include "composer/RecentPlans.h"
#include "composer/SectionFiles.h"
#include "composer/frmTables.h"
#include "controls/spell/SpellChecker.h"
#include "controls/richtextview/DisplayBox.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/WorkbookView.h"
#include "plan/Plan.h"
#include "plan/PlanErrors.h"
#include "plan/WorkingCopies.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "resources/ResText.h"
#include "resources/art/Artwork.h"
#include "shell/CurrentPlan.h"
#include "shell/MMain.h"
#include "shell/frmParent.h"
#include "shell/modBusinessRule.h"
#include "support/CWaitCursor.h"
#include "support/ErrorReports.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"
#include "support/Preferences.h"
#include "support/gui/Captions.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/frmPreferences.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QWindow>
#include <QPointer>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qv::composer {

// ---- Helper pane -------------------------------------------------------------

void frmMain::ReLoadHelper()
{
    if (picHelper->isHidden())
        return;
    if (optHelper[ExampleTable]->isChecked())
        showExampleTable(false);
    else if (optHelper[ExampleText]->isChecked())
        showExampleText();
    else
        showInstructions();
}

void frmMain::switchHelper()
{
    sbsIEWeb->setVisible(sbsIEWeb->isHidden());
    f1Helper->setVisible(sbsIEWeb->isHidden());
}

void frmMain::showHelperFile(int option, const QString &path, int missingMessage)
{
    if (!currentSection())
        return;
    if (currentSection()->key().isEmpty()) {
        // A section of the user's own has no instructions in the library.
        if (option == Instructions)
            sbsIEWeb->setText(ownSectionInstructions(currentSection()->name()));
        else
            sbsIEWeb->clear();
    } else if (!QFileInfo::exists(path)) {
        sbsIEWeb->clear();
        if (!m_reportedMissing.contains(option)) {
            m_reportedMissing.insert(option);
            tell(this, resText(missingMessage), platform::Icon::Information);
        }
    } else {
        const QString failure = sbsIEWeb->loadFile(path);
        if (!failure.isEmpty() && !m_reportedMissing.contains(option)) {
            m_reportedMissing.insert(option);
            support::reportOperationError(this, kFileNotFound, failure, QStringLiteral("Loading ") + path);
        }
    }
    if (sbsIEWeb->isHidden())
        switchHelper();
    returnFocus();
}

void frmMain::showInstructions()
{
    if (currentSection())
        showHelperFile(Instructions, instructionFilePath(plan(), currentSection()->key()), 1608);
}

void frmMain::showExampleText()
{
    if (currentSection())
        showHelperFile(ExampleText, exampleFilePath(plan(), currentSection()->key()), 1609);
}

void frmMain::showExampleTable(bool bringIntoView)
{
    if (!currentSection())
        return;
    const QString path = exampleTablePath(plan(), m_tableName);
    auto book = std::make_unique<workbook::Workbook>();
    bool read = false;
    if (currentSection()->hasTables() && !path.isEmpty() && QFileInfo::exists(path)) {
        try {
            book->read(path);
            read = true;
        } catch (const QvError &) {
            read = false; // an unreadable example falls back as a missing one does
        }
    }
    if (!read) {
        optHelper[Instructions]->setChecked(true);
        showInstructions();
        return;
    }
    f1Helper->setWorkbook(book.get());
    m_exampleTable = std::move(book);
    f1Helper->setShowColumnHeadings(false);
    f1Helper->setShowRowHeadings(false);
    f1Helper->setShowFormulaBar(false);
    f1Helper->setShowGridLines(false);
    f1Helper->setBackgroundColor(palette().color(QPalette::Button));
    if (bringIntoView && f1Helper->isHidden())
        switchHelper();
    f1Helper->setActiveCell(1, 1);
    if (!f1Helper->isHidden()) {
        f1Helper->setFocus();
        f1Helper->goHome();
    }
    returnFocus();
}

void frmMain::returnFocus()
{
    if (workViews->currentWidget() == rtfWorkArea)
        rtfWorkArea->setFocus();
    else
        fOne->setFocus();
}

} // namespace qv::composer
