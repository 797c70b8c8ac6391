#include "controls/workbook/Workbook.h"
#include "controls/workbookview/SheetGrid.h"
#include "controls/workbookview/WorkbookView.h"
#include "FakePlatform.h"

#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

using namespace qv::workbook;

namespace {

class ScriptedDialogs final : public ViewDialogs
{
public:
    std::optional<QString> askNumberFormat(QWidget *, const QString &current) override
    {
        asked = current;
        return format;
    }
    std::optional<double> askRowHeight(QWidget *, double points) override { asked = QString::number(points); return size; }
    std::optional<double> askColumnWidth(QWidget *, double chars) override { asked = QString::number(chars); return size; }
    std::optional<FindRequest> askFind(QWidget *, const FindRequest &) override { return find; }
    std::optional<PasteKind> askPasteSpecial(QWidget *) override { return pasteKind; }
    std::optional<QString> format;
    std::optional<double> size;
    std::optional<FindRequest> find;
    std::optional<PasteKind> pasteKind;
    QString asked;
};

class WorkbookViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialogs = std::make_shared<ScriptedDialogs>();
        setViewDialogs(dialogs);
        view.setObjectName(QStringLiteral("f1SpreadSheet"));
        view.resize(640, 400);
        view.setWorkbook(&book);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void TearDown() override { setViewDialogs(nullptr); }

    SheetGrid *grid() { return view.findChild<SheetGrid *>(QStringLiteral("sheetGrid")); }
    void type(const QString &text)
    {
        QTest::keyClicks(grid(), text.left(1));
        auto *editor = grid()->findChild<QLineEdit *>(QStringLiteral("cellEditor"));
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }

    Workbook book;
    WorkbookView view;
    std::shared_ptr<ScriptedDialogs> dialogs;
};

} // namespace

TEST_F(WorkbookViewTest, TypingEntersValuesAndMovesDown)
{
    book.setActiveCell(2, 2);
    type(QStringLiteral("1500"));
    EXPECT_EQ(book.number(2, 2), 1500);
    EXPECT_EQ(book.activeCell(), (CellAddress{3, 2}));
    type(QStringLiteral("=B2*2"));
    EXPECT_EQ(book.number(3, 2), 3000);
    auto *formula = view.findChild<QLineEdit *>(QStringLiteral("formulaEdit"));
    book.setActiveCell(3, 2);
    EXPECT_EQ(formula->text(), QStringLiteral("=B2*2"));
    EXPECT_EQ(view.findChild<QLineEdit *>(QStringLiteral("nameBox"))->text(), QStringLiteral("B3"));
}

