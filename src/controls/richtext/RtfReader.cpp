// The RTF reader: tokens, a stack of group states and the destinations that
// matter; everything else is skipped as RTF allows.

#include "controls/richtext/CodePage.h"
#include "controls/richtext/DocumentModel.h"
#include "controls/richtext/Rtf.h"
#include "controls/richtext/RtfTokenizer.h"

#include <QColor>
#include <QList>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace qv::rtf {

namespace {

// Limits that keep hostile files from costing unbounded time or memory.
constexpr int maxGroupDepth = 1000;
constexpr int maxColumns = 63; // what common word processors allow
constexpr int maxTabStops = 64;
constexpr int maxTwips = 31680 * 4; // four times the largest page dimension
constexpr int maxUnicodeSkip = 16;

int clampTwips(int value)
{
    return std::clamp(value, -maxTwips, maxTwips);
}

enum class Destination {
    Body,
    Skip,
    FontTable,
    ColorTable,
    StyleSheet,
    StyleEntry,
    ListTable,
    ListDefinition,
    ListLevel,
    LevelText,
    ListOverrideTable,
    ListOverride,
    ListMarker,
    LegacyList,
    Picture,
    FieldInstruction,
};

enum class Underline { None, Single, Dotted, Dashed, DashDot, DashDotDot, Wave };

struct CharState
{
    int font = -1; // font table number; -1 for the document default
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    Underline underline = Underline::None;
    int vertical = 0; // 1 superscript, 2 subscript
    int foreground = -1; // colour table index
    int background = -1;
    int caps = 0; // 1 all capitals, 2 small capitals
    int link = -1; // index of the hyperlink target, inside a HYPERLINK field's result

    bool operator==(const CharState &) const = default;
};

struct TabStop
{
    int position = 0;
    QTextOption::TabType type = QTextOption::LeftTab;
};

struct ParaState
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0, right = 0, first = 0, before = 0, after = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    QList<TabStop> tabs;
    QTextOption::TabType pendingTabType = QTextOption::LeftTab;
    bool inTable = false;
    int nesting = 0; // \itap: table nesting level
    int listOverride = 0;
    int listLevel = 0;
    int legacyListStyle = 0; // a QTextListFormat::Style from \pn, 0 for none
    bool pageBreakBefore = false;
    int outlineLevel = -1; // 0-based heading level; -1 for body text
};

struct GroupState
{
    CharState character;
    ParaState paragraph;
    Destination destination = Destination::Body;
    int unicodeSkip = 1;
    int styleNumber = -1; // inside a style sheet entry
};

struct FontEntry
{
    QString family;
    int charset = 0;
};

struct Style
{
    CharState character;
    ParaState paragraph;
};

struct ListLevelDefinition
{
    int numberFormat = 23; // \levelnfc: 0 decimal ... 23 bullet, 255 none
    QString text;
};

struct Picture
{
    enum Format { Unknown, Png, Jpeg, Bitmap } format = Unknown;
    QByteArray data;
    int hexHigh = -1;
    int width = 0, height = 0;         // \picw, \pich
    int goalWidth = 0, goalHeight = 0; // twips
    int scaleX = 100, scaleY = 100;
};

enum class Keyword {
    Unknown,
    Rtf, Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, DefaultTab, UnicodeSkip, Unicode,
    FontTable, Font, FontCharset, ColorTable, Red, Green, Blue,
    StyleSheet, ParagraphStyle, CharacterStyle, OtherStyle, BasedOn,
    Plain, Bold, Italic, Underline, UnderlineDotted, UnderlineDashed, UnderlineDashDot,
    UnderlineDashDotDot, UnderlineWave, UnderlineNone, Strike, Super, Sub, NoSuperSub, Up, Down,
    Caps, SmallCaps, Hidden, FontSize, Foreground, Background,
    Par, Line, Tab, Page, Section, Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify,
    LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter, LineSpacing, LineMultiple,
    TabPosition, TabRight, TabCenter, TabDecimal, PageBreakBefore, OutlineLevel,
    InTable, Cell, Row, RowDefaults, CellRightEdge, NestCell, NestRow, TableLevel,
    CellBorder, BorderNone, RowGap, CellMergesLeft, CellMergesAbove,
    ListText, LegacyList, LegacyBullet, LegacyDecimal, LegacyUpperAlpha, LegacyLowerAlpha,
    LegacyUpperRoman, LegacyLowerRoman, LegacyLevel, ListOverrideNumber, ListLevelNumber,
    ListTable, List, ListLevel, LevelNumberFormat, LevelText, ListId,
    ListOverrideTable, ListOverride,
    Pict, PngBlip, JpegBlip, DibBitmap, PictureWidth, PictureHeight, PictureGoalWidth,
    PictureGoalHeight, PictureScaleX, PictureScaleY, ShapePicture, NonShapePicture,
    PaperWidth, PaperHeight, MarginLeft, MarginRight, MarginTop, MarginBottom,
    EmDash, EnDash, Bullet, LeftQuote, RightQuote, LeftDoubleQuote, RightDoubleQuote,
    EmSpace, EnSpace, QuarterEmSpace, ZeroWidthJoiner, ZeroWidthNonJoiner, LeftToRightMark,
    RightToLeftMark, SkippedDestination, Field, FieldInstruction, FieldResult,
};

