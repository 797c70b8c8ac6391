// The work area: the shown section's text and tables, protection, layout
// and zoom.

#include "composer/frmMain.h"

#include "composer/ComposerArt.h"
#include "composer/ComposerCommon.h"
#include "composer/OutlineNodes.h"
#include "composer/RecentPlans.h"
#include "composer/SectionFiles.h"
#include "composer/frmTables.h"
#include "controls/spell/SpellChecker.h"
#include "controls/richtext/Rtf.h"
#include "controls/richtextview/DisplayBox.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/WorkbookView.h"
#include "editors/wordprocessor/SectionWordProcessor.h"
#include "plan/Plan.h"
#include "plan/PlanErrors.h"
#include "plan/WorkingCopies.h"
#include "platform/Application.h"
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
#include "support/Advice.h"
#include "support/CWaitCursor.h"
#include "support/ErrorReports.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"
#include "support/Preferences.h"
#include "support/gui/Captions.h"
#include "support/gui/frmAdvise.h"
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
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qv::composer {

namespace {

// Page of a section text: US Letter, in twips.
constexpr int kPageWidthTwips = 12240;
constexpr int kPageHeightTwips = 15840;

} // namespace

// ---- Work area ---------------------------------------------------------------

void frmMain::forgetShownSection()
{
    m_session->setCurrentSection(nullptr);
    m_position = {};
    m_saveTarget.clear();
    m_tableName.clear();
    m_session->setTextWritten();
}

bool frmMain::writeSectionText()
{
    const Result<void> written = writeShownText();
    if (!written)
        support::reportOperationError(this, written.failure());
    return written.ok();
}

Result<void> frmMain::writeShownText(bool evenUnchanged)
{
    if (!currentSection() || (!textChanged() && !evenUnchanged) || m_saveTarget.isEmpty())
        return success();
    // Every character gets an explicit font, so the text reads the same in
    // every program that opens the file.
    m_loadingText = true;
    const QTextCursor kept = rtfWorkArea->textCursor();
    rtfWorkArea->setSelection(0, rtfWorkArea->plainTextLength());
    rtfWorkArea->makeFontsExplicit();
    rtfWorkArea->setTextCursor(kept);
    m_loadingText = false;
    const QString failure = composer::writeSectionText(*rtfWorkArea->document(), m_saveTarget);
    if (!failure.isEmpty())
        return Failure{kFileAccessError, failure, QStringLiteral("Saving ") + m_saveTarget};
    m_session->setTextWritten();
    return success();
}

void frmMain::keepTypedText()
{
    if (m_loadingText || !currentSection() || !textChanged() || m_saveTarget.isEmpty() || rtfWorkArea->isReadOnly())
        return;
    const std::unique_ptr<QTextDocument> copy = rtf::copyDocument(*rtfWorkArea->document());
    rtf::makeFontsExplicit(*copy, 0, copy->characterCount());
    // A write that fails is tried again at the next pause, and reported by
    // the write that leaving the section or saving makes.
    if (composer::writeSectionText(*copy, m_saveTarget).isEmpty())
        m_session->setTextWritten();
}

void frmMain::showSection(const std::shared_ptr<plan::Section> &section, const OutlinePosition &position)
{
    // A text that cannot be written stays on screen, so that the user can
    // try again rather than lose it.
    if (!m_session->writeHeldEdits() || !writeChangedTables())
        return;
    m_session->setCurrentSection(section);
    m_position = position;
    m_reportedMissing.clear();
    m_session->setTextWritten();
    lblSectionName->setText(outlineNumber(position) + QStringLiteral(" - ") + section->name());

    bool isNew = false;
    if (section->textFileName().isEmpty()) {
        const QString failure = createSectionTextFile(*section, support::Preferences::getPreferenceFont(),
                                                      support::Preferences::getPreferenceFontSize());
        if (!failure.isEmpty())
            support::reportOperationError(this, kFileAccessError, failure, QStringLiteral("Creating the text of ") + section->name());
        else {
            isNew = true;
            m_session->markModified(); // the plan document now names the file
        }
    }

    loadShownText(isNew);

    const bool hasKey = !section->key().isEmpty();
    optHelper[Instructions]->setEnabled(hasKey);
    optHelper[ExampleText]->setEnabled(hasKey);
    optHelper[ExampleTable]->setEnabled(hasKey && section->hasTables());
    showSectionTables();
    ReLoadHelper();
}

void frmMain::loadShownText(bool isNew)
{
    const std::shared_ptr<plan::Section> section = currentSection();
    m_loadingText = true;
    setUpdatesEnabled(false);
    const QString toShow = section->textFileToShow();
    if (toShow.isEmpty()) {
        rtfWorkArea->clear();
    } else {
        const QString failure = rtfWorkArea->loadRtfFile(toShow);
        if (!failure.isEmpty()) {
            rtfWorkArea->clear();
            support::reportOperationError(this, kFileNotFound, failure, QStringLiteral("Loading ") + toShow);
        }
    }
    m_saveTarget = section->primaryTextFileName().isEmpty()
                       ? QString()
                       : platform::joinPath(section->folder(), section->primaryTextFileName());
    rtfWorkArea->setPageWidth(kPageWidthTwips);
    rtfWorkArea->setPageHeight(kPageHeightTwips);
    if (isNew) {
        rtfWorkArea->setSelection(0, rtfWorkArea->plainTextLength());
        rtfWorkArea->makeFontsExplicit();
        rtfWorkArea->clearSelection();
    }
    rtfWorkArea->setBackgroundColor(section->status() == plan::Exclude ? palette().color(QPalette::Button)
                                                                        : QColor(255, 255, 255));
    // A text the word processor holds is changed there only.
    rtfWorkArea->setReadOnly(toShow.isEmpty() || m_wordProcessor->holds(m_saveTarget));
    setUpdatesEnabled(true);
    m_loadingText = false;
}

void frmMain::openWordProcessor()
{
    if (!currentSection() || m_saveTarget.isEmpty() || currentSection()->textFileToShow().isEmpty())
        return;
    showWorkView(0);
    if (!m_wordProcessor->holds(m_saveTarget)) {
        // The window opens on the working copy, which gets the text as shown.
        const Result<void> written = writeShownText(true);
        if (!written) {
            support::reportOperationError(this, written.failure());
            return;
        }
    }
    const QString caption = platform::applicationTitle() + QStringLiteral(" - ") + outlineNumber(m_position)
                            + QStringLiteral(" - ") + currentSection()->name();
    if (!m_wordProcessor->open(m_saveTarget, caption))
        return;
    rtfWorkArea->setReadOnly(true);
    updateWorkCommands();
}

void frmMain::wordProcessorReturned(const QString &file, bool changed)
{
    if (changed)
        m_session->markModified();
    // The section on screen shows what was written there.
    if (currentSection() && !m_saveTarget.isEmpty()
        && QFileInfo(file).absoluteFilePath() == QFileInfo(m_saveTarget).absoluteFilePath()) {
        loadShownText(false);
        m_session->setTextWritten();
    }
    updateWorkCommands();
}

void frmMain::showSectionTables()
{
    mnuExtraTablesPopUp->clear();
    m_session->setCurrentTable(nullptr);
    m_tableName.clear();
    const bool hasTables = currentSection()->hasTables();
    tabWorkArea->setTabEnabled(1, hasTables);
    cmdTables->setVisible(hasTables && currentSection()->tables().count() >= 2);
    if (!hasTables) {
        fOne->setWorkbook(nullptr);
        setProtection(true, false);
        showWorkView(0);
        return;
    }
    const plan::Tables &tables = currentSection()->tables();
    for (int index = 2; index <= tables.count(); ++index) {
        const auto &table = tables.item(index);
        QAction *item = mnuExtraTablesPopUp->addAction(table->displayName().isEmpty() ? table->name()
                                                                                       : table->displayName());
        item->setObjectName(QStringLiteral("mnuExtraTables_%1").arg(index - 2));
        item->setData(table->name());
    }
    showTable(tables.item(1)->name());
}

std::shared_ptr<plan::Table> frmMain::tableNamed(const QString &name) const
{
    if (!currentSection())
        return nullptr;
    for (const auto &table : currentSection()->tables()) {
        if (table->name().compare(name, Qt::CaseInsensitive) == 0)
            return table;
    }
    return nullptr;
}

void frmMain::showTable(const QString &name)
{
    std::shared_ptr<plan::Table> table = tableNamed(name);
    workbook::Workbook *book = table ? m_session->table(table->name()) : nullptr;
    if (!book)
        return;
    m_session->setCurrentTable(table);
    m_tableName = table->name();
    const int zoom = fOne->workbook() ? fOne->zoom() : 100;
    fOne->setUpdatesEnabled(false);
    fOne->setWorkbook(book);
    fOne->setProperty("tablePath", platform::joinPath(plan().folder(), table->name() + QStringLiteral(".vts")));
    fOne->setShowColumnHeadings(false);
    fOne->setShowRowHeadings(false);
    fOne->setShowFormulaBar(false);
    fOne->setShowBorder(false);
    fOne->setZoom(zoom);
    fOne->setBackgroundColor(palette().color(QPalette::Base));
    fOne->setUpdatesEnabled(true);
    // Every change of table locks the cells again.
    setProtection(true, false);
    if (workViews->currentWidget() == fOne) {
        fOne->setFocus();
        fOne->goHome();
        const int position = currentSection()->tables().indexOf(table.get());
        lblSectionName->setText(QStringLiteral("%1 %2.%3 - %4")
                                    .arg(support::withoutAccessKey(resText(1054)), outlineNumber(m_position))
                                    .arg(position)
                                    .arg(table->displayName().isEmpty() ? table->name() : table->displayName()));
    }
    updateWorkCommands();
}

void frmMain::showWorkView(int index)
{
    if (index == 1 && !currentTable())
        index = 0;
    if (tabWorkArea->currentIndex() != index) {
        tabWorkArea->setCurrentIndex(index); // comes back here
        return;
    }
    workViews->setCurrentIndex(index);
    // The side buttons follow the view: word processor and spelling beside
    // the text, spreadsheet and graph generator beside a table.
    const bool table = index == 1;
    sscmdEdit->setIcon(composerImage(table ? QStringLiteral("Table") : QStringLiteral("Text")));
    sscmdAssist->setIcon(composerImage(table ? QStringLiteral("Graph") : QStringLiteral("Spell")));
    sscmdEdit->setToolTip(table ? tr("Spread Sheet") : tr("Word Processor"));
    sscmdAssist->setToolTip(table ? support::withoutAccessKey(resText(1074))
                                  : support::withoutAccessKey(resText(1093)));
    if (index == 1 && currentTable()) {
        showTable(currentTable()->name());
    } else if (currentSection()) {
        lblSectionName->setText(outlineNumber(m_position) + QStringLiteral(" - ") + currentSection()->name());
    }
    updateWorkCommands();
}

void frmMain::setProtection(bool locked, bool ask)
{
    QAction *unlock = m_items.unlockCells;
    workbook::Workbook *book = currentTable() ? m_session->table(currentTable()->name()) : nullptr;
    if (!locked && ask
        && composer::ask(this, resText(1602), platform::Buttons::YesNo, platform::Icon::Question) != platform::Answer::Yes)
        locked = true;
    if (book)
        book->setProtected(locked);
    unlock->setEnabled(book != nullptr);
    unlock->setChecked(!locked);
    if (!locked && ask)
        support::showAdvice(this, support::UnlockCellAdvice, support::unlockCellAdvice());
}

void frmMain::clearCommand()
{
    if (workViews->currentWidget() != fOne || !fOne->workbook()) {
        rtfWorkArea->textCursor().removeSelectedText();
        return;
    }
    workbook::Workbook *book = fOne->workbook();
    for (const workbook::CellRange &range : book->selection().ranges) {
        if (book->hasLockedCells(range)) {
            tell(this, resText(1603), platform::Icon::Exclamation);
            return;
        }
    }
    fOne->clearSelection();
}

void frmMain::showHelperPane(bool show)
{
    if (show == !picHelper->isHidden())
        return;
    QList<int> sizes = splitMain->sizes();
    if (!show) {
        // The pane's two sizes wait in its tag until it shows again.
        picHelper->setProperty("tag", QStringLiteral("%1:%2").arg(sizes[1]).arg(sizes[2]));
        picHelper->hide();
        return;
    }
    picHelper->show();
    const QStringList kept = picHelper->property("tag").toString().split(QLatin1Char(':'));
    if (kept.size() == 2 && kept[0].toInt() > 0 && kept[1].toInt() > 0) {
        sizes = splitMain->sizes();
        sizes[1] = kept[0].toInt();
        sizes[2] = kept[1].toInt();
        splitMain->setSizes(sizes);
    }
}

void frmMain::setLayout(Layout layout)
{
    const int item = layout == Layout::ViewAll ? 1 : layout == Layout::HideNavigator ? 2 : 3;
    m_items.layouts[size_t(item - 1)]->setChecked(true);
    picHelper->setUpdatesEnabled(false);
    switch (layout) {
    case Layout::ViewAll:
        if (picOutline->isHidden()) {
            showHelperPane(true);
            showOutlinePane(true);
        }
        break;
    case Layout::HideNavigator:
        showHelperPane(true);
        showOutlinePane(false);
        break;
    case Layout::ExpandWorkspace:
        showOutlinePane(false);
        showHelperPane(false);
        break;
    }
    picHelper->setUpdatesEnabled(true);
    if (layout != Layout::ExpandWorkspace)
        ReLoadHelper();
}

int frmMain::zoom() const
{
    if (workViews->currentWidget() == fOne && fOne->workbook())
        return fOne->zoom();
    if (workViews->currentWidget() == rtfWorkArea && currentSection())
        return rtfWorkArea->zoomFactor();
    return 0;
}

void frmMain::setZoom(int percent)
{
    if (workViews->currentWidget() == fOne && fOne->workbook())
        fOne->setZoom(percent);
    else if (workViews->currentWidget() == rtfWorkArea && currentSection())
        rtfWorkArea->setZoomFactor(percent);
    updateZoomChecks();
}

void frmMain::stepZoom()
{
    const int current = zoom();
    if (current == 0)
        return;
    setZoom(current <= 150 ? current + 10 : 75);
}

void frmMain::updateZoomChecks()
{
    const int current = zoom();
    const int zooms[3] = {125, 100, 75};
    for (int index = 0; index < 3; ++index)
        m_items.zooms[size_t(index)]->setChecked(current == zooms[index]);
}

bool frmMain::writeChangedTables()
{
    const Result<void> written = m_session->writeChangedTables();
    if (!written)
        support::reportOperationError(this, written.failure());
    return written.ok();
}

void frmMain::moveTable(bool forward)
{
    const std::vector<TableEntry> order = tablesInPlanOrder(plan().outline());
    if (order.empty())
        return;
    int target = forward ? 0 : -1;
    for (size_t index = 0; index < order.size(); ++index) {
        if (order[index].table == currentTable()) {
            target = int(index) + (forward ? 1 : -1);
            break;
        }
    }
    if (target < 0 && !currentTable())
        target = 0;
    if (target < 0 || target >= int(order.size()))
        return; // the first or last table stays in place
    const TableEntry &place = order[size_t(target)];
    if (m_position.chapter != place.chapter || m_position.section != place.section) {
        QTreeWidgetItem *node = nodeOfKey(sectionKey(place.chapter, place.section));
        if (!node)
            return;
        node->parent()->setExpanded(true);
        tvwOutline->setCurrentItem(node);
        if (m_position.chapter != place.chapter || m_position.section != place.section)
            return; // the shown section could not be left
    }
    showTable(place.table->name());
    showWorkView(1);
    if (optHelper[ExampleTable]->isChecked())
        ReLoadHelper();
    if (!fOne->isHidden())
        fOne->setFocus();
}

bool frmMain::gotoTable(const QString &name)
{
    if (name.isEmpty())
        return false;
    const plan::PlanOutline::TablePlace place = m_session->findTable(name);
    if (!place.table)
        return false;
    return goToTablePlace(place.chapter, place.section, place.table->name());
}

} // namespace qv::composer