TEST_F(WorkbookViewTest, KeyboardNavigationSkipsHiddenLines)
{
    book.setColumnsHidden(2, 2, true);
    book.setActiveCell(1, 1);
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(book.activeCell(), (CellAddress{1, 3}));
    QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(book.selectionText(), QStringLiteral("$C$1:$C$2"));
    QTest::keyClick(grid(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(book.selectionText(), QStringLiteral("$A$1"));
    book.setMaxCol(3);
    book.setActiveCell(1, 3);
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(book.activeCell(), (CellAddress{1, 3})); // the column limit is the sheet's edge
}

TEST_F(WorkbookViewTest, TwoViewsShareOneWorkbook)
{
    WorkbookView other;
    other.setWorkbook(&book);
    book.setActiveCell(1, 1);
    type(QStringLiteral("42"));
    EXPECT_EQ(other.workbook()->number(1, 1), 42);
    other.workbook()->setActiveCell(5, 5);
    EXPECT_EQ(view.findChild<QLineEdit *>(QStringLiteral("nameBox"))->text(), QStringLiteral("E5"));
}

TEST_F(WorkbookViewTest, ProtectionRefusesTypingInLockedCells)
{
    book.setNumber(1, 1, 5);
    book.setLocked(CellRange::cell(2, 1), false);
    book.setProtected(true);
    book.setActiveCell(1, 1);
    QTest::keyClicks(grid(), QStringLiteral("7"));
    EXPECT_EQ(book.number(1, 1), 5);
    EXPECT_EQ(qv::test::fakes().messages->lastText(), QStringLiteral("Lock cells cannot be modified."));
    book.setActiveCell(2, 1);
    type(QStringLiteral("8"));
    EXPECT_EQ(book.number(2, 1), 8);
    book.setSelection(CellRange{1, 1, 2, 1});
    EXPECT_FALSE(view.clearSelection());
    EXPECT_EQ(book.number(2, 1), 8);
}

TEST_F(WorkbookViewTest, CopyAndPasteAsTextAndHtml)
{
    book.setEntry(1, 1, QStringLiteral("Sales"));
    book.setEntry(1, 2, QStringLiteral("$1,500"));
    book.setEntry(2, 2, QStringLiteral("=B1*2"));
    book.setSelection(CellRange{1, 1, 2, 2});
    ASSERT_TRUE(view.copy());
    const QMimeData *mime = qv::test::fakes().clipboard->mimeData();
    ASSERT_TRUE(mime);
    EXPECT_EQ(mime->text(), QStringLiteral("Sales\t$1,500\r\n\t3000\r\n"));
    EXPECT_TRUE(mime->html().contains(QStringLiteral("<td>Sales</td>")));
    // Our own copy pastes formulas and formats.
    book.setActiveCell(5, 1);
    ASSERT_TRUE(view.paste());
    EXPECT_EQ(book.formula(6, 2), QStringLiteral("=B5*2")); // relative references move along
    EXPECT_EQ(book.text(5, 2), QStringLiteral("$1,500"));
    // A table from another spreadsheet arrives as HTML.
    auto *foreign = new QMimeData;
    foreign->setHtml(QStringLiteral("<table><tr><td>North</td><td>1,200</td></tr><tr><td>South</td><td>15%</td></tr></table>"));
    foreign->setText(QStringLiteral("North\t1,200\nSouth\t15%\n"));
    qv::test::fakes().clipboard->setMimeData(foreign);
    book.setActiveCell(10, 3);
    ASSERT_TRUE(view.paste());
    EXPECT_EQ(book.text(10, 3), QStringLiteral("North"));
    EXPECT_EQ(book.number(10, 4), 1200);
    EXPECT_EQ(book.number(11, 4), 0.15);
    // Cut clears what it copied.
    book.setSelection(CellRange{10, 3, 11, 4});
    ASSERT_TRUE(view.cut());
    EXPECT_TRUE(book.value(10, 3).isEmpty());
    dialogs->pasteKind = PasteKind::Values;
    book.setActiveCell(20, 1);
    ASSERT_TRUE(view.pasteSpecial());
    EXPECT_EQ(book.text(20, 1), QStringLiteral("North"));
}

TEST_F(WorkbookViewTest, CutAndPasteTakesAlongTheFormulasThatReadTheCellsAndUndoPutsThemBack)
{
    book.setNumber(1, 1, 5);
    book.setNumber(2, 1, 7);
    book.setEntry(1, 3, QStringLiteral("=SUM(A1:A2)"));
    book.setEntry(2, 3, QStringLiteral("=A2*2"));
    book.setEntry(8, 2, QStringLiteral("=B5+1")); // reads a cell the paste lands on
    book.setSelection(CellRange{1, 1, 2, 1});
    ASSERT_TRUE(view.cut());
    book.setActiveCell(5, 2);
    ASSERT_TRUE(view.paste());
    EXPECT_EQ(book.formula(1, 3), QStringLiteral("=SUM(B5:B6)"));
    EXPECT_EQ(book.number(1, 3), 12);
    EXPECT_EQ(book.formula(2, 3), QStringLiteral("=B6*2"));
    EXPECT_EQ(book.number(2, 3), 14);
    EXPECT_TRUE(book.value(8, 2).isError()) << "as in any spreadsheet, what was pasted over is gone";

    ASSERT_TRUE(view.undo());
    EXPECT_EQ(book.formula(1, 3), QStringLiteral("=SUM(A1:A2)"));
    EXPECT_EQ(book.formula(2, 3), QStringLiteral("=A2*2"));
    EXPECT_EQ(book.formula(8, 2), QStringLiteral("=B5+1"));
    EXPECT_TRUE(book.value(5, 2).isEmpty());
    ASSERT_TRUE(view.undo()); // and the cut
    EXPECT_EQ(book.number(1, 3), 12);
    EXPECT_EQ(book.number(2, 3), 14);
}

TEST_F(WorkbookViewTest, HidingColumnsOfOneCellKeepsTheSelection)
{
    book.setActiveCell(3, 4);
    view.hideColumns();
    EXPECT_TRUE(book.isColumnHidden(4));
    EXPECT_EQ(book.selectionText(), QStringLiteral("$D$3"));
    view.unhideColumns();
    EXPECT_FALSE(book.isColumnHidden(4));
    view.hideRows();
    EXPECT_TRUE(book.isRowHidden(3));
}

TEST_F(WorkbookViewTest, FormatCommands)
{
    book.setEntry(1, 1, QStringLiteral("1500"));
    book.setActiveCell(1, 1);
    EXPECT_TRUE(view.toggleBold());
    EXPECT_TRUE(book.format(1, 1).bold);
    EXPECT_TRUE(view.toggleBold());
    EXPECT_FALSE(book.format(1, 1).bold);
    dialogs->format = QStringLiteral("$#,##0.00");
    EXPECT_TRUE(view.numberFormatDialog());
    EXPECT_EQ(dialogs->asked, QStringLiteral("General"));
    EXPECT_EQ(book.text(1, 1), QStringLiteral("$1,500.00"));
    book.setSelection(CellRange{1, 1, 1, 3});
    EXPECT_TRUE(view.setAlignment(HorizontalAlignment::MergeAndCenter));
    EXPECT_EQ(book.mergeAt(1, 3), (CellRange{1, 1, 1, 3}));
    qv::test::fakes().dialogs->setNextColor(QColor(255, 0, 0));
    EXPECT_TRUE(view.chooseFontColor());
    EXPECT_EQ(book.format(1, 1).fontColor, 0xFF0000u);
    qv::test::fakes().dialogs->setNextColor(std::nullopt);
    EXPECT_FALSE(view.chooseFontColor());
    EXPECT_EQ(book.format(1, 1).fontColor, 0xFF0000u);
    dialogs->size = 30;
    EXPECT_TRUE(view.rowHeightDialog());
    EXPECT_EQ(book.rowHeight(1), 600);
    EXPECT_TRUE(view.setFontSize(14));
    EXPECT_EQ(book.format(1, 2).fontSize, 14);
    view.setZoom(150);
    EXPECT_EQ(book.viewScale(), 150);
}

TEST_F(WorkbookViewTest, SortAndFind)
{
    book.setEntry(1, 1, QStringLiteral("30"));
    book.setEntry(2, 1, QStringLiteral("10"));
    book.setEntry(3, 1, QStringLiteral("20"));
    book.setSelection(CellRange{1, 1, 3, 1});
    EXPECT_TRUE(view.sortAscending());
    EXPECT_EQ(book.number(1, 1), 10);
    EXPECT_TRUE(view.sortDescending());
    EXPECT_EQ(book.number(1, 1), 30);
    dialogs->find = FindRequest{QStringLiteral("20"), false};
    EXPECT_TRUE(view.find());
    EXPECT_EQ(book.activeCell(), (CellAddress{2, 1}));
    dialogs->find = FindRequest{QStringLiteral("nothing"), false};
    EXPECT_FALSE(view.find());
}

TEST_F(WorkbookViewTest, MouseSelectsCellsAndHeadings)
{
    const QRect b3 = grid()->cellRect(3, 2);
    ASSERT_FALSE(b3.isEmpty());
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, b3.center());
    EXPECT_EQ(book.selectionText(), QStringLiteral("$B$3"));
    const QRect d5 = grid()->cellRect(5, 4);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier, d5.center());
    EXPECT_EQ(book.selectionText(), QStringLiteral("$B$3:$D$5"));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, QPoint(b3.center().x(), 3));
    EXPECT_EQ(book.firstSelectedRange(), (CellRange{1, 2, maxRows, 2}));
}

