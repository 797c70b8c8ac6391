#include "DocumentDump.h"

#include "controls/richtext/Rtf.h"

#include <QCryptographicHash>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace qv::test {

namespace {

QString brush(const QBrush &b)
{
    return b.style() == Qt::NoBrush ? QStringLiteral("-") : b.color().name();
}

QString blockFormat(const QTextBlock &block)
{
    const QTextBlockFormat f = block.blockFormat();
    QString s = QStringLiteral("align=%1").arg(int(f.alignment() & Qt::AlignHorizontal_Mask));
    const QTextList *list = block.textList();
    if (list) {
        const QTextListFormat lf = list->format();
        s += QStringLiteral(" list=%1/%2").arg(int(lf.style())).arg(lf.indent());
        if (lf.style() != QTextListFormat::ListDisc && lf.style() != QTextListFormat::ListCircle
            && lf.style() != QTextListFormat::ListSquare)
            s += QStringLiteral("/'%1'/'%2'").arg(lf.numberPrefix(), lf.numberSuffix());
        s += QStringLiteral(" item=%1").arg(list->itemNumber(block));
    } else {
        s += QStringLiteral(" li=%1 fi=%2").arg(rtf::pixelsToTwips(f.leftMargin())).arg(rtf::pixelsToTwips(f.textIndent()));
    }
    s += QStringLiteral(" ri=%1 sb=%2 sa=%3")
             .arg(rtf::pixelsToTwips(f.rightMargin()))
             .arg(rtf::pixelsToTwips(f.topMargin()))
             .arg(rtf::pixelsToTwips(f.bottomMargin()));
    if (f.lineHeightType() != QTextBlockFormat::SingleHeight)
        s += QStringLiteral(" lh=%1:%2").arg(f.lineHeightType()).arg(f.lineHeight(), 0, 'f', 2);
    for (const QTextOption::Tab &t : f.tabPositions())
        s += QStringLiteral(" tab=%1:%2").arg(t.type).arg(rtf::pixelsToTwips(t.position));
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        s += QStringLiteral(" pagebreak");
    if (f.headingLevel() > 0)
        s += QStringLiteral(" heading=%1").arg(f.headingLevel());
    return s;
}

QString image(const QTextDocument &document, const QTextImageFormat &f)
{
    const QImage img = document.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
    const QImage pixels = img.convertToFormat(QImage::Format_ARGB32);
    const QByteArray hash = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char *>(pixels.constBits()), pixels.sizeInBytes()),
        QCryptographicHash::Md5);
    return QStringLiteral("[image %1x%2 shown %3x%4 %5]")
        .arg(img.width())
        .arg(img.height())
        .arg(qRound(f.width()))
        .arg(qRound(f.height()))
        .arg(QString::fromLatin1(hash.toHex().left(8)));
}

void dumpBlock(QString &out, const QTextDocument &document, const QTextBlock &block, const QString &indent)
{
    out += indent + u"P " + blockFormat(block) + u" mark{" + dumpCharFormat(document, block.charFormat()) + u"}\n";
    QString lastFormat;
    QString text;
    auto flush = [&] {
        if (!text.isEmpty())
            out += indent + u"  {" + lastFormat + u"} \"" + text + u"\"\n";
        text.clear();
    };
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.charFormat().isImageFormat()) {
            flush();
            for (int i = 0; i < fragment.length(); ++i)
                out += indent + u"  " + image(document, fragment.charFormat().toImageFormat()) + u'\n';
            continue;
        }
        const QString format = dumpCharFormat(document, fragment.charFormat());
        if (format != lastFormat)
            flush();
        lastFormat = format;
        QString t = fragment.text();
        t.replace(QChar::LineSeparator, QStringLiteral("<br>"));
        t.replace(u'\t', QStringLiteral("<tab>"));
        text += t;
    }
    flush();
}

void dumpFrame(QString &out, const QTextDocument &document, const QTextFrame *frame, const QString &indent)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame *child = it.currentFrame()) {
            const auto *table = qobject_cast<const QTextTable *>(child);
            if (!table) {
                dumpFrame(out, document, child, indent);
                continue;
            }
            const QTextTableFormat f = table->format();
            QString widths;
            for (const QTextLength &l : f.columnWidthConstraints())
                widths += QStringLiteral("%1:%2 ").arg(l.type()).arg(qRound(l.rawValue()));
            out += indent + QStringLiteral("TABLE %1x%2 border=%3 widths=%4\n")
                                .arg(table->rows())
                                .arg(table->columns())
                                .arg(f.border() > 0)
                                .arg(widths);
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    if (cell.row() != r || cell.column() != c)
                        continue; // covered by a merged cell
                    out += indent + QStringLiteral("  CELL %1,%2 span %3x%4\n")
                                        .arg(r)
                                        .arg(c)
                                        .arg(cell.rowSpan())
                                        .arg(cell.columnSpan());
                    for (QTextBlock b = cell.firstCursorPosition().block();
                         b.isValid() && b.position() <= cell.lastPosition(); b = b.next())
                        dumpBlock(out, document, b, indent + QStringLiteral("    "));
                }
            }
        } else {
            dumpBlock(out, document, it.currentBlock(), indent);
        }
    }
}

} // namespace

QString dumpCharFormat(const QTextDocument &document, const QTextCharFormat &f)
{
    const QStringList families = f.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? document.defaultFont().family() : families.first();
    const double size = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                   : document.defaultFont().pointSizeF();
    return QStringLiteral("%1 %2%3%4 ul=%5%6 va=%7 fg=%8 bg=%9 caps=%10%11")
        .arg(family)
        .arg(size)
        .arg(f.fontWeight() >= QFont::DemiBold ? QStringLiteral(" b") : QString())
        .arg(f.fontItalic() ? QStringLiteral(" i") : QString())
        .arg(int(f.underlineStyle()))
        .arg(f.fontStrikeOut() ? QStringLiteral(" strike") : QString())
        .arg(int(f.verticalAlignment()))
        .arg(brush(f.foreground()), brush(f.background()))
        .arg(int(f.fontCapitalization()))
        .arg(f.isAnchor() && !f.anchorHref().isEmpty() ? u" link=" + f.anchorHref() : QString());
}

QString dumpDocument(const QTextDocument &document)
{
    const rtf::PageLayout page = rtf::pageLayout(document);
    QString out = QStringLiteral("PAGE %1x%2 margins %3 %4 %5 %6\n")
                      .arg(page.paperWidth)
                      .arg(page.paperHeight)
                      .arg(page.marginLeft)
                      .arg(page.marginRight)
                      .arg(page.marginTop)
                      .arg(page.marginBottom);
    dumpFrame(out, document, document.rootFrame(), QString());
    return out;
}

QTextCharFormat formatOfText(const QTextDocument &document, const QString &text)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
        }
    }
    return QTextCharFormat();
}

} // namespace qv::test
