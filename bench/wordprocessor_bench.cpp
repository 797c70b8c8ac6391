// The word processor on a ten-page section: opening the file, one typed
// character with the status bar brought up to date (words, page count),
// switching to the page view, saving on return, and printing to PDF.
// Run offscreen: QT_QPA_PLATFORM=offscreen ./wordprocessor_bench

#include "controls/richtext/Rtf.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/richtextview/TextStatusBar.h"
#include "editors/wordprocessor/frmWordProcessor.h"
#include "platform/Folders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <functional>

namespace {

double timed(const std::function<void()> &step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

// Ten Letter pages of 12-point text with a heading every page.
void writeTenPages(const QString &path)
{
    QTextDocument document;
    QTextCursor c(&document);
    const QString paragraph = QStringLiteral(
        "The Portland market for specialty coffee grows every year, and our research shows that people who buy a "
        "cup on their way to work come back four times a week when the service is quick and the quality is steady.");
    for (int page = 0; page < 10; ++page) {
        QTextBlockFormat heading;
        heading.setHeadingLevel(1);
        QTextCharFormat big;
        big.setFontPointSize(16);
        big.setFontWeight(QFont::Bold);
        c.insertBlock(heading, big);
        c.insertText(QStringLiteral("Chapter %1").arg(page + 1));
        QTextCharFormat body;
        body.setFontPointSize(12);
        for (int i = 0; i < 10; ++i) {
            c.insertBlock(QTextBlockFormat(), body);
            c.insertText(paragraph);
        }
    }
    qv::rtf::saveSectionRtfFile(path, document);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir root;
    qv::platform::Folders::setUserConfigFolder(root.filePath(QStringLiteral("config")));
    const QString section = root.filePath(QStringLiteral("Ans00001.tmp"));
    writeTenPages(section);

    qv::editors::frmWordProcessor window;
    window.resize(1100, 800);
    window.show();
    const double open = timed([&] { window.setFileName(section); });
    QApplication::processEvents();
    qv::richtext::TextEditor *editor = window.editor();
    QTextCursor middle = editor->textCursor();
    middle.setPosition(editor->plainTextLength() / 2);
    editor->setTextCursor(middle);

    const int keys = 200;
    const double typing = timed([&] {
        for (int i = 0; i < keys; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QApplication::sendEvent(editor, &press);
        }
    });
    const double page = timed([&] {
        window.setPageView(true);
        QApplication::processEvents();
    });
    const double pageTyping = timed([&] {
        for (int i = 0; i < keys; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
            QApplication::sendEvent(editor, &press);
        }
    });
    const double save = timed([&] { window.saveText(); });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(root.filePath(QStringLiteral("section.pdf")));
    const double print = timed([&] { editor->printPages(printer); });

    std::printf("ten-page section: %d pages in the page view, %d words\n", editor->pageCount(), editor->wordCount());
    std::printf("open the section file:            %8.1f ms\n", open);
    std::printf("one key, normal view (mean):      %8.2f ms\n", typing / keys);
    std::printf("switch to the page view:          %8.1f ms\n", page);
    std::printf("one key, page view (mean):        %8.2f ms\n", pageTyping / keys);
    std::printf("save as rich text:                %8.1f ms\n", save);
    std::printf("print to PDF:                     %8.1f ms\n", print);
    window.hide();
    return 0;
}