TEST_F(WorkbookViewTest, WithoutTheSelectionShownNoCellCursorIsPainted)
{
    // The active cell's frame is the selection colour; with the selection off
    // the cell's edge shows the plain background, as a picture of a table.
    view.setShowGridLines(false);
    view.setBackgroundColor(Qt::white);
    book.setSelection(CellRange::cell(2, 2));
    const QRect b2 = grid()->cellRect(2, 2);
    ASSERT_FALSE(b2.isEmpty());
    const QPoint edge(b2.center().x(), b2.top() + 1);
    auto shownColour = [&] { return grid()->viewport()->grab().toImage().pixelColor(edge); };
    EXPECT_TRUE(view.showSelection());
    EXPECT_NE(shownColour(), QColor(Qt::white));
    view.setShowSelection(false);
    EXPECT_FALSE(view.showSelection());
    EXPECT_EQ(shownColour(), QColor(Qt::white));
    // The selection itself stays: copying still takes the selected cell.
    EXPECT_EQ(book.selectionText(), QStringLiteral("$B$2"));
}

TEST_F(WorkbookViewTest, Screenshot)
{
    book.setEntry(1, 1, QStringLiteral("Sales Forecast"));
    book.changeFormat(CellRange{1, 1, 1, 1}, [](CellFormat &f) { f.bold = true; f.fontSize = 14; });
    const char *months[] = {"Jul 1999", "Aug 1999", "Sep 1999", "Oct 1999"};
    for (int i = 0; i < 4; ++i)
        book.setEntry(2, i + 2, QString::fromLatin1(months[i]));
    book.changeFormat(CellRange{2, 1, 2, 5}, [](CellFormat &f) {
        f.bold = true;
        f.hasFill = true;
        f.fillColor = 0xDCE6F1;
        f.alignment = HorizontalAlignment::Center;
        f.bottom = {BorderStyle::Thin, 0x000000};
    });
    const char *rows[] = {"Product A", "Product B", "Services"};
    for (int r = 0; r < 3; ++r) {
        book.setEntry(r + 3, 1, QString::fromLatin1(rows[r]));
        for (int c = 0; c < 4; ++c)
            book.setEntry(r + 3, c + 2, QString::number((r + 1) * 1000 + c * 250 - (r == 2 ? 4000 : 0)));
    }
    book.setEntry(6, 1, QStringLiteral("Total"));
    for (int c = 2; c <= 5; ++c)
        book.setEntry(6, c, QStringLiteral("=SUM(%1:%2)").arg(cellName(3, c), cellName(5, c)));
    book.setNumberFormat(CellRange{3, 2, 6, 5}, QStringLiteral("$#,##0_);($#,##0)"));
    book.changeFormat(CellRange{6, 1, 6, 5}, [](CellFormat &f) { f.bold = true; f.top = {BorderStyle::Thin, 0}; });
    book.setEntry(7, 1, QStringLiteral("Growth"));
    book.setEntry(7, 3, QStringLiteral("=C6/B6-1"));
    book.setNumberFormat(CellRange::cell(7, 3), QStringLiteral("0.0%"));
    book.setColumnWidth(1, 1800);
    book.setSelection(CellRange{3, 2, 5, 3});
    view.grid()->setFocus();
    QApplication::processEvents();
    view.grab().save(QStringLiteral(QV_BINARY_DIR "/workbookview-100.png"));
    view.setZoom(150);
    QApplication::processEvents();
    view.grab().save(QStringLiteral(QV_BINARY_DIR "/workbookview-150.png"));
    view.setShowColumnHeadings(false);
    view.setShowRowHeadings(false);
    view.setShowFormulaBar(false);
    view.setShowGridLines(false);
    view.setBackgroundColor(QColor(0xF0, 0xF0, 0xF0));
    view.setZoom(100);
    QApplication::processEvents();
    view.grab().save(QStringLiteral(QV_BINARY_DIR "/workbookview-plain.png"));
    SUCCEED();
}

