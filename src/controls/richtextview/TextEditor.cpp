#include "controls/richtextview/TextEditor.h"

#include "controls/richtextview/ParagraphDialog.h"
#include "controls/richtext/Rtf.h"
#include "controls/spell/SpellChecker.h"
#include "controls/spell/SpellHighlighter.h"
#include "controls/spell/Words.h"

#include "platform/Services.h"
#include "platform/gui/DesktopServices.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextList>

#include <cmath>

namespace qv::richtext
{

namespace
{

constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 400;
constexpr int kPageGap = 12;          // pixels of desk between pages in the page view
constexpr int kNormalViewMargin = 10; // pixels of white left of and above the text in the normal view
const QColor kDeskColor(0x80, 0x80, 0x80);

const QStringList &rtfMimeTypes()
{
    static const QStringList types{QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
                                   QStringLiteral("text/richtext")};
    return types;
}

// Images of a document live in its resources; a fragment carries only their
// names, so the pictures go across with it.
void copyImageResources(const QTextDocument &from, QTextDocument &to)
{
    for (QTextBlock block = from.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            const QVariant image = from.resource(QTextDocument::ImageResource, QUrl(name));
            if (image.isValid())
                to.addResource(QTextDocument::ImageResource, QUrl(name), image);
        }
    }
}

QString readFileError(const QString &path, const QString &reason)
{
    return reason.isEmpty() ? QString() : reason + QStringLiteral(" (") + path + QLatin1Char(')');
}

} // namespace

TextEditor::TextEditor(QWidget *parent) : QTextEdit(parent), m_layoutDevice(1, 1, QImage::Format_RGB32)
{
    setAcceptRichText(true);
    setTabChangesFocus(false);
    setLineWrapMode(FixedPixelWidth);
    setFont(QFont(QStringLiteral("Times New Roman"), 12));
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::NoFrame); // the page view's desk and the normal view's hidden margins reach the edges
    setAutoFillBackground(true);
    QPalette desk = palette();
    desk.setColor(QPalette::Window, kDeskColor);
    setPalette(desk);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &TextEditor::pageGeometryChanged);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TextEditor::pageGeometryChanged);
    // Qt brings the cursor into the viewport, part of which the normal view
    // hides; once Qt is done, bring it out of the hidden part.
    connect(this, &QTextEdit::cursorPositionChanged, this, &TextEditor::keepCursorOutOfHiddenTop, Qt::QueuedConnection);
    adoptDocument(document());
}

TextEditor::~TextEditor() = default;

void TextEditor::quietly(const std::function<void()> &action)
{
    ++m_quiet;
    action();
    --m_quiet;
}

void TextEditor::adoptDocument(QTextDocument *doc)
{
    // The editor owns the documents it adopts; the first one belongs to Qt's
    // text control, which may delete it itself.
    const QPointer<QTextDocument> old = document();
    if (doc != old) {
        doc->setParent(this);
        QTextEdit::setDocument(doc);
        if (old && old->parent() == this)
            delete old.data(); // its highlighter goes with it
        // Typing at the start takes the format of the first paragraph mark,
        // as the text's own font (the control would keep its old one).
        setTextCursor(QTextCursor(doc));
    }
    doc->documentLayout()->setPaintDevice(&m_layoutDevice);
    connect(doc, &QTextDocument::contentsChanged, this, [this] {
        if (!m_quiet)
            emit changed();
    });
    connect(doc->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &TextEditor::pageGeometryChanged);
    quietly([&] {
        auto *highlighter = new spell::SpellHighlighter(doc);
        highlighter->setActive(m_markMisspelled);
        highlighter->setChecker(m_checker); // marks at once, so no delayed pass reports a change
        m_highlighter = highlighter;
        applyPageMargins();
        // A fresh text has nothing to undo, not even its own set-up.
        doc->clearUndoRedoStacks();
        doc->setModified(false);
    });
    applyLayout();
}

// ---- Content ------------------------------------------------------------------

QString TextEditor::loadRtf(const QByteArray &rtf)
{
    rtf::ReadResult result = rtf::readRtf(rtf);
    adoptDocument(result.document.release());
    return result.error;
}

QString TextEditor::loadRtfFile(const QString &path)
{
    rtf::ReadResult result = rtf::readRtfFile(path);
    if (result.document->isEmpty() && !result.error.isEmpty())
        return readFileError(path, result.error);
    adoptDocument(result.document.release());
    return readFileError(path, result.error);
}

