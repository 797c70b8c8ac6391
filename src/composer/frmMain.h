#pragma once

// The Plan Composer: the outline tree, the helper pane with the section's
// instructions and examples, and the work area with the section's text.

#include "composer/OpenPlanSession.h"
#include "composer/OutlineEditing.h"
#include "composer/OutlineKeys.h"
#include "composer/PlanTables.h"
#include "create/profile/frmProfile.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMenu;
class QRadioButton;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QTabBar;
class QWindow;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qv::plan {
class Chapters;
class Plan;
class Section;
} // namespace qv::plan

namespace qv::richtext {
class DisplayBox;
class TextEditor;
} // namespace qv::richtext

namespace qv::plan {
class Table;
} // namespace qv::plan

namespace qv::spell {
class SpellChecker;
} // namespace qv::spell

namespace qv::editors {
class SectionWordProcessor;
class frmSpreadSheet;
} // namespace qv::editors

namespace qv::workbook {
class Workbook;
class WorkbookSet;
class WorkbookView;
} // namespace qv::workbook

namespace qv::composer {

class frmTables;
class TableWindows;

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The composer window while one is loaded, and loading it on demand.
    static frmMain *loaded();
    static frmMain &load();

    // The open plan this window leads; other windows join it here.
    OpenPlanSession &session() const { return *m_session; }

    // ---- Opening and closing ----------------------------------------------
    // Opens the document into a fresh plan; only when the library accepts it
    // does it become the current plan and show. A refused document leaves
    // the plan on screen as it was and shows the library's reason.
    bool OpenPlan(const QString &path);
    // Shows the plan that the current plan already holds.
    void planOpen();
    // Offers to save; false when the user cancelled (or the save failed).
    bool ClosePlan();
    void SetPlantype(int businessKind, bool newBusiness);
    // Saves the shown text and the changed tables, the plan document, and
    // commits the working copies (ComposerSave.cpp). False when a step
    // failed (reported), the user chose no place, or a save is under way.
    bool SavePlan();

    // File menu commands.
    void openPlanDialog();
    void startWizard(const QString &program);
    void mainMenu();
    void exitComposer();

    // Closes the window without asking (the program's own unload).
    void unload();
    bool closePrompt() const { return m_closePrompt; }

    // ---- Outline tree -------------------------------------------------------
    void BuildTree(const plan::Chapters &chapters);
    static bool IsChapterNode(const QTreeWidgetItem *node);
    static bool IsSectionNode(const QTreeWidgetItem *node);
    static int ChapterIndexOf(const QTreeWidgetItem *node);
    void ToggleChapters();
    QTreeWidgetItem *nodeOfKey(const QString &key) const;
    // Files dropped on a section node: each ".RTF" file becomes a new section
    // of the node's chapter, its text a copy in the plan folder (the user's
    // file is never written). Returns how many sections were added.
    int dropTextFiles(QTreeWidgetItem *node, const QStringList &paths);
    // What a node click does: status bar, navigation buttons, work area.
    void nodeClick(QTreeWidgetItem *node);

    // ---- Work area and helper ---------------------------------------------------
    std::shared_ptr<plan::Section> currentSection() const { return m_session->currentSection(); }
    QString saveTarget() const { return m_saveTarget; }
    void ReLoadHelper();
    void switchHelper();
    void showInstructions();
    void showExampleText();
    void showExampleTable(bool bringIntoView);
    // Writes the shown text to its working copy when it changed; false when
    // the write failed (reported).
    bool writeSectionText();
    bool textChanged() const { return m_session->textChanged(); }
    // Tools, Word Processor: the shown text in the word processor, on its
    // working copy. The work area shows it read-only until the window
    // returns, then shows what was written.
    void openWordProcessor();

