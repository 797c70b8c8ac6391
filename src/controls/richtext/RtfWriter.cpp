// The RTF writer: a QTextDocument as RTF that LibreOffice, Word and WordPad
// read, and that the reader reads back to the same document.

#include "controls/richtext/CodePage.h"
#include "controls/richtext/Rtf.h"
#include "controls/richtext/RtfTokenizer.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <charconv>
#include <map>

namespace qv::rtf {

namespace {

void appendNumber(QByteArray &out, const char *word, long long value)
{
    out += word;
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

// Text as RTF: ASCII as is, the rest as \u with a code-page 1252 fallback.
void appendEscaped(QByteArray &out, QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = text[i].unicode();
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}') {
            // A run of plain ASCII goes in at once.
            qsizetype j = i;
            char buffer[256];
            int used = 0;
            while (j < n && used < int(sizeof buffer)) {
                c = text[j].unicode();
                if (c < 0x20 || c >= 0x7F || c == '\\' || c == '{' || c == '}')
                    break;
                buffer[used++] = char(c);
                ++j;
            }
            out.append(buffer, used);
            i = j - 1;
            continue;
        }
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
            continue;
        }
        switch (c) {
        case '\t': out += "\\tab "; continue;
        case QChar::LineSeparator: out += "\\line "; continue;
        case 0x00A0: out += "\\~"; continue;
        case 0x00AD: out += "\\-"; continue;
        case 0x2011: out += "\\_"; continue;
        case QChar::ObjectReplacementCharacter: continue;
        default: break;
        }
        if (c < 0x20)
            continue;
        appendNumber(out, "\\u", static_cast<short>(c));
        if (const unsigned char b = windows1252Byte(c); b >= 0x80) {
            static const char hex[] = "0123456789abcdef";
            out += "\\'";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += '?';
        }
    }
}

QString bulletFor(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle: return QStringLiteral("\u25E6");
    case QTextListFormat::ListSquare: return QStringLiteral("\u25AA");
    default: return QStringLiteral("\u2022");
    }
}

int numberFormatFor(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDecimal: return 0;
    case QTextListFormat::ListUpperRoman: return 1;
    case QTextListFormat::ListLowerRoman: return 2;
    case QTextListFormat::ListUpperAlpha: return 3;
    case QTextListFormat::ListLowerAlpha: return 4;
    default: return 23;
    }
}

bool isBullet(QTextListFormat::Style style)
{
    return numberFormatFor(style) == 23;
}

class Writer
{
public:
    explicit Writer(const QTextDocument &document) : m_document(document) {}

    QByteArray write();

private:
    void collect();
    void noteFormat(const QTextCharFormat &format);
    QString family(const QTextCharFormat &format) const;
    double pointSize(const QTextCharFormat &format) const;
    int colorIndex(const QBrush &brush) const;

    void writeHeader();
    void writeStyleSheet();
    void writeListTable();
    void writeFrame(const QTextFrame *frame);
    void writeTable(const QTextTable *table);
    void writeBlock(const QTextBlock &block, bool inTable, bool endsCell);
    void writeCharProperties(const QTextCharFormat &format);
    void writeImage(const QTextImageFormat &format);
    int textWidth() const;

    const QTextDocument &m_document;
    QByteArray m_out;
    QString m_defaultFamily;
    double m_defaultSize = 12;
    std::map<QString, int> m_fonts;
    QStringList m_fontOrder;
    std::map<QRgb, int> m_colors;
    QList<QColor> m_colorOrder;
    std::map<const QTextList *, int> m_lists;
    QList<const QTextList *> m_listOrder;
};

QString Writer::family(const QTextCharFormat &format) const
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return m_defaultFamily;
}

double Writer::pointSize(const QTextCharFormat &format) const
{
    if (const double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : 0; points > 0)
        return points;
    // Pasted HTML may size its text in pixels (96 to the inch).
    if (const int pixels = format.intProperty(QTextFormat::FontPixelSize); pixels > 0)
        return pixels * 72.0 / 96.0;
    return m_defaultSize;
}

void Writer::noteFormat(const QTextCharFormat &format)
{
    const QString name = family(format);
    if (!m_fonts.count(name)) {
        m_fonts[name] = int(m_fontOrder.size());
        m_fontOrder.append(name);
    }
    for (const QBrush &brush : {format.foreground(), format.background()}) {
        if (brush.style() == Qt::NoBrush)
            continue;
        const QRgb rgb = brush.color().rgb();
        if (!m_colors.count(rgb)) {
            m_colorOrder.append(brush.color());
            m_colors[rgb] = int(m_colorOrder.size()); // index 0 is the automatic colour
        }
    }
}

