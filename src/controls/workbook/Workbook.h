#pragma once

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/CellFormat.h"
#include "controls/workbook/DependencyGraph.h"
#include "controls/workbook/Formula.h"
#include "controls/workbook/FormulaCache.h"
#include "controls/workbook/Sheet.h"
#include "controls/workbook/Value.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace qv::workbook {

class WorkbookSet;

// Who asks for a change. Protection refuses the user's edits of locked
// cells (typing, paste, clear, cut, sort) but never the program's own.
enum class EditOrigin { Program, User };

struct EditResult
{
    bool ok = true;
    QString message; // why the edit was refused
    explicit operator bool() const { return ok; }
    static EditResult refused(QString why) { return {false, std::move(why)}; }
};

enum class ClearKind { Contents, Formats, All };

// How the workbook is shown; kept in the file and in the Excel copy.
struct ViewSettings
{
    bool showGridLines = true;
    bool showRowHeadings = true;
    bool showColumnHeadings = true;
    bool showFormulaBar = true;
};

// A formula cell: its code (shared with the formulas of the same shape),
// where it stands and its result. Its text is rebuilt from the code.
struct FormulaCell
{
    enum class State : std::uint8_t { Clean, Dirty, Visiting };
    std::shared_ptr<SharedFormula> code; // null once removed
    int sheet = 0, row = 0, col = 0;
    Value result;
    State state = State::Dirty;
    bool circular = false;
    bool alive = true;

    bool broken() const { return code && code->broken; } // did not compile; shows #NAME?
    QString text() const;                                 // as entered, without the "="
    CellRange rangeOf(std::size_t reference) const { return code->rangeAt(reference, row, col); }
};

// A formula whose text a move of cells changed, kept so undo can put it back.
struct FormulaTextChange
{
    Workbook *book = nullptr;
    int sheet = 0, row = 0, col = 0;
    QString before, after; // without "="
};

// Everything a workbook holds, apart from its place in a set; the file
// reader builds one of these and the workbook takes it over whole, so a
// failed read leaves the loaded workbook untouched.
struct WorkbookContent
{
    QString title;
    std::vector<SheetData> sheets;
    FormatTable formats;
    std::vector<FormulaCell> formulas;
    std::vector<int> freeFormulas;
    FormulaShapes shapes;
    ViewSettings view;
    int activeSheet = 0;

    WorkbookContent();
    // Puts a formula into a cell of the content (used by the file reader).
    void setFormula(int sheet, int row, int col, const QString &text, const Value &cached);
};

// The spreadsheet model: sheets of cells with values, formulas and formats,
// rows and columns, selection, zoom, print area and protection. Cell calls
// work on the active sheet. Changes recalculate what depends on them, in
// this workbook and in the others of its WorkbookSet.
class Workbook : public QObject
{
    Q_OBJECT

public:
    explicit Workbook(QObject *parent = nullptr);
    ~Workbook() override;

    // ---- Identity: the title is the name other workbooks' formulas use.
    QString title() const { return m_content.title; }
    void setTitle(const QString &title);
    WorkbookSet *workbookSet() const { return m_set; }

    // ---- Sheets
    int sheetCount() const { return int(m_content.sheets.size()); }
    QString sheetName(int sheet) const;
    int sheetIndex(const QString &name) const; // -1 when none; ignores case
    int addSheet(const QString &name = QString());
    bool setSheetName(int sheet, const QString &name);
    int activeSheet() const { return m_content.activeSheet; }
    void setActiveSheet(int sheet);

    // ---- Contents of the active sheet (rows and columns from 1)
    // Typed input: "=..." formula, numbers, "$1,500", "15%", dates, text.
    EditResult setEntry(int row, int col, const QString &text, EditOrigin origin = EditOrigin::Program);
    EditResult setFormula(int row, int col, const QString &formula, EditOrigin origin = EditOrigin::Program);
    EditResult setNumber(int row, int col, double number, EditOrigin origin = EditOrigin::Program);
    // A number shown as currency ("$#,##0.00" unless the cell already shows currency).
    EditResult setCurrencyNumber(int row, int col, double number, EditOrigin origin = EditOrigin::Program);
    EditResult setText(int row, int col, const QString &text, EditOrigin origin = EditOrigin::Program);
    EditResult setValue(int row, int col, const Value &value, EditOrigin origin = EditOrigin::Program);
    EditResult clearRange(const CellRange &range, ClearKind kind = ClearKind::Contents,
                          EditOrigin origin = EditOrigin::Program);

    Value value(int row, int col) const;   // a formula's result
    double number(int row, int col) const; // 0 unless a number or Boolean
    QString text(int row, int col) const;  // as displayed through the number format
    QString entry(int row, int col) const; // as it would be typed: "=A1*2", "1500", "15%"
    QString formula(int row, int col) const; // "=A1*2"; empty for a constant
    bool hasFormula(int row, int col) const;

    // ---- Formats
    CellFormat format(int row, int col) const;
    EditResult setFormat(const CellRange &range, const CellFormat &format, EditOrigin origin = EditOrigin::Program);
    EditResult changeFormat(const CellRange &range, const std::function<void(CellFormat &)> &change,
                            EditOrigin origin = EditOrigin::Program);
    EditResult setNumberFormat(const CellRange &range, const QString &code, EditOrigin origin = EditOrigin::Program);
    EditResult setLocked(const CellRange &range, bool locked);
    // Rewrites the number format of every stored cell of every sheet (a
    // plan's change of currency); true when any cell's format changed.
    bool rewriteNumberFormats(const std::function<QString(const QString &)> &rewrite);
    // A border around the range's outside edges; inner lines stay as they are.
    EditResult setOutlineBorder(const CellRange &range, BorderStyle style, Rgb color,
                                EditOrigin origin = EditOrigin::Program);

