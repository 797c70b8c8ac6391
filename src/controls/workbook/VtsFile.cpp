#include "controls/workbook/VtsFile.h"

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
            c[QLatin1String("f")] = f.text;
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

Value readValue(const QJsonObject &c, const QString &what)
{
    if (c.contains(QLatin1String("n"))) {
        const QJsonValue n = c[QLatin1String("n")];
        if (!n.isDouble() || !std::isfinite(n.toDouble()))
            bad(QStringLiteral("%1 has a bad number").arg(what));
        return Value::fromNumber(n.toDouble());
    }
    if (c.contains(QLatin1String("s")))
        return Value::fromText(readText(c[QLatin1String("s")], what));
    if (c.contains(QLatin1String("b"))) {
        if (!c[QLatin1String("b")].isBool())
            bad(QStringLiteral("%1 has a bad Boolean").arg(what));
        return Value::fromBoolean(c[QLatin1String("b")].toBool());
    }
    if (c.contains(QLatin1String("e"))) {
        const auto e = errorFromText(readText(c[QLatin1String("e")], what, 16));
        if (!e)
            bad(QStringLiteral("%1 has an unknown error value").arg(what));
        return Value::fromError(*e);
    }
    return {};
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

void readSheet(const QJsonValue &value, int index, WorkbookContent &content, const std::vector<std::uint32_t> &remap)
{
    const QString what = QStringLiteral("sheet %1").arg(index + 1);
    if (!value.isObject())
        bad(QStringLiteral("%1 is not an object").arg(what));
    const QJsonObject o = value.toObject();
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

    const QJsonValue cells = o[QLatin1String("cells")];
    if (!cells.isUndefined() && !cells.isArray())
        bad(QStringLiteral("the cells of %1 are not a list").arg(what));
    for (const QJsonValue &cv : cells.toArray()) {
        if (!cv.isObject())
            bad(QStringLiteral("a cell of %1 is not an object").arg(what));
        const QJsonObject c = cv.toObject();
        const CellAddress a = readAddress(c[QLatin1String("r")], QStringLiteral("a cell of ") + what);
        const QString cellWhat = what + QStringLiteral(" cell ") + cellName(a.row, a.col);
        if (sheet.cell(a.row, a.col))
            bad(QStringLiteral("%1 appears twice").arg(cellWhat));
        const Value v = readValue(c, cellWhat);
        std::uint32_t format = 0;
        if (c.contains(QLatin1String("x")))
            // Indices count the file's list; equal formats share one entry here.
            format = remap[std::size_t(readInt(c[QLatin1String("x")], 0, int(remap.size()) - 1, cellWhat + QStringLiteral(" format")))];
        if (c.contains(QLatin1String("f"))) {
            const QString text = readText(c[QLatin1String("f")], cellWhat, 8192);
            content.setFormula(index, a.row, a.col, text, v);
        } else {
            sheet.cellForWrite(a.row, a.col).value = v;
        }
        sheet.cell(a.row, a.col)->format = format;
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
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        bad(QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset));
    if (!doc.isObject())
        bad(QStringLiteral("the document is not an object"));
    const QJsonObject root = doc.object();
    if (root[QLatin1String("format")].toString() != QLatin1String(formatName))
        bad(QStringLiteral("the format name is missing"));
    const int version = readInt(root[QLatin1String("version")], 1, 1000000, QStringLiteral("the version"));
    if (version > formatVersion)
        throw QvError(badFileFormat, source,
                      QStringLiteral("The workbook file was written by a newer version (format %1).").arg(version));

    WorkbookContent content;
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

    const QJsonValue sheets = root[QLatin1String("sheets")];
    if (!sheets.isArray() || sheets.toArray().isEmpty())
        bad(QStringLiteral("the workbook has no sheets"));
    const QJsonArray sheetList = sheets.toArray();
    if (sheetList.size() > 256)
        bad(QStringLiteral("the workbook has too many sheets"));
    content.sheets.assign(std::size_t(sheetList.size()), SheetData{});
    std::size_t rows = 0;
    for (int i = 0; i < int(sheetList.size()); ++i) {
        readSheet(sheetList[i], i, content, remap);
        rows += std::size_t(content.sheets[std::size_t(i)].storedRows());
        if (rows > std::size_t(4 * maxRows))
            bad(QStringLiteral("the workbook is too large"));
    }
    content.activeSheet = root.contains(QLatin1String("activeSheet"))
                              ? readInt(root[QLatin1String("activeSheet")], 0, int(sheetList.size()) - 1, QStringLiteral("the active sheet"))
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
    const QByteArray data = file.readAll();
    try {
        replaceContent(vts::parse(data));
    } catch (const QvError &e) {
        throw QvError(e.number(), e.source(), e.description() + QStringLiteral(" (") + path + u')');
    }
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
