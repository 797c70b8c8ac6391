#include "controls/workbook/VtsFile.h"

#include "controls/workbook/JsonScanner.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace qv::workbook {

namespace vts {

namespace {

const QString source = QStringLiteral("Workbook");

[[noreturn]] void bad(const QString &why)
{
    throw QvError(badFileFormat, source, QStringLiteral("The workbook file is damaged or not a workbook: %1.").arg(why));
}

// ---- Writing -----------------------------------------------------------------

QString colorText(Rgb rgb)
{
    return u'#' + QString::number(rgb & 0xFFFFFF, 16).rightJustified(6, u'0');
}

const char *const alignmentNames[] = {"general", "left", "center", "right", "mergeCenter"};
const char *const verticalNames[] = {"bottom", "center", "top"};
const char *const borderNames[] = {"none", "thin", "medium", "thick", "dashed", "dotted", "double"};

QJsonObject formatObject(const CellFormat &f)
{
    const CellFormat d;
    QJsonObject o;
    if (f.numberFormat != d.numberFormat) o[QLatin1String("numberFormat")] = f.numberFormat;
    if (f.fontName != d.fontName) o[QLatin1String("font")] = f.fontName;
    if (f.fontSize != d.fontSize) o[QLatin1String("size")] = f.fontSize;
    if (f.bold) o[QLatin1String("bold")] = true;
    if (f.italic) o[QLatin1String("italic")] = true;
    if (f.underline) o[QLatin1String("underline")] = true;
    if (f.fontColor != d.fontColor) o[QLatin1String("color")] = colorText(f.fontColor);
    if (f.hasFill) o[QLatin1String("fill")] = colorText(f.fillColor);
    if (f.alignment != d.alignment) o[QLatin1String("align")] = QLatin1String(alignmentNames[int(f.alignment)]);
    if (f.verticalAlignment != d.verticalAlignment) o[QLatin1String("valign")] = QLatin1String(verticalNames[int(f.verticalAlignment)]);
    const std::pair<const char *, const BorderLine *> borders[] = {
        {"left", &f.left}, {"right", &f.right}, {"top", &f.top}, {"bottom", &f.bottom}};
    QJsonObject b;
    for (const auto &[name, line] : borders)
        if (line->style != BorderStyle::None)
            b[QLatin1String(name)] = QJsonObject{{QLatin1String("style"), QLatin1String(borderNames[int(line->style)])},
                                                 {QLatin1String("color"), colorText(line->color)}};
    if (!b.isEmpty()) o[QLatin1String("borders")] = b;
    if (f.wrap) o[QLatin1String("wrap")] = true;
    if (!f.locked) o[QLatin1String("locked")] = false;
    return o;
}

void putValue(QJsonObject &o, const Value &v)
{
    switch (v.type) {
    case Value::Type::Empty: break;
    case Value::Type::Number: o[QLatin1String("n")] = v.number; break;
    case Value::Type::Text: o[QLatin1String("s")] = v.text; break;
    case Value::Type::Boolean: o[QLatin1String("b")] = v.boolean(); break;
    case Value::Type::Error: o[QLatin1String("e")] = errorText(v.error); break;
    }
}

QJsonObject sizeMap(const std::map<int, int> &sizes)
{
    QJsonObject o;
    for (const auto &[index, twips] : sizes)
        o[QString::number(index)] = twips;
    return o;
}

QJsonArray intList(const std::set<int> &values)
{
    QJsonArray a;
    for (int v : values)
        a.append(v);
    return a;
}

QJsonObject sheetObject(const SheetData &sheet, const WorkbookContent &content)
{
    QJsonObject o;
    o[QLatin1String("name")] = sheet.name;
    if (sheet.maxCol) o[QLatin1String("maxCol")] = sheet.maxCol;
    if (sheet.maxRow) o[QLatin1String("maxRow")] = sheet.maxRow;
    o[QLatin1String("protected")] = sheet.isProtected;
    o[QLatin1String("viewScale")] = sheet.viewScale;
    if (sheet.printArea) o[QLatin1String("printArea")] = rangeName(*sheet.printArea);
    QJsonArray ranges;
    for (const CellRange &r : sheet.selection.ranges)
        ranges.append(rangeName(r));
    o[QLatin1String("selection")] = QJsonObject{{QLatin1String("ranges"), ranges},
                                                {QLatin1String("active"), cellName(sheet.selection.active.row, sheet.selection.active.col)}};
    if (!sheet.rowHeights.empty()) o[QLatin1String("rowHeights")] = sizeMap(sheet.rowHeights);
    if (!sheet.columnWidths.empty()) o[QLatin1String("columnWidths")] = sizeMap(sheet.columnWidths);
    if (!sheet.hiddenRows.empty()) o[QLatin1String("hiddenRows")] = intList(sheet.hiddenRows);
    if (!sheet.hiddenColumns.empty()) o[QLatin1String("hiddenColumns")] = intList(sheet.hiddenColumns);
    if (!sheet.merges.empty()) {
        QJsonArray merges;
        for (const CellRange &r : sheet.merges)
            merges.append(rangeName(r));
        o[QLatin1String("merges")] = merges;
    }
    QJsonArray cells;
    sheet.forEachCell(CellRange{1, 1, maxRows, maxColumns}, [&](int row, int col, const Cell &cell) {
        QJsonObject c;
        c[QLatin1String("r")] = cellName(row, col);
        if (cell.formula >= 0) {
            const FormulaCell &f = content.formulas[std::size_t(cell.formula)];
            c[QLatin1String("f")] = f.text();
            putValue(c, f.result);
        } else {
            putValue(c, cell.value);
        }
        if (cell.format) c[QLatin1String("x")] = qint64(cell.format);
        cells.append(c);
    });
    o[QLatin1String("cells")] = cells;
    return o;
}

// ---- Reading -----------------------------------------------------------------

Rgb readColor(const QJsonValue &v, const QString &what)
{
    const QString text = v.toString();
    bool ok = false;
    const uint rgb = text.mid(1).toUInt(&ok, 16);
    if (!text.startsWith(u'#') || text.size() != 7 || !ok)
        bad(QStringLiteral("%1 is not a colour").arg(what));
    return rgb;
}

template <std::size_t N>
int readName(const QJsonValue &v, const char *const (&names)[N], const QString &what)
{
    const QString text = v.toString();
    for (std::size_t i = 0; i < N; ++i)
        if (text == QLatin1String(names[i]))
            return int(i);
    bad(QStringLiteral("%1 has an unknown value").arg(what));
}

int readInt(const QJsonValue &v, int low, int high, const QString &what)
{
    if (!v.isDouble())
        bad(QStringLiteral("%1 is not a number").arg(what));
    const double d = v.toDouble();
    if (d != std::floor(d) || d < low || d > high)
        bad(QStringLiteral("%1 is out of range").arg(what));
    return int(d);
}

bool readBool(const QJsonObject &o, const char *key, bool fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fallback;
    if (!v.isBool())
        bad(QStringLiteral("\"%1\" is not true or false").arg(QLatin1String(key)));
    return v.toBool();
}

QString readText(const QJsonValue &v, const QString &what, int maxLength = 32767)
{
    if (!v.isString())
        bad(QStringLiteral("%1 is not text").arg(what));
    const QString s = v.toString();
    if (s.size() > maxLength)
        bad(QStringLiteral("%1 is too long").arg(what));
    return s;
}

CellFormat readFormat(const QJsonValue &value, int index)
{
    const QString what = QStringLiteral("format %1").arg(index);
    if (!value.isObject())
        bad(QStringLiteral("%1 is not an object").arg(what));
    const QJsonObject o = value.toObject();
    CellFormat f;
    if (o.contains(QLatin1String("numberFormat"))) f.numberFormat = readText(o[QLatin1String("numberFormat")], what, 255);
    if (o.contains(QLatin1String("font"))) f.fontName = readText(o[QLatin1String("font")], what, 64);
    if (o.contains(QLatin1String("size"))) {
        const QJsonValue s = o[QLatin1String("size")];
        if (!s.isDouble() || s.toDouble() < 1 || s.toDouble() > 409)
            bad(QStringLiteral("the font size of %1 is out of range").arg(what));
        f.fontSize = s.toDouble();
    }
    f.bold = readBool(o, "bold", false);
    f.italic = readBool(o, "italic", false);
    f.underline = readBool(o, "underline", false);
    f.wrap = readBool(o, "wrap", false);
    f.locked = readBool(o, "locked", true);
    if (o.contains(QLatin1String("color"))) f.fontColor = readColor(o[QLatin1String("color")], what);
    if (o.contains(QLatin1String("fill"))) {
        f.hasFill = true;
        f.fillColor = readColor(o[QLatin1String("fill")], what);
    }
    if (o.contains(QLatin1String("align")))
        f.alignment = HorizontalAlignment(readName(o[QLatin1String("align")], alignmentNames, what));
    if (o.contains(QLatin1String("valign")))
        f.verticalAlignment = VerticalAlignment(readName(o[QLatin1String("valign")], verticalNames, what));
    if (o.contains(QLatin1String("borders"))) {
        const QJsonObject b = o[QLatin1String("borders")].toObject();
        const std::pair<const char *, BorderLine *> borders[] = {
            {"left", &f.left}, {"right", &f.right}, {"top", &f.top}, {"bottom", &f.bottom}};
        for (const auto &[name, line] : borders) {
            if (!b.contains(QLatin1String(name)))
                continue;
            const QJsonObject l = b[QLatin1String(name)].toObject();
            line->style = BorderStyle(readName(l[QLatin1String("style")], borderNames, what));
            if (l.contains(QLatin1String("color")))
                line->color = readColor(l[QLatin1String("color")], what);
        }
    }
    return f;
}

CellRange readRange(const QJsonValue &v, const QString &what)
{
    const auto range = parseCellRange(readText(v, what, 64));
    if (!range)
        bad(QStringLiteral("%1 is not a cell range").arg(what));
    return *range;
}

CellAddress readAddress(const QJsonValue &v, const QString &what)
{
    const auto a = parseCellAddress(readText(v, what, 16));
    if (!a)
        bad(QStringLiteral("%1 is not a cell reference").arg(what));
    return *a;
}

void readSizes(const QJsonObject &o, std::map<int, int> &sizes, int maxIndex, int maxTwips, const QString &what)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        bool ok = false;
        const int index = it.key().toInt(&ok);
        if (!ok || index < 1 || index > maxIndex)
            bad(QStringLiteral("%1 names a bad row or column").arg(what));
        sizes[index] = readInt(it.value(), 0, maxTwips, what);
    }
}