void TextEditor::loadPlainText(const QString &text)
{
    std::unique_ptr<QTextDocument> doc = rtf::readPlainText(text.toUtf8());
    adoptDocument(doc.release());
}

QString TextEditor::loadPlainTextFile(const QString &path)
{
    rtf::ReadResult result = rtf::readPlainTextFile(path);
    if (!result.error.isEmpty())
        return readFileError(path, result.error);
    // The page the editor had stays, and the text takes the font the old
    // text began with: a text file has neither of its own.
    const rtf::PageLayout page = rtf::pageLayout(*document());
    rtf::setPageLayout(*result.document, page);
    result.document->setDefaultFont(document()->begin().charFormat().font());
    adoptDocument(result.document.release());
    return QString();
}

QByteArray TextEditor::rtf() const
{
    return rtf::writeRtf(*document());
}

QTextDocument *TextEditor::fragmentDocument(const QTextCursor &cursor) const
{
    auto *doc = new QTextDocument;
    doc->setDefaultFont(document()->defaultFont());
    rtf::setPageLayout(*doc, rtf::pageLayout(*document()));
    QTextCursor(doc).insertFragment(cursor.selection());
    copyImageResources(*document(), *doc);
    return doc;
}

QByteArray TextEditor::selectedRtf() const
{
    const std::unique_ptr<QTextDocument> doc(fragmentDocument(textCursor()));
    return rtf::writeRtf(*doc);
}

QString TextEditor::saveRtfFile(const QString &path) const
{
    return rtf::saveRtfFile(path, *document());
}

int TextEditor::plainTextLength() const
{
    return document()->characterCount() - 1; // less the final paragraph end, which cannot be selected
}

// ---- Selection --------------------------------------------------------------------

int TextEditor::selectionStart() const
{
    return textCursor().selectionStart();
}

