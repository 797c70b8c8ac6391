#pragma once

// RTF in and out of QTextDocument.
//
// Units: QTextDocument lengths (margins, indents, tab stops, table widths,
// image sizes) are pixels at 96 dpi, so one pixel is 15 twips; font sizes are
// points. Page size and margins, which QTextDocument does not carry, travel as
// document properties (see PageLayout).

#include <QByteArray>
#include <QString>

#include <memory>

class QTextDocument;

namespace qv::rtf {

struct ReadResult
{
    std::unique_ptr<QTextDocument> document; // what could be read; never null
    QString error;                           // empty when the whole input was read
};

// Reads RTF source into a new document. Input that is not RTF, or is damaged,
// gives what could be read and a description of the problem in error.
ReadResult readRtf(const QByteArray &rtf);

// Writes a document as RTF: ASCII only, every other character as \u with a
// code-page 1252 fallback, CR LF after each paragraph.
QByteArray writeRtf(const QTextDocument &document);

// Inserts CR LF so that no line of the RTF source is longer than maxLength
// characters. Breaks fall only between tokens, never inside a control word
// (with its delimiter), a control symbol, a hex escape, a \u with its
// fallback or \bin data; a single token longer than the limit stays whole.
// Line breaks already in the source count as line ends. RTF readers ignore
// these breaks, so the document is unchanged.
QByteArray breakRtfLines(const QByteArray &rtf, int maxLength = 2000);

// The form in which section texts are stored: writeRtf with lines broken
// every 2000 characters.
QByteArray writeSectionRtf(const QTextDocument &document);

// Plain text in: UTF-8 (with or without byte-order mark) when it is valid
// UTF-8, otherwise code page 1252. Each line becomes a paragraph.
std::unique_ptr<QTextDocument> readPlainText(const QByteArray &text);

// Plain text out: every paragraph and every line break ends a line ("\n"),
// a table row is one line with its cells separated by tabs, a list item
// starts with its number or bullet and a blank, images are left out, and the
// last paragraph ends with a newline too.
QString plainText(const QTextDocument &document);

// Files. Reading fails with a clear message for a missing or unreadable file;
// writing is atomic (the old file stays whole on failure) and returns an
// empty string on success, else the reason.
ReadResult readRtfFile(const QString &path);
ReadResult readPlainTextFile(const QString &path);
QString saveRtfFile(const QString &path, const QTextDocument &document);
QString saveSectionRtfFile(const QString &path, const QTextDocument &document);

// Page size and margins in twips, as RTF's \paperw, \paperh, \margl, \margr,
// \margt, \margb (defaults: US Letter with RTF's default margins).
struct PageLayout
{
    int paperWidth = 12240;
    int paperHeight = 15840;
    int marginLeft = 1800;
    int marginRight = 1800;
    int marginTop = 1440;
    int marginBottom = 1440;

    bool operator==(const PageLayout &) const = default;
};

PageLayout pageLayout(const QTextDocument &document);
void setPageLayout(QTextDocument &document, const PageLayout &layout);

// A copy of the document that writes the same RTF: its text, formats, page
// layout and the other settings kept beside the text.
std::unique_ptr<QTextDocument> copyDocument(const QTextDocument &document);

// Gives every character from `from` to `to` an explicit font family and
// size (the document's default where it has none), so that the text looks
// the same in every program that opens the RTF. One undo step.
void makeFontsExplicit(QTextDocument &document, int from, int to);

// Twips and document pixels (96 dpi).
constexpr double twipsPerPixel = 15.0;
inline double twipsToPixels(double twips)
{
    return twips / twipsPerPixel;
}
inline int pixelsToTwips(double pixels)
{
    return static_cast<int>(pixels * twipsPerPixel + (pixels < 0 ? -0.5 : 0.5));
}

} // namespace qv::rtf