void readIndices(const QJsonValue &v, std::set<int> &out, int maxIndex, const QString &what)
{
    if (!v.isArray())
        bad(QStringLiteral("%1 is not a list").arg(what));
    for (const QJsonValue &i : v.toArray())
        out.insert(readInt(i, 1, maxIndex, what));
}

void readSheet(const QJsonObject &o, int index, WorkbookContent &content)
{
    const QString what = QStringLiteral("sheet %1").arg(index + 1);
    SheetData &sheet = content.sheets[std::size_t(index)];
    sheet.name = readText(o[QLatin1String("name")], what + QStringLiteral(" name"), 31);
    if (sheet.name.trimmed().isEmpty())
        bad(QStringLiteral("%1 has no name").arg(what));
    for (int i = 0; i < index; ++i)
        if (content.sheets[std::size_t(i)].name.compare(sheet.name, Qt::CaseInsensitive) == 0)
            bad(QStringLiteral("two sheets are named \"%1\"").arg(sheet.name));
    if (o.contains(QLatin1String("maxCol"))) sheet.maxCol = readInt(o[QLatin1String("maxCol")], 0, maxColumns, what);
    if (o.contains(QLatin1String("maxRow"))) sheet.maxRow = readInt(o[QLatin1String("maxRow")], 0, maxRows, what);
    sheet.isProtected = readBool(o, "protected", false);
    if (o.contains(QLatin1String("viewScale"))) sheet.viewScale = readInt(o[QLatin1String("viewScale")], 10, 400, what);
    if (o.contains(QLatin1String("printArea"))) sheet.printArea = readRange(o[QLatin1String("printArea")], what);
    if (o.contains(QLatin1String("selection"))) {
        const QJsonObject s = o[QLatin1String("selection")].toObject();
        sheet.selection.ranges.clear();
        for (const QJsonValue &r : s[QLatin1String("ranges")].toArray()) {
            if (sheet.selection.ranges.size() >= 1000)
                bad(QStringLiteral("%1 has too many selected ranges").arg(what));
            sheet.selection.ranges.push_back(readRange(r, what));
        }
        if (sheet.selection.ranges.empty())
            sheet.selection.ranges.push_back(CellRange::cell(1, 1));
        if (s.contains(QLatin1String("active")))
            sheet.selection.active = readAddress(s[QLatin1String("active")], what);
    }
    if (o.contains(QLatin1String("rowHeights")))
        readSizes(o[QLatin1String("rowHeights")].toObject(), sheet.rowHeights, maxRows, 8190, what);
    if (o.contains(QLatin1String("columnWidths")))
        readSizes(o[QLatin1String("columnWidths")].toObject(), sheet.columnWidths, maxColumns, 65535, what);
    if (o.contains(QLatin1String("hiddenRows")))
        readIndices(o[QLatin1String("hiddenRows")], sheet.hiddenRows, maxRows, what);
    if (o.contains(QLatin1String("hiddenColumns")))
        readIndices(o[QLatin1String("hiddenColumns")], sheet.hiddenColumns, maxColumns, what);
    const QJsonArray merges = o[QLatin1String("merges")].toArray();
    if (merges.size() > 100000)
        bad(QStringLiteral("%1 has too many merged ranges").arg(what));
    for (const QJsonValue &m : merges)
        sheet.merges.push_back(readRange(m, what));
}