const std::unordered_map<std::string_view, Keyword> &keywords()
{
    static const std::unordered_map<std::string_view, Keyword> table = {
        {"rtf", Keyword::Rtf}, {"ansi", Keyword::Ansi}, {"mac", Keyword::Mac}, {"pc", Keyword::Pc},
        {"pca", Keyword::Pca}, {"ansicpg", Keyword::AnsiCodePage}, {"deff", Keyword::DefaultFont},
        {"deftab", Keyword::DefaultTab}, {"uc", Keyword::UnicodeSkip}, {"u", Keyword::Unicode},
        {"fonttbl", Keyword::FontTable}, {"f", Keyword::Font}, {"fcharset", Keyword::FontCharset},
        {"colortbl", Keyword::ColorTable}, {"red", Keyword::Red}, {"green", Keyword::Green},
        {"blue", Keyword::Blue}, {"stylesheet", Keyword::StyleSheet}, {"s", Keyword::ParagraphStyle},
        {"cs", Keyword::CharacterStyle}, {"ds", Keyword::OtherStyle}, {"ts", Keyword::OtherStyle},
        {"sbasedon", Keyword::BasedOn}, {"plain", Keyword::Plain}, {"b", Keyword::Bold},
        {"i", Keyword::Italic}, {"ul", Keyword::Underline}, {"ulw", Keyword::Underline},
        {"uldb", Keyword::Underline}, {"ulth", Keyword::Underline}, {"uld", Keyword::UnderlineDotted},
        {"ulthd", Keyword::UnderlineDotted}, {"uldash", Keyword::UnderlineDashed},
        {"ulthdash", Keyword::UnderlineDashed}, {"ulldash", Keyword::UnderlineDashed},
        {"ulthldash", Keyword::UnderlineDashed}, {"uldashd", Keyword::UnderlineDashDot},
        {"ulthdashd", Keyword::UnderlineDashDot}, {"uldashdd", Keyword::UnderlineDashDotDot},
        {"ulthdashdd", Keyword::UnderlineDashDotDot}, {"ulwave", Keyword::UnderlineWave},
        {"ulhwave", Keyword::UnderlineWave}, {"ululdbwave", Keyword::UnderlineWave},
        {"ulnone", Keyword::UnderlineNone}, {"strike", Keyword::Strike}, {"striked", Keyword::Strike},
        {"super", Keyword::Super}, {"sub", Keyword::Sub}, {"nosupersub", Keyword::NoSuperSub},
        {"up", Keyword::Up}, {"dn", Keyword::Down}, {"caps", Keyword::Caps},
        {"scaps", Keyword::SmallCaps}, {"v", Keyword::Hidden}, {"fs", Keyword::FontSize},
        {"cf", Keyword::Foreground}, {"cb", Keyword::Background}, {"highlight", Keyword::Background},
        {"chcbpat", Keyword::Background}, {"par", Keyword::Par}, {"line", Keyword::Line},
        {"tab", Keyword::Tab}, {"page", Keyword::Page}, {"sect", Keyword::Section},
        {"pard", Keyword::Pard}, {"ql", Keyword::AlignLeft}, {"qc", Keyword::AlignCenter},
        {"qr", Keyword::AlignRight}, {"qj", Keyword::AlignJustify}, {"qd", Keyword::AlignJustify},
        {"li", Keyword::LeftIndent}, {"ri", Keyword::RightIndent}, {"fi", Keyword::FirstIndent},
        {"sb", Keyword::SpaceBefore}, {"sa", Keyword::SpaceAfter}, {"sl", Keyword::LineSpacing},
        {"slmult", Keyword::LineMultiple}, {"tx", Keyword::TabPosition}, {"tb", Keyword::TabPosition},
        {"tqr", Keyword::TabRight}, {"tqc", Keyword::TabCenter}, {"tqdec", Keyword::TabDecimal},
        {"pagebb", Keyword::PageBreakBefore}, {"outlinelevel", Keyword::OutlineLevel}, {"intbl", Keyword::InTable}, {"cell", Keyword::Cell},
        {"row", Keyword::Row}, {"trowd", Keyword::RowDefaults}, {"cellx", Keyword::CellRightEdge},
        {"nestcell", Keyword::NestCell}, {"nestrow", Keyword::NestRow}, {"itap", Keyword::TableLevel},
        {"clbrdrt", Keyword::CellBorder}, {"clbrdrb", Keyword::CellBorder},
        {"clbrdrl", Keyword::CellBorder}, {"clbrdrr", Keyword::CellBorder},
        {"brdrnone", Keyword::BorderNone}, {"brdrnil", Keyword::BorderNone},
        {"trgaph", Keyword::RowGap}, {"clmrg", Keyword::CellMergesLeft}, {"clvmrg", Keyword::CellMergesAbove}, {"listtext", Keyword::ListText}, {"pntext", Keyword::ListText},
        {"pn", Keyword::LegacyList}, {"pnlvlblt", Keyword::LegacyBullet},
        {"pndec", Keyword::LegacyDecimal}, {"pnucltr", Keyword::LegacyUpperAlpha},
        {"pnlcltr", Keyword::LegacyLowerAlpha}, {"pnucrm", Keyword::LegacyUpperRoman},
        {"pnlcrm", Keyword::LegacyLowerRoman}, {"pnlvl", Keyword::LegacyLevel},
        {"ls", Keyword::ListOverrideNumber}, {"ilvl", Keyword::ListLevelNumber},
        {"listtable", Keyword::ListTable}, {"list", Keyword::List}, {"listlevel", Keyword::ListLevel},
        {"levelnfc", Keyword::LevelNumberFormat}, {"levelnfcn", Keyword::LevelNumberFormat},
        {"leveltext", Keyword::LevelText}, {"listid", Keyword::ListId},
        {"listoverridetable", Keyword::ListOverrideTable}, {"listoverride", Keyword::ListOverride},
        {"pict", Keyword::Pict}, {"pngblip", Keyword::PngBlip}, {"jpegblip", Keyword::JpegBlip},
        {"dibitmap", Keyword::DibBitmap}, {"picw", Keyword::PictureWidth},
        {"pich", Keyword::PictureHeight}, {"picwgoal", Keyword::PictureGoalWidth},
        {"pichgoal", Keyword::PictureGoalHeight}, {"picscalex", Keyword::PictureScaleX},
        {"picscaley", Keyword::PictureScaleY}, {"shppict", Keyword::ShapePicture},
        {"nonshppict", Keyword::NonShapePicture}, {"paperw", Keyword::PaperWidth},
        {"paperh", Keyword::PaperHeight}, {"margl", Keyword::MarginLeft},
        {"margr", Keyword::MarginRight}, {"margt", Keyword::MarginTop},
        {"margb", Keyword::MarginBottom}, {"emdash", Keyword::EmDash}, {"endash", Keyword::EnDash},
        {"bullet", Keyword::Bullet}, {"lquote", Keyword::LeftQuote}, {"rquote", Keyword::RightQuote},
        {"ldblquote", Keyword::LeftDoubleQuote}, {"rdblquote", Keyword::RightDoubleQuote},
        {"emspace", Keyword::EmSpace}, {"enspace", Keyword::EnSpace},
        {"qmspace", Keyword::QuarterEmSpace}, {"zwj", Keyword::ZeroWidthJoiner},
        {"zwnj", Keyword::ZeroWidthNonJoiner}, {"ltrmark", Keyword::LeftToRightMark},
        {"rtlmark", Keyword::RightToLeftMark},
        // Destinations whose text is not part of the document body.
        {"info", Keyword::SkippedDestination}, {"header", Keyword::SkippedDestination},
        {"headerl", Keyword::SkippedDestination}, {"headerr", Keyword::SkippedDestination},
        {"headerf", Keyword::SkippedDestination}, {"footer", Keyword::SkippedDestination},
        {"footerl", Keyword::SkippedDestination}, {"footerr", Keyword::SkippedDestination},
        {"footerf", Keyword::SkippedDestination}, {"footnote", Keyword::SkippedDestination},
        {"annotation", Keyword::SkippedDestination}, {"atnid", Keyword::SkippedDestination},
        {"atnauthor", Keyword::SkippedDestination}, {"field", Keyword::Field}, {"fldinst", Keyword::FieldInstruction}, {"fldrslt", Keyword::FieldResult},
        {"xe", Keyword::SkippedDestination}, {"tc", Keyword::SkippedDestination},
        {"txe", Keyword::SkippedDestination}, {"rxe", Keyword::SkippedDestination},
        {"objdata", Keyword::SkippedDestination}, {"objclass", Keyword::SkippedDestination},
        {"pntxta", Keyword::SkippedDestination}, {"pntxtb", Keyword::SkippedDestination},
        {"template", Keyword::SkippedDestination}, {"revtbl", Keyword::SkippedDestination},
        {"rsidtbl", Keyword::SkippedDestination}, {"nonesttables", Keyword::SkippedDestination},
        {"shpinst", Keyword::SkippedDestination}, {"do", Keyword::SkippedDestination},
        {"comment", Keyword::SkippedDestination}, {"bkmkstart", Keyword::SkippedDestination},
        {"bkmkend", Keyword::SkippedDestination}, {"ftnsep", Keyword::SkippedDestination},
        {"ftnsepc", Keyword::SkippedDestination}, {"ftncn", Keyword::SkippedDestination},
        {"aftnsep", Keyword::SkippedDestination}, {"aftnsepc", Keyword::SkippedDestination},
        {"aftncn", Keyword::SkippedDestination}, {"author", Keyword::SkippedDestination},
        {"title", Keyword::SkippedDestination}, {"subject", Keyword::SkippedDestination},
        {"operator", Keyword::SkippedDestination}, {"keywords", Keyword::SkippedDestination},
        {"doccomm", Keyword::SkippedDestination}, {"falt", Keyword::SkippedDestination},
        {"panose", Keyword::SkippedDestination}, {"levelnumbers", Keyword::SkippedDestination},
        {"private", Keyword::SkippedDestination}, {"pgdsctbl", Keyword::SkippedDestination},
    };
    return table;
}

