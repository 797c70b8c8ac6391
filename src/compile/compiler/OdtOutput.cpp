#include "compile/compiler/OdtOutput.h"

#include "compile/compiler/OdtText.h"
#include "compile/compiler/PlanMaterials.h"
#include "compile/compiler/PlanSource.h"
#include "compile/compiler/ZipWriter.h"

#include <QTextDocument>
#include <QXmlStreamWriter>

#include <algorithm>

namespace qv::compiler {

namespace {

const QString kMimeType = QStringLiteral("application/vnd.oasis.opendocument.text");

const std::pair<const char *, const char *> kNamespaces[] = {
    {"office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
    {"style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
    {"text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
    {"table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
    {"draw", "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"},
    {"fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
    {"xlink", "http://www.w3.org/1999/xlink"},
    {"svg", "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"},
    {"meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0"},
    {"dc", "http://purl.org/dc/elements/1.1/"},
};

// Body sizes in inches: letter paper with one-inch margins.
constexpr double kPortraitWidth = 6.5, kPortraitHeight = 9.0;
constexpr double kLandscapeWidth = 9.0, kLandscapeHeight = 6.5;

void startDocument(QXmlStreamWriter &xml, const char *root)
{
    xml.setAutoFormatting(false);
    xml.writeStartDocument();
    xml.writeStartElement(QString::fromLatin1(root));
    for (const auto &[prefix, uri] : kNamespaces)
        xml.writeAttribute(QStringLiteral("xmlns:") + QLatin1String(prefix), QString::fromLatin1(uri));
    xml.writeAttribute(QStringLiteral("office:version"), QStringLiteral("1.2"));
}

void element(QXmlStreamWriter &xml, const QString &name, std::initializer_list<std::pair<const char *, QString>> attributes)
{
    xml.writeEmptyElement(name);
    for (const auto &[key, value] : attributes)
        xml.writeAttribute(QString::fromLatin1(key), value);
}

// A style of the document; `rightTab` sets a right-aligned tab stop there (with dot leaders on contents lines).
void paragraphStyle(QXmlStreamWriter &xml, const char *name, const char *display, const QString &paragraph,
                    const QString &text, const char *parent = "Standard", int outlineLevel = 0,
                    const char *rightTab = nullptr)
{
    xml.writeStartElement(QStringLiteral("style:style"));
    xml.writeAttribute(QStringLiteral("style:name"), QString::fromLatin1(name));
    xml.writeAttribute(QStringLiteral("style:display-name"), QString::fromLatin1(display));
    xml.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
    if (*parent)
        xml.writeAttribute(QStringLiteral("style:parent-style-name"), QString::fromLatin1(parent));
    if (outlineLevel > 0)
        xml.writeAttribute(QStringLiteral("style:default-outline-level"), QString::number(outlineLevel));
    auto attributes = [&](const char *tag, const QString &props) {
        if (props.isEmpty())
            return;
        xml.writeStartElement(QString::fromLatin1(tag));
        for (const QString &pair : props.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const qsizetype eq = pair.indexOf(QLatin1Char('='));
            xml.writeAttribute(pair.left(eq), pair.mid(eq + 1));
        }
        if (QLatin1String(tag) == QLatin1String("style:paragraph-properties") && rightTab) {
            const bool leader = QString::fromLatin1(name).startsWith(QLatin1String("Contents_20_"));
            xml.writeStartElement(QStringLiteral("style:tab-stops"));
            element(xml, QStringLiteral("style:tab-stop"),
                    {{"style:position", QString::fromLatin1(rightTab)}, {"style:type", QStringLiteral("right")},
                     {"style:leader-style", leader ? QStringLiteral("dotted") : QStringLiteral("none")},
                     {"style:leader-text", leader ? QStringLiteral(".") : QStringLiteral(" ")}});
            xml.writeEndElement();
        }
        xml.writeEndElement();
    };
    attributes("style:paragraph-properties", paragraph);
    attributes("style:text-properties", text);
    xml.writeEndElement();
}

void pageLayout(QXmlStreamWriter &xml, const char *name, bool landscape)
{
    xml.writeStartElement(QStringLiteral("style:page-layout"));
    xml.writeAttribute(QStringLiteral("style:name"), QString::fromLatin1(name));
    element(xml, QStringLiteral("style:page-layout-properties"),
            {{"fo:page-width", landscape ? QStringLiteral("11in") : QStringLiteral("8.5in")},
             {"fo:page-height", landscape ? QStringLiteral("8.5in") : QStringLiteral("11in")},
             {"style:print-orientation", landscape ? QStringLiteral("landscape") : QStringLiteral("portrait")},
             {"fo:margin-top", QStringLiteral("0.5in")}, {"fo:margin-bottom", QStringLiteral("0.5in")},
             {"fo:margin-left", QStringLiteral("1in")}, {"fo:margin-right", QStringLiteral("1in")}});
    xml.writeStartElement(QStringLiteral("style:header-style"));
    element(xml, QStringLiteral("style:header-footer-properties"),
            {{"fo:min-height", QStringLiteral("0.3in")}, {"fo:margin-bottom", QStringLiteral("0.2in")}});
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("style:footer-style"));
    element(xml, QStringLiteral("style:header-footer-properties"),
            {{"fo:min-height", QStringLiteral("0.3in")}, {"fo:margin-top", QStringLiteral("0.2in")}});
    xml.writeEndElement();
    xml.writeEndElement();
}

void masterPage(QXmlStreamWriter &xml, const char *name, const char *layout, const Cover &cover, bool decorated,
                const char *headerStyle = "Header")
{
    xml.writeStartElement(QStringLiteral("style:master-page"));
    xml.writeAttribute(QStringLiteral("style:name"), QString::fromLatin1(name));
    xml.writeAttribute(QStringLiteral("style:page-layout-name"), QString::fromLatin1(layout));
    if (!decorated) {
        xml.writeAttribute(QStringLiteral("style:next-style-name"), QStringLiteral("Standard"));
        xml.writeEndElement();
        return;
    }
    xml.writeStartElement(QStringLiteral("style:header"));
    xml.writeStartElement(QStringLiteral("text:p"));
    xml.writeAttribute(QStringLiteral("text:style-name"), QString::fromLatin1(headerStyle));
    xml.writeCharacters(cover.businessName);
    xml.writeEmptyElement(QStringLiteral("text:tab"));
    xml.writeCharacters(cover.planTypeTitle());
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("style:footer"));
    xml.writeStartElement(QStringLiteral("text:p"));
    xml.writeAttribute(QStringLiteral("text:style-name"), QStringLiteral("Footer"));
    xml.writeCharacters(QStringLiteral("Page "));
    xml.writeStartElement(QStringLiteral("text:page-number"));
    xml.writeAttribute(QStringLiteral("text:select-page"), QStringLiteral("current"));
    xml.writeCharacters(QStringLiteral("1"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

QByteArray stylesXml(const Cover &cover)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    startDocument(xml, "office:document-styles");
    xml.writeStartElement(QStringLiteral("office:styles"));
    xml.writeStartElement(QStringLiteral("style:default-style"));
    xml.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
    element(xml, QStringLiteral("style:paragraph-properties"),
            {{"fo:widows", QStringLiteral("2")}, {"fo:orphans", QStringLiteral("2")}});
    element(xml, QStringLiteral("style:text-properties"),
            {{"fo:font-family", QStringLiteral("'Liberation Serif'")}, {"fo:font-size", QStringLiteral("11pt")},
             {"fo:language", QStringLiteral("en")}, {"fo:country", QStringLiteral("US")}});
    xml.writeEndElement();
    const QString sans = QStringLiteral("fo:font-family='Liberation Sans';");
    const QString heading = QStringLiteral("fo:color=#1f3a5f;fo:font-weight=bold;") + sans;
    paragraphStyle(xml, "Standard", "Standard", QString(), QString(), "");
    paragraphStyle(xml, "Text_20_body", "Text body", QStringLiteral("fo:margin-bottom=0.08in;"), QString());
    paragraphStyle(xml, "Heading_20_1", "Heading 1",
                   QStringLiteral("fo:keep-with-next=always;fo:margin-bottom=0.2in;fo:border-bottom=1.1pt solid #1f3a5f;"
                                  "fo:padding-bottom=0.04in;"),
                   heading + QStringLiteral("fo:font-size=20pt;"), "Standard", 1);
    paragraphStyle(xml, "Heading_20_2", "Heading 2",
                   QStringLiteral("fo:keep-with-next=always;fo:margin-top=0.19in;fo:margin-bottom=0.08in;"),
                   heading + QStringLiteral("fo:font-size=13.5pt;"), "Standard", 2);
    paragraphStyle(xml, "Caption", "Caption", QStringLiteral("fo:keep-with-next=always;fo:margin-top=0.15in;fo:margin-bottom=0.06in;"),
                   heading + QStringLiteral("fo:font-size=10.5pt;"));
    paragraphStyle(xml, "Figure", "Figure", QStringLiteral("fo:text-align=center;"), QString());
    paragraphStyle(xml, "Cover_20_Title", "Cover Title", QStringLiteral("fo:text-align=center;fo:margin-top=2.5in;"),
                   heading + QStringLiteral("fo:font-size=30pt;"));
    paragraphStyle(xml, "Cover_20_Label", "Cover Label", QStringLiteral("fo:text-align=center;fo:margin-top=0.6in;"),
                   sans + QStringLiteral("fo:font-size=10pt;fo:color=#555b66;"));
    paragraphStyle(xml, "Cover_20_Line", "Cover Line", QStringLiteral("fo:text-align=center;fo:margin-top=0.04in;"),
                   QStringLiteral("fo:font-size=13pt;"));
    paragraphStyle(xml, "Contents_20_Heading", "Contents Heading", QStringLiteral("fo:margin-bottom=0.25in;"),
                   heading + QStringLiteral("fo:font-size=20pt;"));
    paragraphStyle(xml, "Contents_20_1", "Contents 1", QStringLiteral("fo:margin-top=0.08in;"),
                   sans + QStringLiteral("fo:font-weight=bold;fo:font-size=11.5pt;"), "Standard", 0, "6.5in");
    paragraphStyle(xml, "Contents_20_2", "Contents 2", QStringLiteral("fo:margin-left=0.3in;"),
                   QStringLiteral("fo:font-size=11.5pt;"), "Standard", 0, "6.2in");
    const QString header = QStringLiteral("fo:border-bottom=0.5pt solid #bbbbbb;fo:padding-bottom=0.04in;");
    const QString headerText = sans + QStringLiteral("fo:font-size=9pt;fo:color=#555b66;");
    paragraphStyle(xml, "Header", "Header", header, headerText, "Standard", 0, "6.5in");
    paragraphStyle(xml, "Header_20_Landscape", "Header Landscape", header, headerText, "Standard", 0, "9in");
    paragraphStyle(xml, "Footer", "Footer", QStringLiteral("fo:text-align=center;"),
                   sans + QStringLiteral("fo:font-size=9pt;fo:color=#555b66;"));
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("office:automatic-styles"));
    pageLayout(xml, "pmPortrait", false);
    pageLayout(xml, "pmLandscape", true);
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("office:master-styles"));
    masterPage(xml, "Standard", "pmPortrait", cover, true);
    masterPage(xml, "Landscape", "pmLandscape", cover, true, "Header_20_Landscape");
    masterPage(xml, "Cover", "pmPortrait", cover, false);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

// The body of content.xml, with the page changes the figures need.
class BodyWriter
{
public:
    BodyWriter(QXmlStreamWriter &xml, const PlanMaterials &materials, std::vector<PackagedFile> &files)
        : m_xml(xml), m_materials(materials), m_files(files), m_text(xml, m_styles, files)
    {
    }

    OdtStyles &styles() { return m_styles; }

    // A paragraph style that starts a page with the master, when given.
    QString style(const QString &base, const char *master)
    {
        return master ? m_styles.name(QStringLiteral("paragraph"), QString(), base, QString::fromLatin1(master)) : base;
    }

    void paragraph(const QString &styleName, const QString &text)
    {
        m_xml.writeStartElement(QStringLiteral("text:p"));
        m_xml.writeAttribute(QStringLiteral("text:style-name"), styleName);
        m_xml.writeCharacters(text);
        m_xml.writeEndElement();
    }

    void cover(const Cover &cover);
    void contents(const PlanSource &source);
    void chapters(const PlanSource &source);

private:
    void heading(int level, const QString &number, const QString &title, const char *master);
    void figure(const Figure &figure);

    QXmlStreamWriter &m_xml;
    const PlanMaterials &m_materials;
    std::vector<PackagedFile> &m_files;
    OdtStyles m_styles;
    OdtTextWriter m_text;
    bool m_landscape = false;
    int m_headings = 0;
};

void BodyWriter::cover(const Cover &cover)
{
    paragraph(style(QStringLiteral("Cover_20_Title"), "Cover"),
              cover.businessName.isEmpty() ? QStringLiteral("Untitled Plan") : cover.businessName);
    paragraph(QStringLiteral("Cover_20_Line"), cover.planTypeTitle());
    if (!cover.submittedTo.trimmed().isEmpty()) {
        paragraph(QStringLiteral("Cover_20_Label"), QStringLiteral("Submitted to"));
        paragraph(QStringLiteral("Cover_20_Line"), cover.submittedTo.trimmed());
    }
    if (!cover.submittedOn.trimmed().isEmpty())
        paragraph(QStringLiteral("Cover_20_Line"), cover.submittedOn.trimmed());
    paragraph(QStringLiteral("Cover_20_Label"), QStringLiteral("Submitted by"));
    QString place = cover.city.trimmed();
    if (!cover.state.trimmed().isEmpty())
        place += (place.isEmpty() ? QString() : QStringLiteral(", ")) + cover.state.trimmed();
    if (!cover.zip.trimmed().isEmpty())
        place += QLatin1Char(' ') + cover.zip.trimmed();
    for (const QString &line : {cover.submitterName.trimmed(), cover.street.trimmed(), place,
                                cover.telephone.trimmed().isEmpty() ? QString()
                                                                    : QStringLiteral("Telephone: ") + cover.telephone.trimmed()})
        if (!line.isEmpty())
            paragraph(QStringLiteral("Cover_20_Line"), line);
}

void BodyWriter::contents(const PlanSource &source)
{
    m_xml.writeStartElement(QStringLiteral("text:table-of-content"));
    m_xml.writeAttribute(QStringLiteral("text:name"), QStringLiteral("Contents"));
    m_xml.writeAttribute(QStringLiteral("text:protected"), QStringLiteral("true"));
    m_xml.writeStartElement(QStringLiteral("text:table-of-content-source"));
    m_xml.writeAttribute(QStringLiteral("text:outline-level"), QStringLiteral("2"));
    m_xml.writeStartElement(QStringLiteral("text:index-title-template"));
    m_xml.writeAttribute(QStringLiteral("text:style-name"), QStringLiteral("Contents_20_Heading"));
    m_xml.writeCharacters(QStringLiteral("Contents"));
    m_xml.writeEndElement();
    for (int level = 1; level <= 2; ++level) {
        m_xml.writeStartElement(QStringLiteral("text:table-of-content-entry-template"));
        m_xml.writeAttribute(QStringLiteral("text:outline-level"), QString::number(level));
        m_xml.writeAttribute(QStringLiteral("text:style-name"), QStringLiteral("Contents_20_%1").arg(level));
        m_xml.writeEmptyElement(QStringLiteral("text:index-entry-text"));
        element(m_xml, QStringLiteral("text:index-entry-tab-stop"),
                {{"style:type", QStringLiteral("right")}, {"style:leader-char", QStringLiteral(".")}});
        m_xml.writeEmptyElement(QStringLiteral("text:index-entry-page-number"));
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
    m_xml.writeStartElement(QStringLiteral("text:index-body"));
    m_xml.writeStartElement(QStringLiteral("text:index-title"));
    m_xml.writeAttribute(QStringLiteral("text:name"), QStringLiteral("Contents_Head"));
    paragraph(style(QStringLiteral("Contents_20_Heading"), "Standard"), QStringLiteral("Contents"));
    m_xml.writeEndElement();
    int heading = 0;
    auto entry = [&](int level, const QString &text) {
        m_xml.writeStartElement(QStringLiteral("text:p"));
        m_xml.writeAttribute(QStringLiteral("text:style-name"), QStringLiteral("Contents_20_%1").arg(level));
        m_xml.writeCharacters(text);
        m_xml.writeEmptyElement(QStringLiteral("text:tab"));
        // The page of the heading's bookmark, which the word processor fills in.
        m_xml.writeStartElement(QStringLiteral("text:bookmark-ref"));
        m_xml.writeAttribute(QStringLiteral("text:reference-format"), QStringLiteral("page"));
        m_xml.writeAttribute(QStringLiteral("text:ref-name"), QStringLiteral("heading%1").arg(++heading));
        m_xml.writeCharacters(QStringLiteral("?"));
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    };
    int chapterNumber = 0;
    for (const Chapter &chapter : source.chapters) {
        entry(1, QStringLiteral("%1  %2").arg(++chapterNumber).arg(chapter.name));
        int sectionNumber = 0;
        for (const Section &section : chapter.sections)
            entry(2, QStringLiteral("%1.%2  %3").arg(chapterNumber).arg(++sectionNumber).arg(section.name));
    }
    m_xml.writeEndElement();
    m_xml.writeEndElement();
}

void BodyWriter::heading(int level, const QString &number, const QString &title, const char *master)
{
    m_xml.writeStartElement(QStringLiteral("text:h"));
    m_xml.writeAttribute(QStringLiteral("text:style-name"), style(QStringLiteral("Heading_20_%1").arg(level), master));
    m_xml.writeAttribute(QStringLiteral("text:outline-level"), QString::number(level));
    m_xml.writeEmptyElement(QStringLiteral("text:bookmark"));
    m_xml.writeAttribute(QStringLiteral("text:name"), QStringLiteral("heading%1").arg(++m_headings));
    m_xml.writeCharacters(number + QStringLiteral("  ") + title);
    m_xml.writeEndElement();
}

void BodyWriter::figure(const Figure &figure)
{
    const auto picture = m_materials.picture(figure.pictureFile);
    if (!picture)
        return;
    const char *master = figure.landscape != m_landscape ? (figure.landscape ? "Landscape" : "Standard") : nullptr;
    m_landscape = figure.landscape;
    paragraph(style(QStringLiteral("Caption"), master),
              figure.title.trimmed().isEmpty() ? (figure.kind == Figure::Kind::Table ? QStringLiteral("Table")
                                                                                      : QStringLiteral("Chart"))
                                               : figure.title.trimmed());
    const QString name = QStringLiteral("Pictures/") + figure.pictureFile;
    if (std::none_of(m_files.begin(), m_files.end(), [&](const PackagedFile &f) { return f.name == name; }))
        m_files.push_back({name, picture->bytes(), QStringLiteral("image/x-wmf")});
    // Scaled as the PDF scales it, and to one page at most so no row is lost.
    const QSizeF natural = picture->sizeAt(96);
    const double bodyWidth = figure.landscape ? kLandscapeWidth : kPortraitWidth;
    const double bodyHeight = (figure.landscape ? kLandscapeHeight : kPortraitHeight) - 0.6;
    double width = natural.width() / 96.0, height = natural.height() / 96.0;
    if (width > bodyWidth || figure.kind == Figure::Kind::Chart) {
        height *= bodyWidth / width;
        width = bodyWidth;
    }
    if (height > bodyHeight) {
        width *= bodyHeight / height;
        height = bodyHeight;
    }
    m_xml.writeStartElement(QStringLiteral("text:p"));
    m_xml.writeAttribute(QStringLiteral("text:style-name"), QStringLiteral("Figure"));
    writePictureFrame(m_xml, name, width, height, figure.pictureFile);
    m_xml.writeEndElement();
}

void BodyWriter::chapters(const PlanSource &source)
{
    int chapterNumber = 0;
    for (const Chapter &chapter : source.chapters) {
        heading(1, QString::number(++chapterNumber), chapter.name, "Standard");
        m_landscape = false;
        int sectionNumber = 0;
        for (const Section &section : chapter.sections) {
            const char *master = m_landscape ? "Standard" : nullptr;
            m_landscape = false;
            heading(2, QStringLiteral("%1.%2").arg(chapterNumber).arg(++sectionNumber), section.name, master);
            if (auto doc = m_materials.text(section.textFile))
                m_text.write(*doc);
            for (const Figure &figure : section.figures)
                this->figure(figure);
        }
    }
}

QByteArray manifestXml(const std::vector<PackagedFile> &files)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("manifest:manifest"));
    xml.writeAttribute(QStringLiteral("xmlns:manifest"), QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"));
    xml.writeAttribute(QStringLiteral("manifest:version"), QStringLiteral("1.2"));
    auto entry = [&](const QString &path, const QString &type) {
        xml.writeEmptyElement(QStringLiteral("manifest:file-entry"));
        xml.writeAttribute(QStringLiteral("manifest:full-path"), path);
        xml.writeAttribute(QStringLiteral("manifest:media-type"), type);
    };
    entry(QStringLiteral("/"), kMimeType);
    for (const char *name : {"content.xml", "styles.xml", "meta.xml"})
        entry(QString::fromLatin1(name), QStringLiteral("text/xml"));
    for (const PackagedFile &file : files)
        entry(file.name, file.mediaType);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

QByteArray metaXml(const Cover &cover)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    startDocument(xml, "office:document-meta");
    xml.writeStartElement(QStringLiteral("office:meta"));
    xml.writeTextElement(QStringLiteral("meta:generator"), QStringLiteral("Quorvex 8.0"));
    xml.writeTextElement(QStringLiteral("dc:title"), cover.businessName + QStringLiteral(" ") + cover.planTypeTitle());
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace

QByteArray writeOdt(const PlanSource &source, const PlanMaterials &materials)
{
    std::vector<PackagedFile> files;
    // The body first, so that its automatic styles are known for the header of content.xml.
    QByteArray body;
    QXmlStreamWriter bodyXml(&body);
    BodyWriter writer(bodyXml, materials, files);
    bodyXml.writeStartElement(QStringLiteral("office:text"));
    writer.cover(source.cover);
    writer.contents(source);
    writer.chapters(source);
    bodyXml.writeEndElement();

    QByteArray content;
    QXmlStreamWriter xml(&content);
    startDocument(xml, "office:document-content");
    xml.writeStartElement(QStringLiteral("office:automatic-styles"));
    writer.styles().write(xml);
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("office:body"));
    xml.writeCharacters(QString()); // closes the start tag before the raw body follows
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    // Splice the body in front of "</office:body>".
    const qsizetype at = content.lastIndexOf("</office:body>");
    content.insert(at, body);

    ZipWriter zip;
    zip.add(QStringLiteral("mimetype"), kMimeType.toLatin1(), false);
    zip.add(QStringLiteral("META-INF/manifest.xml"), manifestXml(files));
    zip.add(QStringLiteral("content.xml"), content);
    zip.add(QStringLiteral("styles.xml"), stylesXml(source.cover));
    zip.add(QStringLiteral("meta.xml"), metaXml(source.cover));
    for (const PackagedFile &file : files)
        zip.add(file.name, file.data, !file.mediaType.startsWith(QLatin1String("image/png")));
    return zip.finish();
}

} // namespace qv::compiler