// "B12" (or "$B$12", "b12") straight from the file's bytes.
std::optional<CellAddress> quickAddress(const QString &text)
{
    int i = 0, col = 0, row = 0;
    const int n = int(text.size());
    if (i < n && text[i] == u'$') ++i;
    const int letters = i;
    while (i < n && i - letters < 4 && text[i].isLetter() && text[i].unicode() < 128)
        col = col * 26 + (text[i++].toUpper().unicode() - 'A' + 1);
    if (i == letters)
        return std::nullopt;
    if (i < n && text[i] == u'$') ++i;
    const int digits = i;
    while (i < n && i - digits < 8 && text[i].isDigit() && text[i].unicode() < 128)
        row = row * 10 + (text[i++].unicode() - '0');
    if (i != n || i == digits || text[digits] == u'0' || col > maxColumns || row < 1 || row > maxRows)
        return parseCellAddress(text); // the general reader decides the unusual ones
    return CellAddress{row, col};
}

// One cell object, read member by member; what it holds goes into the sheet.
void readCell(JsonScanner &s, int index, WorkbookContent &content, const std::vector<std::uint32_t> &remap, const QString &what)
{
    SheetData &sheet = content.sheets[std::size_t(index)];
    if (!s.consume('{'))
        bad(QStringLiteral("a cell of %1 is not an object").arg(what));
    std::optional<CellAddress> address;
    std::optional<QString> formula, text, error;
    std::optional<double> number, format;
    std::optional<bool> boolean;
    std::string_view key;
    QString keyText;
    auto scalar = [&](auto read, const char *name) {
        auto v = read();
        if (!v) bad(QStringLiteral("a cell of %1 has a bad \"%2\"").arg(what, QLatin1String(name)));
        return *v;
    };
    while (s.nextMember(key, keyText)) {
        if (key == "r") {
            const QString r = scalar([&] { return s.readString(); }, "r");
            address = quickAddress(r);
            if (!address || r.size() > 16)
                bad(QStringLiteral("a cell of %1 is not a cell reference").arg(what));
        } else if (key == "f") {
            formula = scalar([&] { return s.readString(); }, "f");
        } else if (key == "n") {
            number = scalar([&] { return s.readNumber(); }, "n");
        } else if (key == "s") {
            text = scalar([&] { return s.readString(); }, "s");
        } else if (key == "b") {
            boolean = scalar([&] { return s.readBoolean(); }, "b");
        } else if (key == "e") {
            error = scalar([&] { return s.readString(); }, "e");
        } else if (key == "x") {
            format = scalar([&] { return s.readNumber(); }, "x");
        } else {
            const char *begin = nullptr, *end = nullptr;
            s.skipValue(begin, end);
        }
    }
    if (s.failed())
        bad(s.error());
    if (!address)
        bad(QStringLiteral("a cell of %1 is not a cell reference").arg(what));
    const auto [row, col] = *address;
    if (sheet.cell(row, col))
        bad(QStringLiteral("%1 cell %2 appears twice").arg(what, cellName(row, col)));
    // As before this reader: a number wins over text, text over a Boolean.
    Value v;
    if (number) v = Value::fromNumber(*number);
    else if (text) v = Value::fromText(*text);
    else if (boolean) v = Value::fromBoolean(*boolean);
    else if (error) {
        const auto code = errorFromText(*error);
        if (!code || error->size() > 16)
            bad(QStringLiteral("%1 cell %2 has an unknown error value").arg(what, cellName(row, col)));
        v = Value::fromError(*code);
    }
    if (text && text->size() > 32767)
        bad(QStringLiteral("%1 cell %2 is too long").arg(what, cellName(row, col)));
    std::uint32_t formatIndex = 0;
    if (format) {
        // Indices count the file's list; equal formats share one entry here.
        if (*format != std::floor(*format) || *format < 0 || *format >= double(remap.size()))
            bad(QStringLiteral("%1 cell %2 format is out of range").arg(what, cellName(row, col)));
        formatIndex = remap[std::size_t(*format)];
    }
    if (formula) {
        if (formula->size() > 8192)
            bad(QStringLiteral("%1 cell %2 is too long").arg(what, cellName(row, col)));
        content.setFormula(index, row, col, *formula, v);
    } else {
        sheet.cellForWrite(row, col).value = v;
    }
    sheet.cell(row, col)->format = formatIndex;
}