// Destinations that stay readable when starred (\*): the reader knows them.
bool knownStarred(Keyword k)
{
    switch (k) {
    case Keyword::CharacterStyle:
    case Keyword::OtherStyle:
    case Keyword::ListTable:
    case Keyword::ListOverrideTable:
    case Keyword::ShapePicture:
    case Keyword::LegacyList:
    case Keyword::ListText:
    case Keyword::Pict:
    case Keyword::FieldInstruction:
        return true;
    default:
        return false;
    }
}

// Only these characters of the text may reach the document: the control
// characters, the object placeholder and the frame markers that QTextDocument
// uses internally would corrupt it.
void sanitize(QString &text)
{
    qsizetype out = 0;
    const qsizetype n = text.size();
    QChar *d = text.data();
    for (qsizetype i = 0; i < n; ++i) {
        QChar c = d[i];
        const char16_t u = c.unicode();
        if (u < 0x20 && u != '\t')
            continue;
        if (u == 0xFFFC || u == 0xFDD0 || u == 0xFDD1 || u == 0xFEFF || u == 0xFFFF)
            continue;
        if (u == 0x2029)
            c = QChar::LineSeparator;
        if (c.isHighSurrogate()) {
            if (i + 1 < n && d[i + 1].isLowSurrogate()) {
                d[out++] = c;
                d[out++] = d[++i];
            }
            continue;
        }
        if (c.isLowSurrogate())
            continue;
        d[out++] = c;
    }
    text.truncate(out);
}

class Reader
{
public:
    explicit Reader(const QByteArray &source) : m_source(source) {}

    ReadResult read();

private:
    GroupState &state() { return m_states.back(); }

    void handleToken(const Token &t);
    void handleControlWord(const Token &t);
    void handleControlSymbol(char symbol);
    void handleText(std::string_view text);
    void handleDecodedText(const QString &text);
    void flushBytes();
    void openGroup();
    void closeGroup();

    void appendBodyText(const QString &text);
    void appendBodyLatin1(std::string_view text);
    void flushRun();
    QTextCharFormat charFormat(const CharState &c);
    QTextBlockFormat blockFormat(const ParaState &p) const;
    void endParagraph();
    void endCell();
    void endRow();
    void closeTable();
    void finishDocument();
    void finishPicture();
    model::ListMembership listMembership(const ParaState &p) const;
    int codePageForState() const;
    SymbolFont symbolForState() const;

    const QByteArray &m_source;
    std::vector<GroupState> m_states;
    int m_overflowDepth = 0;
    bool m_tooDeep = false;
    bool m_starPending = false;
    int m_skipCount = 0;
    bool m_finished = false;

    // Document settings.
    int m_codePage = 1252;
    int m_defaultFont = 0;
    model::Document m_document;

    // Tables of the header.
    std::map<int, FontEntry> m_fonts;
    int m_fontEntry = 0;
    QString m_fontName;
    std::vector<std::optional<QColor>> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
    std::map<int, Style> m_styles;
    std::map<int, std::vector<ListLevelDefinition>> m_lists; // by \listid
    std::vector<ListLevelDefinition> m_listLevels;
    int m_listId = 0;
    QString m_levelText;
    std::map<int, int> m_overrides; // \ls -> \listid
    int m_overrideListId = 0;
    int m_overrideNumber = 0;

    // Text being collected.
    ByteDecoder m_decoder;
    QByteArray m_pendingBytes;
    QString m_runText;
    CharState m_runState;
    CharState m_lastRunState; // of the paragraph's last text run
    std::optional<CharState> m_cachedState;
    QTextCharFormat m_cachedFormat;
    model::Paragraph m_paragraph;
    QString m_marker;
    QString m_styleName; // of the style sheet entry being read
    bool m_pageBreakPending = false;
    Picture m_picture;
    QString m_fieldInstruction;
    QStringList m_links;

    // Tables being collected.
    model::Row m_rowDefinition;
    bool m_cellBorderPending = false;
    bool m_cellMergesLeft = false;
    bool m_cellMergesAbove = false;
    model::Row m_row;
    model::Cell m_cell;
    bool m_tableOpen = false;
};

ReadResult Reader::read()
{
    ReadResult result;
    qsizetype start = 0;
    while (start < m_source.size() && QChar::isSpace(static_cast<unsigned char>(m_source[start])))
        ++start;
    if (start == m_source.size()) { // an empty file is an empty document
        result.document = model::buildDocument(std::move(m_document));
        return result;
    }
    if (!m_source.mid(start, 5).startsWith("{\\rtf")) {
        result.document = model::buildDocument(std::move(m_document));
        result.error = QStringLiteral("The file is not in Rich Text Format.");
        return result;
    }

    Tokenizer tokenizer(m_source);
    m_states.reserve(64);
    bool started = false;
    while (!m_finished) {
        const Token t = tokenizer.next();
        if (t.kind == Token::End)
            break;
        if (!started) {
            if (t.kind != Token::GroupStart)
                continue;
            started = true;
        }
        handleToken(t);
    }
    if (!m_states.empty())
        finishDocument(); // the input ended inside a group

    if (!m_finished) {
        result.error = QStringLiteral("The RTF document is incomplete: it ends before its last group is closed.");
    } else if (m_tooDeep) {
        result.error = QStringLiteral("The RTF document nests its groups more than %1 deep; the deeper levels were read without their formatting.")
                           .arg(maxGroupDepth);
    }

    if (const auto font = m_fonts.find(m_defaultFont); font != m_fonts.end())
        m_document.defaultFamily = font->second.family;
    result.document = model::buildDocument(std::move(m_document));
    return result;
}

void Reader::handleToken(const Token &t)
{
    if (t.kind == Token::LineEnd)
        return; // RTF ignores line ends in its source, whatever they stand between
    if (t.kind != Token::HexByte && t.kind != Token::Text)
        flushBytes();

    if (m_skipCount > 0) { // the code-page fallback of a \u character
        switch (t.kind) {
        case Token::Text:
            if (qsizetype(t.word.size()) <= m_skipCount) {
                m_skipCount -= int(t.word.size());
                return;
            } else {
                Token rest = t;
                rest.word = t.word.substr(size_t(m_skipCount));
                m_skipCount = 0;
                handleToken(rest);
                return;
            }
        case Token::HexByte:
        case Token::ControlWord:
        case Token::ControlSymbol:
        case Token::Binary:
            --m_skipCount;
            return;
        default:
            m_skipCount = 0; // a group boundary ends the fallback
            break;
        }
    }

    if (m_starPending && t.kind != Token::ControlWord) {
        m_starPending = false;
        if (!m_states.empty())
            state().destination = Destination::Skip;
    }

    switch (t.kind) {
    case Token::GroupStart:
        openGroup();
        break;
    case Token::GroupEnd:
        closeGroup();
        break;
    case Token::ControlWord:
        handleControlWord(t);
        break;
    case Token::ControlSymbol:
        handleControlSymbol(t.symbol);
        break;
    case Token::HexByte:
        if (state().destination == Destination::Picture)
            break;
        m_pendingBytes.append(char(t.byte));
        break;
    case Token::Text:
        handleText(t.word);
        break;
    case Token::Binary:
        if (state().destination == Destination::Picture)
            m_picture.data.append(t.word.data(), qsizetype(t.word.size()));
        break;
    case Token::LineEnd:
    case Token::End:
        break;
    }
}

