// The editor's paragraph styles, lists, pictures and word count.

#include "controls/richtextview/TextEditor.h"

#include "controls/richtext/Rtf.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QUrl>

#include <cmath>

namespace qv::richtext
{

namespace
{

// Heading looks by level (1 to 3): point size and space above, in pixels.
constexpr double kHeadingPoints[] = {16, 14, 12};
constexpr double kHeadingSpaceAbove[] = {16, 12, 8};
constexpr double kHeadingSpaceBelow = 4;

// Every block the cursor's selection touches (the cursor's block without one).
template <typename Action> void forEachSelectedBlock(QTextDocument *document, const QTextCursor &cursor, Action action)
{
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
        action(block);
        if (block == last)
            break;
    }
}

} // namespace

// ---- Lists ------------------------------------------------------------------------

bool TextEditor::hasListStyle(QTextListFormat::Style style) const
{
    const QTextList *list = textCursor().currentList();
    return list && list->format().style() == style;
}

void TextEditor::setListStyle(QTextListFormat::Style style, bool on)
{
    QTextCursor c = textCursor();
    c.beginEditBlock();
    if (on) {
        QTextListFormat list;
        list.setStyle(style);
        list.setIndent(1);
        if (style == QTextListFormat::ListDecimal)
            list.setNumberSuffix(QStringLiteral("."));
        c.createList(list);
    } else {
        forEachSelectedBlock(document(), c, [](const QTextBlock &block) {
            if (QTextList *list = block.textList()) {
                list->remove(block);
                QTextCursor b(block);
                QTextBlockFormat plain = block.blockFormat();
                plain.setIndent(0);
                b.setBlockFormat(plain);
            }
        });
    }
    c.endEditBlock();
    emit cursorPositionChanged(); // the bars show the new paragraph format
}

bool TextEditor::isBulleted() const
{
    return hasListStyle(QTextListFormat::ListDisc);
}

void TextEditor::setBulleted(bool bulleted)
{
    setListStyle(QTextListFormat::ListDisc, bulleted);
}

bool TextEditor::isNumbered() const
{
    return hasListStyle(QTextListFormat::ListDecimal);
}

void TextEditor::setNumbered(bool numbered)
{
    setListStyle(QTextListFormat::ListDecimal, numbered);
}

// ---- Paragraph styles --------------------------------------------------------------

int TextEditor::headingLevel() const
{
    return std::clamp(textCursor().blockFormat().headingLevel(), 0, maxHeadingLevel);
}

void TextEditor::setHeadingLevel(int level)
{
    if (isReadOnly())
        return;
    level = std::clamp(level, 0, maxHeadingLevel);
    const QFont base = document()->defaultFont();
    const double bodyPoints = base.pointSizeF() > 0 ? base.pointSizeF() : 12.0;
    QTextCursor c = textCursor();
    c.beginEditBlock();
    forEachSelectedBlock(document(), c, [&](const QTextBlock &block) {
        QTextBlockFormat paragraph = block.blockFormat();
        const int was = paragraph.headingLevel();
        if (level == 0 && was == 0)
            return; // body text keeps its own look
        paragraph.setHeadingLevel(level);
        paragraph.setTopMargin(level > 0 ? kHeadingSpaceAbove[level - 1] : 0);
        paragraph.setBottomMargin(level > 0 ? kHeadingSpaceBelow : 0);
        QTextCharFormat look;
        look.setFontPointSize(level > 0 ? kHeadingPoints[level - 1] : bodyPoints);
        look.setFontWeight(level > 0 ? QFont::Bold : QFont::Normal);
        QTextCursor whole(block);
        whole.setBlockFormat(paragraph);
        whole.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        whole.mergeCharFormat(look);
        whole.mergeBlockCharFormat(look); // typing on in an empty heading
    });
    c.endEditBlock();
    // Typing at the cursor continues in the new look.
    setCurrentCharFormat(textCursor().charFormat());
    emit cursorPositionChanged();
}

// ---- Pictures ----------------------------------------------------------------------

void TextEditor::insertPicture(const QImage &picture)
{
    if (picture.isNull() || isReadOnly())
        return;
    int serial = 1;
    QUrl name;
    do {
        name = QUrl(QStringLiteral("picture%1.png").arg(serial++));
    } while (document()->resource(QTextDocument::ImageResource, name).isValid());
    document()->addResource(QTextDocument::ImageResource, name, picture);

    const QMarginsF margins = pageMargins();
    const double textWidth = rtf::twipsToPixels(pageWidth() - margins.left() - margins.right());
    double width = picture.width();
    double height = picture.height();
    if (width > textWidth) {
        height = height * textWidth / width;
        width = textWidth;
    }
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(std::floor(width));
    format.setHeight(std::floor(height));
    // Typing on after the picture goes on in the text's own font.
    const QTextCharFormat typing = currentCharFormat();
    QTextCursor c = textCursor();
    c.insertImage(format);
    setTextCursor(c);
    setCurrentCharFormat(typing);
}

// ---- Words -------------------------------------------------------------------------

int TextEditor::wordCount() const
{
    int words = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        bool inWord = false;
        for (const QChar c : block.text()) {
            const bool blank = c.isSpace() || c == QChar::ObjectReplacementCharacter;
            if (!blank && !inWord)
                ++words;
            inWord = !blank;
        }
    }
    return words;
}

} // namespace qv::richtext
