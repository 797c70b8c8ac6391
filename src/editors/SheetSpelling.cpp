#include "editors/SheetSpelling.h"

#include "controls/spell/SpellChecker.h"
#include "controls/workbook/EditHistory.h"
#include "controls/workbook/Workbook.h"

#include <QTextBlock>
#include <QTextEdit>

namespace qv::editors {

richtext::SpellCheckOutcome checkSheetSpelling(QWidget *owner, workbook::Workbook &book, spell::SpellChecker &checker)
{
    if (!checker.hasDictionary())
        return richtext::SpellCheckOutcome::NoDictionary;
    const auto used = book.usedRange();
    if (!used)
        return richtext::SpellCheckOutcome::Completed;
    struct TextCell
    {
        int row, col;
        QString text;
    };
    std::vector<TextCell> cells;
    const int sheet = book.activeSheet();
    book.sheetData(sheet).forEachCell(*used, [&](int row, int col, const workbook::Cell &cell) {
        if (cell.formula >= 0 || !cell.value.isText() || cell.value.text.trimmed().isEmpty())
            return;
        if (book.hasLockedCells(workbook::CellRange::cell(row, col)))
            return;
        cells.push_back({row, col, cell.value.text});
    });
    if (cells.empty())
        return richtext::SpellCheckOutcome::Completed;

    // Line breaks inside a cell stay inside its paragraph.
    QStringList paragraphs;
    for (const TextCell &cell : cells)
        paragraphs << QString(cell.text).replace(u'\n', QChar::LineSeparator);
    QTextEdit text;
    text.setPlainText(paragraphs.join(u'\n'));
    QTextEdit *editor = &text;
    editor->setParent(owner, Qt::Widget);
    editor->hide();
    const richtext::SpellCheckOutcome outcome = richtext::checkSpelling(editor, checker);
    editor->setParent(nullptr);

    // The words changed before a Cancel stay changed, as in the text view.
    workbook::EditStep step(book, QObject::tr("Spelling"));
    step.watchCells(*used);
    QTextBlock block = text.document()->begin();
    for (const TextCell &cell : cells) {
        if (!block.isValid())
            break;
        const QString corrected = block.text().replace(QChar::LineSeparator, u'\n');
        if (corrected != cell.text)
            book.setText(cell.row, cell.col, corrected, workbook::EditOrigin::User);
        block = block.next();
    }
    step.commit();
    return outcome;
}

} // namespace qv::editors