void Reader::openGroup()
{
    if (m_states.size() >= size_t(maxGroupDepth)) {
        ++m_overflowDepth;
        m_tooDeep = true;
        return;
    }
    if (m_states.empty()) {
        m_states.emplace_back();
        return;
    }
    GroupState next = state();
    if (next.destination == Destination::StyleSheet) {
        // Each style starts from plain, default formatting.
        next.destination = Destination::StyleEntry;
        next.character = CharState();
        next.paragraph = ParaState();
        next.styleNumber = 0;
        m_styleName.clear();
    }
    m_states.push_back(std::move(next));
}

void Reader::closeGroup()
{
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_states.empty())
        return;
    if (m_states.size() == 1)
        finishDocument();
    const GroupState closing = state();
    m_states.pop_back();
    const Destination parent = m_states.empty() ? Destination::Skip : state().destination;

    switch (closing.destination) {
    case Destination::StyleEntry:
        if (parent == Destination::StyleSheet && closing.styleNumber >= 0) {
            Style style{closing.character, closing.paragraph};
            // Writers name their heading styles "heading 1" and so on, and
            // not all of them give the level as well.
            static const QRegularExpression heading(QStringLiteral("^heading ([1-9])$"),
                                                    QRegularExpression::CaseInsensitiveOption);
            QString name = m_styleName.trimmed();
            if (name.endsWith(u';'))
                name.chop(1);
            const QRegularExpressionMatch match = heading.match(name.trimmed());
            if (style.paragraph.outlineLevel < 0 && match.hasMatch())
                style.paragraph.outlineLevel = match.captured(1).toInt() - 1;
            m_styles[closing.styleNumber] = style;
        }
        break;
    case Destination::LevelText:
        if (parent != Destination::LevelText && !m_listLevels.empty()) {
            QString text = m_levelText;
            if (!text.isEmpty())
                text.remove(0, 1); // the length byte
            if (text.endsWith(u';'))
                text.chop(1);
            m_listLevels.back().text = text;
        }
        break;
    case Destination::ListDefinition:
        if (parent != Destination::ListDefinition) {
            m_lists[m_listId] = std::move(m_listLevels);
            m_listLevels.clear();
        }
        break;
    case Destination::ListOverride:
        if (parent != Destination::ListOverride)
            m_overrides[m_overrideNumber] = m_overrideListId;
        break;
    case Destination::LegacyList:
        // \pn keeps its settings inside its group; they belong to the paragraph.
        if (!m_states.empty() && parent != Destination::LegacyList) {
            state().paragraph.legacyListStyle = closing.paragraph.legacyListStyle;
            state().paragraph.listLevel = closing.paragraph.listLevel;
        }
        break;
    case Destination::Picture:
        if (parent == Destination::Body)
            finishPicture();
        break;
    default:
        break;
    }
    if (m_states.empty())
        m_finished = true; // text after the document's closing brace is not part of it
}

// Whatever was read still counts: the open paragraph, cell and row.
void Reader::finishDocument()
{
    flushBytes();
    flushRun();
    if (!m_paragraph.runs.empty() || !m_marker.isEmpty())
        endParagraph();
    closeTable();
}

void Reader::handleText(std::string_view text)
{
    const Destination d = state().destination;
    if (d == Destination::Skip)
        return;
    if (d == Destination::Picture) {
        for (const char c : text) {
            int v = -1;
            if (c >= '0' && c <= '9')
                v = c - '0';
            else if (c >= 'a' && c <= 'f')
                v = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                v = c - 'A' + 10;
            if (v < 0)
                continue;
            if (m_picture.hexHigh < 0) {
                m_picture.hexHigh = v;
            } else {
                m_picture.data.append(char(m_picture.hexHigh * 16 + v));
                m_picture.hexHigh = -1;
            }
        }
        return;
    }
    // 8-bit characters belong to the code page; ASCII runs go straight in.
    size_t i = 0;
    while (i < text.size()) {
        size_t j = i;
        while (j < text.size() && static_cast<unsigned char>(text[j]) < 0x80)
            ++j;
        if (j > i) {
            flushBytes();
            if (d == Destination::Body)
                appendBodyLatin1(text.substr(i, j - i));
            else
                handleDecodedText(QString::fromLatin1(text.data() + i, qsizetype(j - i)));
        }
        i = j;
        while (j < text.size() && static_cast<unsigned char>(text[j]) >= 0x80)
            ++j;
        if (j > i)
            m_pendingBytes.append(text.data() + i, qsizetype(j - i));
        i = j;
    }
}

int Reader::codePageForState() const
{
    const GroupState &s = m_states.back();
    int font = s.destination == Destination::FontTable ? m_fontEntry : s.character.font;
    if (font < 0)
        font = m_defaultFont;
    const auto found = m_fonts.find(font);
    return found == m_fonts.end() ? m_codePage : codePageForCharset(found->second.charset, m_codePage);
}

SymbolFont Reader::symbolForState() const
{
    const GroupState &s = m_states.back();
    if (s.destination == Destination::FontTable)
        return SymbolFont::None;
    const int font = s.character.font < 0 ? m_defaultFont : s.character.font;
    const auto found = m_fonts.find(font);
    return found == m_fonts.end() ? SymbolFont::None
                                  : symbolFontFor(found->second.charset, found->second.family);
}

void Reader::flushBytes()
{
    if (m_pendingBytes.isEmpty() || m_states.empty())
        return;
    const QByteArray bytes = std::exchange(m_pendingBytes, QByteArray());
    handleDecodedText(m_decoder.decode(bytes, codePageForState(), symbolForState()));
}

void Reader::handleDecodedText(const QString &text)
{
    GroupState &s = state();
    switch (s.destination) {
    case Destination::Body:
        appendBodyText(text);
        break;
    case Destination::ListMarker:
        m_marker += text;
        break;
    case Destination::LevelText:
        m_levelText += text;
        break;
    case Destination::StyleEntry:
        if (m_styleName.size() < 256)
            m_styleName += text;
        break;
    case Destination::FieldInstruction:
        if (m_fieldInstruction.size() < 4096)
            m_fieldInstruction += text;
        break;
    case Destination::FontTable:
        for (const QChar c : text) {
            if (c == u';') {
                m_fonts[m_fontEntry].family = m_fontName.trimmed();
                m_fontName.clear();
                m_cachedState.reset();
            } else {
                m_fontName += c;
            }
        }
        break;
    case Destination::ColorTable:
        for (const QChar c : text) {
            if (c != u';')
                continue;
            if (m_colorSet)
                m_colors.emplace_back(QColor(m_red, m_green, m_blue));
            else
                m_colors.emplace_back(std::nullopt); // the automatic colour
            m_red = m_green = m_blue = 0;
            m_colorSet = false;
            m_cachedState.reset();
        }
        break;
    default:
        break;
    }
}

void Reader::appendBodyLatin1(std::string_view text)
{
    if (state().character.hidden)
        return;
    if (!m_runText.isEmpty() && !(m_runState == state().character))
        flushRun();
    m_runState = state().character;
    m_runText.append(QLatin1StringView(text.data(), qsizetype(text.size())));
}

void Reader::appendBodyText(const QString &text)
{
    if (state().character.hidden)
        return;
    if (!m_runText.isEmpty() && !(m_runState == state().character))
        flushRun();
    m_runState = state().character;
    m_runText += text;
}

