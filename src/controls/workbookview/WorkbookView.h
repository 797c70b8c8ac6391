#pragma once

#include "controls/workbook/CellFormat.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbookview/ViewDialogs.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QLineEdit;
class QPrinter;
class QFrame;

namespace qv::workbook {

class EditStep;
class SheetGrid;

// The workbook view: a spreadsheet on screen, attached to a Workbook that
// other views may share (the composer's table view and the spreadsheet
// window show one workbook object and see each other's changes at once).
// Headings, formula bar, grid lines, border, zoom and background can be
// switched; edits of the user respect the workbook's protection.
class WorkbookView : public QWidget
{
    Q_OBJECT

public:
    explicit WorkbookView(QWidget *parent = nullptr);
    ~WorkbookView() override;

    void setWorkbook(Workbook *book);
    Workbook *workbook() const { return m_book; }

    // ---- View settings
    void setShowColumnHeadings(bool on);
    void setShowRowHeadings(bool on);
    void setShowFormulaBar(bool on);
    void setShowGridLines(bool on);
    void setShowSelection(bool on); // off for a picture of a table: no cell cursor
    void setShowBorder(bool on);
    void setBackgroundColor(const QColor &color);
    bool showColumnHeadings() const;
    bool showRowHeadings() const;
    bool showFormulaBar() const;
    bool showGridLines() const;
    bool showSelection() const;
    int zoom() const;         // the workbook's view scale in percent
    void setZoom(int percent); // 10 to 400

    void goHome(); // Ctrl+Home: the top left cell, scrolled into view
    void setActiveCell(int row, int col); // selects and scrolls to it
    SheetGrid *grid() const { return m_grid; }

    // ---- Edit commands on the selection (false when refused or nothing happened)
    bool copy();
    bool cut();
    bool paste();
    bool pasteSpecial();
    bool clearSelection(ClearKind kind = ClearKind::Contents);
    bool find();
    bool findNext();
    bool sortAscending();
    bool sortDescending();
    bool fillDown();  // Ctrl+D
    bool fillRight(); // Ctrl+R

    // ---- The workbook's undo history, shared by every view of it (Ctrl+Z, Ctrl+Y)
    bool canUndo() const;
    bool canRedo() const;
    bool undo();
    bool redo();

    // ---- Format commands on the selection
    bool toggleBold();
    bool toggleItalic();
    bool toggleUnderline();
    bool setAlignment(HorizontalAlignment alignment); // MergeAndCenter merges the selection
    bool setFontName(const QString &name);
    bool setFontSize(double points);
    bool chooseFontColor();
    bool setFontColor(Rgb color);
    bool numberFormatDialog();
    bool formatCellsDialog(); // Format, Cells
    bool applyNumberFormat(const QString &code);

    // ---- Rows and columns of the selection
    bool rowHeightDialog();
    bool columnWidthDialog();
    void hideRows();
    void unhideRows();
    void hideColumns();
    void unhideColumns();

    // ---- Printing through Qt printing (the print area, else the used range)
    bool printSetup();
    bool print();
    QPrinter &printer();

signals:
    void cellClicked(int row, int col);
    void selectionChanged();
    void contentChanged();
    void rightClicked(QPoint globalPos);
    // A short note for the window's status bar about what the user just
    // typed (text in a cell meant for a number); empty text clears it.
    void statusNote(const QString &text);

private:
    bool refuse(const QString &message);
    void noteTypedValue(int row, int col);
    bool pasteGrid(const std::vector<QStringList> &grid, PasteKind kind, EditStep &step);
    // The formulas that follow cut cells pasted at `target`, each watched by the step.
    std::vector<FormulaTextChange> formulasFollowingCut(const CellRange &target, EditStep &step);
    bool sort(bool ascending);
    bool stepHistory(bool forward);
    bool fill(bool down);
    CellRange selectedRange() const;
    bool changeSelectionFormat(const std::function<void(CellFormat &)> &change);
    void refreshFormulaBar();
    void commitFormulaBar();
    void hideLines(bool rows, bool hidden);

    QPointer<Workbook> m_book;
    QFrame *m_formulaBar = nullptr;
    QLineEdit *m_nameBox = nullptr;
    QLineEdit *m_formulaEdit = nullptr;
    SheetGrid *m_grid = nullptr;
    std::vector<QMetaObject::Connection> m_connections;
    std::unique_ptr<QPrinter> m_printer;
    FindRequest m_lastFind;

    // What this view copied last, so that pasting it back keeps formulas and formats.
    struct CopiedCells
    {
        QString text;
        CellAddress from;  // where the copy was taken
        const Workbook *book = nullptr; // which workbook and sheet: only compared, never read
        int sheet = 0;
        bool cut = false;  // a cut moves formulas unchanged; a copy moves their relative references along
        std::vector<std::vector<QString>> entries;
        std::vector<std::vector<CellFormat>> formats;
    } m_copied;
};

} // namespace qv::workbook