    // ---- Rows and columns (twips)
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);
    int columnWidth(int col) const;
    void setColumnWidth(int col, int twips);
    bool isRowHidden(int row) const;
    void setRowsHidden(int first, int last, bool hidden);
    bool isColumnHidden(int col) const;
    void setColumnsHidden(int first, int last, bool hidden);
    std::vector<int> hiddenRows() const;
    std::vector<int> hiddenColumns() const;
    // Limits the sheet to its first columns or rows: what lies beyond stays
    // stored but out of view, out of the used range and out of printing.
    int maxCol() const { return sheet().maxCol; }
    void setMaxCol(int columns); // 0 removes the limit
    int maxRow() const { return sheet().maxRow; }
    void setMaxRow(int rows);
    int visibleColumnLimit() const; // maxCol or the sheet's width
    int visibleRowLimit() const;

    // ---- Used range: the last row and column with content, within the limits; 0 when empty
    int lastRow() const;
    int lastCol() const;
    std::optional<CellRange> usedRange() const;

    // ---- Merged ranges
    const std::vector<CellRange> &merges() const { return sheet().merges; }
    void mergeCells(const CellRange &range);
    void unmergeCells(const CellRange &range);
    std::optional<CellRange> mergeAt(int row, int col) const;

    // ---- Selection
    const Selection &selection() const { return sheet().selection; }
    void setSelection(const Selection &selection);
    void setSelection(const CellRange &range); // the active cell becomes its top left
    bool setSelection(const QString &text);    // "B3:D5" or "$B$3"; false if unreadable
    CellRange firstSelectedRange() const;
    QString selectionText() const; // "$B$3:$D$5", one cell "$B$3"
    CellAddress activeCell() const { return sheet().selection.active; }
    void setActiveCell(int row, int col);

    // ---- View, printing, protection
    int viewScale() const { return sheet().viewScale; }
    void setViewScale(int percent); // kept within 10 to 400
    const ViewSettings &viewSettings() const { return m_content.view; }
    void setViewSettings(const ViewSettings &settings);
    std::optional<CellRange> printArea() const { return sheet().printArea; }
    void setPrintArea(const std::optional<CellRange> &area);
    bool setPrintArea(const QString &text); // "A1:E20"
    bool isProtected() const { return sheet().isProtected; }
    void setProtected(bool on); // every sheet
    // True when protection is on and a cell of the range is locked.
    bool hasLockedCells(const CellRange &range) const;
    EditResult checkEditable(const CellRange &range, EditOrigin origin) const;

    // ---- Calculation
    void recalculate(); // everything, in every workbook of the set

    // ---- Files (throw qv::QvError with a clear message; a failed read changes nothing)
    void read(const QString &path);
    void write(const QString &path) const;
    void writeExcelCopy(const QString &path) const;
    void replaceContent(WorkbookContent &&content); // as read() does with a parsed file

    // ---- Commands of the views
    EditResult sortRange(const CellRange &range, bool ascending, EditOrigin origin = EditOrigin::Program);
    std::optional<CellAddress> find(const QString &what, CellAddress after, bool matchCase = false) const;
    // After the cells of `from` (on the sheet) were moved so their top left
    // is `to` (cut and paste), every formula of the set that reads them is
    // re-aimed to follow, and one that read the cells pasted over gets
    // #REF!. Returns the changes; applyFormulaTexts(changes, true) undoes them.
    std::vector<FormulaTextChange> followMovedCells(int sheet, const CellRange &from, CellAddress to);
    // The same changes, worked out but not made (for a step to watch first).
    std::vector<FormulaTextChange> formulasFollowingMovedCells(int sheet, const CellRange &from, CellAddress to) const;
    static void applyFormulaTexts(const std::vector<FormulaTextChange> &changes, bool undo);

    // ---- Read access for the engine, renderer and writers
    const SheetData &sheetData(int sheet) const { return m_content.sheets[std::size_t(sheet)]; }
    const FormatTable &formats() const { return m_content.formats; }
    const FormulaCell &formulaCell(int index) const { return m_content.formulas[std::size_t(index)]; }
    const Value &storedValue(int sheet, int row, int col) const; // a formula's result or the constant
    QString entryOf(int sheet, int row, int col) const;
    QString textOf(int sheet, int row, int col) const;
    const CellFormat &formatOf(int sheet, int row, int col) const;

signals:
    void contentChanged();  // cells were edited (a plan marks itself modified)
    void displayChanged();  // anything shown changed: values, formats, layout
    void selectionChanged();
    void titleChanged();

private:
    friend class WorkbookSet;
    friend class Recalculation;
    friend class CellsSnapshot;
    friend class LayoutSnapshot;
    friend class ContentSnapshot;

    static bool showsSameKind(const CellFormat &format, const QString &typedFormat);
    SheetData &sheet() { return m_content.sheets[std::size_t(m_content.activeSheet)]; }
    const SheetData &sheet() const { return m_content.sheets[std::size_t(m_content.activeSheet)]; }
    std::vector<Workbook *> calculationGroup();
    void placeFormula(int sheet, int row, int col, const QString &text);
    void removeFormula(Cell &cell);
    void cellChanged(int sheet, int row, int col);
    void finishEdit();
    void structureChanged();

    WorkbookContent m_content;
    DependencyGraph m_graph; // formulas (anywhere in the set) reading this workbook's cells
    bool m_graphPending = false; // this workbook's formulas are not yet in the graphs
    std::vector<int> m_dirty;
    std::vector<int> m_volatile; // formulas calling TODAY(): recalculated with every change
    quint64 m_formulaGeneration = 0; // changes whenever formulas or their links change
    WorkbookSet *m_set = nullptr;
};

} // namespace qv::workbook
