#pragma once

#include <QColor>
#include <QImage>
#include <QMarginsF>
#include <QTextEdit>
#include <QTextListFormat>

#include <functional>
#include <memory>

class QPrinter;
class QTextBlockFormat;

namespace qv::spell
{
class SpellChecker;
class SpellHighlighter;
} // namespace qv::spell

namespace qv::richtext
{

// The formatted-text editor: a QTextEdit that lays its text out on pages of
// a given size, zooms, shows a page view with page outlines, talks RTF, and
// goes through the platform layer for the clipboard, dialogs and printing.
// The button bar, ruler and status bar attach to it.
class TextEditor : public QTextEdit
{
    Q_OBJECT
public:
    enum class ViewMode { Normal, Page };

    explicit TextEditor(QWidget *parent = nullptr);
    ~TextEditor() override;

    // ---- Content -----------------------------------------------------------
    // Replaces the text with RTF source (read from its start). Returns the
    // reader's complaint, else empty text; what could be read is shown either
    // way.
    QString loadRtf(const QByteArray &rtf);
    // The same from a file; a file that cannot be read leaves the text as it
    // was and says why.
    QString loadRtfFile(const QString &path);
    void loadPlainText(const QString &text);
    QString loadPlainTextFile(const QString &path);
    // The whole text, and the selected part, as RTF.
    QByteArray rtf() const;
    QByteArray selectedRtf() const;
    // Writes the whole text as RTF, atomically. Returns the reason on failure.
    QString saveRtfFile(const QString &path) const;
    // Characters of the plain text (paragraph ends count one each).
    int plainTextLength() const;

    // ---- Selection --------------------------------------------------------
    int selectionStart() const;
    int selectionLength() const;
    void setSelection(int start, int length);
    void clearSelection();

    // Gives every character of the selection an explicit font family and
    // size, the document's default where it has none, so the text looks the
    // same whatever the widget's own font and in every program that opens
    // the saved RTF. The composer applies it to new and saved section texts.
    void makeFontsExplicit();

    // ---- Page and view ---------------------------------------------------
    // Page size and margins are the document's own (they travel in its
    // RTF), in twips.
    int pageWidth() const;
    int pageHeight() const;
    void setPageWidth(int twips);
    void setPageHeight(int twips);
    QMarginsF pageMargins() const;
    void setPageMargins(const QMarginsF &twips);
    ViewMode viewMode() const { return m_viewMode; }
    void setViewMode(ViewMode mode);
    int zoomFactor() const { return m_zoomPercent; } // percent
    void setZoomFactor(int percent);                 // 10 to 400
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor &color);

    // Geometry the ruler and status bar need, in viewport pixels.
    double unitsToPixels(double units) const; // document units to screen pixels
    double pixelsPerInch() const;             // of the zoomed page
    QSizeF pageSizeInPixels() const;          // of the zoomed page
    int textLeftInViewport() const;           // left text margin of the page
    int pageLeftInViewport() const;
    int pageIndexAtCursor() const; // 0-based
    int pageCount() const;
    int lineAtCursor() const;   // 1-based, in the document
    int columnAtCursor() const; // 1-based, in the paragraph

    // ---- Editing ------------------------------------------------------------
    // The colour of the selected text (of the text at the cursor without a
    // selection), and setting it.
    QColor selectionColor() const;
    void setSelectionColor(const QColor &color);
    // The paragraph format of the paragraph at the cursor, and applying
    // alignment, indents, spacing and tabs to every selected paragraph.
    QTextBlockFormat paragraphFormat() const;
    void applyParagraphFormat(const QTextBlockFormat &format);
    // Bullets or numbers on or off for the selected paragraphs.
    void setBulleted(bool bulleted);
    bool isBulleted() const;
    void setNumbered(bool numbered);
    bool isNumbered() const;
    // Paragraph styles: 0 is body text, 1 to maxHeadingLevel are headings
    // (bold, larger, with space above), which the RTF keeps as outline levels.
    static constexpr int maxHeadingLevel = 3;
    void setHeadingLevel(int level);
    int headingLevel() const;
    // Puts a picture at the cursor, shrunk to the text width when wider. It
    // lives in the document and is saved in its RTF.
    void insertPicture(const QImage &picture);
    // Words of the text: runs of characters between blanks.
    int wordCount() const;

    // ---- Spelling ---------------------------------------------------------
    // The checker that marks misspelled words as the user types (not owned;
    // null stops marking).
    void setSpellChecker(spell::SpellChecker *checker);
    spell::SpellChecker *spellChecker() const { return m_checker; }
    void setMarkMisspelledWords(bool on);
    bool marksMisspelledWords() const;
    // Marks again after the checker learnt words.
    void refreshSpellingMarks();

    // The printer that printing and page setup use (the output device).
    QPrinter &printer();
    // Prints the pages exactly as the page view at 100% shows them, on paper
    // of the document's page size.
    void printPages(QPrinter &device) const;

public slots:
    void cut();
    void copy();
    void paste();
    // Dialogs; each does nothing when cancelled.
    bool print();           // with the print dialog and its copies
    bool pageSetup();       // the printer setup dialog; its paper becomes the page
    bool editCharacter();   // the font dialog for the selection
    bool editParagraph();   // the paragraph dialog
    bool chooseTextColor(); // the colour dialog for the selected text

signals:
    // The text or its formatting changed (not loading, not spelling marks).
    void changed();
    // Zoom, page size, view mode or scrolling moved the page on screen.
    void pageGeometryChanged();
    void zoomChanged(int percent);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void adoptDocument(QTextDocument *document);
    void applyLayout();
    void applyPageMargins();
    void keepCursorOutOfHiddenTop();
    void quietly(const std::function<void()> &action);
    QTextDocument *fragmentDocument(const QTextCursor &cursor) const;
    double zoomScale() const { return m_zoomPercent / 100.0; }
    double pagePixelWidth() const;
    double pagePixelHeight() const;
    void setListStyle(QTextListFormat::Style style, bool on);
    bool hasListStyle(QTextListFormat::Style style) const;

    ViewMode m_viewMode = ViewMode::Normal;
    int m_zoomPercent = 100;
    int m_hiddenTop = 0; // pixels of the top margin the normal view hides
    QColor m_background = Qt::white;
    QImage m_layoutDevice; // gives the layout its zoomed resolution
    spell::SpellChecker *m_checker = nullptr;
    spell::SpellHighlighter *m_highlighter = nullptr;
    bool m_markMisspelled = true;
    int m_quiet = 0; // >0 while loading: no change notifications
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace qv::richtext
