#include "compile/compiler/OdtText.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <QXmlStreamWriter>

namespace qv::compiler {

namespace {

QString inches(double pixels)
{
    return QString::number(pixels / 96.0, 'f', 4) + QStringLiteral("in");
}

QString points(double value)
{
    return QString::number(value, 'f', 1) + QStringLiteral("pt");
}

// "name=value;" pairs, sorted by the writer's order of calls.
void prop(QString &out, const char *name, const QString &value)
{
    out += QLatin1String(name) + QLatin1Char('=') + value + QLatin1Char(';');
}

QString textProperties(const QTextCharFormat &f)
{
    QString p;
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        prop(p, "fo:font-family", QLatin1Char('\'') + families.first() + QLatin1Char('\''));
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
        prop(p, "fo:font-size", points(f.fontPointSize()));
    if (f.hasProperty(QTextFormat::FontWeight) && f.fontWeight() >= QFont::DemiBold)
        prop(p, "fo:font-weight", QStringLiteral("bold"));
    if (f.fontItalic())
        prop(p, "fo:font-style", QStringLiteral("italic"));
    if (f.fontUnderline())
        prop(p, "style:text-underline-style", QStringLiteral("solid"));
    if (f.fontStrikeOut())
        prop(p, "style:text-line-through-style", QStringLiteral("solid"));
    if (f.foreground().style() != Qt::NoBrush)
        prop(p, "fo:color", f.foreground().color().name());
    if (f.background().style() != Qt::NoBrush)
        prop(p, "fo:background-color", f.background().color().name());
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        prop(p, "style:text-position", QStringLiteral("super 58%"));
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        prop(p, "style:text-position", QStringLiteral("sub 58%"));
    return p;
}

QString paragraphProperties(const QTextBlockFormat &f, int listIndent)
{
    QString p;
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        prop(p, "fo:text-align", QStringLiteral("center"));
    else if (a & Qt::AlignRight)
        prop(p, "fo:text-align", QStringLiteral("end"));
    else if (a & Qt::AlignJustify)
        prop(p, "fo:text-align", QStringLiteral("justify"));
    const double left = f.leftMargin() + f.indent() * 40 + listIndent;
    if (left > 0)
        prop(p, "fo:margin-left", inches(left));
    if (f.rightMargin() > 0)
        prop(p, "fo:margin-right", inches(f.rightMargin()));
    if (f.textIndent() != 0)
        prop(p, "fo:text-indent", inches(f.textIndent()));
    prop(p, "fo:margin-top", inches(f.topMargin()));
    prop(p, "fo:margin-bottom", inches(f.bottomMargin()));
    return p;
}

QString listMark(const QTextBlock &block)
{
    QTextList *list = block.textList();
    if (!list)
        return {};
    const QTextListFormat format = list->format();
    switch (format.style()) {
    case QTextListFormat::ListDisc: return QStringLiteral("\u2022\t");
    case QTextListFormat::ListCircle: return QStringLiteral("\u25E6\t");
    case QTextListFormat::ListSquare: return QStringLiteral("\u25AA\t");
    default: return list->itemText(block) + QLatin1Char('\t');
    }
}

// Writes text with tabs and runs of blanks as the elements ODF keeps them in.
void writeSpacedText(QXmlStreamWriter &xml, const QString &text)
{
    QString run;
    auto flush = [&] {
        if (!run.isEmpty())
            xml.writeCharacters(run);
        run.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\t')) {
            flush();
            xml.writeEmptyElement(QStringLiteral("text:tab"));
        } else if (c == QChar::LineSeparator || c == QLatin1Char('\n')) {
            flush();
            xml.writeEmptyElement(QStringLiteral("text:line-break"));
        } else if (c == QLatin1Char(' ') && (i == 0 || text[i - 1] == QLatin1Char(' '))) {
            flush();
            xml.writeEmptyElement(QStringLiteral("text:s"));
        } else if (c == QChar::ObjectReplacementCharacter || c.category() == QChar::Other_Control) {
            continue;
        } else {
            run += c;
        }
    }
    flush();
}

} // namespace