void readCells(JsonScanner &s, int index, WorkbookContent &content, const std::vector<std::uint32_t> &remap)
{
    const QString what = QStringLiteral("sheet %1").arg(index + 1);
    if (!s.consume('['))
        bad(QStringLiteral("the cells of %1 are not a list").arg(what));
    while (s.nextElement())
        readCell(s, index, content, remap, what);
    if (s.failed())
        bad(s.error());
}

// The members of an object other than the one streamed: copied as text into
// an object of their own, which the document reader checks and reads.
class OtherMembers
{
public:
    // Reads the rest of the object: the member named `streamed` is only
    // located (its text's span comes back), the others are kept.
    std::pair<const char *, const char *> readAllBut(JsonScanner &s, std::string_view streamed)
    {
        std::pair<const char *, const char *> found{nullptr, nullptr};
        std::string_view key;
        QString keyText;
        while (s.nextMember(key, keyText)) {
            const char *begin = nullptr, *end = nullptr;
            if (!s.skipValue(begin, end))
                break;
            if (key == streamed)
                found = {begin, end};
            else
                add(key, keyText, begin, end);
        }
        if (s.failed())
            bad(s.error());
        return found;
    }

    void add(std::string_view key, const QString &keyText, const char *begin, const char *end)
    {
        m_text += m_text.isEmpty() ? "{" : ",";
        m_text += keyText.isEmpty() ? QByteArray('"' + QByteArray(key.data(), qsizetype(key.size())) + '"')
                                    : QJsonDocument(QJsonArray{keyText}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
        m_text += ':';
        m_text.append(begin, qsizetype(end - begin));
    }
    QJsonObject object() const
    {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(m_text.isEmpty() ? QByteArray("{}") : m_text + '}', &error);
        if (error.error != QJsonParseError::NoError)
            bad(error.errorString());
        return doc.object();
    }

private:
    QByteArray m_text;
};

// Reads one sheet: its settings through the document reader, its cells streamed.
void readSheetStream(JsonScanner &s, int index, WorkbookContent &content, const std::vector<std::uint32_t> &remap)
{
    const QString what = QStringLiteral("sheet %1").arg(index + 1);
    if (!s.consume('{'))
        bad(QStringLiteral("%1 is not an object").arg(what));
    // The settings go first, so that the cells can rely on the sheet's name.
    OtherMembers settings;
    const auto [cellsAt, cellsEnd] = settings.readAllBut(s, "cells");
    readSheet(settings.object(), index, content);
    if (cellsAt) {
        JsonScanner cells(cellsAt, cellsEnd);
        readCells(cells, index, content, remap);
    }
}

} // namespace

