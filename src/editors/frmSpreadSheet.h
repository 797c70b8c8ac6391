#pragma once

#include "plan/Currency.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QAction;
class QComboBox;
class QMenu;
class QToolBar;
class QToolButton;

namespace qv::spell {
class SpellChecker;
}
namespace qv::workbook {
class Workbook;
class WorkbookView;
}

namespace qv::editors {

// The spreadsheet module: one plan table in a full window with a standard
// and a formatting toolbar, a zoom box, a formula bar and the File, Edit,
// View, Format and Help menus. It shows the very workbook the composer's
// table view shows, so both see every change and the plan saves it.
class frmSpreadSheet : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmSpreadSheet(QWidget *parent = nullptr);
    ~frmSpreadSheet() override;

    // Attaches the module to the workbook and sets up views, zoom and menus.
    void setSpreadsheet(workbook::Workbook *book);
    workbook::Workbook *spreadsheet() const;
    workbook::WorkbookView *sheet() const { return f1SpreadSheet; }
    // The table's default in the template library (Restore default) and the
    // plan's currency (the number-format button's currency format).
    void setDefaultTableFile(const QString &path) { m_defaultFile = path; }
    void setCurrency(const plan::Currency &currency);
    // Where printing to a PDF file suggests writing it.
    void setPdfFolder(const QString &folder) { m_pdfFolder = folder; }

    void doCopy();
    void doCut();
    void doPaste();
    void doPasteSpecial();
    void goFind();
    void setPictureDown();

    // The zoom box's rule for a chosen or typed text; false when refused.
    bool applyZoomText(const QString &text);
    bool printSheet();         // File, Print: the area in use, through Qt printing
    void restoreDefault();     // File item 4
    void setUnlocked(bool unlock, bool ask); // Edit, Unlock Cells
    void checkSpelling();      // Edit, Spelling

signals:
    // Return or closing the window: the composer comes back.
    void returned();
    // View Cell Link from the sheet's pop-up menu, for the active cell's formula.
    void cellLinkRequested(const QString &formula);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildFormatMenu();
    void buildStandardToolbar();
    void buildFormattingToolbar();
    QToolButton *toolButton(QToolBar *bar, const QString &name, const QString &tip, const QIcon &icon, bool checkable = false);
    QAction *item(QMenu *menu, const QString &name, const QString &caption);
    void refreshMenus();
    void showPopUp(QPoint globalPos);
    void fillNumberFormats();

    workbook::WorkbookView *f1SpreadSheet;
    QToolBar *tbrStandard = nullptr;
    QToolBar *tbrFormatting = nullptr;
    QComboBox *cboZoom = nullptr;
    QComboBox *cboFonts = nullptr;
    QComboBox *cboSize = nullptr;
    std::array<QToolButton *, 3> cmdAttr{};
    std::array<QToolButton *, 4> cmdAlignment{};
    std::array<QToolButton *, 2> cmdSort{};
    QToolButton *cmdCut = nullptr, *cmdCopy = nullptr, *cmdPaste = nullptr;
    QToolButton *cmdFontColor = nullptr;
    QToolButton *cmdNumberFormat = nullptr;
    QAction *m_undo = nullptr, *m_redo = nullptr, *m_unlock = nullptr;
    std::array<QAction *, 5> mnuViewShow{};
    plan::Currency m_currency;
    QString m_defaultFile;
    QString m_pdfFolder;
    std::unique_ptr<spell::SpellChecker> m_speller;
    bool m_settingToolbar = false; // the module itself is changing the boxes
    std::vector<QMetaObject::Connection> m_bookConnections;
};

} // namespace qv::editors