QString OdtStyles::name(const QString &family, const QString &properties, const QString &parent,
                        const QString &masterPage)
{
    const QString key = family + QLatin1Char('|') + parent + QLatin1Char('|') + masterPage + QLatin1Char('|') + properties;
    const auto found = m_byKey.constFind(key);
    if (found != m_byKey.constEnd())
        return *found;
    const QString prefix = family == QLatin1String("paragraph") ? QStringLiteral("P")
                           : family == QLatin1String("text")    ? QStringLiteral("T")
                           : family == QLatin1String("graphic") ? QStringLiteral("fr")
                                                                : QStringLiteral("Tab");
    const QString styleName = prefix + QString::number(++m_counts[prefix]);
    m_styles.push_back({styleName, family, parent, properties, masterPage});
    m_byKey.insert(key, styleName);
    return styleName;
}

void OdtStyles::write(QXmlStreamWriter &xml) const
{
    for (const Style &s : m_styles) {
        xml.writeStartElement(QStringLiteral("style:style"));
        xml.writeAttribute(QStringLiteral("style:name"), s.name);
        xml.writeAttribute(QStringLiteral("style:family"), s.family);
        if (!s.parent.isEmpty())
            xml.writeAttribute(QStringLiteral("style:parent-style-name"), s.parent);
        if (!s.masterPage.isEmpty())
            xml.writeAttribute(QStringLiteral("style:master-page-name"), s.masterPage);
        for (const QString &group : s.properties.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const qsizetype bar = group.indexOf(QLatin1Char('|'));
            xml.writeStartElement(group.left(bar));
            for (const QString &pair : group.mid(bar + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                const qsizetype eq = pair.indexOf(QLatin1Char('='));
                xml.writeAttribute(pair.left(eq), pair.mid(eq + 1));
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
}

OdtTextWriter::OdtTextWriter(QXmlStreamWriter &xml, OdtStyles &styles, std::vector<PackagedFile> &files)
    : m_xml(xml), m_styles(styles), m_files(files)
{
}

void OdtTextWriter::write(const QTextDocument &doc)
{
    writeFrame(doc, doc.rootFrame());
}

void OdtTextWriter::writeFrame(const QTextDocument &doc, QTextFrame *frame)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            if (auto *table = qobject_cast<QTextTable *>(child))
                writeTable(doc, table);
            else
                writeFrame(doc, child);
        } else {
            writeBlock(doc, it.currentBlock());
        }
    }
}

void OdtTextWriter::writeTable(const QTextDocument &doc, QTextTable *table)
{
    const QString tableStyle =
        m_styles.name(QStringLiteral("table"), QStringLiteral("style:table-properties|style:width=6.5in;table:align=margins;"));
    const QString cellStyle = m_styles.name(
        QStringLiteral("table-cell"),
        QStringLiteral("style:table-cell-properties|fo:padding=0.04in;fo:border=0.5pt solid #808080;"));
    m_xml.writeStartElement(QStringLiteral("table:table"));
    m_xml.writeAttribute(QStringLiteral("table:style-name"), tableStyle);
    m_xml.writeEmptyElement(QStringLiteral("table:table-column"));
    m_xml.writeAttribute(QStringLiteral("table:number-columns-repeated"), QString::number(table->columns()));
    for (int row = 0; row < table->rows(); ++row) {
        m_xml.writeStartElement(QStringLiteral("table:table-row"));
        for (int col = 0; col < table->columns(); ++col) {
            const QTextTableCell cell = table->cellAt(row, col);
            if (cell.row() != row || cell.column() != col) {
                m_xml.writeEmptyElement(QStringLiteral("table:covered-table-cell"));
                continue;
            }
            m_xml.writeStartElement(QStringLiteral("table:table-cell"));
            m_xml.writeAttribute(QStringLiteral("table:style-name"), cellStyle);
            if (cell.rowSpan() > 1)
                m_xml.writeAttribute(QStringLiteral("table:number-rows-spanned"), QString::number(cell.rowSpan()));
            if (cell.columnSpan() > 1)
                m_xml.writeAttribute(QStringLiteral("table:number-columns-spanned"), QString::number(cell.columnSpan()));
            for (auto it = cell.begin(); !it.atEnd(); ++it)
                if (!it.currentFrame())
                    writeBlock(doc, it.currentBlock());
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void OdtTextWriter::writeBlock(const QTextDocument &doc, const QTextBlock &block)
{
    const QString mark = listMark(block);
    const QString paragraphStyle = m_styles.name(
        QStringLiteral("paragraph"),
        QStringLiteral("style:paragraph-properties|") + paragraphProperties(block.blockFormat(), mark.isEmpty() ? 0 : 24)
            + QStringLiteral("\nstyle:text-properties|") + textProperties(block.charFormat()),
        QStringLiteral("Text_20_body"));
    m_xml.writeStartElement(QStringLiteral("text:p"));
    m_xml.writeAttribute(QStringLiteral("text:style-name"), paragraphStyle);
    if (!mark.isEmpty())
        writeSpacedText(m_xml, mark);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            writeImage(doc, format.toImageFormat());
            continue;
        }
        const QString props = textProperties(format);
        if (props.isEmpty()) {
            writeSpacedText(m_xml, fragment.text());
            continue;
        }
        m_xml.writeStartElement(QStringLiteral("text:span"));
        m_xml.writeAttribute(QStringLiteral("text:style-name"),
                             m_styles.name(QStringLiteral("text"), QStringLiteral("style:text-properties|") + props));
        writeSpacedText(m_xml, fragment.text());
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void OdtTextWriter::writeImage(const QTextDocument &doc, const QTextImageFormat &format)
{
    const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image = resource.value<QImage>();
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const QString name = QStringLiteral("Pictures/text%1.png").arg(m_files.size() + 1);
    m_files.push_back({name, png, QStringLiteral("image/png")});
    const double width = format.width() > 0 ? format.width() : image.width();
    const double height = format.height() > 0 ? format.height() : image.height();
    writePictureFrame(m_xml, name, width / 96.0, height / 96.0, QString(),
                      m_styles.name(QStringLiteral("graphic"), QStringLiteral("style:graphic-properties|"
                                                                              "style:vertical-pos=top;"
                                                                              "style:vertical-rel=baseline;")));
}

void writePictureFrame(QXmlStreamWriter &xml, const QString &href, double widthInches, double heightInches,
                       const QString &frameName, const QString &frameStyle)
{
    xml.writeStartElement(QStringLiteral("draw:frame"));
    if (!frameStyle.isEmpty())
        xml.writeAttribute(QStringLiteral("draw:style-name"), frameStyle);
    if (!frameName.isEmpty())
        xml.writeAttribute(QStringLiteral("draw:name"), frameName);
    xml.writeAttribute(QStringLiteral("text:anchor-type"), QStringLiteral("as-char"));
    xml.writeAttribute(QStringLiteral("svg:width"), QString::number(widthInches, 'f', 4) + QStringLiteral("in"));
    xml.writeAttribute(QStringLiteral("svg:height"), QString::number(heightInches, 'f', 4) + QStringLiteral("in"));
    xml.writeEmptyElement(QStringLiteral("draw:image"));
    xml.writeAttribute(QStringLiteral("xlink:href"), href);
    xml.writeAttribute(QStringLiteral("xlink:type"), QStringLiteral("simple"));
    xml.writeAttribute(QStringLiteral("xlink:show"), QStringLiteral("embed"));
    xml.writeAttribute(QStringLiteral("xlink:actuate"), QStringLiteral("onLoad"));
    xml.writeEndElement();
}

} // namespace qv::compiler
