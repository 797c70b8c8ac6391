// Plain text in and out, page layout properties and files.

#include "controls/richtext/CodePage.h"
#include "controls/richtext/Rtf.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <QFont>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <algorithm>

namespace qv::rtf {

namespace {

// QTextDocument has no page of its own; these dynamic properties carry it.
constexpr const char *paperWidthProperty = "qvPaperWidth";
constexpr const char *paperHeightProperty = "qvPaperHeight";
constexpr const char *marginLeftProperty = "qvMarginLeft";
constexpr const char *marginRightProperty = "qvMarginRight";
constexpr const char *marginTopProperty = "qvMarginTop";
constexpr const char *marginBottomProperty = "qvMarginBottom";

int intProperty(const QTextDocument &document, const char *name, int fallback)
{
    bool ok = false;
    const int value = document.property(name).toInt(&ok);
    return ok ? value : fallback;
}

QString listMarker(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return QString();
    switch (list->format().style()) {
    case QTextListFormat::ListDisc: return QStringLiteral("\u2022 ");
    case QTextListFormat::ListCircle: return QStringLiteral("\u25E6 ");
    case QTextListFormat::ListSquare: return QStringLiteral("\u25AA ");
    default: return list->itemText(block) + u' ';
    }
}

// A block's text with line breaks as newlines and without images.
QString blockText(const QTextBlock &block)
{
    QString text = listMarker(block) + block.text();
    text.remove(QChar::ObjectReplacementCharacter);
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void appendFrame(QString &out, const QTextFrame *frame);

QString cellText(const QTextTableCell &cell)
{
    QStringList parts;
    for (QTextBlock b = cell.firstCursorPosition().block(); b.isValid() && b.position() <= cell.lastPosition();
         b = b.next())
        parts.append(blockText(b));
    return parts.join(u' ');
}

void appendTable(QString &out, const QTextTable *table)
{
    for (int r = 0; r < table->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.column() != c)
                continue;
            cells.append(cell.row() == r ? cellText(cell) : QString());
        }
        out += cells.join(u'\t');
        out += u'\n';
    }
}

void appendFrame(QString &out, const QTextFrame *frame)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame *child = it.currentFrame()) {
            if (const auto *table = qobject_cast<const QTextTable *>(child))
                appendTable(out, table);
            else
                appendFrame(out, child);
        } else {
            out += blockText(it.currentBlock());
            out += u'\n';
        }
    }
}

QByteArray readWholeFile(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.exists()) {
        error = QStringLiteral("The file %1 does not exist.").arg(path);
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("The file %1 cannot be read: %2").arg(path, file.errorString());
        return {};
    }
    return file.readAll();
}

} // namespace

PageLayout pageLayout(const QTextDocument &document)
{
    const PageLayout defaults;
    PageLayout layout;
    layout.paperWidth = intProperty(document, paperWidthProperty, defaults.paperWidth);
    layout.paperHeight = intProperty(document, paperHeightProperty, defaults.paperHeight);
    layout.marginLeft = intProperty(document, marginLeftProperty, defaults.marginLeft);
    layout.marginRight = intProperty(document, marginRightProperty, defaults.marginRight);
    layout.marginTop = intProperty(document, marginTopProperty, defaults.marginTop);
    layout.marginBottom = intProperty(document, marginBottomProperty, defaults.marginBottom);
    return layout;
}

std::unique_ptr<QTextDocument> copyDocument(const QTextDocument &document)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    for (const QByteArray &name : document.dynamicPropertyNames())
        copy->setProperty(name.constData(), document.property(name.constData()));
    return copy;
}

void makeFontsExplicit(QTextDocument &document, int from, int to)
{
    const QFont base = document.defaultFont();
    QTextCursor edit(&document);
    edit.beginEditBlock();
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(from, fragment.position());
            const int end = std::min(to, fragment.position() + fragment.length());
            if (start >= end)
                continue;
            const QTextCharFormat format = fragment.charFormat();
            QTextCharFormat missing;
            if (!format.hasProperty(QTextFormat::FontFamilies))
                missing.setFontFamilies({base.family()});
            if (!format.hasProperty(QTextFormat::FontPointSize) && !format.hasProperty(QTextFormat::FontPixelSize))
                missing.setFontPointSize(base.pointSizeF() > 0 ? base.pointSizeF() : 12.0);
            if (missing.properties().isEmpty())
                continue;
            edit.setPosition(start);
            edit.setPosition(end, QTextCursor::KeepAnchor);
            edit.mergeCharFormat(missing);
        }
    }
    edit.endEditBlock();
}

void setPageLayout(QTextDocument &document, const PageLayout &layout)
{
    document.setProperty(paperWidthProperty, layout.paperWidth);
    document.setProperty(paperHeightProperty, layout.paperHeight);
    document.setProperty(marginLeftProperty, layout.marginLeft);
    document.setProperty(marginRightProperty, layout.marginRight);
    document.setProperty(marginTopProperty, layout.marginTop);
    document.setProperty(marginBottomProperty, layout.marginBottom);
}

std::unique_ptr<QTextDocument> readPlainText(const QByteArray &text)
{
    QString decoded;
    QStringDecoder utf8(QStringConverter::Utf8);
    decoded = utf8.decode(text);
    if (utf8.hasError()) {
        ByteDecoder windows;
        decoded = windows.decode(text, 1252, SymbolFont::None);
    }
    if (decoded.startsWith(QChar(0xFEFF)))
        decoded.remove(0, 1);
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    decoded.replace(u'\r', u'\n');
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setPlainText(decoded);
    document->setUndoRedoEnabled(true);
    document->setModified(false);
    return document;
}

QString plainText(const QTextDocument &document)
{
    QString out;
    appendFrame(out, document.rootFrame());
    return out;
}

ReadResult readRtfFile(const QString &path)
{
    QString error;
    const QByteArray content = readWholeFile(path, error);
    if (!error.isEmpty())
        return ReadResult{std::make_unique<QTextDocument>(), error};
    return readRtf(content);
}

ReadResult readPlainTextFile(const QString &path)
{
    QString error;
    const QByteArray content = readWholeFile(path, error);
    if (!error.isEmpty())
        return ReadResult{std::make_unique<QTextDocument>(), error};
    return ReadResult{readPlainText(content), QString()};
}

QString saveRtfFile(const QString &path, const QTextDocument &document)
{
    return platform::writeFileAtomically(path, writeRtf(document));
}

QString saveSectionRtfFile(const QString &path, const QTextDocument &document)
{
    return platform::writeFileAtomically(path, writeSectionRtf(document));
}

} // namespace qv::rtf