void Reader::flushRun()
{
    if (m_runText.isEmpty())
        return;
    sanitize(m_runText);
    if (m_runText.isEmpty())
        return;
    auto &runs = m_paragraph.runs;
    if (!runs.empty() && runs.back().image.isNull() && m_lastRunState == m_runState) {
        runs.back().text += m_runText;
    } else {
        runs.push_back(model::Run{m_runText, charFormat(m_runState), {}, {}});
        m_lastRunState = m_runState;
    }
    m_runText.clear();
}

QTextCharFormat Reader::charFormat(const CharState &c)
{
    if (m_cachedState && *m_cachedState == c)
        return m_cachedFormat;
    QTextCharFormat f;
    const int font = c.font < 0 ? m_defaultFont : c.font;
    const auto found = m_fonts.find(font);
    if (found != m_fonts.end() && !found->second.family.isEmpty())
        f.setFontFamilies(QStringList{found->second.family});
    f.setFontPointSize(std::clamp(c.halfPoints, 2, 3276) / 2.0);
    if (c.bold)
        f.setFontWeight(QFont::Bold);
    if (c.italic)
        f.setFontItalic(true);
    if (c.strike)
        f.setFontStrikeOut(true);
    switch (c.underline) {
    case Underline::None: break;
    case Underline::Single: f.setUnderlineStyle(QTextCharFormat::SingleUnderline); break;
    case Underline::Dotted: f.setUnderlineStyle(QTextCharFormat::DotLine); break;
    case Underline::Dashed: f.setUnderlineStyle(QTextCharFormat::DashUnderline); break;
    case Underline::DashDot: f.setUnderlineStyle(QTextCharFormat::DashDotLine); break;
    case Underline::DashDotDot: f.setUnderlineStyle(QTextCharFormat::DashDotDotLine); break;
    case Underline::Wave: f.setUnderlineStyle(QTextCharFormat::WaveUnderline); break;
    }
    if (c.vertical == 1)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (c.vertical == 2)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    auto colour = [this](int index) -> std::optional<QColor> {
        if (index < 0 || size_t(index) >= m_colors.size())
            return std::nullopt;
        return m_colors[size_t(index)];
    };
    if (const auto fg = colour(c.foreground))
        f.setForeground(*fg);
    if (const auto bg = colour(c.background))
        f.setBackground(*bg);
    if (c.link >= 0 && c.link < m_links.size()) {
        f.setAnchor(true);
        f.setAnchorHref(m_links[c.link]);
    }
    if (c.caps == 1)
        f.setFontCapitalization(QFont::AllUppercase);
    else if (c.caps == 2)
        f.setFontCapitalization(QFont::SmallCaps);
    m_cachedState = c;
    m_cachedFormat = f;
    return f;
}