    // ---- Tables -----------------------------------------------------------------
    // The session's loaded tables (see OpenPlanSession).
    void LoadAllTables() { m_session->LoadAllTables(); }
    workbook::WorkbookSet &getTables() const { return m_session->getTables(); }
    // Shows the first table whose name starts with the text (any case) with
    // its section; false when none does.
    bool gotoTable(const QString &name);
    // Shows a table of the current section in the table view.
    void showTable(const QString &name);
    std::shared_ptr<plan::Table> currentTable() const { return m_session->currentTable(); }
    // Writes every table edited since it was last written to its working
    // copy; false when a write failed (reported).
    bool writeChangedTables();
    // Locks or unlocks the shown table's cells; unlocking with ask set asks
    // first (message 1602) and stays locked on No. The "Unlock Cells" item
    // is checked exactly while the cells are unlocked.
    void setProtection(bool locked, bool ask);
    // Edit > Clear: the table view's selection (refused with a message when
    // a selected cell is locked) or the text view's selection.
    void clearCommand();
    // Tools > Spread Sheet: the module on the shown table (raised when open).
    editors::frmSpreadSheet *openSpreadsheet();
    editors::frmSpreadSheet *spreadsheet() const;
    // Tools > Graph Generator on the shown table's graph; false when the
    // table has none or the graph could not be bound (said why).
    bool openGraphGenerator();
    // View > View Cell Link, on the active cell's formula when none is given.
    bool viewCellLink(const QString &formula = QString());
    // File > Plan Profile (first page) and View > Cover Page; true after OK.
    bool openProfile(create::frmProfile::Page page);
    // Edit > Undo and Redo on the shown view.
    void stepEditHistory(bool forward);
    // ---- View -------------------------------------------------------------------
    enum class Layout { ViewAll, HideNavigator, ExpandWorkspace };
    void setLayout(Layout layout);
    // Toolbar Zoom: +10 up to 160, then back to 75; on the shown view.
    void stepZoom();
    void setZoom(int percent);
    // The zoom of the shown view; 0 when neither view shows anything.
    int zoom() const;
    // Previous or next table in plan order, shown in the table view; stays
    // at the first and last table.
    void moveTable(bool forward);
    // Switches the work area to its text view (0) or table view (1).
    void showWorkView(int index);

    // ---- Work area menus and status ----
public:
    // View > List of Tables: the list of every table, going to the chosen
    // one. It opens without blocking; the list shown, if any.
    void showListOfTables();
    frmTables *listOfTables() const;
    // Shows the named table of the section at the outline position; false
    // when that section cannot be shown or has no such table.
    bool goToTablePlace(int chapter, int section, const QString &name);
    // Checks the spelling of the section text and says when it is done.
    void SpellCheck();
    // Tools > Calculator.
    void startCalculator();
    // Makes a table's graph picture from its loaded workbook; returns the
    // reason on failure, else empty text. The graph generator provides it.
    using GraphPictureMaker =
        std::function<QString(const workbook::Workbook &table, const plan::Table &entry, const QString &picturePath)>;
    void setGraphPictureMaker(GraphPictureMaker maker) { m_graphPictureMaker = std::move(maker); }
    // Remakes every graph picture that no longer matches its table (all of
    // them are current afterwards unless a picture failed or no maker is
    // set) and returns each picture with its state.
    std::vector<GraphPicture> UpdateGraphPictures();
    // Enables the menu items, side buttons and pop-up items for what is
    // shown and selected, and sets the status pictures.
    void updateWorkCommands();
    // The work area's right-click menu, opened at a screen position.
    void showWorkPopUp(const QPoint &globalPos);
    // The active cell of the table view as the status bar shows it ("B3").
    QString cellIndicator() const;

private:
    void buildEditMenu();
    void buildToolsMenu();
    void buildHelpMenu();
    void buildWorkAreaExtras();
    void addViewItems();
    void editCommand(int command);
    void toggleHelperPane();
    void showOutlinePane(bool show);
    void updateCellIndicator();
    void updateStatusPictures();
    void applyAnalysisItems();
    void setUpTableWindows();
    void updateTableCommands();
    bool tableShown() const;
    bool currentTableHasGraph() const;