int Writer::colorIndex(const QBrush &brush) const
{
    if (brush.style() == Qt::NoBrush)
        return 0;
    const auto found = m_colors.find(brush.color().rgb());
    return found == m_colors.end() ? 0 : found->second;
}

void Writer::collect()
{
    const QFont font = m_document.defaultFont();
    m_defaultFamily = font.family();
    if (font.pointSizeF() > 0)
        m_defaultSize = font.pointSizeF();
    m_fonts[m_defaultFamily] = 0;
    m_fontOrder.append(m_defaultFamily);

    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        noteFormat(block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it)
            noteFormat(it.fragment().charFormat());
        if (const QTextList *list = block.textList(); list && !m_lists.count(list)) {
            m_listOrder.append(list);
            m_lists[list] = int(m_listOrder.size());
        }
    }
}

int Writer::textWidth() const
{
    const PageLayout page = pageLayout(m_document);
    return std::max(page.paperWidth - page.marginLeft - page.marginRight, 1440);
}

void Writer::writeHeader()
{
    const PageLayout page = pageLayout(m_document);
    const double tab = m_document.defaultTextOption().tabStopDistance();
    m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
    appendNumber(m_out, "\\deftab", tab > 0 ? pixelsToTwips(tab) : 720);
    m_out += "\r\n{\\fonttbl";
    for (qsizetype i = 0; i < m_fontOrder.size(); ++i) {
        appendNumber(m_out, "{\\f", i);
        m_out += "\\fnil\\fcharset0 ";
        appendEscaped(m_out, m_fontOrder[i]);
        m_out += ";}";
    }
    m_out += "}\r\n{\\colortbl;";
    for (const QColor &c : std::as_const(m_colorOrder)) {
        appendNumber(m_out, "\\red", c.red());
        appendNumber(m_out, "\\green", c.green());
        appendNumber(m_out, "\\blue", c.blue());
        m_out += ';';
    }
    m_out += "}\r\n";
    writeStyleSheet();
    writeListTable();
    m_out += "{\\*\\generator Quorvex 8.0;}";
    appendNumber(m_out, "\\paperw", page.paperWidth);
    appendNumber(m_out, "\\paperh", page.paperHeight);
    appendNumber(m_out, "\\margl", page.marginLeft);
    appendNumber(m_out, "\\margr", page.marginRight);
    appendNumber(m_out, "\\margt", page.marginTop);
    appendNumber(m_out, "\\margb", page.marginBottom);
    m_out += "\r\n";
}

// Headings keep their level as the heading styles other word processors
// know by name ("heading 1" ...), each with its outline level.
void Writer::writeStyleSheet()
{
    int deepest = 0;
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
        deepest = std::max(deepest, std::clamp(block.blockFormat().headingLevel(), 0, 9));
    if (deepest == 0)
        return;
    m_out += "{\\stylesheet{\\s0\\snext0 Normal;}";
    for (int level = 1; level <= deepest; ++level) {
        appendNumber(m_out, "\r\n{\\s", level);
        appendNumber(m_out, "\\outlinelevel", level - 1);
        m_out += "\\sbasedon0\\snext0 heading ";
        appendNumber(m_out, "", level);
        m_out += ";}";
    }
    m_out += "}\r\n";
}