int TextEditor::selectionLength() const
{
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TextEditor::setSelection(int start, int length)
{
    const int end = plainTextLength();
    start = std::clamp(start, 0, end);
    length = std::clamp(length, 0, end - start);
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void TextEditor::clearSelection()
{
    QTextCursor c = textCursor();
    c.clearSelection();
    setTextCursor(c);
}

void TextEditor::makeFontsExplicit()
{
    const QTextCursor selection = textCursor();
    if (selection.hasSelection())
        rtf::makeFontsExplicit(*document(), selection.selectionStart(), selection.selectionEnd());
}

// ---- Page and view ----------------------------------------------------------------

int TextEditor::pageWidth() const
{
    return rtf::pageLayout(*document()).paperWidth;
}

int TextEditor::pageHeight() const
{
    return rtf::pageLayout(*document()).paperHeight;
}

void TextEditor::setPageWidth(int twips)
{
    rtf::PageLayout page = rtf::pageLayout(*document());
    page.paperWidth = std::clamp(twips, 1440, 31680);
    // The text keeps at least an inch of width.
    const int spare = page.paperWidth - 1440;
    if (page.marginLeft + page.marginRight > spare) {
        page.marginLeft = page.marginRight = spare / 2;
        rtf::setPageLayout(*document(), page);
        quietly([this] { applyPageMargins(); });
    } else {
        rtf::setPageLayout(*document(), page);
    }
    applyLayout();
}

void TextEditor::setPageHeight(int twips)
{
    rtf::PageLayout page = rtf::pageLayout(*document());
    page.paperHeight = std::clamp(twips, 1440, 31680);
    const int spare = page.paperHeight - 720;
    if (page.marginTop + page.marginBottom > spare) {
        page.marginTop = page.marginBottom = spare / 2;
        rtf::setPageLayout(*document(), page);
        quietly([this] { applyPageMargins(); });
    } else {
        rtf::setPageLayout(*document(), page);
    }
    applyLayout();
}

QMarginsF TextEditor::pageMargins() const
{
    const rtf::PageLayout page = rtf::pageLayout(*document());
    return QMarginsF(page.marginLeft, page.marginTop, page.marginRight, page.marginBottom);
}

void TextEditor::setPageMargins(const QMarginsF &twips)
{
    rtf::PageLayout page = rtf::pageLayout(*document());
    const auto clampMargin = [](double v, int room) {
        return std::clamp(int(std::lround(v)), 0, std::max(0, room / 2));
    };
    page.marginLeft = clampMargin(twips.left(), page.paperWidth - 1440);
    page.marginRight = clampMargin(twips.right(), page.paperWidth - 1440);
    page.marginTop = clampMargin(twips.top(), page.paperHeight - 720);
    page.marginBottom = clampMargin(twips.bottom(), page.paperHeight - 720);
    rtf::setPageLayout(*document(), page);
    quietly([this] { applyPageMargins(); });
    applyLayout();
}

// The page margins become the root frame's, so the layout breaks pages
// inside them. They are in document units, which the zoom scales.
void TextEditor::applyPageMargins()
{
    const rtf::PageLayout page = rtf::pageLayout(*document());
    QTextFrameFormat frame = document()->rootFrame()->frameFormat();
    frame.setLeftMargin(rtf::twipsToPixels(page.marginLeft));
    frame.setRightMargin(rtf::twipsToPixels(page.marginRight));
    frame.setTopMargin(rtf::twipsToPixels(page.marginTop));
    frame.setBottomMargin(rtf::twipsToPixels(page.marginBottom));
    document()->rootFrame()->setFrameFormat(frame);
}

double TextEditor::pagePixelWidth() const
{
    return rtf::twipsToPixels(pageWidth()) * zoomScale();
}

double TextEditor::pagePixelHeight() const
{
    return rtf::twipsToPixels(pageHeight()) * zoomScale();
}

void TextEditor::applyLayout()
{
    // The layout measures fonts, indents and margins at the resolution of its
    // paint device: a zoomed resolution zooms everything alike, so lines
    // break at the same words at every zoom.
    const int dotsPerMeter = int(std::lround(96.0 * zoomScale() / 0.0254));
    m_layoutDevice.setDotsPerMeterX(dotsPerMeter);
    m_layoutDevice.setDotsPerMeterY(dotsPerMeter);
    document()->documentLayout()->setPaintDevice(&m_layoutDevice);

    const int width = int(std::ceil(pagePixelWidth()));
    setLineWrapColumnOrWidth(width); // lays the text out anew, without pages
    if (m_viewMode == ViewMode::Page)
        document()->setPageSize(QSizeF(width, pagePixelHeight()));

    m_hiddenTop = 0;
    if (m_viewMode == ViewMode::Page) {
        // The page view centres the page on the desk.
        const int room = contentsRect().width() - (verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0);
        const int side = std::max(0, (room - width) / 2);
        setViewportMargins(side, kPageGap / 2, side, 0);
    } else {
        // The normal view spends no room on the page's left and top margins:
        // the viewport reaches past the widget's edges, so they stay hidden.
        const QMarginsF margins = pageMargins();
        const int left = int(unitsToPixels(rtf::twipsToPixels(margins.left())));
        const int top = int(unitsToPixels(rtf::twipsToPixels(margins.top())));
        m_hiddenTop = std::max(0, top - kNormalViewMargin);
        setViewportMargins(-std::max(0, left - kNormalViewMargin), -m_hiddenTop, 0, 0);
    }
    viewport()->update();
    emit pageGeometryChanged();
}

void TextEditor::keepCursorOutOfHiddenTop()
{
    const int top = cursorRect().top();
    if (m_hiddenTop > 0 && top < m_hiddenTop)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - (m_hiddenTop - top));
}

void TextEditor::setViewMode(ViewMode mode)
{
    if (m_viewMode == mode)
        return;
    m_viewMode = mode;
    applyLayout();
}

void TextEditor::setZoomFactor(int percent)
{
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == m_zoomPercent)
        return;
    m_zoomPercent = percent;
    applyLayout();
    emit zoomChanged(percent);
}

void TextEditor::setBackgroundColor(const QColor &color)
{
    if (!color.isValid())
        return;
    m_background = color;
    viewport()->update();
}

double TextEditor::unitsToPixels(double units) const
{
    return units * zoomScale();
}

QSizeF TextEditor::pageSizeInPixels() const
{
    return QSizeF(pagePixelWidth(), pagePixelHeight());
}

double TextEditor::pixelsPerInch() const
{
    return 96.0 * zoomScale();
}

int TextEditor::pageLeftInViewport() const
{
    return -horizontalScrollBar()->value();
}

int TextEditor::textLeftInViewport() const
{
    return pageLeftInViewport() + int(std::lround(unitsToPixels(rtf::twipsToPixels(pageMargins().left()))));
}

int TextEditor::pageIndexAtCursor() const
{
    const QRect r = cursorRect();
    const double y = r.center().y() + verticalScrollBar()->value();
    return std::max(0, int(y / pagePixelHeight()));
}

int TextEditor::pageCount() const
{
    if (m_viewMode == ViewMode::Page)
        return std::max(1, document()->pageCount());
    const double height = document()->documentLayout()->documentSize().height();
    return std::max(1, int(std::ceil(height / pagePixelHeight())));
}