    QMenu *mnuWorkPopUp = nullptr;
    QMenu *mnuExamplePopUp = nullptr;
    QLabel *sbarCell = nullptr;
    QLabel *picTableStatus = nullptr;
    QLabel *picGraphStatus = nullptr;
    std::unique_ptr<spell::SpellChecker> m_speller;
    QPointer<frmTables> m_listOfTables;
    GraphPictureMaker m_graphPictureMaker;
    TableWindows *m_tableWindows = nullptr;
    // ---- end of work area menus and status ----

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusWindowChanged(QWindow *window);
    void buildMenus();
    void buildToolbar();
    void buildPanes();
    void buildOutlinePane();
    void buildHelperPane();
    void buildWorkAreaPane();
    void buildStatusBar();
    void loadCaptions();
    void refreshMenuStates();
    void showSection(const std::shared_ptr<plan::Section> &section, const OutlinePosition &position);
    void forgetShownSection();
    void joinSession();
    void showOpenedPlan();
    // Writes the shown text to its working copy when it changed.
    Result<void> writeShownText(bool evenUnchanged = false);
    // Writes the text being typed to its working copy once typing pauses,
    // from a copy of the document, so that the editor and its undo steps are
    // left alone. A program that is killed or crashes then loses at most the
    // last moments of typing; the next opening offers to recover the rest.
    void keepTypedText();
    // Loads the current section's text into the work area (a new text gets
    // the explicit fonts of a written one) and sets the save target.
    void loadShownText(bool isNew);
    void wordProcessorReturned(const QString &file, bool changed);
    void showHelperFile(int option, const QString &path, int missingMessage);
    void returnFocus();
    void nodeRenamed(QTreeWidgetItem *node);
    void setNodeImage(QTreeWidgetItem *node, const QString &image);
    QTreeWidgetItem *addChapterNode(QTreeWidgetItem *root, int c, const plan::Chapter &chapter);
    QTreeWidgetItem *addSectionNode(QTreeWidgetItem *chapterNode, int c, int s, const plan::Section &section);
    void updateSectionButtons(const QTreeWidgetItem *node);
    void moveSection(bool forward);
    void showSectionTables();
    void showHelperPane(bool show);
    void updateZoomChecks();
    std::shared_ptr<plan::Table> tableNamed(const QString &name) const;
    plan::Plan &plan() const;

    // Tags a menu item with its caption's string-table number, which
    // loadCaptions then fills in.
    QAction *captioned(QAction *item, int textId);

    // The composer's own menu items, reached through these members; each
    // keeps its object name (mnuFile_2 is item 2 of the File menu array) for
    // tests and captions.
    struct MenuItems
    {
        QMenu *edit = nullptr;      // mnuEditTop
        QMenu *view = nullptr;      // mnuViewTop
        QMenu *customize = nullptr; // mnuCustomizeTop
        QAction *save = nullptr;    // mnuFile_2
        QAction *profile = nullptr; // mnuFile_6
        QAction *compilePlan = nullptr; // mnuFile_7
        QAction *undo = nullptr;    // mnuEdit_0
        QAction *redo = nullptr;    // mnuEditRedo
        QAction *coverPage = nullptr;      // mnuView_13
        QAction *spreadsheet = nullptr;    // mnuTools_1
        QAction *graphGenerator = nullptr; // mnuTools_2
        std::array<QAction *, 5> recentFiles{}; // mnuFile_9 to mnuFile_13
        std::array<QAction *, 16> editItems{};  // mnuEdit_0 to mnuEdit_15 (those that exist)
        std::array<QAction *, 3> layouts{};     // mnuView_1 to mnuView_3
        QAction *cellLinks = nullptr;           // mnuView_5
        std::array<QAction *, 3> zooms{};       // mnuViewZoom_0 to mnuViewZoom_2
        QAction *previousSection = nullptr;     // mnuView_8
        QAction *nextSection = nullptr;         // mnuView_9
        QAction *helperPane = nullptr;          // mnuViewHelperPane
        QAction *unlockCells = nullptr;         // mnuUnlockCells
        QAction *analysisRule = nullptr;        // mnuTools_7
        QAction *analysis = nullptr;            // mnuTools_8
        QAction *wordProcessor = nullptr;       // mnuTools_0
        QAction *workWordProcessor = nullptr;   // mnuWorkPopUp_8
        QAction *helpTopics = nullptr;          // mnuHelp_0
        std::array<QAction *, 8> outlinePopUp{}; // mnuOutline_0 to mnuOutline_7
        std::array<QAction *, 5> chapterItems{}; // mnuChapter_0 to mnuChapter_4
        std::array<QAction *, 5> sectionItems{}; // mnuSection_0 to mnuSection_4
        std::array<QAction *, 3> statusItems{};  // mnuStatus_0 to mnuStatus_2
    };
    MenuItems m_items;
    std::vector<std::pair<QAction *, int>> m_captionIds;