void Writer::writeListTable()
{
    if (m_listOrder.isEmpty())
        return;
    m_out += "{\\*\\listtable";
    for (qsizetype i = 0; i < m_listOrder.size(); ++i) {
        const QTextListFormat format = m_listOrder[i]->format();
        const int nfc = numberFormatFor(format.style());
        appendNumber(m_out, "\r\n{\\list\\listtemplateid", i + 1);
        for (int level = 0; level < 9; ++level) {
            appendNumber(m_out, "{\\listlevel\\levelnfc", nfc);
            appendNumber(m_out, "\\levelnfcn", nfc);
            m_out += "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1{\\leveltext";
            if (nfc == 23) {
                const QString bullet = bulletFor(format.style());
                m_out += "\\'01";
                appendEscaped(m_out, bullet);
                m_out += ";}{\\levelnumbers;}";
            } else {
                const QString prefix = format.numberPrefix();
                const QString suffix = format.numberSuffix();
                m_out += "\\'" + QByteArray::number(int(prefix.size() + 1 + suffix.size()), 16).rightJustified(2, '0');
                appendEscaped(m_out, prefix);
                m_out += "\\'0" + QByteArray::number(level);
                appendEscaped(m_out, suffix);
                m_out += ";}{\\levelnumbers\\'" + QByteArray::number(int(prefix.size() + 1), 16).rightJustified(2, '0') + ";}";
            }
            appendNumber(m_out, "\\fi", -360);
            appendNumber(m_out, "\\li", 720 * (level + 1));
            m_out += '}';
        }
        appendNumber(m_out, "\\listid", i + 1);
        m_out += '}';
    }
    m_out += "}\r\n{\\*\\listoverridetable";
    for (qsizetype i = 0; i < m_listOrder.size(); ++i) {
        appendNumber(m_out, "{\\listoverride\\listid", i + 1);
        appendNumber(m_out, "\\listoverridecount0\\ls", i + 1);
        m_out += '}';
    }
    m_out += "}\r\n";
}

void Writer::writeCharProperties(const QTextCharFormat &format)
{
    appendNumber(m_out, "\\plain\\f", m_fonts.at(family(format)));
    appendNumber(m_out, "\\fs", qRound(pointSize(format) * 2));
    if (format.fontWeight() >= QFont::DemiBold)
        m_out += "\\b";
    if (format.fontItalic())
        m_out += "\\i";
    switch (format.underlineStyle()) {
    case QTextCharFormat::NoUnderline: break;
    case QTextCharFormat::DotLine: m_out += "\\uld"; break;
    case QTextCharFormat::DashUnderline: m_out += "\\uldash"; break;
    case QTextCharFormat::DashDotLine: m_out += "\\uldashd"; break;
    case QTextCharFormat::DashDotDotLine: m_out += "\\uldashdd"; break;
    case QTextCharFormat::WaveUnderline: m_out += "\\ulwave"; break;
    default: m_out += "\\ul"; break;
    }
    if (format.fontStrikeOut())
        m_out += "\\strike";
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        m_out += "\\super";
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        m_out += "\\sub";
    if (const int fg = colorIndex(format.foreground()))
        appendNumber(m_out, "\\cf", fg);
    if (const int bg = colorIndex(format.background()))
        appendNumber(m_out, "\\highlight", bg);
    if (format.fontCapitalization() == QFont::AllUppercase)
        m_out += "\\caps";
    else if (format.fontCapitalization() == QFont::SmallCaps)
        m_out += "\\scaps";
    m_out += ' ';
}

void Writer::writeImage(const QTextImageFormat &format)
{
    const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image;
    if (resource.typeId() == QMetaType::QImage)
        image = resource.value<QImage>();
    else if (resource.typeId() == QMetaType::QPixmap)
        image = resource.value<QPixmap>().toImage();
    else if (resource.typeId() == QMetaType::QByteArray)
        image = QImage::fromData(resource.toByteArray());
    if (image.isNull())
        image = QImage(QUrl(format.name()).isLocalFile() ? QUrl(format.name()).toLocalFile() : format.name());
    if (image.isNull())
        return; // nothing to save for a picture that cannot be found
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");

    const double width = format.width() > 0 ? format.width() : image.width();
    const double height = format.height() > 0 ? format.height() : image.height();
    appendNumber(m_out, "{\\pict\\picw", image.width());
    appendNumber(m_out, "\\pich", image.height());
    appendNumber(m_out, "\\picwgoal", pixelsToTwips(width));
    appendNumber(m_out, "\\pichgoal", pixelsToTwips(height));
    m_out += "\\pngblip\r\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        m_out += hex.mid(i, 128);
        m_out += "\r\n";
    }
    m_out += '}';
}