QTextBlockFormat Reader::blockFormat(const ParaState &p) const
{
    QTextBlockFormat b;
    if (p.alignment != Qt::AlignLeft)
        b.setAlignment(p.alignment);
    if (p.left)
        b.setLeftMargin(twipsToPixels(p.left));
    if (p.right)
        b.setRightMargin(twipsToPixels(p.right));
    if (p.first)
        b.setTextIndent(twipsToPixels(p.first));
    if (p.before)
        b.setTopMargin(twipsToPixels(p.before));
    if (p.after)
        b.setBottomMargin(twipsToPixels(p.after));
    if (p.lineSpacing > 0 && p.lineMultiple)
        b.setLineHeight(p.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (p.lineSpacing > 0)
        b.setLineHeight(twipsToPixels(p.lineSpacing), QTextBlockFormat::MinimumHeight);
    else if (p.lineSpacing < 0)
        b.setLineHeight(twipsToPixels(-p.lineSpacing), QTextBlockFormat::FixedHeight);
    if (!p.tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs;
        for (const TabStop &t : p.tabs)
            tabs.append(QTextOption::Tab(twipsToPixels(t.position), t.type,
                                         t.type == QTextOption::DelimiterTab ? QChar(u'.') : QChar()));
        b.setTabPositions(tabs);
    }
    if (p.pageBreakBefore)
        b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (p.outlineLevel >= 0)
        b.setHeadingLevel(p.outlineLevel + 1);
    return b;
}

bool isBulletStyle(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
           || style == QTextListFormat::ListSquare;
}

// Reads a list marker such as "3.", "(b)", "iv)" or a bullet character.
bool parseMarker(const QString &marker, model::ListMembership &list)
{
    const QString m = marker.trimmed();
    if (m.isEmpty())
        return false;
    if (m.size() == 1 && !m[0].isLetterOrNumber()) {
        const char16_t c = m[0].unicode();
        list.style = (c == u'\u25E6' || c == u'o' || c == u'\u25CB') ? QTextListFormat::ListCircle
                     : (c == u'\u25AA' || c == u'\u25A0' || c == u'\u25FB') ? QTextListFormat::ListSquare
                                                                            : QTextListFormat::ListDisc;
        return true;
    }
    if (m == u"o") {
        list.style = QTextListFormat::ListCircle;
        return true;
    }
    static const QRegularExpression numbered(QStringLiteral("^([(\\[]?)([0-9]+|[a-zA-Z]+)([.)\\]:]?)$"));
    const auto match = numbered.match(m);
    if (!match.hasMatch())
        return false;
    const QString number = match.captured(2);
    static const QRegularExpression roman(QStringLiteral("^(?=[ivxlcdm]+$)m*(c[md]|d?c{0,3})(x[cl]|l?x{0,3})(i[xv]|v?i{0,3})$"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (number[0].isDigit())
        list.style = QTextListFormat::ListDecimal;
    else if ((number.size() > 1 || number.compare(u"i", Qt::CaseInsensitive) == 0) && roman.match(number).hasMatch())
        list.style = number[0].isUpper() ? QTextListFormat::ListUpperRoman : QTextListFormat::ListLowerRoman;
    else if (number.size() == 1)
        list.style = number[0].isUpper() ? QTextListFormat::ListUpperAlpha : QTextListFormat::ListLowerAlpha;
    else
        return false;
    list.prefix = match.captured(1);
    list.suffix = match.captured(3);
    return true;
}

model::ListMembership Reader::listMembership(const ParaState &p) const
{
    model::ListMembership list;
    list.level = std::clamp(p.listLevel, 0, 8);
    const ListLevelDefinition *definition = nullptr;
    if (p.listOverride > 0) {
        const auto over = m_overrides.find(p.listOverride);
        const auto def = m_lists.find(over == m_overrides.end() ? -1 : over->second);
        if (def != m_lists.end() && size_t(list.level) < def->second.size())
            definition = &def->second[size_t(list.level)];
        if (definition && definition->numberFormat == 255)
            return list; // a numbering without numbers (as of headings)
        list.key = p.listOverride;
    } else {
        list.key = -1; // a list known only from its markers
    }

    // The list's own definition says what its numbers are; a marker alone is
    // ambiguous ("v." may be a letter or a roman five), so it only gives the
    // style when nothing else does, and the text around the number.
    model::ListMembership fromMarker = list;
    const bool markerParsed = parseMarker(m_marker, fromMarker);
    std::optional<QTextListFormat::Style> style;
    if (definition) {
        switch (definition->numberFormat) {
        case 0: style = QTextListFormat::ListDecimal; break;
        case 1: style = QTextListFormat::ListUpperRoman; break;
        case 2: style = QTextListFormat::ListLowerRoman; break;
        case 3: style = QTextListFormat::ListUpperAlpha; break;
        case 4: style = QTextListFormat::ListLowerAlpha; break;
        case 23: style = markerParsed && isBulletStyle(fromMarker.style) ? fromMarker.style : QTextListFormat::ListDisc; break;
        default: break;
        }
    } else if (p.legacyListStyle != 0) {
        const auto legacy = QTextListFormat::Style(p.legacyListStyle);
        style = legacy == QTextListFormat::ListDisc && markerParsed && isBulletStyle(fromMarker.style) ? fromMarker.style
                                                                                                      : legacy;
    }
    if (!style && !markerParsed)
        return list;
    list.isItem = true;
    list.style = style ? *style : fromMarker.style;
    if (isBulletStyle(list.style))
        return list;
    if (markerParsed && !isBulletStyle(fromMarker.style)) {
        list.prefix = fromMarker.prefix;
        list.suffix = fromMarker.suffix;
    } else {
        list.suffix = QStringLiteral(".");
    }
    return list;
}

void Reader::endParagraph()
{
    flushBytes();
    flushRun();
    const ParaState &p = state().paragraph;
    m_paragraph.block = blockFormat(p);
    if (m_pageBreakPending) {
        m_paragraph.block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_pageBreakPending = false;
    }
    m_paragraph.markFormat = charFormat(state().character);
    m_paragraph.list = listMembership(p);
    if (!m_paragraph.list.isItem) {
        // A marker no list style can express stays as text.
        QString marker = m_marker.trimmed();
        sanitize(marker);
        if (!marker.isEmpty())
            m_paragraph.runs.insert(m_paragraph.runs.begin(),
                                    model::Run{marker + u' ', m_paragraph.markFormat, {}, {}});
    }
    if (m_paragraph.list.isItem) {
        // The list does the indenting.
        m_paragraph.block.clearProperty(QTextFormat::BlockLeftMargin);
        m_paragraph.block.clearProperty(QTextFormat::TextIndent);
    }
    m_marker.clear();

    if (p.inTable) {
        m_cell.paragraphs.push_back(std::move(m_paragraph));
    } else {
        closeTable();
        m_document.items.emplace_back(std::move(m_paragraph));
    }
    m_paragraph = model::Paragraph();
}

void Reader::endCell()
{
    ParaState &p = state().paragraph;
    p.inTable = true; // a \cell always ends a cell, whatever \intbl said
    endParagraph();
    m_row.cells.push_back(std::move(m_cell));
    m_cell = model::Cell();
}

void Reader::endRow()
{
    flushRun();
    if (!m_paragraph.runs.empty())
        endCell();
    if (!m_cell.paragraphs.empty()) {
        m_row.cells.push_back(std::move(m_cell));
        m_cell = model::Cell();
    }
    if (m_row.cells.empty())
        return;
    m_row.definitions = m_rowDefinition.definitions;
    m_row.borders = m_rowDefinition.borders;
    m_row.padding = m_rowDefinition.padding;
    if (m_row.cells.size() > size_t(maxColumns)) {
        // Cells past the limit join the last one.
        auto &last = m_row.cells[size_t(maxColumns) - 1];
        for (size_t i = size_t(maxColumns); i < m_row.cells.size(); ++i)
            for (auto &para : m_row.cells[i].paragraphs)
                last.paragraphs.push_back(std::move(para));
        m_row.cells.resize(size_t(maxColumns));
    }
    if (!m_tableOpen) {
        m_document.items.emplace_back(model::Table());
        m_tableOpen = true;
    }
    std::get<model::Table>(m_document.items.back()).rows.push_back(std::move(m_row));
    m_row = model::Row();
}

void Reader::closeTable()
{
    if (!m_cell.paragraphs.empty() || !m_row.cells.empty())
        endRow();
    m_tableOpen = false;
}

void Reader::finishPicture()
{
    const Picture &p = m_picture;
    QImage image;
    if (p.format == Picture::Png)
        image = QImage::fromData(p.data, "PNG");
    else if (p.format == Picture::Jpeg)
        image = QImage::fromData(p.data, "JPEG");
    else if (p.format == Picture::Bitmap && p.data.size() > 40) {
        // A device-independent bitmap: a BMP file without its file header.
        QByteArray file("BM");
        const quint32 size = quint32(p.data.size() + 14);
        const quint32 header = *reinterpret_cast<const quint32 *>(p.data.constData());
        const quint16 bits = *reinterpret_cast<const quint16 *>(p.data.constData() + 14);
        const quint32 colours = *reinterpret_cast<const quint32 *>(p.data.constData() + 32);
        const quint32 palette = bits <= 8 ? (colours ? colours : (1u << bits)) * 4 : 0;
        const quint32 offset = 14 + header + palette;
        for (quint32 v : {size, 0u, offset})
            file.append(reinterpret_cast<const char *>(&v), 4);
        file.append(p.data);
        image = QImage::fromData(file, "BMP");
    }
    if (image.isNull())
        return; // metafiles and damaged pictures are left out
    double w = p.goalWidth > 0 ? twipsToPixels(p.goalWidth) : (p.width > 0 ? p.width : image.width());
    double h = p.goalHeight > 0 ? twipsToPixels(p.goalHeight) : (p.height > 0 ? p.height : image.height());
    w = std::clamp(w * std::clamp(p.scaleX, 1, 1000) / 100.0, 1.0, 10000.0);
    h = std::clamp(h * std::clamp(p.scaleY, 1, 1000) / 100.0, 1.0, 10000.0);
    flushRun();
    m_paragraph.runs.push_back(model::Run{QString(), charFormat(state().character), image, QSizeF(w, h)});
}

void Reader::handleControlSymbol(char symbol)
{
    switch (symbol) {
    case '*':
        m_starPending = true;
        return;
    case '\\':
    case '{':
    case '}':
        handleDecodedText(QString(QLatin1Char(symbol)));
        return;
    case '~':
        handleDecodedText(QString(QChar(0x00A0)));
        return;
    case '-':
        handleDecodedText(QString(QChar(0x00AD)));
        return;
    case '_':
        handleDecodedText(QString(QChar(0x2011)));
        return;
    case '\r':
    case '\n':
        if (state().destination == Destination::Body)
            endParagraph();
        return;
    case '\t':
        handleDecodedText(QStringLiteral("\t"));
        return;
    default:
        return;
    }
}

void Reader::handleControlWord(const Token &t)
{
    const auto found = keywords().find(t.word);
    const Keyword k = found == keywords().end() ? Keyword::Unknown : found->second;
    GroupState &s = state();

    if (m_starPending) {
        m_starPending = false;
        if (!knownStarred(k)) {
            s.destination = Destination::Skip;
            return;
        }
    }
    if (s.destination == Destination::Skip)
        return;

    const int n = t.parameter;
    const bool on = !t.hasParameter || n != 0;
    CharState &c = s.character;
    ParaState &p = s.paragraph;
    const Destination d = s.destination;

    switch (k) {
    case Keyword::Unknown:
        if (t.word.size() > 4 && t.word.substr(0, 4) == "brdr" && m_cellBorderPending) {
            m_rowDefinition.borders = true;
            m_cellBorderPending = false;
        }
        break;
    case Keyword::SkippedDestination:
        s.destination = Destination::Skip;
        break;
    case Keyword::Field:
        m_fieldInstruction.clear();
        break;
    case Keyword::FieldInstruction:
        s.destination = Destination::FieldInstruction;
        m_fieldInstruction.clear();
        break;
    case Keyword::FieldResult:
        // A hyperlink's result text carries its target; other fields are just their text.
        if (d == Destination::Body) {
            static const QRegularExpression hyperlink(QStringLiteral("^\\s*HYPERLINK\\s+\"?([^\"\\s]+)"));
            const auto match = hyperlink.match(m_fieldInstruction);
            if (match.hasMatch()) {
                m_links.append(match.captured(1));
                c.link = int(m_links.size() - 1);
            }
        }
        break;
    case Keyword::Rtf:
    case Keyword::Ansi:
        m_codePage = 1252;
        break;
    case Keyword::Mac: m_codePage = 10000; break;
    case Keyword::Pc: m_codePage = 437; break;
    case Keyword::Pca: m_codePage = 850; break;
    case Keyword::AnsiCodePage:
        if (n > 0 && n < 100000)
            m_codePage = n;
        break;
    case Keyword::DefaultFont: m_defaultFont = n; break;
    case Keyword::DefaultTab:
        if (n > 0)
            m_document.defaultTab = std::min(n, maxTwips);
        break;
    case Keyword::UnicodeSkip: s.unicodeSkip = std::clamp(n, 0, maxUnicodeSkip); break;
    case Keyword::Unicode:
        if (t.hasParameter) {
            const char16_t u = static_cast<char16_t>(n < 0 ? n + 65536 : n);
            handleDecodedText(QString(QChar(u)));
            m_skipCount = s.unicodeSkip;
        }
        break;

    case Keyword::FontTable: s.destination = Destination::FontTable; break;
    case Keyword::Font:
        if (d == Destination::FontTable) {
            m_fontEntry = n;
            m_fontName.clear();
            m_fonts[n];
        } else {
            c.font = n;
        }
        break;
    case Keyword::FontCharset:
        if (d == Destination::FontTable)
            m_fonts[m_fontEntry].charset = n;
        break;
    case Keyword::ColorTable: s.destination = Destination::ColorTable; break;
    case Keyword::Red: m_red = std::clamp(n, 0, 255); m_colorSet = true; break;
    case Keyword::Green: m_green = std::clamp(n, 0, 255); m_colorSet = true; break;
    case Keyword::Blue: m_blue = std::clamp(n, 0, 255); m_colorSet = true; break;

    case Keyword::StyleSheet: s.destination = Destination::StyleSheet; break;
    case Keyword::ParagraphStyle:
    case Keyword::CharacterStyle:
    case Keyword::OtherStyle:
        if (d == Destination::StyleEntry) {
            s.styleNumber = n;
        } else if (d != Destination::StyleSheet && k != Keyword::OtherStyle) {
            const auto style = m_styles.find(n);
            if (style != m_styles.end()) {
                c = style->second.character;
                if (k == Keyword::ParagraphStyle) {
                    const bool inTable = p.inTable;
                    const int nesting = p.nesting;
                    p = style->second.paragraph;
                    p.inTable = inTable;
                    p.nesting = nesting;
                }
            }
        }
        break;
    case Keyword::BasedOn:
        if (d == Destination::StyleEntry) {
            const auto style = m_styles.find(n);
            if (style != m_styles.end()) {
                c = style->second.character;
                p = style->second.paragraph;
            }
        }
        break;

    case Keyword::Plain: {
        const int link = c.link; // the field's target is no character property
        c = CharState();
        c.link = link;
        break;
    }
    case Keyword::Bold: c.bold = on; break;
    case Keyword::Italic: c.italic = on; break;
    case Keyword::Underline: c.underline = on ? Underline::Single : Underline::None; break;
    case Keyword::UnderlineDotted: c.underline = on ? Underline::Dotted : Underline::None; break;
    case Keyword::UnderlineDashed: c.underline = on ? Underline::Dashed : Underline::None; break;
    case Keyword::UnderlineDashDot: c.underline = on ? Underline::DashDot : Underline::None; break;
    case Keyword::UnderlineDashDotDot: c.underline = on ? Underline::DashDotDot : Underline::None; break;
    case Keyword::UnderlineWave: c.underline = on ? Underline::Wave : Underline::None; break;
    case Keyword::UnderlineNone: c.underline = Underline::None; break;
    case Keyword::Strike: c.strike = on; break;
    case Keyword::Super: c.vertical = 1; break;
    case Keyword::Sub: c.vertical = 2; break;
    case Keyword::NoSuperSub: c.vertical = 0; break;
    case Keyword::Up: c.vertical = on ? 1 : 0; break;
    case Keyword::Down: c.vertical = on ? 2 : 0; break;
    case Keyword::Caps: c.caps = on ? 1 : 0; break;
    case Keyword::SmallCaps: c.caps = on ? 2 : 0; break;
    case Keyword::Hidden: c.hidden = on; break;
    case Keyword::FontSize: c.halfPoints = t.hasParameter && n > 0 ? std::min(n, 3276) : 24; break;
    case Keyword::Foreground: c.foreground = n; break;
    case Keyword::Background: c.background = n; break;

    case Keyword::Par:
        if (d == Destination::Body)
            endParagraph();
        break;
    case Keyword::Line:
        handleDecodedText(QString(QChar::LineSeparator));
        break;
    case Keyword::Tab:
        handleDecodedText(QStringLiteral("\t"));
        break;
    case Keyword::Page:
        if (d == Destination::Body) {
            flushRun();
            if (!m_paragraph.runs.empty())
                endParagraph();
            m_pageBreakPending = true;
        }
        break;
    case Keyword::Section:
        if (d == Destination::Body) {
            flushRun();
            if (!m_paragraph.runs.empty())
                endParagraph();
        }
        break;
    case Keyword::Pard: p = ParaState(); break;
    case Keyword::AlignLeft: p.alignment = Qt::AlignLeft; break;
    case Keyword::AlignCenter: p.alignment = Qt::AlignHCenter; break;
    case Keyword::AlignRight: p.alignment = Qt::AlignRight; break;
    case Keyword::AlignJustify: p.alignment = Qt::AlignJustify; break;
    case Keyword::LeftIndent: p.left = clampTwips(n); break;
    case Keyword::RightIndent: p.right = clampTwips(n); break;
    case Keyword::FirstIndent: p.first = clampTwips(n); break;
    case Keyword::SpaceBefore: p.before = std::clamp(n, 0, maxTwips); break;
    case Keyword::SpaceAfter: p.after = std::clamp(n, 0, maxTwips); break;
    case Keyword::LineSpacing: p.lineSpacing = clampTwips(n); break;
    case Keyword::LineMultiple: p.lineMultiple = on; break;
    case Keyword::TabPosition:
        if (p.tabs.size() < maxTabStops && n >= 0)
            p.tabs.append(TabStop{std::min(n, maxTwips), p.pendingTabType});
        p.pendingTabType = QTextOption::LeftTab;
        break;
    case Keyword::TabRight: p.pendingTabType = QTextOption::RightTab; break;
    case Keyword::TabCenter: p.pendingTabType = QTextOption::CenterTab; break;
    case Keyword::TabDecimal: p.pendingTabType = QTextOption::DelimiterTab; break;
    case Keyword::PageBreakBefore: p.pageBreakBefore = on; break;
    case Keyword::OutlineLevel: p.outlineLevel = n >= 0 && n < 9 ? n : -1; break;

    case Keyword::InTable:
        p.inTable = on;
        p.nesting = std::max(p.nesting, 1);
        break;
    case Keyword::TableLevel:
        p.nesting = std::max(n, 0);
        p.inTable = n > 0;
        break;
    case Keyword::Cell:
        if (d == Destination::Body)
            endCell();
        break;
    case Keyword::NestCell:
    case Keyword::NestRow:
        // Tables inside tables are read as paragraphs of the outer cell.
        if (d == Destination::Body) {
            p.inTable = true;
            endParagraph();
        }
        break;
    case Keyword::Row:
        if (d == Destination::Body)
            endRow();
        break;
    case Keyword::RowDefaults:
        m_rowDefinition = model::Row();
        m_cellBorderPending = m_cellMergesLeft = m_cellMergesAbove = false;
        break;
    case Keyword::CellRightEdge:
        if (m_rowDefinition.definitions.size() < size_t(maxColumns))
            m_rowDefinition.definitions.push_back(model::CellDefinition{clampTwips(n), m_cellMergesLeft, m_cellMergesAbove});
        m_cellBorderPending = m_cellMergesLeft = m_cellMergesAbove = false;
        break;
    case Keyword::CellMergesLeft: m_cellMergesLeft = true; break;
    case Keyword::CellMergesAbove: m_cellMergesAbove = true; break;
    case Keyword::CellBorder: m_cellBorderPending = true; break;
    case Keyword::BorderNone: m_cellBorderPending = false; break;
    case Keyword::RowGap: m_rowDefinition.padding = std::clamp(n, 0, 1440); break;

    case Keyword::ListText:
        if (d == Destination::Body) {
            s.destination = Destination::ListMarker;
            m_marker.clear();
        }
        break;
    case Keyword::LegacyList:
        s.destination = Destination::LegacyList;
        if (!p.legacyListStyle)
            p.legacyListStyle = QTextListFormat::ListDecimal;
        break;
    case Keyword::LegacyBullet: p.legacyListStyle = QTextListFormat::ListDisc; break;
    case Keyword::LegacyDecimal: p.legacyListStyle = QTextListFormat::ListDecimal; break;
    case Keyword::LegacyUpperAlpha: p.legacyListStyle = QTextListFormat::ListUpperAlpha; break;
    case Keyword::LegacyLowerAlpha: p.legacyListStyle = QTextListFormat::ListLowerAlpha; break;
    case Keyword::LegacyUpperRoman: p.legacyListStyle = QTextListFormat::ListUpperRoman; break;
    case Keyword::LegacyLowerRoman: p.legacyListStyle = QTextListFormat::ListLowerRoman; break;
    case Keyword::LegacyLevel: p.listLevel = std::clamp(n - 1, 0, 8); break;
    case Keyword::ListOverrideNumber:
        if (d == Destination::ListOverride)
            m_overrideNumber = n;
        else
            p.listOverride = n;
        break;
    case Keyword::ListLevelNumber: p.listLevel = std::clamp(n, 0, 8); break;
    case Keyword::ListTable: s.destination = Destination::ListTable; break;
    case Keyword::List:
        if (d == Destination::ListTable) {
            s.destination = Destination::ListDefinition;
            m_listLevels.clear();
            m_listId = 0;
        }
        break;
    case Keyword::ListLevel:
        if (d == Destination::ListDefinition && m_listLevels.size() < 9) {
            s.destination = Destination::ListLevel;
            m_listLevels.emplace_back();
        } else {
            s.destination = Destination::Skip;
        }
        break;
    case Keyword::LevelNumberFormat:
        if (d == Destination::ListLevel && !m_listLevels.empty())
            m_listLevels.back().numberFormat = n;
        break;
    case Keyword::LevelText:
        if (d == Destination::ListLevel) {
            s.destination = Destination::LevelText;
            m_levelText.clear();
        }
        break;
    case Keyword::ListId:
        if (d == Destination::ListDefinition)
            m_listId = n;
        else if (d == Destination::ListOverride)
            m_overrideListId = n;
        break;
    case Keyword::ListOverrideTable: s.destination = Destination::ListOverrideTable; break;
    case Keyword::ListOverride:
        if (d == Destination::ListOverrideTable) {
            s.destination = Destination::ListOverride;
            m_overrideListId = m_overrideNumber = 0;
        }
        break;

    case Keyword::Pict:
        if (d == Destination::Body || d == Destination::ListMarker) {
            s.destination = d == Destination::Body ? Destination::Picture : Destination::Skip;
            m_picture = Picture();
        } else {
            s.destination = Destination::Skip;
        }
        break;
    case Keyword::PngBlip: m_picture.format = Picture::Png; break;
    case Keyword::JpegBlip: m_picture.format = Picture::Jpeg; break;
    case Keyword::DibBitmap: m_picture.format = Picture::Bitmap; break;
    case Keyword::PictureWidth: m_picture.width = std::clamp(n, 0, 100000); break;
    case Keyword::PictureHeight: m_picture.height = std::clamp(n, 0, 100000); break;
    case Keyword::PictureGoalWidth: m_picture.goalWidth = std::clamp(n, 0, maxTwips); break;
    case Keyword::PictureGoalHeight: m_picture.goalHeight = std::clamp(n, 0, maxTwips); break;
    case Keyword::PictureScaleX: m_picture.scaleX = n; break;
    case Keyword::PictureScaleY: m_picture.scaleY = n; break;
    case Keyword::ShapePicture: break; // read: it holds the picture itself
    case Keyword::NonShapePicture: s.destination = Destination::Skip; break;

    case Keyword::PaperWidth: m_document.page.paperWidth = std::clamp(n, 144, maxTwips); break;
    case Keyword::PaperHeight: m_document.page.paperHeight = std::clamp(n, 144, maxTwips); break;
    case Keyword::MarginLeft: m_document.page.marginLeft = std::clamp(n, 0, maxTwips); break;
    case Keyword::MarginRight: m_document.page.marginRight = std::clamp(n, 0, maxTwips); break;
    case Keyword::MarginTop: m_document.page.marginTop = std::clamp(n, 0, maxTwips); break;
    case Keyword::MarginBottom: m_document.page.marginBottom = std::clamp(n, 0, maxTwips); break;

    case Keyword::EmDash: handleDecodedText(QString(QChar(0x2014))); break;
    case Keyword::EnDash: handleDecodedText(QString(QChar(0x2013))); break;
    case Keyword::Bullet: handleDecodedText(QString(QChar(0x2022))); break;
    case Keyword::LeftQuote: handleDecodedText(QString(QChar(0x2018))); break;
    case Keyword::RightQuote: handleDecodedText(QString(QChar(0x2019))); break;
    case Keyword::LeftDoubleQuote: handleDecodedText(QString(QChar(0x201C))); break;
    case Keyword::RightDoubleQuote: handleDecodedText(QString(QChar(0x201D))); break;
    case Keyword::EmSpace: handleDecodedText(QString(QChar(0x2003))); break;
    case Keyword::EnSpace: handleDecodedText(QString(QChar(0x2002))); break;
    case Keyword::QuarterEmSpace: handleDecodedText(QString(QChar(0x2005))); break;
    case Keyword::ZeroWidthJoiner: handleDecodedText(QString(QChar(0x200D))); break;
    case Keyword::ZeroWidthNonJoiner: handleDecodedText(QString(QChar(0x200C))); break;
    case Keyword::LeftToRightMark: handleDecodedText(QString(QChar(0x200E))); break;
    case Keyword::RightToLeftMark: handleDecodedText(QString(QChar(0x200F))); break;
    }
}

} // namespace

ReadResult readRtf(const QByteArray &rtf)
{
    return Reader(rtf).read();
}

} // namespace qv::rtf
