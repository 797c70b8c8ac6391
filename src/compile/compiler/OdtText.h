#pragma once

// Section texts as OpenDocument body elements: paragraphs with their
// alignment and spacing, character formats, tables and pictures. Each
// distinct format becomes one automatic style that the writer collects.

#include <QByteArray>
#include <QMap>
#include <QString>

#include <vector>

class QTextBlock;
class QTextDocument;
class QTextFrame;
class QTextImageFormat;
class QTextTable;
class QXmlStreamWriter;

namespace qv::compiler {

// A file the package carries beside its XML ("Pictures/text3.png").
struct PackagedFile
{
    QString name;
    QByteArray data;
    QString mediaType;
};

// A picture of the package in the text, sized in inches, in a frame
// anchored as a character.
void writePictureFrame(QXmlStreamWriter &xml, const QString &href, double widthInches, double heightInches,
                       const QString &frameName = QString(), const QString &frameStyle = QString());

// Automatic styles by their properties, named in the order met.
class OdtStyles
{
public:
    // The name of the style with these family and properties: groups of
    // "element|name=value;..." joined by line breaks. A master page makes the
    // paragraph start a page of that kind.
    QString name(const QString &family, const QString &properties, const QString &parent = QString(),
                 const QString &masterPage = QString());
    void write(QXmlStreamWriter &xml) const;

private:
    struct Style
    {
        QString name, family, parent, properties, masterPage;
    };
    std::vector<Style> m_styles;
    QMap<QString, QString> m_byKey;
    QMap<QString, int> m_counts;
};

class OdtTextWriter
{
public:
    OdtTextWriter(QXmlStreamWriter &xml, OdtStyles &styles, std::vector<PackagedFile> &files);
    // Writes every paragraph and table of the document.
    void write(const QTextDocument &doc);

private:
    void writeFrame(const QTextDocument &doc, QTextFrame *frame);
    void writeTable(const QTextDocument &doc, QTextTable *table);
    void writeBlock(const QTextDocument &doc, const QTextBlock &block);
    void writeImage(const QTextDocument &doc, const QTextImageFormat &format);

    QXmlStreamWriter &m_xml;
    OdtStyles &m_styles;
    std::vector<PackagedFile> &m_files;
};

} // namespace qv::compiler
