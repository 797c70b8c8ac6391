// The spreadsheet module's commands: clipboard, zoom, printing, the default
// table, protection, spelling, the toolbar's state and the pop-up menu.

#include "editors/frmSpreadSheet.h"

#include "controls/spell/SpellChecker.h"
#include "controls/workbook/EditHistory.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbookview/WorkbookView.h"
#include "editors/SheetSpelling.h"
#include "editors/SpreadsheetRules.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "resources/ResText.h"

#include <QComboBox>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QToolButton>

namespace qv::editors {

namespace {

platform::Answer say(QWidget *owner, const QString &text, platform::Icon icon,
                     platform::Buttons buttons = platform::Buttons::Ok, const QString &title = QString())
{
    platform::Message message;
    message.text = text;
    message.icon = icon;
    message.buttons = buttons;
    message.title = title;
    return platform::messageBoxes().show(owner, message);
}

} // namespace

// ---- Clipboard and find -------------------------------------------------------------------

void frmSpreadSheet::doCopy() { f1SpreadSheet->copy(); }
void frmSpreadSheet::doCut() { f1SpreadSheet->cut(); }

void frmSpreadSheet::doPaste()
{
    f1SpreadSheet->paste();
    f1SpreadSheet->setFocus();
}

void frmSpreadSheet::doPasteSpecial()
{
    f1SpreadSheet->pasteSpecial();
    f1SpreadSheet->setFocus();
}

void frmSpreadSheet::goFind() { f1SpreadSheet->find(); }

// ---- Zoom --------------------------------------------------------------------------------------

bool frmSpreadSheet::applyZoomText(const QString &text)
{
    const std::optional<int> zoom = zoomFromText(text);
    if (zoom && spreadsheet()) {
        spreadsheet()->setViewScale(*zoom);
        cboZoom->setEditText(zoomBoxText(text));
    } else if (!zoom) {
        say(this, QString::fromLatin1(kZoomOutOfRange), platform::Icon::Information);
        cboZoom->setEditText(QString::fromLatin1(kDefaultZoomText));
    }
    f1SpreadSheet->setFocus();
    return zoom.has_value();
}

// ---- File menu ----------------------------------------------------------------------------------

bool frmSpreadSheet::printSheet()
{
    workbook::Workbook *book = spreadsheet();
    if (!book)
        return false;
    book->setPrintArea(printAreaText(book->lastRow(), book->lastCol()));
    QPrinter &printer = f1SpreadSheet->printer();
    // Without an installed printer the print dialog offers the PDF file.
    if (printer.printerName().isEmpty() && printer.outputFileName().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString folder = m_pdfFolder.isEmpty() ? QFileInfo(m_defaultFile).absolutePath() : m_pdfFolder;
        printer.setOutputFileName(platform::joinPath(folder, book->title() + QStringLiteral(".pdf")));
    }
    return f1SpreadSheet->print();
}

void frmSpreadSheet::restoreDefault()
{
    workbook::Workbook *book = spreadsheet();
    if (!book)
        return;
    if (m_defaultFile.isEmpty() || !QFileInfo(m_defaultFile).isFile()) {
        say(this, tr("The table's default file was not found:\n%1").arg(m_defaultFile), platform::Icon::Critical,
            platform::Buttons::Ok, QStringLiteral("Error"));
        return;
    }
    const QString title = book->title();
    const bool locked = book->isProtected();
    workbook::EditStep step(*book, tr("Restore Default"));
    step.watchContent();
    try {
        book->read(m_defaultFile);
    } catch (const QvError &e) {
        say(this, e.description(), platform::Icon::Critical, platform::Buttons::Ok, QStringLiteral("Error"));
        return;
    }
    book->setTitle(title); // links to the table keep working
    book->setProtected(locked);
    step.commit();
    f1SpreadSheet->goHome();
}

// ---- Protection and spelling -------------------------------------------------------------------

void frmSpreadSheet::setUnlocked(bool unlock, bool ask)
{
    workbook::Workbook *book = spreadsheet();
    if (!book)
        return;
    if (unlock && ask
        && say(this, GetResText(602), platform::Icon::Question, platform::Buttons::YesNo) != platform::Answer::Yes)
        unlock = false;
    book->setProtected(!unlock);
    m_unlock->setChecked(unlock);
}

void frmSpreadSheet::checkSpelling()
{
    workbook::Workbook *book = spreadsheet();
    if (!book)
        return;
    if (!m_speller)
        m_speller = std::make_unique<spell::SpellChecker>();
    if (!m_speller->hasDictionary() && !m_speller->openMainDictionary()) {
        say(this, GetResText(607), platform::Icon::Exclamation);
        return;
    }
    const richtext::SpellCheckOutcome outcome = checkSheetSpelling(this, *book, *m_speller);
    if (outcome == richtext::SpellCheckOutcome::NoDictionary)
        say(this, GetResText(607), platform::Icon::Exclamation);
    else if (outcome == richtext::SpellCheckOutcome::Completed)
        say(this, GetResText(622), platform::Icon::Information);
    f1SpreadSheet->setFocus();
}

// ---- Toolbar state -------------------------------------------------------------------------------

void frmSpreadSheet::setPictureDown()
{
    workbook::Workbook *book = spreadsheet();
    if (!book)
        return;
    m_settingToolbar = true;
    const workbook::CellAddress a = book->activeCell();
    const workbook::CellFormat f = book->format(a.row, a.col);
    cmdAttr[0]->setChecked(f.bold);
    cmdAttr[1]->setChecked(f.italic);
    cmdAttr[2]->setChecked(f.underline);
    const bool merged = book->mergeAt(a.row, a.col).has_value();
    cmdAlignment[0]->setChecked(f.alignment == workbook::HorizontalAlignment::Left);
    cmdAlignment[1]->setChecked(f.alignment == workbook::HorizontalAlignment::Center);
    cmdAlignment[2]->setChecked(f.alignment == workbook::HorizontalAlignment::Right);
    cmdAlignment[3]->setChecked(f.alignment == workbook::HorizontalAlignment::MergeAndCenter || merged);
    if (cboFonts->findText(f.fontName) < 0)
        cboFonts->addItem(f.fontName);
    cboFonts->setCurrentText(f.fontName);
    cboSize->setEditText(QString::number(f.fontSize));
    const bool percent = f.isPercent();
    const bool currency = plan::isCurrencyFormat(f.numberFormat);
    cmdNumberFormat->setText(percent ? QStringLiteral("%") : m_currency.symbol);
    cmdNumberFormat->setChecked(percent || currency);
    m_settingToolbar = false;
}

// ---- Pop-up menu ----------------------------------------------------------------------------------

void frmSpreadSheet::showPopUp(QPoint globalPos)
{
    workbook::Workbook *book = spreadsheet();
    if (!book)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuSheetPopUp"));
    menu.addAction(QStringLiteral("Cu&t"), this, &frmSpreadSheet::doCut);
    menu.addAction(QStringLiteral("&Copy"), this, &frmSpreadSheet::doCopy);
    menu.addAction(QStringLiteral("&Paste"), this, &frmSpreadSheet::doPaste);
    menu.addAction(tr("C&lear"), this, [this] { f1SpreadSheet->clearSelection(); });
    menu.addSeparator();
    menu.addAction(tr("Format &Cells..."), this, [this] {
        f1SpreadSheet->formatCellsDialog();
        setPictureDown();
    });
    const workbook::CellAddress a = book->activeCell();
    const QString formula = book->formula(a.row, a.col);
    QAction *link = menu.addAction(withoutAccessKey(GetResText(71)), this, [this, formula] { emit cellLinkRequested(formula); });
    link->setObjectName(QStringLiteral("mnuSheetCellLink"));
    link->setEnabled(formula.contains(u'['));
    menu.exec(globalPos);
}

} // namespace qv::editors
