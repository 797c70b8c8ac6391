#include "controls/workbook/Workbook.h"

#include "controls/workbook/CellExplanations.h"

#include "controls/workbook/EntryText.h"
#include "controls/workbook/Evaluator.h"
#include "controls/workbook/FormulaCache.h"
#include "controls/workbook/NumberFormat.h"
#include "controls/workbook/Parser.h"
#include "controls/workbook/Recalculation.h"
#include "controls/workbook/WorkbookSet.h"

#include <algorithm>
#include <cmath>

namespace qv::workbook {

namespace {
const QString lockedMessage = QStringLiteral("Lock cells cannot be modified.");

SheetData newSheet(const QString &name)
{
    SheetData sheet;
    sheet.name = name;
    return sheet;
}
} // namespace

WorkbookContent::WorkbookContent()
{
    sheets.push_back(newSheet(QStringLiteral("Sheet1")));
}

void WorkbookContent::setFormula(int sheet, int row, int col, const QString &text, const Value &cached)
{
    Cell &cell = sheets[std::size_t(sheet)].cellForWrite(row, col);
    FormulaCell f;
    f.code = shapes.compile(text, sheet, row, col);
    f.sheet = sheet;
    f.row = row;
    f.col = col;
    f.result = cached;
    if (cell.formula >= 0) {
        formulas[std::size_t(cell.formula)] = std::move(f);
        return;
    }
    int id;
    if (!freeFormulas.empty()) {
        id = freeFormulas.back();
        freeFormulas.pop_back();
        formulas[std::size_t(id)] = std::move(f);
    } else {
        id = int(formulas.size());
        formulas.push_back(std::move(f));
    }
    cell.formula = id;
    cell.value = Value{};
}

QString FormulaCell::text() const
{
    return code ? formulaTextAt(code->shape, row, col) : QString();
}

Workbook::Workbook(QObject *parent) : QObject(parent) {}

Workbook::~Workbook()
{
    if (m_set)
        m_set->detach(this);
}

// ---- Identity and sheets ------------------------------------------------------

void Workbook::setTitle(const QString &title)
{
    if (title == m_content.title)
        return;
    m_content.title = title;
    emit titleChanged();
    structureChanged();
}

QString Workbook::sheetName(int sheet) const
{
    return sheet >= 0 && sheet < sheetCount() ? m_content.sheets[std::size_t(sheet)].name : QString();
}

int Workbook::sheetIndex(const QString &name) const
{
    for (int i = 0; i < sheetCount(); ++i)
        if (m_content.sheets[std::size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Workbook::addSheet(const QString &name)
{
    QString chosen = name;
    for (int n = sheetCount() + 1; chosen.isEmpty() || sheetIndex(chosen) >= 0; ++n)
        chosen = QStringLiteral("Sheet%1").arg(n);
    m_content.sheets.push_back(newSheet(chosen));
    structureChanged();
    return sheetCount() - 1;
}

bool Workbook::setSheetName(int sheet, const QString &name)
{
    if (sheet < 0 || sheet >= sheetCount() || name.trimmed().isEmpty())
        return false;
    const int existing = sheetIndex(name);
    if (existing >= 0 && existing != sheet)
        return false;
    m_content.sheets[std::size_t(sheet)].name = name;
    structureChanged();
    return true;
}

void Workbook::setActiveSheet(int sheet)
{
    if (sheet < 0 || sheet >= sheetCount() || sheet == m_content.activeSheet)
        return;
    m_content.activeSheet = sheet;
    emit displayChanged();
    emit selectionChanged();
}

// ---- Calculation plumbing -------------------------------------------------------

std::vector<Workbook *> Workbook::calculationGroup()
{
    if (m_set)
        return m_set->books();
    return {this};
}

void Workbook::structureChanged()
{
    if (m_set) {
        m_set->structureChanged();
        return;
    }
    Recalculation::rebuild({this});
    emit displayChanged();
}

void Workbook::removeFormula(Cell &cell)
{
    if (cell.formula < 0)
        return;
    Recalculation::unregisterFormula(*this, cell.formula);
    m_formulaGeneration = Recalculation::nextGeneration();
    FormulaCell &f = m_content.formulas[std::size_t(cell.formula)];
    f = FormulaCell{};
    f.alive = false;
    f.state = FormulaCell::State::Clean;
    m_content.freeFormulas.push_back(cell.formula);
    cell.formula = -1;
}

void Workbook::placeFormula(int sheetIndex, int row, int col, const QString &text)
{
    m_content.setFormula(sheetIndex, row, col, text, Value{});
    const int id = m_content.sheets[std::size_t(sheetIndex)].cell(row, col)->formula;
    Recalculation::registerFormula(*this, id);
    m_formulaGeneration = Recalculation::nextGeneration();
    m_content.formulas[std::size_t(id)].state = FormulaCell::State::Dirty;
    m_dirty.push_back(id);
}

void Workbook::cellChanged(int sheetIndex, int row, int col)
{
    Recalculation::markCellChanged(*this, sheetIndex, row, col);
}

void Workbook::finishEdit()
{
    const auto recalculated = Recalculation::run(calculationGroup());
    for (Workbook *b : recalculated)
        if (b != this)
            emit b->displayChanged();
    emit displayChanged();
    emit contentChanged();
}

void Workbook::recalculate()
{
    if (m_set) {
        m_set->recalculate();
        return;
    }
    Recalculation::recalculateAll({this});
    emit displayChanged();
}

// ---- Protection --------------------------------------------------------------------

bool Workbook::hasLockedCells(const CellRange &range) const
{
    const SheetData &s = sheet();
    if (!s.isProtected)
        return false;
    if (m_content.formats.at(0).locked) {
        // Cells without a stored format are locked by default: any missing cell in the range is locked.
        std::size_t stored = 0;
        bool locked = false;
        s.forEachCell(range, [&](int, int, const Cell &cell) {
            ++stored;
            if (m_content.formats.at(cell.format).locked)
                locked = true;
        });
        return locked || stored < std::size_t(range.rows()) * std::size_t(range.cols());
    }
    bool locked = false;
    s.forEachCell(range, [&](int, int, const Cell &cell) {
        if (m_content.formats.at(cell.format).locked)
            locked = true;
    });
    return locked;
}

EditResult Workbook::checkEditable(const CellRange &range, EditOrigin origin) const
{
    if (origin != EditOrigin::User || !hasLockedCells(range))
        return {};
    const QString why = range.isSingleCell() ? lockedCellExplanation(*this, range.top, range.left) : QString();
    return EditResult::refused(why.isEmpty() ? lockedMessage : why);
}

void Workbook::setProtected(bool on)
{
    for (SheetData &s : m_content.sheets)
        s.isProtected = on;
    emit displayChanged();
}

// ---- Contents ------------------------------------------------------------------------

EditResult Workbook::setEntry(int row, int col, const QString &text, EditOrigin origin)
{
    const EntryMeaning meaning = interpretEntry(text);
    switch (meaning.kind) {
    case EntryMeaning::Kind::Empty:
        return clearRange(CellRange::cell(row, col), ClearKind::Contents, origin);
    case EntryMeaning::Kind::Formula:
        return setFormula(row, col, meaning.formula, origin);
    case EntryMeaning::Kind::Constant: break;
    }
    EditResult result = setValue(row, col, meaning.value, origin);
    if (result && !meaning.numberFormat.isEmpty() && !showsSameKind(formatOf(activeSheet(), row, col), meaning.numberFormat))
        setNumberFormat(CellRange::cell(row, col), meaning.numberFormat, EditOrigin::Program);
    return result;
}

// "28%" typed into a cell shown as "0.0%" keeps the cell's own decimals, as
// "$1,500" does in a currency cell: the typed form only picks the kind.
bool Workbook::showsSameKind(const CellFormat &format, const QString &typedFormat)
{
    if (typedFormat.contains(u'%'))
        return format.isPercent();
    if (typedFormat.contains(u'$'))
        return format.isCurrency();
    if (isDateFormat(typedFormat))
        return isDateFormat(format.numberFormat);
    return false;
}

EditResult Workbook::setFormula(int row, int col, const QString &formula, EditOrigin origin)
{
    if (!CellRange::cell(row, col).isValid())
        return EditResult::refused(QStringLiteral("The cell is outside the sheet."));
    if (auto check = checkEditable(CellRange::cell(row, col), origin); !check)
        return check;
    const QString text = formula.startsWith(u'=') ? formula.mid(1) : formula;
    const ParseResult parsed = parseFormula(text);
    if (!parsed.ok())
        return EditResult::refused(parsed.error);
    Cell &cell = sheet().cellForWrite(row, col);
    removeFormula(cell);
    placeFormula(activeSheet(), row, col, text);
    cellChanged(activeSheet(), row, col);
    finishEdit();
    return {};
}

EditResult Workbook::setValue(int row, int col, const Value &value, EditOrigin origin)
{
    if (!CellRange::cell(row, col).isValid())
        return EditResult::refused(QStringLiteral("The cell is outside the sheet."));
    if (auto check = checkEditable(CellRange::cell(row, col), origin); !check)
        return check;
    Cell &cell = sheet().cellForWrite(row, col);
    removeFormula(cell);
    cell.value = value;
    if (cell.isBlank() && cell.format == 0)
        sheet().removeCell(row, col);
    cellChanged(activeSheet(), row, col);
    finishEdit();
    return {};
}

EditResult Workbook::setNumber(int row, int col, double number, EditOrigin origin)
{
    if (!std::isfinite(number))
        return setValue(row, col, Value::fromError(ErrorCode::Num), origin);
    return setValue(row, col, Value::fromNumber(number), origin);
}

EditResult Workbook::setCurrencyNumber(int row, int col, double number, EditOrigin origin)
{
    EditResult result = setNumber(row, col, number, origin);
    if (result && !formatOf(activeSheet(), row, col).isCurrency())
        setNumberFormat(CellRange::cell(row, col), QStringLiteral("$#,##0.00"), EditOrigin::Program);
    return result;
}

EditResult Workbook::setText(int row, int col, const QString &text, EditOrigin origin)
{
    return setValue(row, col, text.isEmpty() ? Value{} : Value::fromText(text), origin);
}

EditResult Workbook::clearRange(const CellRange &range, ClearKind kind, EditOrigin origin)
{
    if (auto check = checkEditable(range, origin); !check)
        return check;
    SheetData &s = sheet();
    std::vector<CellAddress> touched;
    s.forEachCell(range, [&](int row, int col, Cell &cell) {
        if (kind != ClearKind::Formats) {
            removeFormula(cell);
            cell.value = Value{};
        }
        if (kind != ClearKind::Contents)
            cell.format = 0;
        touched.push_back({row, col});
    });
    for (const CellAddress &a : touched) {
        if (const Cell *c = s.cell(a.row, a.col); c && c->isBlank() && c->format == 0)
            s.removeCell(a.row, a.col);
        cellChanged(activeSheet(), a.row, a.col);
    }
    finishEdit();
    return {};
}

const Value &Workbook::storedValue(int sheetIndex, int row, int col) const
{
    static const Value empty;
    const Cell *cell = m_content.sheets[std::size_t(sheetIndex)].cell(row, col);
    if (!cell)
        return empty;
    return cell->formula >= 0 ? m_content.formulas[std::size_t(cell->formula)].result : cell->value;
}

const CellFormat &Workbook::formatOf(int sheetIndex, int row, int col) const
{
    const Cell *cell = m_content.sheets[std::size_t(sheetIndex)].cell(row, col);
    return m_content.formats.at(cell ? cell->format : 0);
}

QString Workbook::textOf(int sheetIndex, int row, int col) const
{
    return displayText(storedValue(sheetIndex, row, col), formatOf(sheetIndex, row, col).numberFormat);
}

QString Workbook::entryOf(int sheetIndex, int row, int col) const
{
    const Cell *cell = m_content.sheets[std::size_t(sheetIndex)].cell(row, col);
    if (!cell)
        return {};
    if (cell->formula >= 0)
        return u'=' + m_content.formulas[std::size_t(cell->formula)].text();
    const Value &v = cell->value;
    if (v.isNumber()) {
        const CellFormat &f = m_content.formats.at(cell->format);
        if (f.isPercent())
            return formatGeneralNumber(v.number * 100) + u'%';
        if (isDateFormat(f.numberFormat))
            return displayText(v, QStringLiteral("m/d/yyyy"));
        return formatGeneralNumber(v.number);
    }
    if (v.isText()) {
        // Text that would read as something else when typed keeps an apostrophe.
        const EntryMeaning m = interpretEntry(v.text);
        if (m.kind != EntryMeaning::Kind::Constant || !m.value.isText())
            return u'\'' + v.text;
        return v.text;
    }
    return plainText(v);
}

Value Workbook::value(int row, int col) const { return storedValue(activeSheet(), row, col); }

double Workbook::number(int row, int col) const
{
    const Value &v = storedValue(activeSheet(), row, col);
    return v.isNumber() || v.isBoolean() ? v.number : 0.0;
}

QString Workbook::text(int row, int col) const { return textOf(activeSheet(), row, col); }
QString Workbook::entry(int row, int col) const { return entryOf(activeSheet(), row, col); }

QString Workbook::formula(int row, int col) const
{
    const Cell *cell = sheet().cell(row, col);
    return cell && cell->formula >= 0 ? u'=' + m_content.formulas[std::size_t(cell->formula)].text() : QString();
}

bool Workbook::hasFormula(int row, int col) const
{
    const Cell *cell = sheet().cell(row, col);
    return cell && cell->formula >= 0;
}

// ---- Formats ------------------------------------------------------------------------

CellFormat Workbook::format(int row, int col) const { return formatOf(activeSheet(), row, col); }

EditResult Workbook::setFormat(const CellRange &range, const CellFormat &format, EditOrigin origin)
{
    return changeFormat(range, [&](CellFormat &f) { f = format; }, origin);
}

EditResult Workbook::changeFormat(const CellRange &range, const std::function<void(CellFormat &)> &change,
                                  EditOrigin origin)
{
    if (!range.isValid())
        return EditResult::refused(QStringLiteral("The range is outside the sheet."));
    if (auto check = checkEditable(range, origin); !check)
        return check;
    // Whole rows or columns change only the cells that exist (or the used part).
    CellRange r = range;
    r.bottom = std::min(r.bottom, std::max(r.top, std::max(lastRow(), sheet().storedRows())));
    r.right = std::min(r.right, std::max(r.left, std::max(lastCol(), visibleColumnLimit() < maxColumns ? visibleColumnLimit() : 256)));
    SheetData &s = sheet();
    std::vector<std::pair<std::uint32_t, std::uint32_t>> memo; // old index -> new index
    for (int row = r.top; row <= r.bottom; ++row)
        for (int col = r.left; col <= r.right; ++col) {
            Cell &cell = s.cellForWrite(row, col);
            const auto known = std::find_if(memo.begin(), memo.end(), [&](const auto &p) { return p.first == cell.format; });
            if (known != memo.end()) {
                cell.format = known->second;
                continue;
            }
            CellFormat f = m_content.formats.at(cell.format);
            change(f);
            const std::uint32_t index = m_content.formats.intern(f);
            memo.emplace_back(cell.format, index);
            cell.format = index;
        }
    // Rows grow to fit larger fonts, as in spreadsheets; heights set by hand stay.
    for (int row = r.top; row <= r.bottom; ++row) {
        if (s.rowHeights.count(row))
            continue;
        double largest = 0;
        s.forEachCell(CellRange{row, 1, row, maxColumns},
                      [&](int, int, const Cell &cell) { largest = std::max(largest, m_content.formats.at(cell.format).fontSize); });
        const int needed = int(std::ceil(largest * 1.275 * 20));
        if (needed > defaultRowHeight)
            s.rowHeights[row] = std::min(needed, 8190);
    }
    emit displayChanged();
    emit contentChanged();
    return {};
}

EditResult Workbook::setNumberFormat(const CellRange &range, const QString &code, EditOrigin origin)
{
    return changeFormat(range, [&](CellFormat &f) { f.numberFormat = code.isEmpty() ? QStringLiteral("General") : code; }, origin);
}

EditResult Workbook::setLocked(const CellRange &range, bool locked)
{
    return changeFormat(range, [&](CellFormat &f) { f.locked = locked; }, EditOrigin::Program);
}

EditResult Workbook::setOutlineBorder(const CellRange &range, BorderStyle style, Rgb color, EditOrigin origin)
{
    if (auto check = checkEditable(range, origin); !check)
        return check;
    const BorderLine line{style, color};
    changeFormat(CellRange{range.top, range.left, range.top, range.right}, [&](CellFormat &f) { f.top = line; });
    changeFormat(CellRange{range.bottom, range.left, range.bottom, range.right}, [&](CellFormat &f) { f.bottom = line; });
    changeFormat(CellRange{range.top, range.left, range.bottom, range.left}, [&](CellFormat &f) { f.left = line; });
    changeFormat(CellRange{range.top, range.right, range.bottom, range.right}, [&](CellFormat &f) { f.right = line; });
    return {};
}

// ---- Rows and columns -------------------------------------------------------------

int Workbook::rowHeight(int row) const
{
    const auto &h = sheet().rowHeights;
    const auto it = h.find(row);
    return it == h.end() ? defaultRowHeight : it->second;
}

void Workbook::setRowHeight(int row, int twips)
{
    if (row < 1 || row > maxRows)
        return;
    sheet().rowHeights[row] = std::clamp(twips, 0, 8190);
    emit displayChanged();
    emit contentChanged();
}

int Workbook::columnWidth(int col) const
{
    const auto &w = sheet().columnWidths;
    const auto it = w.find(col);
    return it == w.end() ? defaultColumnWidth : it->second;
}

void Workbook::setColumnWidth(int col, int twips)
{
    if (col < 1 || col > maxColumns)
        return;
    sheet().columnWidths[col] = std::clamp(twips, 0, 65535);
    emit displayChanged();
    emit contentChanged();
}

bool Workbook::isRowHidden(int row) const
{
    return sheet().hiddenRows.count(row) > 0 || (maxRow() > 0 && row > maxRow());
}

bool Workbook::isColumnHidden(int col) const
{
    return sheet().hiddenColumns.count(col) > 0 || (maxCol() > 0 && col > maxCol());
}

void Workbook::setRowsHidden(int first, int last, bool hidden)
{
    first = std::max(first, 1);
    last = std::min(last, maxRows);
    auto &set = sheet().hiddenRows;
    for (int r = first; r <= last; ++r) {
        if (hidden)
            set.insert(r);
        else
            set.erase(r);
        if (!hidden && r > first + 100000 && set.upper_bound(r) == set.end())
            break; // nothing further to show
    }
    emit displayChanged();
    emit contentChanged();
}

void Workbook::setColumnsHidden(int first, int last, bool hidden)
{
    first = std::max(first, 1);
    last = std::min(last, maxColumns);
    auto &set = sheet().hiddenColumns;
    for (int c = first; c <= last; ++c) {
        if (hidden)
            set.insert(c);
        else
            set.erase(c);
    }
    emit displayChanged();
    emit contentChanged();
}

std::vector<int> Workbook::hiddenRows() const
{
    return {sheet().hiddenRows.begin(), sheet().hiddenRows.end()};
}

std::vector<int> Workbook::hiddenColumns() const
{
    return {sheet().hiddenColumns.begin(), sheet().hiddenColumns.end()};
}

void Workbook::setMaxCol(int columns)
{
    sheet().maxCol = std::clamp(columns, 0, maxColumns);
    emit displayChanged();
    emit contentChanged();
}

void Workbook::setMaxRow(int rows)
{
    sheet().maxRow = std::clamp(rows, 0, maxRows);
    emit displayChanged();
    emit contentChanged();
}

int Workbook::visibleColumnLimit() const { return maxCol() > 0 ? maxCol() : maxColumns; }
int Workbook::visibleRowLimit() const { return maxRow() > 0 ? maxRow() : maxRows; }

// ---- Used range ---------------------------------------------------------------------

int Workbook::lastRow() const
{
    int last = 0;
    sheet().forEachCell(CellRange{1, 1, visibleRowLimit(), visibleColumnLimit()}, [&](int row, int, const Cell &cell) {
        if (!cell.isBlank())
            last = std::max(last, row);
    });
    return last;
}

int Workbook::lastCol() const
{
    int last = 0;
    sheet().forEachCell(CellRange{1, 1, visibleRowLimit(), visibleColumnLimit()}, [&](int, int col, const Cell &cell) {
        if (!cell.isBlank())
            last = std::max(last, col);
    });
    return last;
}

std::optional<CellRange> Workbook::usedRange() const
{
    const int r = lastRow(), c = lastCol();
    if (r == 0 || c == 0)
        return std::nullopt;
    return CellRange{1, 1, r, c};
}

// ---- Merges --------------------------------------------------------------------------

void Workbook::mergeCells(const CellRange &range)
{
    if (!range.isValid() || range.isSingleCell())
        return;
    auto &m = sheet().merges;
    m.erase(std::remove_if(m.begin(), m.end(), [&](const CellRange &r) { return r.intersects(range); }), m.end());
    m.push_back(range);
    emit displayChanged();
    emit contentChanged();
}

void Workbook::unmergeCells(const CellRange &range)
{
    auto &m = sheet().merges;
    m.erase(std::remove_if(m.begin(), m.end(), [&](const CellRange &r) { return r.intersects(range); }), m.end());
    emit displayChanged();
    emit contentChanged();
}

std::optional<CellRange> Workbook::mergeAt(int row, int col) const
{
    for (const CellRange &r : sheet().merges)
        if (r.contains(row, col))
            return r;
    return std::nullopt;
}

// ---- Selection -------------------------------------------------------------------------

void Workbook::setSelection(const Selection &selection)
{
    Selection s = selection;
    if (s.ranges.empty())
        s.ranges.push_back(CellRange::cell(s.active.row, s.active.col));
    for (CellRange &r : s.ranges) {
        r.top = std::clamp(r.top, 1, maxRows);
        r.bottom = std::clamp(r.bottom, r.top, maxRows);
        r.left = std::clamp(r.left, 1, maxColumns);
        r.right = std::clamp(r.right, r.left, maxColumns);
    }
    s.active.row = std::clamp(s.active.row, 1, maxRows);
    s.active.col = std::clamp(s.active.col, 1, maxColumns);
    SheetData &sh = sheet();
    if (sh.selection.ranges == s.ranges && sh.selection.active == s.active)
        return;
    sh.selection = s;
    emit selectionChanged();
}

void Workbook::setSelection(const CellRange &range)
{
    Selection s;
    s.ranges = {range};
    s.active = {range.top, range.left};
    setSelection(s);
}

bool Workbook::setSelection(const QString &text)
{
    Selection s;
    s.ranges.clear();
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        const auto range = parseCellRange(part);
        if (!range)
            return false;
        s.ranges.push_back(*range);
    }
    if (s.ranges.empty())
        return false;
    s.active = {s.ranges.front().top, s.ranges.front().left};
    setSelection(s);
    return true;
}

CellRange Workbook::firstSelectedRange() const
{
    return sheet().selection.ranges.empty() ? CellRange::cell(activeCell().row, activeCell().col)
                                            : sheet().selection.ranges.front();
}

QString Workbook::selectionText() const
{
    QStringList parts;
    for (const CellRange &r : sheet().selection.ranges)
        parts << absoluteRangeName(r);
    return parts.join(u',');
}

void Workbook::setActiveCell(int row, int col)
{
    setSelection(CellRange::cell(std::clamp(row, 1, maxRows), std::clamp(col, 1, maxColumns)));
}

// ---- View, print area -----------------------------------------------------------------

void Workbook::setViewScale(int percent)
{
    sheet().viewScale = std::clamp(percent, 10, 400);
    emit displayChanged();
}

void Workbook::setViewSettings(const ViewSettings &settings)
{
    m_content.view = settings;
    emit displayChanged();
}

void Workbook::setPrintArea(const std::optional<CellRange> &area)
{
    sheet().printArea = area;
}

bool Workbook::setPrintArea(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        setPrintArea(std::optional<CellRange>());
        return true;
    }
    const auto range = parseCellRange(text);
    if (!range)
        return false;
    setPrintArea(std::optional<CellRange>(*range));
    return true;
}

// ---- Content as a whole ----------------------------------------------------------------

void Workbook::replaceContent(WorkbookContent &&content)
{
    for (std::size_t id = 0; id < m_content.formulas.size(); ++id)
        if (m_content.formulas[id].alive)
            Recalculation::unregisterFormula(*this, int(id));
    m_content = std::move(content);
    m_formulaGeneration = Recalculation::nextGeneration();
    if (m_content.sheets.empty())
        m_content.sheets.push_back(newSheet(QStringLiteral("Sheet1")));
    m_content.activeSheet = std::clamp(m_content.activeSheet, 0, sheetCount() - 1);
    m_dirty.clear();
    emit titleChanged();
    structureChanged();
    emit selectionChanged();
    emit contentChanged();
}

// ---- Commands ------------------------------------------------------------------------------

EditResult Workbook::sortRange(const CellRange &range, bool ascending, EditOrigin origin)
{
    if (auto check = checkEditable(range, origin); !check)
        return check;
    // Rows of the range ordered by the first column; blanks last either way.
    struct RowData
    {
        std::vector<std::pair<Cell, QString>> cells; // format and formula text kept with the cell
        Value key;
    };
    SheetData &s = sheet();
    std::vector<RowData> rows;
    for (int r = range.top; r <= range.bottom; ++r) {
        RowData data;
        for (int c = range.left; c <= range.right; ++c) {
            const Cell *cell = s.cell(r, c);
            Cell copy = cell ? *cell : Cell{};
            QString formulaText;
            if (copy.formula >= 0)
                formulaText = m_content.formulas[std::size_t(copy.formula)].text();
            data.cells.emplace_back(copy, formulaText);
        }
        data.key = storedValue(activeSheet(), r, range.left);
        rows.push_back(std::move(data));
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const RowData &a, const RowData &b) {
        if (a.key.isEmpty() != b.key.isEmpty())
            return b.key.isEmpty();
        if (a.key.isEmpty())
            return false;
        const int c = compareValues(a.key, b.key);
        return ascending ? c < 0 : c > 0;
    });
    for (int r = range.top; r <= range.bottom; ++r)
        for (int c = range.left; c <= range.right; ++c)
            if (Cell *cell = s.cell(r, c))
                removeFormula(*cell);
    for (int i = 0; i < int(rows.size()); ++i) {
        const int r = range.top + i;
        for (int j = 0; j < int(rows[std::size_t(i)].cells.size()); ++j) {
            const int c = range.left + j;
            const auto &[copy, formulaText] = rows[std::size_t(i)].cells[std::size_t(j)];
            Cell &cell = s.cellForWrite(r, c);
            cell.format = copy.format;
            cell.value = copy.formula >= 0 ? Value{} : copy.value;
            if (copy.formula >= 0)
                placeFormula(activeSheet(), r, c, formulaText);
            cellChanged(activeSheet(), r, c);
        }
    }
    finishEdit();
    return {};
}

std::optional<CellAddress> Workbook::find(const QString &what, CellAddress after, bool matchCase) const
{
    if (what.isEmpty())
        return std::nullopt;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    std::optional<CellAddress> first, next;
    sheet().forEachCell(CellRange{1, 1, visibleRowLimit(), visibleColumnLimit()}, [&](int row, int col, const Cell &cell) {
        if (next || cell.isBlank())
            return;
        const QString shown = textOf(activeSheet(), row, col);
        if (!shown.contains(what, cs) && !entryOf(activeSheet(), row, col).contains(what, cs))
            return;
        if (!first)
            first = CellAddress{row, col};
        if (row > after.row || (row == after.row && col > after.col))
            next = CellAddress{row, col};
    });
    return next ? next : first; // wraps around to the first match
}

} // namespace qv::workbook
