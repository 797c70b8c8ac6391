#include "controls/workbook/ExcelCopy.h"

#include "controls/workbook/Workbook.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <map>

namespace qv::workbook {

namespace {

constexpr long excelWriteFailed = 31038;

uint8_t borderStyle(BorderStyle s)
{
    switch (s) {
    case BorderStyle::None: return LXW_BORDER_NONE;
    case BorderStyle::Thin: return LXW_BORDER_THIN;
    case BorderStyle::Medium: return LXW_BORDER_MEDIUM;
    case BorderStyle::Thick: return LXW_BORDER_THICK;
    case BorderStyle::Dashed: return LXW_BORDER_DASHED;
    case BorderStyle::Dotted: return LXW_BORDER_DOTTED;
    case BorderStyle::Double: return LXW_BORDER_DOUBLE;
    }
    return LXW_BORDER_NONE;
}

// Excel's sheet names: at most 31 characters, none of []:*?/\ and unique.
QString excelSheetName(const QString &name, const QStringList &taken)
{
    QString n = name;
    for (QChar &c : n)
        if (QStringLiteral("[]:*?/\\").contains(c))
            c = u'_';
    n = n.left(31).trimmed();
    if (n.isEmpty())
        n = QStringLiteral("Sheet");
    QString candidate = n;
    for (int i = 2; taken.contains(candidate, Qt::CaseInsensitive); ++i)
        candidate = n.left(28) + QString::number(i);
    return candidate;
}

class Writer
{
public:
    Writer(const Workbook &book, lxw_workbook *out) : m_book(book), m_out(out) {}

    void writeSheet(int index, const QString &name)
    {
        const QByteArray utfName = name.toUtf8();
        lxw_worksheet *ws = workbook_add_worksheet(m_out, utfName.constData());
        if (!ws)
            throw QvError(excelWriteFailed, QStringLiteral("Workbook"), QStringLiteral("Cannot add the sheet %1").arg(name));
        const SheetData &sheet = m_book.sheetData(index);
        const int colLimit = sheet.maxCol > 0 ? sheet.maxCol : maxColumns;
        const int rowLimit = sheet.maxRow > 0 ? sheet.maxRow : maxRows;
        int lastRow = 0, lastCol = 0;
        sheet.forEachCell(CellRange{1, 1, rowLimit, colLimit}, [&](int r, int c, const Cell &) {
            lastRow = std::max(lastRow, r);
            lastCol = std::max(lastCol, c);
        });

        // Columns: widths and hidden state; twips to pixels at 96 dots per inch.
        const int widthColumns = std::max(lastCol, sheet.hiddenColumns.empty() ? 0 : std::min(*sheet.hiddenColumns.rbegin(), colLimit));
        for (int c = 1; c <= widthColumns; ++c) {
            lxw_row_col_options options{};
            options.hidden = sheet.hiddenColumns.count(c) ? 1 : 0;
            const auto w = sheet.columnWidths.find(c);
            const int twips = w == sheet.columnWidths.end() ? defaultColumnWidth : w->second;
            worksheet_set_column_pixels_opt(ws, lxw_col_t(c - 1), lxw_col_t(c - 1), uint32_t(twips / 15), nullptr, &options);
        }
        if (sheet.maxCol > 0 && sheet.maxCol < maxColumns) {
            lxw_row_col_options options{};
            options.hidden = 1; // what lies beyond the limit stays out of view
            worksheet_set_column_opt(ws, lxw_col_t(sheet.maxCol), lxw_col_t(maxColumns - 1), LXW_DEF_COL_WIDTH, nullptr, &options);
        }
        // Rows with their own height or hidden.
        std::set<int> rows;
        for (const auto &[r, h] : sheet.rowHeights)
            if (r <= rowLimit) rows.insert(r);
        for (int r : sheet.hiddenRows)
            if (r <= rowLimit) rows.insert(r);
        for (int r : rows) {
            lxw_row_col_options options{};
            options.hidden = sheet.hiddenRows.count(r) ? 1 : 0;
            const auto h = sheet.rowHeights.find(r);
            const double points = (h == sheet.rowHeights.end() ? defaultRowHeight : h->second) / 20.0;
            worksheet_set_row_opt(ws, lxw_row_t(r - 1), points, nullptr, &options);
        }

        for (const CellRange &m : sheet.merges) {
            if (m.top > rowLimit || m.left > colLimit)
                continue;
            worksheet_merge_range(ws, lxw_row_t(m.top - 1), lxw_col_t(m.left - 1), lxw_row_t(std::min(m.bottom, rowLimit) - 1),
                                  lxw_col_t(std::min(m.right, colLimit) - 1), "", format(sheet.cell(m.top, m.left) ? sheet.cell(m.top, m.left)->format : 0));
        }

        sheet.forEachCell(CellRange{1, 1, rowLimit, colLimit}, [&](int r, int c, const Cell &cell) {
            writeCell(ws, index, r, c, cell);
        });

        worksheet_gridlines(ws, m_book.viewSettings().showGridLines ? LXW_SHOW_SCREEN_GRIDLINES : LXW_HIDE_ALL_GRIDLINES);
        worksheet_set_zoom(ws, uint16_t(std::clamp(sheet.viewScale, 10, 400)));
        if (sheet.printArea) {
            const CellRange &p = *sheet.printArea;
            worksheet_print_area(ws, lxw_row_t(p.top - 1), lxw_col_t(p.left - 1), lxw_row_t(std::min(p.bottom, maxRows) - 1),
                                 lxw_col_t(std::min(p.right, maxColumns) - 1));
        }
        if (!sheet.selection.ranges.empty()) {
            const CellRange &s = sheet.selection.ranges.front();
            worksheet_set_selection(ws, lxw_row_t(s.top - 1), lxw_col_t(s.left - 1), lxw_row_t(s.bottom - 1), lxw_col_t(s.right - 1));
        }
        if (sheet.isProtected)
            worksheet_protect(ws, nullptr, nullptr);
        if (index == m_book.activeSheet())
            worksheet_activate(ws);
    }

private:
    const Workbook &m_book;
    lxw_workbook *m_out;
    std::map<std::uint32_t, lxw_format *> m_formats;