int TextEditor::lineAtCursor() const
{
    const QTextCursor c = textCursor();
    int line = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && block != c.block(); block = block.next())
        line += block.isVisible() && block.layout() ? std::max(1, block.layout()->lineCount()) : 0;
    const QTextLayout *layout = c.block().layout();
    const QTextLine here = layout ? layout->lineForTextPosition(c.positionInBlock()) : QTextLine();
    return line + (here.isValid() ? here.lineNumber() : 0) + 1;
}

int TextEditor::columnAtCursor() const
{
    return textCursor().positionInBlock() + 1;
}

void TextEditor::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(viewport());
        if (m_viewMode == ViewMode::Normal) {
            p.fillRect(viewport()->rect(), m_background);
        } else {
            p.fillRect(viewport()->rect(), kDeskColor);
            const double height = pagePixelHeight();
            const double width = pagePixelWidth();
            const int top = verticalScrollBar()->value();
            const int first = std::max(0, int(top / height));
            const int last = std::min(pageCount() - 1, int((top + viewport()->height()) / height));
            for (int page = first; page <= last; ++page) {
                // Pages meet in their margins, so the gap between them hides no text.
                QRectF sheet(pageLeftInViewport(), page * height - top, width, height);
                sheet.adjust(0, page == 0 ? 0 : kPageGap / 2.0, 0, -kPageGap / 2.0);
                p.fillRect(sheet.translated(3, 3), QColor(0x50, 0x50, 0x50));
                p.fillRect(sheet, m_background);
                p.setPen(QColor(0x30, 0x30, 0x30));
                p.drawRect(sheet.adjusted(0, 0, -1, -1));
            }
        }
    }
    QTextEdit::paintEvent(event);
}

void TextEditor::resizeEvent(QResizeEvent *event)
{
    QTextEdit::resizeEvent(event);
    if (m_viewMode == ViewMode::Page)
        applyLayout();
    else
        emit pageGeometryChanged();
}

// ---- Editing --------------------------------------------------------------------

QColor TextEditor::selectionColor() const
{
    const QBrush brush = textCursor().charFormat().foreground();
    return brush.style() == Qt::NoBrush ? palette().color(QPalette::Text) : brush.color();
}

void TextEditor::setSelectionColor(const QColor &color)
{
    if (!color.isValid())
        return;
    QTextCharFormat format;
    format.setForeground(color);
    mergeCurrentCharFormat(format);
}

QTextBlockFormat TextEditor::paragraphFormat() const
{
    return textCursor().blockFormat();
}

void TextEditor::applyParagraphFormat(const QTextBlockFormat &format)
{
    QTextCursor c = textCursor();
    c.mergeBlockFormat(format);
    setTextCursor(c);
    emit cursorPositionChanged(); // the bars show the new paragraph format
}

// ---- Spelling ----------------------------------------------------------------

void TextEditor::setSpellChecker(spell::SpellChecker *checker)
{
    m_checker = checker;
    if (m_highlighter)
        quietly([&] { m_highlighter->setChecker(checker); });
}

void TextEditor::setMarkMisspelledWords(bool on)
{
    m_markMisspelled = on;
    if (m_highlighter)
        quietly([&] { m_highlighter->setActive(on); });
}

bool TextEditor::marksMisspelledWords() const
{
    return m_markMisspelled;
}

void TextEditor::refreshSpellingMarks()
{
    if (m_highlighter)
        quietly([&] { m_highlighter->rehighlight(); });
}

// ---- Clipboard ------------------------------------------------------------------

QMimeData *TextEditor::createMimeDataFromSelection() const
{
    const std::unique_ptr<QTextDocument> doc(fragmentDocument(textCursor()));
    auto *data = new QMimeData;
    QString text = rtf::plainText(*doc);
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1); // the selection's own end, not a paragraph of it
    data->setText(text);
    data->setHtml(doc->toHtml());
    const QByteArray source = rtf::writeRtf(*doc);
    for (const QString &type : rtfMimeTypes())
        data->setData(type, source);
    return data;
}

bool TextEditor::canInsertFromMimeData(const QMimeData *source) const
{
    for (const QString &type : rtfMimeTypes()) {
        if (source->hasFormat(type))
            return true;
    }
    return QTextEdit::canInsertFromMimeData(source);
}

