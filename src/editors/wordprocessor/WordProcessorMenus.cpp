// The word processor's menus: File, Edit, View, Insert, Format and Help.
// The items of each menu array are named by index (mnuFile_0 ...); the
// commands added for writers (Redo, Find, styles, lists, pictures, zoom)
// are named by what they do.

#include "editors/wordprocessor/frmWordProcessor.h"

#include "controls/richtextview/TextButtonBar.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/richtextview/TextRuler.h"
#include "editors/wordprocessor/FindReplaceDialog.h"
#include "support/gui/HelpMenu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QTextBlock>
#include <QTextCursor>

namespace qv::editors {

namespace {

constexpr int kZoomStep = 10;

QAction *withShortcuts(QAction *action, const QList<QKeySequence> &keys)
{
    action->setShortcuts(keys);
    return action;
}

} // namespace

void frmWordProcessor::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildInsertMenu();
    buildFormatMenu();
    buildHelpMenu();
}

void frmWordProcessor::buildFileMenu()
{
    QMenu *file = mnuMain[0] = menuBar()->addMenu(QString());
    file->setObjectName(QStringLiteral("mnuMain_0"));
    connect(withShortcuts(item(file, QStringLiteral("mnuFile_0")), {QKeySequence::Open}), &QAction::triggered, this,
            &frmWordProcessor::openFile);
    connect(item(file, QStringLiteral("mnuFile_1")), &QAction::triggered, txTextDoc,
            &richtext::TextEditor::pageSetup);
    connect(withShortcuts(item(file, QStringLiteral("mnuFile_2")), {QKeySequence::Print}), &QAction::triggered,
            txTextDoc, &richtext::TextEditor::print);
    file->addSeparator();
    connect(withShortcuts(item(file, QStringLiteral("mnuFile_3")), {QKeySequence::Close}), &QAction::triggered, this,
            &QWidget::close);
}

void frmWordProcessor::buildEditMenu()
{
    QMenu *edit = mnuMain[1] = menuBar()->addMenu(QString());
    edit->setObjectName(QStringLiteral("mnuMain_1"));
    connect(withShortcuts(item(edit, QStringLiteral("mnuEdit_0")), {QKeySequence::Undo}), &QAction::triggered,
            txTextDoc, &QTextEdit::undo);
    connect(withShortcuts(item(edit, QStringLiteral("mnuEditRedo"), tr("&Redo")),
                          {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}),
            &QAction::triggered, txTextDoc, &QTextEdit::redo);
    edit->addSeparator();
    connect(withShortcuts(item(edit, QStringLiteral("mnuEdit_1")), {QKeySequence::Cut}), &QAction::triggered,
            txTextDoc, &richtext::TextEditor::cut);
    connect(withShortcuts(item(edit, QStringLiteral("mnuEdit_2")), {QKeySequence::Copy}), &QAction::triggered,
            txTextDoc, &richtext::TextEditor::copy);
    connect(withShortcuts(item(edit, QStringLiteral("mnuEdit_3")), {QKeySequence::Paste}), &QAction::triggered,
            txTextDoc, &richtext::TextEditor::paste);
    connect(withShortcuts(item(edit, QStringLiteral("mnuEditSelectAll"), tr("Select &All")), {QKeySequence::SelectAll}),
            &QAction::triggered, txTextDoc, &QTextEdit::selectAll);
    edit->addSeparator();
    connect(withShortcuts(item(edit, QStringLiteral("mnuEditFind"), tr("&Find...")), {QKeySequence::Find}),
            &QAction::triggered, this, [this] { findDialog()->showFor(false); });
    connect(withShortcuts(item(edit, QStringLiteral("mnuEditFindNext"), tr("Find &Next")), {QKeySequence::FindNext}),
            &QAction::triggered, this, [this] { findDialog()->findNext(); });
    connect(withShortcuts(item(edit, QStringLiteral("mnuEditReplace"), tr("R&eplace...")),
                          {QKeySequence(Qt::CTRL | Qt::Key_H)}),
            &QAction::triggered, this, [this] { findDialog()->showFor(true); });
    edit->addSeparator();
    connect(withShortcuts(item(edit, QStringLiteral("mnuEdit_4")), {QKeySequence(Qt::Key_F7)}), &QAction::triggered,
            this, &frmWordProcessor::SpellCheck);
    // The items follow the text at once, so that their keys work whenever
    // the command can.
    connect(edit, &QMenu::aboutToShow, this, &frmWordProcessor::refreshEditMenu);
    for (auto signal : {&QTextEdit::undoAvailable, &QTextEdit::redoAvailable, &QTextEdit::copyAvailable})
        connect(txTextDoc, signal, this, &frmWordProcessor::refreshEditMenu);
    connect(txTextDoc, &QTextEdit::textChanged, this, &frmWordProcessor::refreshEditMenu);
}

void frmWordProcessor::refreshEditMenu()
{
    const bool editable = !txTextDoc->isReadOnly();
    const bool selected = txTextDoc->textCursor().hasSelection();
    findChild<QAction *>(QStringLiteral("mnuEdit_0"))->setEnabled(editable && txTextDoc->document()->isUndoAvailable());
    findChild<QAction *>(QStringLiteral("mnuEditRedo"))->setEnabled(editable && txTextDoc->document()->isRedoAvailable());
    findChild<QAction *>(QStringLiteral("mnuEdit_1"))->setEnabled(editable && selected);
    findChild<QAction *>(QStringLiteral("mnuEdit_2"))->setEnabled(selected);
    findChild<QAction *>(QStringLiteral("mnuEdit_3"))->setEnabled(editable);
}

