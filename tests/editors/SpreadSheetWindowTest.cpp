// The spreadsheet module on a workbook it shares with another view, as the
// composer's table view shares it.
#include "editors/frmSpreadSheet.h"

#include "FakePlatform.h"
#include "controls/workbook/EditHistory.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbookview/SheetGrid.h"
#include "controls/workbookview/WorkbookView.h"
#include "platform/gui/DesktopServices.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace qv;
using workbook::CellRange;

namespace {

// Accepts at once; the printer keeps what the window chose for it.
class AcceptingPrintDialogs final : public platform::PrintDialogs
{
public:
    bool print(QObject *, QPrinter &printer, const platform::PrintRequest &) override
    {
        format = printer.outputFormat();
        file = printer.outputFileName();
        return true;
    }
    bool pageSetup(QObject *, QPrinter &) override { return ++setups, true; }
    QPrinter::OutputFormat format = QPrinter::NativeFormat;
    QString file;
    int setups = 0;
};

class SpreadSheetWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        book.setTitle(QStringLiteral("Tbl0404"));
        window.resize(1280, 800);
        window.setSpreadsheet(&book);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { platform::installPrintDialogs(nullptr); }

    template <typename T> T *child(const char *name) { return window.findChild<T *>(QLatin1String(name)); }
    QAction *action(const char *name) { return child<QAction>(name); }
    void zoomTo(const QString &text)
    {
        auto *zoom = child<QComboBox>("cboZoom");
        zoom->setEditText(text);
        QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    }

    workbook::Workbook book;
    editors::frmSpreadSheet window;
};

} // namespace

TEST_F(SpreadSheetWindow, MenusCarryThePartsIndexesAndCaptions)
{
    const std::pair<const char *, const char *> items[] = {
        {"mnuFile_0", "Print Setup"},     {"mnuFile_1", "&Print"},          {"mnuFile_3", "&Return"},
        {"mnuEdit_0", "Cu&t"},            {"mnuEdit_1", "&Copy"},           {"mnuEdit_2", "&Paste"},
        {"mnuEdit_4", "&Find"},           {"mnuEdit_5", "&Spelling"},       {"mnuEdit_7", "Unlock Cells"},
        {"mnuViewShow_0", "&Standard Toolbar"}, {"mnuViewShow_1", "Fo&rmatting Toolbar"}, {"mnuViewShow_2", "&Formula Bar"},
        {"mnuViewShow_3", "&Column Heading"},  {"mnuViewShow_4", "&Row Heading"},
        {"mnuFormat_1", "&Rows"},          {"mnuFormat_2", "&Columns"},
        {"mnuFormatRows_0", "Hei&ght..."}, {"mnuFormatRows_1", "&Hide"},    {"mnuFormatRows_2", "&Unhide"},
        {"mnuFormatColumns_0", "&Width..."}, {"mnuFormatColumns_1", "&Hide"}, {"mnuFormatColumns_2", "&Unhide"},
        {"mnuHelp_0", "&Help Topics..."}, {"mnuHelp_2", "&Other Products"},
    };
    for (const auto &[name, caption] : items) {
        QAction *item = action(name);
        ASSERT_TRUE(item) << name;
        EXPECT_EQ(item->text(), QString::fromUtf8(caption)) << name;
    }
    for (const char *name : {"mnuFile_4", "mnuEditUndo", "mnuEditRedo", "mnuFormat_0"})
        EXPECT_TRUE(action(name)) << name;
    EXPECT_TRUE(action("mnuEdit_3")->isSeparator());
    EXPECT_TRUE(action("mnuEdit_6")->isSeparator());
    for (const char *name : {"cmdCut", "cmdCopy", "cmdPaste", "cmdAttr_0", "cmdAttr_1", "cmdAttr_2", "cmdAlignment_0",
                             "cmdAlignment_3", "cmdFontColor", "cmdNumberFormat", "cmdSort_0", "cmdSort_1"})
        EXPECT_TRUE(child<QToolButton>(name)) << name;
    EXPECT_EQ(child<QToolButton>("cmdSort_1")->toolTip(), QStringLiteral("Sort Desending"));
    EXPECT_EQ(child<QToolButton>("cmdFontColor")->toolTip(), QStringLiteral("Font Color"));
    // The show items switch their bars.
    action("mnuViewShow_1")->trigger();
    EXPECT_FALSE(child<QToolBar>("tbrFormatting")->isVisible());
    EXPECT_FALSE(action("mnuViewShow_1")->isChecked());
}