void Writer::writeBlock(const QTextBlock &block, bool inTable, bool endsCell)
{
    const QTextBlockFormat format = block.blockFormat();
    const QTextList *list = block.textList();
    m_out += "\\pard";
    if (inTable)
        m_out += "\\intbl";
    if (const int heading = std::clamp(format.headingLevel(), 0, 9); heading > 0) {
        appendNumber(m_out, "\\s", heading);
        appendNumber(m_out, "\\outlinelevel", heading - 1);
    }
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        m_out += "\\qc";
    else if (alignment & Qt::AlignJustify)
        m_out += "\\qj";
    else if (alignment & Qt::AlignRight)
        m_out += "\\qr";
    else
        m_out += "\\ql";
    int level = 0;
    if (list) {
        level = std::clamp(list->format().indent() - 1, 0, 8);
        appendNumber(m_out, "\\ls", m_lists.at(list));
        appendNumber(m_out, "\\ilvl", level);
        appendNumber(m_out, "\\li", 720 * (level + 1));
        appendNumber(m_out, "\\fi", -360);
    } else {
        if (const int li = pixelsToTwips(format.leftMargin()))
            appendNumber(m_out, "\\li", li);
        if (const int fi = pixelsToTwips(format.textIndent()))
            appendNumber(m_out, "\\fi", fi);
    }
    if (const int ri = pixelsToTwips(format.rightMargin()))
        appendNumber(m_out, "\\ri", ri);
    if (const int sb = pixelsToTwips(format.topMargin()))
        appendNumber(m_out, "\\sb", sb);
    if (const int sa = pixelsToTwips(format.bottomMargin()))
        appendNumber(m_out, "\\sa", sa);
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (format.lineHeight() > 0 && qRound(format.lineHeight()) != 100) {
            appendNumber(m_out, "\\sl", qRound(format.lineHeight() * 240 / 100.0));
            m_out += "\\slmult1";
        }
        break;
    case QTextBlockFormat::FixedHeight:
        appendNumber(m_out, "\\sl", -pixelsToTwips(format.lineHeight()));
        m_out += "\\slmult0";
        break;
    case QTextBlockFormat::MinimumHeight:
        appendNumber(m_out, "\\sl", pixelsToTwips(format.lineHeight()));
        m_out += "\\slmult0";
        break;
    default:
        break;
    }
    for (const QTextOption::Tab &tab : format.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            m_out += "\\tqr";
        else if (tab.type == QTextOption::CenterTab)
            m_out += "\\tqc";
        else if (tab.type == QTextOption::DelimiterTab)
            m_out += "\\tqdec";
        appendNumber(m_out, "\\tx", pixelsToTwips(tab.position));
    }
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        m_out += "\\pagebb";
    m_out += ' ';

    if (list) {
        m_out += "{\\listtext";
        writeCharProperties(block.charFormat());
        appendEscaped(m_out, isBullet(list->format().style()) ? bulletFor(list->format().style())
                                                              : list->itemText(block));
        m_out += "\\tab}";
    }

    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat charFormat = fragment.charFormat();
        if (charFormat.isImageFormat()) {
            for (int i = 0; i < fragment.length(); ++i)
                writeImage(charFormat.toImageFormat());
            continue;
        }
        const QString link = charFormat.isAnchor() ? charFormat.anchorHref() : QString();
        if (!link.isEmpty()) {
            m_out += "{\\field{\\*\\fldinst HYPERLINK \"";
            appendEscaped(m_out, QString(link).replace(u'"', QStringLiteral("%22")).replace(u' ', QStringLiteral("%20")));
            m_out += "\"}{\\fldrslt ";
        }
        m_out += '{';
        writeCharProperties(charFormat);
        appendEscaped(m_out, fragment.text());
        m_out += '}';
        if (!link.isEmpty())
            m_out += "}}";
    }

    // The paragraph mark keeps the block's own format (the height of an
    // empty line, the font typing continues in).
    writeCharProperties(block.charFormat());
    m_out += endsCell ? "\\cell" : "\\par";
    m_out += inTable ? " " : "\r\n";
}