void frmWordProcessor::buildViewMenu()
{
    QMenu *view = mnuMain[2] = menuBar()->addMenu(QString());
    view->setObjectName(QStringLiteral("mnuMain_2"));
    auto *modes = new QActionGroup(view);
    QAction *normal = item(view, QStringLiteral("mnuView_0"));
    QAction *page = item(view, QStringLiteral("mnuView_1"));
    for (QAction *mode : {normal, page}) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    normal->setChecked(true);
    connect(normal, &QAction::triggered, this, [this] { setPageView(false); });
    connect(page, &QAction::triggered, this, [this] { setPageView(true); });
    view->addSeparator();
    connect(withShortcuts(item(view, QStringLiteral("mnuViewZoomIn"), tr("Zoom &In")), {QKeySequence::ZoomIn}),
            &QAction::triggered, this, [this] { txTextDoc->setZoomFactor(txTextDoc->zoomFactor() + kZoomStep); });
    connect(withShortcuts(item(view, QStringLiteral("mnuViewZoomOut"), tr("Zoom &Out")), {QKeySequence::ZoomOut}),
            &QAction::triggered, this, [this] { txTextDoc->setZoomFactor(txTextDoc->zoomFactor() - kZoomStep); });
    connect(withShortcuts(item(view, QStringLiteral("mnuViewZoom100"), tr("&Zoom To 100%")),
                          {QKeySequence(Qt::CTRL | Qt::Key_0)}),
            &QAction::triggered, this, [this] { txTextDoc->setZoomFactor(100); });
    view->addSeparator();
    QAction *ruler = item(view, QStringLiteral("mnuViewRuler"), tr("&Ruler"));
    QAction *bar = item(view, QStringLiteral("mnuViewButtonBar"), tr("&Button Bar"));
    for (QAction *shown : {ruler, bar}) {
        shown->setCheckable(true);
        shown->setChecked(true);
    }
    connect(ruler, &QAction::toggled, txRulerBar, &QWidget::setVisible);
    connect(bar, &QAction::toggled, txBar, &QWidget::setVisible);
}

void frmWordProcessor::buildInsertMenu()
{
    QMenu *insert = menuBar()->addMenu(tr("&Insert"));
    insert->setObjectName(QStringLiteral("mnuInsertTop"));
    connect(item(insert, QStringLiteral("mnuInsertPicture"), tr("&Picture...")), &QAction::triggered, this,
            &frmWordProcessor::insertPicture);
    connect(withShortcuts(item(insert, QStringLiteral("mnuInsertPageBreak"), tr("Page &Break")),
                          {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}),
            &QAction::triggered, this, [this] {
                if (txTextDoc->isReadOnly())
                    return;
                QTextCursor c = txTextDoc->textCursor();
                QTextBlockFormat next = c.blockFormat();
                next.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                c.insertBlock(next);
                txTextDoc->setTextCursor(c);
            });
}

void frmWordProcessor::buildFormatMenu()
{
    QMenu *format = mnuMain[3] = menuBar()->addMenu(QString());
    format->setObjectName(QStringLiteral("mnuMain_3"));
    connect(withShortcuts(item(format, QStringLiteral("mnuFormat_0")), {QKeySequence(Qt::CTRL | Qt::Key_D)}),
            &QAction::triggered, txTextDoc, &richtext::TextEditor::editCharacter);
    connect(item(format, QStringLiteral("mnuFormat_1")), &QAction::triggered, this, &frmWordProcessor::FormatColorProc);
    connect(item(format, QStringLiteral("mnuFormat_2")), &QAction::triggered, txTextDoc,
            &richtext::TextEditor::editParagraph);
    format->addSeparator();

    QMenu *styles = format->addMenu(tr("&Style"));
    styles->setObjectName(QStringLiteral("mnuFormatStyleTop"));
    for (int level = 0; level <= richtext::TextEditor::maxHeadingLevel; ++level) {
        QAction *style = item(styles, QStringLiteral("mnuFormatStyle_%1").arg(level),
                              level == 0 ? tr("&Normal") : tr("Heading &%1").arg(level));
        style->setShortcut(level == 0 ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)
                                      : QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key(Qt::Key_0 + level)));
        connect(style, &QAction::triggered, this, [this, level] { txTextDoc->setHeadingLevel(level); });
    }
    QAction *bullets = item(format, QStringLiteral("mnuFormatBullets"), tr("&Bullets"));
    QAction *numbering = item(format, QStringLiteral("mnuFormatNumbering"), tr("&Numbering"));
    bullets->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    for (QAction *list : {bullets, numbering})
        list->setCheckable(true);
    // The paragraph decides, not the item's last shown check.
    connect(bullets, &QAction::triggered, this, [this] { txTextDoc->setBulleted(!txTextDoc->isBulleted()); });
    connect(numbering, &QAction::triggered, this, [this] { txTextDoc->setNumbered(!txTextDoc->isNumbered()); });
    connect(format, &QMenu::aboutToShow, this, [this, bullets, numbering] {
        bullets->setChecked(txTextDoc->isBulleted());
        numbering->setChecked(txTextDoc->isNumbered());
    });
}

void frmWordProcessor::buildHelpMenu()
{
    QMenu *help = mnuMain[4] = support::addHelpMenu(menuBar(), this, QStringLiteral("wordprocessor"));
    help->setObjectName(QStringLiteral("mnuMain_4"));
    help->findChild<QAction *>(QStringLiteral("mnuHelp_0"))->setShortcut(QKeySequence::HelpContents);
    help->findChild<QAction *>(QStringLiteral("mnuHelp_1"))->setText(QStringLiteral("&Vantor Tips"));
}

} // namespace qv::editors