#include "controls/workbookview/SheetPrinter.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

TEST_F(WorkbookViewTest, PrintsTheRangeOnPages)
{
    for (int r = 1; r <= 120; ++r)
        book.setEntry(r, 1, QStringLiteral("Line %1").arg(r));
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("table.pdf")));
    printRange(book, *book.usedRange(), printer);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("table.pdf"))).size(), 1000);
    // Without a printer chosen (the dialog cancelled) nothing is printed.
    EXPECT_FALSE(WorkbookView().print());
}

TEST_F(WorkbookViewTest, PasteIntoLockedCellsIsRefusedWhole)
{
    auto *mime = new QMimeData;
    mime->setText(QStringLiteral("1\t2\n3\t4\n"));
    qv::test::fakes().clipboard->setMimeData(mime);
    book.setLocked(CellRange{1, 1, 2, 1}, false); // column B stays locked
    book.setProtected(true);
    book.setActiveCell(1, 1);
    EXPECT_FALSE(view.paste());
    EXPECT_TRUE(book.value(1, 1).isEmpty()); // nothing half pasted
    EXPECT_EQ(qv::test::fakes().messages->lastText(), QStringLiteral("Lock cells cannot be modified."));
    book.setProtected(false);
    EXPECT_TRUE(view.paste());
    EXPECT_EQ(book.number(2, 2), 4);
}