void Writer::writeTable(const QTextTable *table)
{
    const QTextTableFormat format = table->format();
    const int columns = table->columns();

    // Right edges of the columns in twips.
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    const int available = textWidth();
    std::vector<double> widths(size_t(columns), -1);
    double used = 0;
    int variable = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = c < constraints.size() ? constraints[c] : QTextLength();
        if (length.type() == QTextLength::FixedLength)
            widths[size_t(c)] = pixelsToTwips(length.rawValue());
        else if (length.type() == QTextLength::PercentageLength)
            widths[size_t(c)] = available * length.rawValue() / 100.0;
        if (widths[size_t(c)] >= 0)
            used += widths[size_t(c)];
        else
            ++variable;
    }
    for (double &w : widths) {
        if (w < 0)
            w = std::max((available - used) / std::max(variable, 1), 360.0);
    }
    std::vector<int> edges;
    double right = 0;
    for (const double w : widths)
        edges.push_back(qRound(right += w));

    const bool borders = format.border() > 0 && format.borderStyle() != QTextFrameFormat::BorderStyle_None;
    for (int r = 0; r < table->rows(); ++r) {
        m_out += "\\trowd";
        appendNumber(m_out, "\\trgaph", pixelsToTwips(format.cellPadding()));
        m_out += "\\trleft0";
        std::vector<QTextTableCell> cells;
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.column() != c)
                continue; // covered by a cell spanning columns
            if (cell.row() != r)
                m_out += "\\clvmrg";
            else if (cell.rowSpan() > 1)
                m_out += "\\clvmgf";
            if (borders)
                m_out += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10"
                         "\\clbrdrb\\brdrs\\brdrw10\\clbrdrr\\brdrs\\brdrw10";
            appendNumber(m_out, "\\cellx", edges[size_t(c + cell.columnSpan() - 1)]);
            cells.push_back(cell);
        }
        m_out += "\r\n";
        for (const QTextTableCell &cell : cells) {
            if (cell.row() != r) {
                m_out += "\\pard\\intbl\\cell ";
                continue;
            }
            // Nested frames of a cell are written as its paragraphs.
            std::vector<QTextBlock> blocks;
            for (QTextBlock b = m_document.findBlock(cell.firstPosition());
                 b.isValid() && b.position() <= cell.lastPosition(); b = b.next())
                blocks.push_back(b);
            if (blocks.empty()) {
                m_out += "\\pard\\intbl\\cell ";
                continue;
            }
            for (size_t i = 0; i < blocks.size(); ++i)
                writeBlock(blocks[i], true, i + 1 == blocks.size());
        }
        m_out += "\\row\r\n";
    }
}

void Writer::writeFrame(const QTextFrame *frame)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame *child = it.currentFrame()) {
            if (const auto *table = qobject_cast<const QTextTable *>(child))
                writeTable(table);
            else
                writeFrame(child);
        } else {
            writeBlock(it.currentBlock(), false, false);
        }
    }
}

QByteArray Writer::write()
{
    collect();
    m_out.reserve(m_document.characterCount() * 2 + 1024);
    writeHeader();
    writeFrame(m_document.rootFrame());
    m_out += "}\r\n";
    return m_out;
}

} // namespace

QByteArray writeRtf(const QTextDocument &document)
{
    return Writer(document).write();
}

QByteArray breakRtfLines(const QByteArray &rtf, int maxLength)
{
    // The reader's own tokenizer finds the units a break must not split, so
    // the two can never disagree about where a token ends.
    maxLength = std::max(maxLength, 1);
    QByteArray out;
    out.reserve(rtf.size() + rtf.size() / maxLength * 2 + 2);
    const char *data = rtf.constData();
    qsizetype lineLength = 0;
    qsizetype copied = 0; // the source up to here is in out
    auto unit = [&](qsizetype begin, qsizetype end) {
        if (lineLength > 0 && lineLength + (end - begin) > maxLength) {
            out.append(data + copied, begin - copied);
            out += "\r\n";
            copied = begin;
            lineLength = 0;
        }
        lineLength += end - begin;
    };
    Tokenizer tokenizer(rtf);
    Token t = tokenizer.next();
    while (t.kind != Token::End) {
        Token next = tokenizer.next();
        if (t.kind == Token::LineEnd) {
            lineLength = 0;
        } else if (t.kind == Token::Text) {
            for (qsizetype p = t.begin; p < t.end; ++p)
                unit(p, p + 1);
        } else if (t.kind == Token::ControlWord && t.word == "u" && t.hasParameter
                   && (next.kind == Token::HexByte || next.kind == Token::Text)) {
            // A \u keeps its fallback character: readers count it from there.
            const qsizetype fallbackEnd = next.kind == Token::HexByte ? next.end : next.begin + 1;
            unit(t.begin, fallbackEnd);
            if (next.kind == Token::Text && next.end > fallbackEnd) {
                next.begin = fallbackEnd;
            } else {
                next = tokenizer.next();
            }
        } else if (t.kind == Token::ControlSymbol && t.symbol == '*' && next.kind == Token::ControlWord) {
            // \* stays with the destination it marks.
            unit(t.begin, next.end);
            next = tokenizer.next();
        } else {
            unit(t.begin, t.end);
        }
        t = next;
    }
    // A lone backslash at the very end is no token; it stays where it is.
    out.append(data + copied, rtf.size() - copied);
    return out;
}

QByteArray writeSectionRtf(const QTextDocument &document)
{
    return breakRtfLines(writeRtf(document));
}

} // namespace qv::rtf
