// Lays out the editor with its bars, and the spelling dialog, in small
// windows and saves pictures of them: a way to look at the widgets as a
// user sees them. Usage: richtext_screenshots OUTPUT_FOLDER

#include "controls/richtextview/SpellCheckDialog.h"
#include "controls/richtextview/TextButtonBar.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/richtextview/TextRuler.h"
#include "controls/richtextview/TextStatusBar.h"
#include "controls/spell/SpellChecker.h"

#include "platform/Folders.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

using namespace qv::richtext;

static const char *kSample =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}"
    "\\paperw12240\\paperh15840\\margl1440\\margr1440"
    "\\pard\\qc\\sa200\\f1\\fs32\\b Executive Summary\\b0\\par"
    "\\pard\\sa120\\f0\\fs24 Our company sells \\i handmade\\i0  furniture to customers in the "
    "region. This plan describes the market, the competiton and how we will grow "
    "our sales over the next three years.\\par"
    "\\pard\\li720\\fi-360\\sa60 \\bullet\\tab Strong local brand\\par"
    "\\pard\\li720\\fi-360\\sa60 \\bullet\\tab Low overhead costs\\par"
    "\\pard\\sa120 The \\cf2\\b markt\\cf0\\b0  for quality furniture grows by five percent a year.\\par}";

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    if (argc > 2)
        qv::platform::Folders::setInstallFolder(QString::fromLocal8Bit(argv[2]));
    const QString sampleFile = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();

    qv::spell::SpellChecker checker;
    checker.openMainDictionary();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quorvex 8.0 - Word Processor"));
    auto *editor = new TextEditor;
    editor->setObjectName(QStringLiteral("txTextDoc"));
    if (sampleFile.isEmpty())
        editor->loadRtf(kSample);
    else
        editor->loadRtfFile(sampleFile);
    editor->setSpellChecker(&checker);
    auto *bar = new TextButtonBar;
    auto *ruler = new TextRuler;
    auto *status = new TextStatusBar;
    bar->attach(editor);
    ruler->attach(editor);
    status->attach(editor);
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ruler);
    layout->addWidget(editor);
    window.addToolBar(bar);
    window.setCentralWidget(central);
    window.setStatusBar(status);
    window.resize(760, 480);
    window.show();
    QTextCursor c = editor->textCursor();
    c.movePosition(QTextCursor::NextBlock);
    c.movePosition(QTextCursor::NextWord);
    editor->setTextCursor(c);
    app.processEvents();
    window.grab().save(QDir(out).filePath(QStringLiteral("editor-normal.png")));

    editor->setViewMode(TextEditor::ViewMode::Page);
    editor->setZoomFactor(75);
    app.processEvents();
    window.grab().save(QDir(out).filePath(QStringLiteral("editor-page.png")));

    // Where one page ends and the next begins.
    QTextCursor end(editor->document());
    end.movePosition(QTextCursor::End);
    for (int i = 1; i <= 40; ++i)
        end.insertText(
            QStringLiteral("\nMore of the plan, paragraph %1, long enough to fill a line or two of the page.").arg(i));
    editor->setZoomFactor(50);
    app.processEvents();
    editor->verticalScrollBar()->setValue(int(editor->pageSizeInPixels().height() * 0.6));
    app.processEvents();
    window.grab().save(QDir(out).filePath(QStringLiteral("editor-pages.png")));

    SpellCheckDialog dialog(editor, checker);
    if (dialog.start()) {
        dialog.show();
        app.processEvents();
        dialog.grab().save(QDir(out).filePath(QStringLiteral("spelling.png")));
    }
    return 0;
}