    // Controls, by their object names.
    QWidget *picToolbar = nullptr;
    std::array<QToolButton *, 10> cmdToolBar{};
    QSplitter *splitMain = nullptr;
    QWidget *picOutline = nullptr;
    QToolButton *cmdChapters = nullptr;
    QTreeWidget *tvwOutline = nullptr;
    QWidget *picHelper = nullptr;
    std::array<QRadioButton *, 3> optHelper{};
    richtext::DisplayBox *sbsIEWeb = nullptr;
    workbook::WorkbookView *f1Helper = nullptr;
    QWidget *picWorkArea = nullptr;
    QLabel *lblSectionName = nullptr;
    QToolButton *sscmdEdit = nullptr;
    QToolButton *sscmdAssist = nullptr;
    QToolButton *cmdTables = nullptr;
    QMenu *mnuExtraTablesPopUp = nullptr;
    QTabBar *tabWorkArea = nullptr;
    QStackedWidget *workViews = nullptr;
    richtext::TextEditor *rtfWorkArea = nullptr;
    workbook::WorkbookView *fOne = nullptr;
    QStatusBar *sbarPlan = nullptr;
    std::array<QLabel *, 4> statusPanels{};
    QTimer *timerSave = nullptr;
    QTimer *m_typingPause = nullptr; // runs out when typing has paused; see keepTypedText

    OpenPlanSession *m_session = nullptr;
    editors::SectionWordProcessor *m_wordProcessor = nullptr;
    std::unique_ptr<workbook::Workbook> m_exampleTable;
    OutlinePosition m_position;
    QString m_saveTarget;
    QString m_tableName;            // the table the helper's example table follows
    QSet<int> m_reportedMissing;    // helper options already reported for the shown section
    bool m_chaptersExpanded = false; // the Expand/Collapse Chapters button's flag
    bool m_closePrompt = true;
    bool m_unloading = false;
    bool m_loadingText = false;
    bool m_buildingTree = false;
    bool m_awayToOtherWindow = false;

    // ---- Customizing and saving ----
public:
    // Adapts the outline pop-up menu and the Customize menu to the node:
    // Move Up hidden on the first node of its level, Move Down on the last,
    // "Add Chapter" or "Add Section", the status items only for a section.
    void adaptOutlinePopUp(const QTreeWidgetItem *node);
    // The outline commands on a chapter or section node. Add puts a new
    // chapter (with its first section) or section after the last sibling;
    // Delete asks first and refuses items holding tables and a chapter's
    // only section; a deleted item's text files go at the next save.
    void outlineAdd(QTreeWidgetItem *node);
    void outlineAddSection(QTreeWidgetItem *chapterNode);
    void outlineDelete(QTreeWidgetItem *node);
    void outlineRename(QTreeWidgetItem *node);
    void outlineMove(QTreeWidgetItem *node, MoveDirection direction);
    // Marks the section of a section node In Progress, Complete or Exclude.
    void setSectionStatus(QTreeWidgetItem *node, qint16 status);
    const PendingDeletions &pendingDeletions() const { return m_session->pendingDeletions(); }

    // Deletes every working copy of the plan folder (closing discards them).
    void DeleteWorkingFiles() { m_session->DeleteWorkingFiles(); }
    // Sets up the autosave timer and the File menu's recent-file entries.
    void ApplyPreferences();
    // One minute of the autosave timer.
    void autosaveTick();
    // True while a save runs; meanwhile another save, an autosave, a close
    // or an exit is refused.
    bool saving() const { return m_session->saving(); }
    // Fills File menu items 9 to 13 from the recent-file list.
    void LoadRecentFiles();
    // File menu item 9 to 13: closes the plan and opens the entry's plan.
    void openRecentFile(int menuIndex);

private:
    void setUpCustomizingAndSaving();
    QMenu *addOutlineCommands(QMenu *menu, const QString &arrayName, bool chapterCommands,
                              std::array<QAction *, 5> &items);
    void renumberKeys();
    void outlineChanged(QTreeWidgetItem *node);
    void selectAfterChange(QTreeWidgetItem *node);

    QMenu *mnuOutlinePopUp = nullptr;
};

} // namespace qv::composer