void TextEditor::insertFromMimeData(const QMimeData *source)
{
    if (!source || isReadOnly())
        return;
    // RTF first: word processors put their formatting there most faithfully.
    for (const QString &type : rtfMimeTypes()) {
        if (!source->hasFormat(type))
            continue;
        const rtf::ReadResult pasted = rtf::readRtf(source->data(type));
        if (pasted.document->isEmpty())
            break;
        copyImageResources(*pasted.document, *document());
        QTextCursor c = textCursor();
        c.insertFragment(QTextDocumentFragment(pasted.document.get()));
        setTextCursor(c);
        ensureCursorVisible();
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

void TextEditor::copy()
{
    if (textCursor().hasSelection())
        platform::clipboard().setMimeData(createMimeDataFromSelection());
}

void TextEditor::cut()
{
    if (isReadOnly() || !textCursor().hasSelection())
        return;
    if (platform::clipboard().setMimeData(createMimeDataFromSelection()))
        textCursor().removeSelectedText();
}

void TextEditor::paste()
{
    if (isReadOnly())
        return;
    const QMimeData *data = platform::clipboard().mimeData();
    if (data && canInsertFromMimeData(data)) {
        insertFromMimeData(data);
        return;
    }
    const QString text = platform::clipboard().text();
    if (!text.isEmpty())
        insertPlainText(text);
}

void TextEditor::keyPressEvent(QKeyEvent *event)
{
    // The clipboard goes through the platform layer, not Qt's own.
    if (event == QKeySequence::Copy) {
        copy();
    } else if (event == QKeySequence::Cut) {
        cut();
    } else if (event == QKeySequence::Paste) {
        paste();
    } else if (!isReadOnly() && (event == QKeySequence::Bold || event == QKeySequence::Italic ||
                                 event == QKeySequence::Underline)) {
        // The common formatting keys work in every text view, with or
        // without a button bar (whose own shortcuts take them first).
        const QTextCharFormat current = currentCharFormat();
        QTextCharFormat format;
        if (event == QKeySequence::Bold)
            format.setFontWeight(current.fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold);
        else if (event == QKeySequence::Italic)
            format.setFontItalic(!current.fontItalic());
        else
            format.setFontUnderline(!current.fontUnderline());
        mergeCurrentCharFormat(format);
    } else {
        QTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TextEditor::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QTextCursor word = cursorForPosition(event->pos());
    word.select(QTextCursor::WordUnderCursor);
    const QString text = word.selectedText();
    if (m_checker && m_markMisspelled && !text.isEmpty() && !spell::findWords(text).isEmpty() &&
        !m_checker->isCorrect(text)) {
        const QStringList suggestions = m_checker->suggestions(text);
        for (const QString &s : suggestions) {
            menu.addAction(s, this, [this, word, s]() mutable { word.insertText(s); });
        }
        if (suggestions.isEmpty())
            menu.addAction(tr("(no suggestions)"))->setEnabled(false);
        menu.addAction(tr("Add to Dictionary"), this, [this, text] {
            const QString error = m_checker->addToUserDictionary(text);
            if (!error.isEmpty())
                platform::msgBox(this, error, platform::Buttons::Ok, platform::Icon::Exclamation);
            refreshSpellingMarks();
        });
        menu.addSeparator();
    }
    const bool selected = textCursor().hasSelection();
    menu.addAction(tr("&Undo"), this, &QTextEdit::undo)->setEnabled(document()->isUndoAvailable());
    menu.addSeparator();
    menu.addAction(tr("Cu&t"), this, &TextEditor::cut)->setEnabled(selected && !isReadOnly());
    menu.addAction(tr("&Copy"), this, &TextEditor::copy)->setEnabled(selected);
    menu.addAction(tr("&Paste"), this, &TextEditor::paste)->setEnabled(!isReadOnly());
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, &QTextEdit::selectAll);
    menu.exec(event->globalPos());
}

// ---- Dialogs ------------------------------------------------------------------

bool TextEditor::editCharacter()
{
    const std::optional<QFont> font = platform::fontDialogs().chooseFont(this, currentFont());
    if (!font)
        return false;
    QTextCharFormat format;
    format.setFont(*font);
    mergeCurrentCharFormat(format);
    return true;
}

bool TextEditor::editParagraph()
{
    ParagraphDialog dialog(this);
    dialog.setFormat(paragraphFormat());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    applyParagraphFormat(dialog.format());
    return true;
}

bool TextEditor::chooseTextColor()
{
    const std::optional<QColor> color = platform::colorDialogs().chooseColor(this, selectionColor());
    if (!color || !color->isValid())
        return false;
    setSelectionColor(*color);
    return true;
}

} // namespace qv::richtext