    lxw_format *format(std::uint32_t index)
    {
        if (index == 0)
            return nullptr;
        const auto found = m_formats.find(index);
        if (found != m_formats.end())
            return found->second;
        const CellFormat &f = m_book.formats().at(index);
        lxw_format *x = workbook_add_format(m_out);
        const CellFormat d;
        if (f.numberFormat != d.numberFormat)
            format_set_num_format(x, f.numberFormat.toUtf8().constData());
        format_set_font_name(x, f.fontName.toUtf8().constData());
        format_set_font_size(x, f.fontSize);
        if (f.bold) format_set_bold(x);
        if (f.italic) format_set_italic(x);
        if (f.underline) format_set_underline(x, LXW_UNDERLINE_SINGLE);
        if (f.fontColor != 0) format_set_font_color(x, lxw_color_t(f.fontColor));
        if (f.hasFill) {
            format_set_pattern(x, LXW_PATTERN_SOLID);
            format_set_bg_color(x, lxw_color_t(f.fillColor));
        }
        switch (f.alignment) {
        case HorizontalAlignment::General: break;
        case HorizontalAlignment::Left: format_set_align(x, LXW_ALIGN_LEFT); break;
        case HorizontalAlignment::Center:
        case HorizontalAlignment::MergeAndCenter: format_set_align(x, LXW_ALIGN_CENTER); break;
        case HorizontalAlignment::Right: format_set_align(x, LXW_ALIGN_RIGHT); break;
        }
        if (f.verticalAlignment == VerticalAlignment::Center) format_set_align(x, LXW_ALIGN_VERTICAL_CENTER);
        if (f.verticalAlignment == VerticalAlignment::Top) format_set_align(x, LXW_ALIGN_VERTICAL_TOP);
        if (f.left.style != BorderStyle::None) { format_set_left(x, borderStyle(f.left.style)); format_set_left_color(x, lxw_color_t(f.left.color)); }
        if (f.right.style != BorderStyle::None) { format_set_right(x, borderStyle(f.right.style)); format_set_right_color(x, lxw_color_t(f.right.color)); }
        if (f.top.style != BorderStyle::None) { format_set_top(x, borderStyle(f.top.style)); format_set_top_color(x, lxw_color_t(f.top.color)); }
        if (f.bottom.style != BorderStyle::None) { format_set_bottom(x, borderStyle(f.bottom.style)); format_set_bottom_color(x, lxw_color_t(f.bottom.color)); }
        if (f.wrap) format_set_text_wrap(x);
        if (!f.locked) format_set_unlocked(x);
        m_formats[index] = x;
        return x;
    }

    static bool readsOtherWorkbooks(const FormulaCell &f, const Workbook &book)
    {
        for (const Reference &ref : f.code->compiled.references)
            if (!ref.book.isEmpty() && ref.book.compare(book.title(), Qt::CaseInsensitive) != 0)
                return true;
        return f.broken();
    }