QByteArray serialize(const WorkbookContent &content)
{
    QJsonObject root;
    root[QLatin1String("format")] = QLatin1String(formatName);
    root[QLatin1String("version")] = formatVersion;
    root[QLatin1String("title")] = content.title;
    root[QLatin1String("activeSheet")] = content.activeSheet;
    root[QLatin1String("view")] = QJsonObject{
        {QLatin1String("gridLines"), content.view.showGridLines},
        {QLatin1String("rowHeadings"), content.view.showRowHeadings},
        {QLatin1String("columnHeadings"), content.view.showColumnHeadings},
        {QLatin1String("formulaBar"), content.view.showFormulaBar},
    };
    QJsonArray formats;
    for (std::size_t i = 1; i < content.formats.size(); ++i)
        formats.append(formatObject(content.formats.at(std::uint32_t(i))));
    root[QLatin1String("formats")] = formats;
    QJsonArray sheets;
    for (const SheetData &sheet : content.sheets)
        sheets.append(sheetObject(sheet, content));
    root[QLatin1String("sheets")] = sheets;
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

WorkbookContent parse(const QByteArray &data)
{
    if (data.size() > maxFileSize)
        bad(QStringLiteral("the file is too large"));
    // The document is read as a stream: the sheets' cells go straight into
    // the sheets, everything else through the document reader. A byte-order
    // mark, which some editors put before UTF-8 text, is passed over.
    const qsizetype start = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    JsonScanner s(data.constData() + start, data.constData() + data.size());
    if (s.peek() != JsonScanner::Kind::Object)
        bad(s.atEnd() ? QStringLiteral("the file is empty") : QStringLiteral("the document is not an object"));
    s.consume('{');
    OtherMembers members;
    const auto [sheetsAt, sheetsEnd] = members.readAllBut(s, "sheets");
    if (!s.atEnd())
        bad(QStringLiteral("there is text after the document"));
    const QJsonObject root = members.object();
    if (root[QLatin1String("format")].toString() != QLatin1String(formatName))
        bad(QStringLiteral("the format name is missing"));
    const int version = readInt(root[QLatin1String("version")], 1, 1000000, QStringLiteral("the version"));
    if (version > formatVersion)
        throw QvError(badFileFormat, source,
                      QStringLiteral("The workbook file was written by a newer version (format %1).").arg(version));

    WorkbookContent content;
    // One formula table entry per "f" member at most; reserved at once, so a
    // large sheet's table does not grow by doubling.
    const std::string_view bytes(data.constData(), std::size_t(data.size()));
    std::size_t formulaCount = 0;
    for (auto at = bytes.find("\"f\""); at != std::string_view::npos; at = bytes.find("\"f\"", at + 3))
        ++formulaCount;
    content.formulas.reserve(formulaCount);
    content.title = root.contains(QLatin1String("title")) ? readText(root[QLatin1String("title")], QStringLiteral("the title"), 255) : QString();
    const QJsonObject view = root[QLatin1String("view")].toObject();
    content.view.showGridLines = readBool(view, "gridLines", true);
    content.view.showRowHeadings = readBool(view, "rowHeadings", true);
    content.view.showColumnHeadings = readBool(view, "columnHeadings", true);
    content.view.showFormulaBar = readBool(view, "formulaBar", true);

    const QJsonValue formats = root[QLatin1String("formats")];
    if (!formats.isUndefined() && !formats.isArray())
        bad(QStringLiteral("the formats are not a list"));
    int index = 1;
    std::vector<std::uint32_t> remap{0};
    if (formats.toArray().size() > 1000000)
        bad(QStringLiteral("there are too many formats"));
    for (const QJsonValue &f : formats.toArray())
        remap.push_back(content.formats.intern(readFormat(f, index++)));

    if (!sheetsAt)
        bad(QStringLiteral("the workbook has no sheets"));
    JsonScanner sheets(sheetsAt, sheetsEnd);
    if (!sheets.consume('['))
        bad(QStringLiteral("the workbook has no sheets"));
    content.sheets.clear();
    std::size_t rows = 0;
    while (sheets.nextElement()) {
        if (content.sheets.size() >= 256)
            bad(QStringLiteral("the workbook has too many sheets"));
        content.sheets.emplace_back();
        const int i = int(content.sheets.size()) - 1;
        readSheetStream(sheets, i, content, remap);
        rows += std::size_t(content.sheets[std::size_t(i)].storedRows());
        if (rows > std::size_t(4 * maxRows))
            bad(QStringLiteral("the workbook is too large"));
    }
    if (sheets.failed())
        bad(sheets.error());
    if (content.sheets.empty())
        bad(QStringLiteral("the workbook has no sheets"));
    content.activeSheet = root.contains(QLatin1String("activeSheet"))
                              ? readInt(root[QLatin1String("activeSheet")], 0, int(content.sheets.size()) - 1, QStringLiteral("the active sheet"))
                              : 0;
    return content;
}

} // namespace vts