// ---- Undo and redo --------------------------------------------------------------------

TEST_F(WorkbookViewTest, UndoIsSharedByEveryViewOfTheWorkbook)
{
    WorkbookView other;
    other.setWorkbook(&book);
    book.setActiveCell(1, 1);
    type(QStringLiteral("42"));
    book.setActiveCell(1, 1);
    type(QStringLiteral("43"));
    EXPECT_TRUE(other.canUndo());
    EXPECT_TRUE(other.undo());
    EXPECT_EQ(book.number(1, 1), 42);
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(book.value(1, 1).isEmpty());
    EXPECT_FALSE(view.canUndo());
    QTest::keyClick(grid(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(book.number(1, 1), 42);
    EXPECT_TRUE(other.canRedo());
}

TEST_F(WorkbookViewTest, EveryCommandIsOneUndoableStep)
{
    for (int r = 1; r <= 3; ++r)
        book.setNumber(r, 1, 4 - r);
    book.setSelection(CellRange{1, 1, 3, 1});
    auto undoAndCheck = [&](const char *what) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(view.undo());
        EXPECT_EQ(book.number(1, 1), 3);
        EXPECT_EQ(book.number(3, 1), 1);
        EXPECT_FALSE(book.format(1, 1).bold);
        EXPECT_FALSE(book.isRowHidden(2));
        EXPECT_EQ(book.rowHeight(1), defaultRowHeight);
        EXPECT_FALSE(view.canUndo());
        book.setSelection(CellRange{1, 1, 3, 1});
    };
    view.sortAscending();
    EXPECT_EQ(book.number(1, 1), 1);
    undoAndCheck("sort");
    view.toggleBold();
    undoAndCheck("bold");
    view.setFontSize(24); // the rows grow with the font
    EXPECT_GT(book.rowHeight(1), defaultRowHeight);
    undoAndCheck("font size");
    view.clearSelection();
    undoAndCheck("clear");
    view.hideRows();
    undoAndCheck("hide rows");
    dialogs->size = 30;
    view.rowHeightDialog();
    undoAndCheck("row height");
    ASSERT_TRUE(view.cut());
    EXPECT_TRUE(book.value(2, 1).isEmpty());
    undoAndCheck("cut");
    book.setActiveCell(1, 1);
    book.setSelection(CellRange{1, 1, 3, 1});
    view.fillDown();
    EXPECT_EQ(book.number(3, 1), 3);
    undoAndCheck("fill down");
}

TEST_F(WorkbookViewTest, APasteUndoesWholeAndARefusedOneLeavesNoStep)
{
    auto *mime = new QMimeData;
    mime->setText(QStringLiteral("1\t2\n3\t4\n"));
    qv::test::fakes().clipboard->setMimeData(mime);
    book.setNumber(2, 2, 99);
    book.setActiveCell(1, 1);
    ASSERT_TRUE(view.paste());
    EXPECT_EQ(book.number(2, 2), 4);
    ASSERT_TRUE(view.undo());
    EXPECT_TRUE(book.value(1, 1).isEmpty());
    EXPECT_EQ(book.number(2, 2), 99);
    book.setProtected(true);
    EXPECT_FALSE(view.paste());
    EXPECT_FALSE(view.canUndo());
}

TEST_F(WorkbookViewTest, DraggingAColumnEdgeIsOneStep)
{
    view.setShowColumnHeadings(true);
    view.setShowRowHeadings(true);
    const QRect cell = grid()->cellRect(1, 1);
    const QPoint edge(cell.right() + 1, cell.top() - 3);
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, edge);
    for (int dx = 5; dx <= 40; dx += 5)
        QTest::mouseMove(grid()->viewport(), edge + QPoint(dx, 0));
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, edge + QPoint(40, 0));
    EXPECT_GT(book.columnWidth(1), defaultColumnWidth);
    ASSERT_TRUE(view.undo());
    EXPECT_EQ(book.columnWidth(1), defaultColumnWidth);
    EXPECT_FALSE(view.canUndo());
}