    void writeValue(lxw_worksheet *ws, lxw_row_t r, lxw_col_t c, const Value &v, lxw_format *fmt)
    {
        switch (v.type) {
        case Value::Type::Empty: worksheet_write_blank(ws, r, c, fmt); break;
        case Value::Type::Number: worksheet_write_number(ws, r, c, v.number, fmt); break;
        case Value::Type::Text: worksheet_write_string(ws, r, c, v.text.toUtf8().constData(), fmt); break;
        case Value::Type::Boolean: worksheet_write_boolean(ws, r, c, v.boolean() ? 1 : 0, fmt); break;
        case Value::Type::Error: {
            const QByteArray text = errorText(v.error).toUtf8();
            const QByteArray formula = QByteArray("=") + text;
            worksheet_write_formula_str(ws, r, c, formula.constData(), fmt, text.constData());
            break;
        }
        }
    }

    void writeCell(lxw_worksheet *ws, int sheet, int row, int col, const Cell &cell)
    {
        const lxw_row_t r = lxw_row_t(row - 1);
        const lxw_col_t c = lxw_col_t(col - 1);
        lxw_format *fmt = format(cell.format);
        if (cell.formula < 0) {
            writeValue(ws, r, c, cell.value, fmt);
            return;
        }
        const FormulaCell &f = m_book.formulaCell(cell.formula);
        if (readsOtherWorkbooks(f, m_book)) {
            writeValue(ws, r, c, f.result, fmt);
            return;
        }
        // References to the own workbook by title lose the title in the copy.
        QString text = f.text();
        if (!m_book.title().isEmpty())
            text.replace(u'[' + m_book.title() + u']', QString(), Qt::CaseInsensitive);
        const QByteArray formula = QByteArray("=") + text.toUtf8();
        switch (f.result.type) {
        case Value::Type::Text:
            worksheet_write_formula_str(ws, r, c, formula.constData(), fmt, f.result.text.toUtf8().constData());
            break;
        case Value::Type::Error:
            worksheet_write_formula_str(ws, r, c, formula.constData(), fmt, errorText(f.result.error).toUtf8().constData());
            break;
        case Value::Type::Boolean:
            worksheet_write_formula_str(ws, r, c, formula.constData(), fmt, f.result.boolean() ? "TRUE" : "FALSE");
            break;
        default:
            worksheet_write_formula_num(ws, r, c, formula.constData(), fmt, f.result.number);
            break;
        }
        (void)sheet;
    }
};

} // namespace

void writeExcelCopy(const Workbook &book, const QString &path)
{
    // libxlsxwriter writes a file by name: it writes into a private folder
    // beside the target, and the finished file then replaces the target.
    const QFileInfo target(path);
    QTemporaryDir scratch(target.absolutePath() + QStringLiteral("/.excel-XXXXXX"));
    if (!scratch.isValid())
        throw QvError(excelWriteFailed, QStringLiteral("Workbook"), QStringLiteral("Cannot write %1: %2").arg(path, scratch.errorString()));
    const QString temporary = scratch.filePath(QStringLiteral("copy.xlsx"));
    const QByteArray temporaryName = QFile::encodeName(temporary);
    lxw_workbook_options options{};
    const QByteArray tmpdir = QFile::encodeName(scratch.path());
    options.tmpdir = const_cast<char *>(tmpdir.constData());
    lxw_workbook *out = workbook_new_opt(temporaryName.constData(), &options);
    if (!out)
        throw QvError(excelWriteFailed, QStringLiteral("Workbook"), QStringLiteral("Cannot write %1").arg(path));
    try {
        Writer writer(book, out);
        QStringList names;
        for (int s = 0; s < book.sheetCount(); ++s) {
            names << excelSheetName(book.sheetName(s), names);
            writer.writeSheet(s, names.back());
        }
    } catch (...) {
        workbook_close(out);
        throw;
    }
    const lxw_error status = workbook_close(out);
    if (status != LXW_NO_ERROR)
        throw QvError(excelWriteFailed, QStringLiteral("Workbook"),
                      QStringLiteral("Cannot write %1: %2").arg(path, QString::fromUtf8(lxw_strerror(status))));
    const QString failure = platform::replaceFile(temporary, path);
    if (!failure.isEmpty())
        throw QvError(excelWriteFailed, QStringLiteral("Workbook"), QStringLiteral("Cannot write %1: %2").arg(path, failure));
}

void Workbook::writeExcelCopy(const QString &path) const
{
    qv::workbook::writeExcelCopy(*this, path);
}

} // namespace qv::workbook