void Workbook::read(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw QvError(vts::fileNotFound, QStringLiteral("Workbook"), QStringLiteral("File not found: %1").arg(path));
    if (QFileInfo(path).size() > vts::maxFileSize)
        throw QvError(vts::badFileFormat, QStringLiteral("Workbook"), QStringLiteral("The workbook file is too large: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw QvError(vts::fileUnreadable, QStringLiteral("Workbook"),
                      QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    WorkbookContent content;
    try {
        content = vts::parse(file.readAll()); // the file's bytes go before the calculation
    } catch (const QvError &e) {
        throw QvError(e.number(), e.source(), e.description() + QStringLiteral(" (") + path + u')');
    }
    replaceContent(std::move(content));
}

void Workbook::write(const QString &path) const
{
    const QString failure = platform::writeFileAtomically(path, vts::serialize(m_content));
    if (!failure.isEmpty())
        throw QvError(vts::writeFailed, QStringLiteral("Workbook"), QStringLiteral("Cannot write %1: %2").arg(path, failure));
}

} // namespace qv::workbook

#include "controls/workbook/WorkbookSet.h"

#include <QDir>

namespace qv::workbook {

QString tableNameOf(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(QLatin1String(".vts"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

std::shared_ptr<Workbook> loadWorkbook(const QString &path)
{
    auto book = std::make_shared<Workbook>();
    book->read(path);
    book->setTitle(tableNameOf(path));
    return book;
}

QStringList loadFolder(WorkbookSet &set, const QString &folder)
{
    QStringList problems;
    const QDir dir(folder);
    WorkbookSet::Batch batch(set);
    const QStringList files = dir.entryList({QStringLiteral("*.vts"), QStringLiteral("*.VTS")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        try {
            set.add(loadWorkbook(dir.filePath(file)));
        } catch (const QvError &e) {
            problems << e.description();
        }
    }
    return problems;
}

} // namespace qv::workbook