TEST_F(SpreadSheetWindow, TheZoomBoxRefusesTenAnd400)
{
    zoomTo(QStringLiteral("150"));
    EXPECT_EQ(book.viewScale(), 150);
    EXPECT_EQ(child<QComboBox>("cboZoom")->currentText(), QStringLiteral("150%"));
    zoomTo(QStringLiteral("120%"));
    EXPECT_EQ(book.viewScale(), 120);
    EXPECT_EQ(child<QComboBox>("cboZoom")->currentText(), QStringLiteral("120%"));
    for (const char *refused : {"10", "400"}) {
        zoomTo(QLatin1String(refused));
        EXPECT_EQ(book.viewScale(), 120) << refused;
        EXPECT_EQ(child<QComboBox>("cboZoom")->currentText(), QStringLiteral("100%"));
        EXPECT_EQ(test::fakes().messages->lastText(), QStringLiteral("View scale must be between 10 and 400"));
    }
    zoomTo(QStringLiteral("11"));
    EXPECT_EQ(book.viewScale(), 11);
    zoomTo(QStringLiteral("399"));
    EXPECT_EQ(book.viewScale(), 399);
}

TEST_F(SpreadSheetWindow, PrintsTheUsedAreaToAPdfWithoutAPrinter)
{
    auto dialogs = std::make_shared<AcceptingPrintDialogs>();
    platform::installPrintDialogs(dialogs);
    QTemporaryDir dir;
    window.setPdfFolder(dir.path());
    for (int r = 1; r <= 20; ++r)
        book.setNumber(r, 5, r);
    book.setNumber(3, 28, 1); // AB3
    ASSERT_TRUE(window.printSheet());
    EXPECT_EQ(book.printArea(), (CellRange{1, 1, 20, 28}));
    if (window.sheet()->printer().printerName().isEmpty()) {
        EXPECT_EQ(dialogs->format, QPrinter::PdfFormat);
        EXPECT_EQ(QFileInfo(dialogs->file).fileName(), QStringLiteral("Tbl0404.pdf"));
        EXPECT_GT(QFileInfo(dialogs->file).size(), 500);
    }
    action("mnuFile_0")->trigger();
    EXPECT_EQ(dialogs->setups, 1);
}

TEST_F(SpreadSheetWindow, HidingAColumnFromOneCellKeepsTheCell)
{
    book.setActiveCell(4, 3);
    action("mnuFormatColumns_1")->trigger();
    EXPECT_TRUE(book.isColumnHidden(3));
    EXPECT_FALSE(book.isColumnHidden(2));
    EXPECT_EQ(book.firstSelectedRange(), CellRange::cell(4, 3));
    action("mnuFormatColumns_2")->trigger();
    EXPECT_FALSE(book.isColumnHidden(3));
    action("mnuFormatRows_1")->trigger();
    EXPECT_TRUE(book.isRowHidden(4));
    EXPECT_EQ(book.firstSelectedRange(), CellRange::cell(4, 3));
}

TEST_F(SpreadSheetWindow, FormatAndSortUndoFromEitherView)
{
    workbook::WorkbookView composerView; // the composer's table view on the same workbook
    composerView.setWorkbook(&book);
    for (int r = 1; r <= 3; ++r)
        book.setNumber(r, 1, 4 - r);
    book.setSelection(CellRange{1, 1, 3, 1});
    child<QToolButton>("cmdAttr_0")->click();
    EXPECT_TRUE(book.format(2, 1).bold);
    EXPECT_TRUE(child<QToolButton>("cmdAttr_0")->isChecked());
    child<QToolButton>("cmdSort_0")->click();
    EXPECT_EQ(book.number(1, 1), 1);
    EXPECT_TRUE(composerView.undo()); // the sort
    EXPECT_EQ(book.number(1, 1), 3);
    action("mnuEditUndo")->trigger(); // the bold
    EXPECT_FALSE(book.format(2, 1).bold);
    action("mnuEditRedo")->trigger();
    EXPECT_TRUE(book.format(2, 1).bold);
}