TEST_F(WorkbookViewTest, TextInACellMeantForANumberGetsAPoliteNoteAndAMark)
{
    QStringList notes;
    QObject::connect(&view, &WorkbookView::statusNote, [&](const QString &text) { notes << text; });
    book.setFormula(4, 1, QStringLiteral("=SUM(A1:A3)")); // the rows formats reach
    book.setNumberFormat(CellRange{1, 1, 3, 1}, QStringLiteral("$#,##0"));
    book.setLocked(CellRange{1, 1, 3, 1}, false);
    book.setProtected(true);
    book.setActiveCell(2, 1);
    type(QStringLiteral("lots"));
    ASSERT_EQ(notes.size(), 1) << qv::test::fakes().messages->lastText().toStdString() << " / "
                               << book.entry(2, 1).toStdString();
    EXPECT_TRUE(notes[0].contains(QStringLiteral("\"lots\", which is not a number"))) << notes[0].toStdString();
    EXPECT_TRUE(notes[0].contains(QStringLiteral("A2")));
    EXPECT_EQ(book.number(4, 1), 0.0) << "totals count it as 0, and the user is told so";

    // The cell carries a red corner on screen.
    const QImage picture = grid()->grab().toImage();
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (QColor(picture.pixel(x, y)) == QColor(0xD0, 0x20, 0x20))
                ++red;
    EXPECT_GT(red, 3);

    book.setActiveCell(2, 1);
    type(QStringLiteral("1500"));
    EXPECT_EQ(notes.size(), 2);
    EXPECT_TRUE(notes[1].isEmpty()) << "a number clears the note";
    EXPECT_EQ(book.number(4, 1), 1500.0);
}

TEST_F(WorkbookViewTest, TypingOverACalculatedCellSaysWhatItIsCalculatedFrom)
{
    book.setFormula(4, 1, QStringLiteral("=SUM(A1:A3)"));
    book.setText(1, 2, QStringLiteral("Rent"));
    book.setProtected(true);
    book.setActiveCell(4, 1);
    QTest::keyClicks(grid(), QStringLiteral("7"));
    const QString said = qv::test::fakes().messages->lastText();
    EXPECT_TRUE(said.contains(QStringLiteral("calculated"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("SUM(A1:A3)"))) << said.toStdString();
    book.setActiveCell(1, 2);
    QTest::keyClicks(grid(), QStringLiteral("7"));
    EXPECT_TRUE(qv::test::fakes().messages->lastText().contains(QStringLiteral("heading")));
}
