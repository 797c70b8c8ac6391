#pragma once

// What the word processor tests share: a sample section text, a print
// dialog that prints to a PDF file, and the outside programs that read the
// results (poppler's pdfinfo, LibreOffice).

#include "controls/richtextview/TextEditor.h"
#include "platform/gui/DesktopServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextCursor>

namespace qv::test {

// A heading, body paragraphs, a bulleted and a numbered list and a picture,
// with enough text for about `pages` pages.
inline void writeSampleSection(richtext::TextEditor &editor, int pages)
{
    const auto newParagraph = [&editor] {
        QTextCursor c = editor.textCursor();
        c.insertBlock();
        editor.setTextCursor(c);
    };
    editor.setHeadingLevel(1);
    editor.insertPlainText(QStringLiteral("Market Analysis"));
    newParagraph();
    editor.setHeadingLevel(0);
    editor.insertPlainText(QStringLiteral("Our customers come from three groups:"));
    newParagraph();
    editor.setBulleted(true);
    editor.insertPlainText(QStringLiteral("Students\nOffice workers\nTourists"));
    newParagraph();
    editor.setBulleted(false);
    editor.insertPlainText(QStringLiteral("We open in two steps:"));
    newParagraph();
    editor.setNumbered(true);
    editor.insertPlainText(QStringLiteral("The shop on Main Street\nThe kiosk at the station"));
    newParagraph();
    editor.setNumbered(false);
    QImage picture(240, 160, QImage::Format_RGB32);
    picture.fill(QColor(0x2c, 0x7f, 0xb8));
    QPainter(&picture).fillRect(20, 20, 80, 120, QColor(0xf0, 0xa0, 0x20));
    editor.insertPicture(picture);
    newParagraph();
    const QString filler = QStringLiteral(
        "The Portland market for specialty coffee grows every year, and our research shows that people "
        "who buy a cup on their way to work come back four times a week when the service is quick and the "
        "quality is steady. We plan our staffing around the morning rush and keep the afternoons for "
        "catering orders, which earn a better margin.");
    for (int i = 0; i < pages * 9; ++i) {
        editor.insertPlainText(filler);
        newParagraph();
    }
    editor.insertPlainText(QStringLiteral("The end."));
}

// The print dialog answered OK with the PDF printer writing to a file.
class PdfPrintDialogs final : public platform::PrintDialogs
{
public:
    explicit PdfPrintDialogs(QString output) : m_output(std::move(output)) {}
    bool print(QObject *, QPrinter &printer, const platform::PrintRequest &request) override
    {
        requests.append(request);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_output);
        return true;
    }
    bool pageSetup(QObject *, QPrinter &) override { return true; }
    QList<platform::PrintRequest> requests;

private:
    QString m_output;
};

// The pages of a PDF file Qt wrote.
inline int pdfPageCount(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? int(file.readAll().count("/Type /Page\n")) : -1;
}

// What poppler's pdfinfo says of the file; empty when it is not installed.
inline QString pdfInfo(const QString &path)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        return QString();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    info.waitForFinished(30000);
    return QString::fromUtf8(info.readAllStandardOutput());
}

// Converts an RTF file to ODT with LibreOffice and returns the document's
// content.xml; null text when soffice or unzip is missing, empty text when
// the conversion failed.
inline QString convertToOdtContent(const QString &rtfPath, const QString &workFolder)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (soffice.isEmpty() || unzip.isEmpty())
        return QString();
    const QString out = QDir(workFolder).filePath(QStringLiteral("odt"));
    QProcess lo;
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + QDir(workFolder).filePath(QStringLiteral("profile")),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("odt"),
                       QStringLiteral("--outdir"), out, rtfPath});
    if (!lo.waitForFinished(110000))
        return QStringLiteral("");
    const QString odt = QDir(out).filePath(QFileInfo(rtfPath).completeBaseName() + QStringLiteral(".odt"));
    if (!QFileInfo(odt).isFile())
        return QStringLiteral("");
    QProcess extract;
    extract.start(unzip, {QStringLiteral("-p"), odt, QStringLiteral("content.xml")});
    extract.waitForFinished(30000);
    const QString content = QString::fromUtf8(extract.readAllStandardOutput());
    return content.isNull() ? QStringLiteral("") : content;
}

} // namespace qv::test