TEST_F(SpreadSheetWindow, TheNumberFormatButtonUsesThePlansCurrency)
{
    window.setCurrency(*plan::currencyOfCode(QStringLiteral("EUR")));
    auto *button = child<QToolButton>("cmdNumberFormat");
    EXPECT_EQ(button->text(), QStringLiteral("€"));
    book.setNumber(1, 1, 1500);
    book.setActiveCell(1, 1);
    button->menu()->actions().at(0)->trigger();
    EXPECT_EQ(book.text(1, 1), QStringLiteral("€1,500.00"));
    EXPECT_TRUE(button->isChecked());
    book.setNumberFormat(CellRange::cell(2, 1), QStringLiteral("0%"));
    book.setActiveCell(2, 1);
    EXPECT_EQ(button->text(), QStringLiteral("%"));
    book.setActiveCell(3, 1);
    EXPECT_FALSE(button->isChecked());
}

TEST_F(SpreadSheetWindow, UnlockingAsksAndRestoreDefaultNeedsItsFile)
{
    book.setProtected(true);
    test::fakes().messages->setNextAnswer(platform::Answer::No);
    action("mnuEdit_7")->trigger();
    EXPECT_TRUE(book.isProtected());
    EXPECT_FALSE(action("mnuEdit_7")->isChecked());
    test::fakes().messages->setNextAnswer(platform::Answer::Yes);
    action("mnuEdit_7")->trigger();
    EXPECT_FALSE(book.isProtected());
    EXPECT_TRUE(action("mnuEdit_7")->isChecked());
    action("mnuEdit_7")->trigger(); // locking again asks nothing
    EXPECT_TRUE(book.isProtected());

    QTemporaryDir dir;
    book.setText(1, 1, QStringLiteral("mine"));
    window.setDefaultTableFile(dir.filePath(QStringLiteral("Tbl0404.vts")));
    action("mnuFile_4")->trigger();
    EXPECT_EQ(test::fakes().messages->shown.last().title, QStringLiteral("Error"));
    EXPECT_EQ(book.text(1, 1), QStringLiteral("mine"));

    workbook::Workbook original;
    original.setText(1, 1, QStringLiteral("default"));
    original.write(dir.filePath(QStringLiteral("Tbl0404.vts")));
    action("mnuFile_4")->trigger();
    EXPECT_EQ(book.text(1, 1), QStringLiteral("default"));
    EXPECT_EQ(book.title(), QStringLiteral("Tbl0404"));
    EXPECT_TRUE(book.isProtected());
    window.sheet()->undo();
    EXPECT_EQ(book.text(1, 1), QStringLiteral("mine"));
}

TEST_F(SpreadSheetWindow, ReturnClosesAndTellsTheComposer)
{
    bool returned = false;
    QObject::connect(&window, &editors::frmSpreadSheet::returned, [&] { returned = true; });
    action("mnuFile_3")->trigger();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SpreadSheetWindow, Screenshot)
{
    const char *rows[] = {"Hiking boots", "Tents", "Packs", "Outerwear", "Climbing gear"};
    const char *months[] = {"January", "February", "March", "April", "May", "June"};
    book.setText(1, 1, QStringLiteral("Trailhead Outfitters, LLC"));
    book.changeFormat(CellRange::cell(1, 1), [](workbook::CellFormat &f) { f.bold = true; f.fontSize = 14; });
    for (int c = 0; c < 6; ++c)
        book.setText(2, c + 2, QLatin1String(months[c]));
    book.changeFormat(CellRange{2, 1, 2, 8}, [](workbook::CellFormat &f) {
        f.bold = true;
        f.alignment = workbook::HorizontalAlignment::Center;
        f.hasFill = true;
        f.fillColor = 0xDCE6F1;
    });
    for (int r = 0; r < 5; ++r) {
        book.setText(r + 3, 1, QLatin1String(rows[r]));
        for (int c = 0; c < 6; ++c)
            book.setNumber(r + 3, c + 2, 1800 + 350 * r + 420 * c);
    }
    book.setText(8, 1, QStringLiteral("Total"));
    for (int c = 2; c <= 7; ++c)
        book.setFormula(8, c, QStringLiteral("=SUM(%1)").arg(workbook::rangeName(CellRange{3, c, 7, c})));
    book.setNumberFormat(CellRange{3, 2, 8, 7}, QStringLiteral("$#,##0"));
    book.changeFormat(CellRange{8, 1, 8, 7}, [](workbook::CellFormat &f) { f.bold = true; f.top = {workbook::BorderStyle::Thin, 0}; });
    book.setColumnWidth(1, 2300);
    book.setSelection(CellRange{3, 2, 7, 4});
    window.sheet()->grid()->setFocus();
    QApplication::processEvents();
    window.grab().save(QStringLiteral(QV_BINARY_DIR "/spreadsheet-window.png"));
    SUCCEED();
}
