#include "editors/frmSpreadSheet.h"

#include "controls/richtextview/FormatIcons.h"
#include "controls/spell/SpellChecker.h"
#include "controls/workbook/EditHistory.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbookview/SheetGrid.h"
#include "controls/workbookview/WorkbookView.h"
#include "editors/SpreadsheetRules.h"
#include "platform/Services.h"
#include "resources/ResText.h"
#include "support/gui/HelpMenu.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

namespace qv::editors {

namespace {

// A small picture of a few characters, for the buttons no drawn icon covers.
QIcon glyphIcon(const QString &text, bool bold = false)
{
    QPixmap picture(40, 40);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(text.size() > 2 ? 14 : 22);
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(QColor(0x30, 0x30, 0x30));
    painter.drawText(picture.rect(), Qt::AlignCenter, text);
    return QIcon(picture);
}

enum class ClipIcon { Cut, Copy, Paste };

// Cut, Copy and Paste drawn as simple line pictures, so no icon theme is needed.
QIcon clipboardIcon(ClipIcon which)
{
    QPixmap picture(40, 40);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2.5));
    switch (which) {
    case ClipIcon::Cut:
        p.drawEllipse(QPointF(12, 30), 5, 5);
        p.drawEllipse(QPointF(28, 30), 5, 5);
        p.drawLine(QPointF(15, 26), QPointF(27, 6));
        p.drawLine(QPointF(25, 26), QPointF(13, 6));
        break;
    case ClipIcon::Copy:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 5, 18, 22));
        p.drawRect(QRectF(15, 13, 18, 22));
        break;
    case ClipIcon::Paste:
        p.setBrush(QColor(0xE8, 0xD8, 0xB0));
        p.drawRoundedRect(QRectF(8, 7, 24, 29), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(14, 4, 12, 7));
        p.drawLine(QPointF(14, 20), QPointF(26, 20));
        p.drawLine(QPointF(14, 27), QPointF(26, 27));
        break;
    }
    return QIcon(picture);
}

const int zoomChoices[] = {200, 150, 100, 75, 50, 25};
const int sizeChoices[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

} // namespace

frmSpreadSheet::frmSpreadSheet(QWidget *parent)
    : QMainWindow(parent), m_currency(plan::currencyOfType(0))
{
    setObjectName(QStringLiteral("frmSpreadSheet"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    f1SpreadSheet = new workbook::WorkbookView(this);
    f1SpreadSheet->setObjectName(QStringLiteral("f1SpreadSheet"));
    setCentralWidget(f1SpreadSheet);
    buildStandardToolbar();
    addToolBarBreak();
    buildFormattingToolbar();
    buildMenus();
    connect(f1SpreadSheet, &workbook::WorkbookView::selectionChanged, this, [this] {
        if (!m_settingToolbar)
            setPictureDown();
    });
    connect(f1SpreadSheet, &workbook::WorkbookView::rightClicked, this, &frmSpreadSheet::showPopUp);
    resize(1000, 700);
}

frmSpreadSheet::~frmSpreadSheet() = default;

workbook::Workbook *frmSpreadSheet::spreadsheet() const { return f1SpreadSheet->workbook(); }

// ---- Building ----------------------------------------------------------------------------

QToolButton *frmSpreadSheet::toolButton(QToolBar *bar, const QString &name, const QString &tip, const QIcon &icon,
                                        bool checkable)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolTip(withoutAccessKey(tip));
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

QAction *frmSpreadSheet::item(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void frmSpreadSheet::buildStandardToolbar()
{
    tbrStandard = addToolBar(tr("Standard"));
    tbrStandard->setObjectName(QStringLiteral("tbrStandard"));
    tbrStandard->setMovable(false);
    cmdCut = toolButton(tbrStandard, QStringLiteral("cmdCut"), QStringLiteral("Cu&t"), clipboardIcon(ClipIcon::Cut));
    cmdCopy = toolButton(tbrStandard, QStringLiteral("cmdCopy"), QStringLiteral("&Copy"), clipboardIcon(ClipIcon::Copy));
    cmdPaste = toolButton(tbrStandard, QStringLiteral("cmdPaste"), QStringLiteral("&Paste"), clipboardIcon(ClipIcon::Paste));
    connect(cmdCut, &QToolButton::clicked, this, &frmSpreadSheet::doCut);
    connect(cmdCopy, &QToolButton::clicked, this, &frmSpreadSheet::doCopy);
    connect(cmdPaste, &QToolButton::clicked, this, &frmSpreadSheet::doPaste);
    tbrStandard->addSeparator();
    cboZoom = new QComboBox(tbrStandard);
    cboZoom->setObjectName(QStringLiteral("cboZoom"));
    cboZoom->setToolTip(tr("Zoom"));
    cboZoom->setEditable(true);
    cboZoom->setInsertPolicy(QComboBox::NoInsert);
    for (int zoom : zoomChoices)
        cboZoom->addItem(QStringLiteral("%1%").arg(zoom));
    cboZoom->setMinimumContentsLength(5);
    cboZoom->lineEdit()->installEventFilter(this);
    connect(cboZoom, &QComboBox::textActivated, this, &frmSpreadSheet::applyZoomText);
    tbrStandard->addWidget(cboZoom);
}

void frmSpreadSheet::buildFormattingToolbar()
{
    tbrFormatting = addToolBar(tr("Formatting"));
    tbrFormatting->setObjectName(QStringLiteral("tbrFormatting"));
    tbrFormatting->setMovable(false);
    cboFonts = new QComboBox(tbrFormatting);
    cboFonts->setObjectName(QStringLiteral("cboFonts"));
    cboFonts->setToolTip(tr("Font"));
    cboFonts->addItems(platform::printers().printerFonts());
    cboFonts->setMinimumContentsLength(14);
    cboFonts->setFocusPolicy(Qt::ClickFocus);
    tbrFormatting->addWidget(cboFonts);
    connect(cboFonts, &QComboBox::textActivated, this, [this](const QString &name) {
        f1SpreadSheet->setFontName(name);
        f1SpreadSheet->setFocus();
    });
    cboSize = new QComboBox(tbrFormatting);
    cboSize->setObjectName(QStringLiteral("cboSize"));
    cboSize->setToolTip(tr("Font Size"));
    cboSize->setEditable(true);
    cboSize->setInsertPolicy(QComboBox::NoInsert);
    for (int size : sizeChoices)
        cboSize->addItem(QString::number(size));
    cboSize->setMinimumContentsLength(3);
    tbrFormatting->addWidget(cboSize);
    connect(cboSize, &QComboBox::textActivated, this, [this](const QString &text) {
        bool ok = false;
        const double points = text.toDouble(&ok);
        if (ok) f1SpreadSheet->setFontSize(points);
        setPictureDown();
        f1SpreadSheet->setFocus();
    });
    tbrFormatting->addSeparator();

    using richtext::FormatIcon;
    const FormatIcon attrIcons[] = {FormatIcon::Bold, FormatIcon::Italic, FormatIcon::Underline};
    const char *const attrTips[] = {"Bold", "Italic", "Underline"};
    for (int i = 0; i < 3; ++i) {
        cmdAttr[std::size_t(i)] = toolButton(tbrFormatting, QStringLiteral("cmdAttr_%1").arg(i), QLatin1String(attrTips[i]),
                                             richtext::formatIcon(attrIcons[i]), true);
        connect(cmdAttr[std::size_t(i)], &QToolButton::clicked, this, [this, i] {
            if (i == 0) f1SpreadSheet->toggleBold();
            else if (i == 1) f1SpreadSheet->toggleItalic();
            else f1SpreadSheet->toggleUnderline();
            setPictureDown();
        });
    }
    tbrFormatting->addSeparator();
    const char *const alignTips[] = {"Left Align", "Center Align", "Right Align", "Merge and Center"};
    const QIcon alignIcons[] = {richtext::formatIcon(FormatIcon::AlignLeft), richtext::formatIcon(FormatIcon::AlignCenter),
                                richtext::formatIcon(FormatIcon::AlignRight), glyphIcon(QStringLiteral("↔a"), true)};
    const workbook::HorizontalAlignment alignments[] = {workbook::HorizontalAlignment::Left, workbook::HorizontalAlignment::Center,
                                                        workbook::HorizontalAlignment::Right,
                                                        workbook::HorizontalAlignment::MergeAndCenter};
    for (int i = 0; i < 4; ++i) {
        cmdAlignment[std::size_t(i)] = toolButton(tbrFormatting, QStringLiteral("cmdAlignment_%1").arg(i),
                                                  QLatin1String(alignTips[i]), alignIcons[i], true);
        const auto alignment = alignments[i];
        connect(cmdAlignment[std::size_t(i)], &QToolButton::clicked, this, [this, alignment] {
            f1SpreadSheet->setAlignment(alignment);
            setPictureDown();
        });
    }
    tbrFormatting->addSeparator();
    cmdFontColor = toolButton(tbrFormatting, QStringLiteral("cmdFontColor"), QStringLiteral("Font Co&lor"),
                              richtext::textColorIcon(Qt::red));
    connect(cmdFontColor, &QToolButton::clicked, this, [this] { f1SpreadSheet->chooseFontColor(); });
    cmdNumberFormat = toolButton(tbrFormatting, QStringLiteral("cmdNumberFormat"), tr("Number Format"), QIcon(), true);
    cmdNumberFormat->setToolButtonStyle(Qt::ToolButtonTextOnly);
    cmdNumberFormat->setPopupMode(QToolButton::MenuButtonPopup);
    cmdNumberFormat->setMenu(new QMenu(cmdNumberFormat));
    cmdNumberFormat->menu()->setObjectName(QStringLiteral("mnuNumberFormats"));
    connect(cmdNumberFormat, &QToolButton::clicked, this, [this] {
        f1SpreadSheet->numberFormatDialog();
        setPictureDown();
    });
    fillNumberFormats();
    tbrFormatting->addSeparator();
    const char *const sortTips[] = {"Sort Ascending", "Sort Desending"};
    const QString sortGlyphs[] = {QStringLiteral("A↓Z"), QStringLiteral("Z↓A")};
    for (int i = 0; i < 2; ++i) {
        cmdSort[std::size_t(i)] = toolButton(tbrFormatting, QStringLiteral("cmdSort_%1").arg(i), QLatin1String(sortTips[i]),
                                             glyphIcon(sortGlyphs[i], true));
        connect(cmdSort[std::size_t(i)], &QToolButton::clicked, this, [this, i] {
            if (i == 0) f1SpreadSheet->sortAscending();
            else f1SpreadSheet->sortDescending();
        });
    }
}

// The drop-down part of the number-format button: the plan's currency first.
void frmSpreadSheet::fillNumberFormats()
{
    QMenu *menu = cmdNumberFormat->menu();
    menu->clear();
    const QString token = m_currency.formatToken;
    const std::pair<QString, QString> formats[] = {
        {tr("Currency (%1)").arg(m_currency.symbol), plan::currencyFormat(m_currency)},
        {tr("Currency, whole (%1)").arg(m_currency.symbol), token + QStringLiteral("#,##0")},
        {tr("Percent"), QStringLiteral("0%")},
        {tr("Percent, two decimals"), QStringLiteral("0.00%")},
        {tr("Comma"), QStringLiteral("#,##0")},
        {tr("Comma, two decimals"), QStringLiteral("#,##0.00")},
        {tr("General"), QStringLiteral("General")},
    };
    for (const auto &[caption, code] : formats) {
        QAction *action = menu->addAction(caption);
        action->setData(code);
        connect(action, &QAction::triggered, this, [this, code] {
            f1SpreadSheet->applyNumberFormat(code);
            setPictureDown();
        });
    }
    cmdNumberFormat->setText(m_currency.symbol);
}

void frmSpreadSheet::setCurrency(const plan::Currency &currency)
{
    m_currency = currency;
    fillNumberFormats();
    setPictureDown();
}

void frmSpreadSheet::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildFormatMenu();
    support::addHelpMenu(menuBar(), this);
}

void frmSpreadSheet::buildFileMenu()
{
    QMenu *file = menuBar()->addMenu(GetResText(4));
    file->setObjectName(QStringLiteral("mnuFileTop"));
    connect(item(file, QStringLiteral("mnuFile_0"), GetResText(99)), &QAction::triggered, this,
            [this] { f1SpreadSheet->printSetup(); });
    QAction *print = item(file, QStringLiteral("mnuFile_1"), GetResText(37));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &frmSpreadSheet::printSheet);
    file->addSeparator()->setObjectName(QStringLiteral("mnuFile_2"));
    connect(item(file, QStringLiteral("mnuFile_3"), GetResText(38)), &QAction::triggered, this, &QWidget::close);
    connect(item(file, QStringLiteral("mnuFile_4"), tr("Restore &Default")), &QAction::triggered, this,
            &frmSpreadSheet::restoreDefault);
}

void frmSpreadSheet::buildEditMenu()
{
    QMenu *edit = menuBar()->addMenu(GetResText(5));
    edit->setObjectName(QStringLiteral("mnuEditTop"));
    m_undo = item(edit, QStringLiteral("mnuEditUndo"), GetResText(20));
    m_undo->setShortcut(QKeySequence::Undo);
    connect(m_undo, &QAction::triggered, this, [this] { f1SpreadSheet->undo(); });
    m_redo = item(edit, QStringLiteral("mnuEditRedo"), tr("&Redo"));
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence::Redo});
    connect(m_redo, &QAction::triggered, this, [this] { f1SpreadSheet->redo(); });
    edit->addSeparator();
    connect(item(edit, QStringLiteral("mnuEdit_0"), QStringLiteral("Cu&t")), &QAction::triggered, this, &frmSpreadSheet::doCut);
    connect(item(edit, QStringLiteral("mnuEdit_1"), QStringLiteral("&Copy")), &QAction::triggered, this, &frmSpreadSheet::doCopy);
    connect(item(edit, QStringLiteral("mnuEdit_2"), QStringLiteral("&Paste")), &QAction::triggered, this, &frmSpreadSheet::doPaste);
    connect(item(edit, QStringLiteral("mnuEditPasteSpecial"), tr("Paste &Special...")), &QAction::triggered, this,
            &frmSpreadSheet::doPasteSpecial);
    edit->addSeparator()->setObjectName(QStringLiteral("mnuEdit_3"));
    connect(item(edit, QStringLiteral("mnuEdit_4"), QStringLiteral("&Find")), &QAction::triggered, this, &frmSpreadSheet::goFind);
    connect(item(edit, QStringLiteral("mnuEdit_5"), QStringLiteral("&Spelling")), &QAction::triggered, this,
            &frmSpreadSheet::checkSpelling);
    edit->addSeparator()->setObjectName(QStringLiteral("mnuEdit_6"));
    m_unlock = item(edit, QStringLiteral("mnuEdit_7"), QStringLiteral("Unlock Cells"));
    m_unlock->setCheckable(true);
    connect(m_unlock, &QAction::triggered, this, [this] {
        // The workbook's protection decides, whoever changed it last.
        const bool unlocked = spreadsheet() && !spreadsheet()->isProtected();
        setUnlocked(!unlocked, !unlocked);
    });
    connect(edit, &QMenu::aboutToShow, this, &frmSpreadSheet::refreshMenus);
}

void frmSpreadSheet::buildViewMenu()
{
    QMenu *view = menuBar()->addMenu(GetResText(6));
    view->setObjectName(QStringLiteral("mnuViewTop"));
    QMenu *show = view->addMenu(tr("&Show"));
    show->setObjectName(QStringLiteral("mnuViewShowTop"));
    const char *const captions[] = {"&Standard Toolbar", "Fo&rmatting Toolbar", "&Formula Bar", "&Column Heading",
                                    "&Row Heading"};
    for (int i = 0; i < 5; ++i) {
        QAction *action = item(show, QStringLiteral("mnuViewShow_%1").arg(i), QLatin1String(captions[i]));
        action->setCheckable(true);
        action->setChecked(true);
        mnuViewShow[std::size_t(i)] = action;
        connect(action, &QAction::toggled, this, [this, i](bool on) {
            switch (i) {
            case 0: tbrStandard->setVisible(on); break;
            case 1: tbrFormatting->setVisible(on); break;
            case 2: f1SpreadSheet->setShowFormulaBar(on); break;
            case 3: f1SpreadSheet->setShowColumnHeadings(on); break;
            default: f1SpreadSheet->setShowRowHeadings(on); break;
            }
        });
    }
}

void frmSpreadSheet::buildFormatMenu()
{
    QMenu *format = menuBar()->addMenu(GetResText(8));
    format->setObjectName(QStringLiteral("mnuFormatTop"));
    connect(item(format, QStringLiteral("mnuFormat_0"), QStringLiteral("&Cells...")), &QAction::triggered, this, [this] {
        f1SpreadSheet->formatCellsDialog();
        setPictureDown();
    });
    QMenu *rows = format->addMenu(QStringLiteral("&Rows"));
    rows->menuAction()->setObjectName(QStringLiteral("mnuFormat_1"));
    rows->setObjectName(QStringLiteral("mnuFormatRowsTop"));
    QMenu *columns = format->addMenu(QStringLiteral("&Columns"));
    columns->menuAction()->setObjectName(QStringLiteral("mnuFormat_2"));
    columns->setObjectName(QStringLiteral("mnuFormatColumnsTop"));
    connect(item(rows, QStringLiteral("mnuFormatRows_0"), QStringLiteral("Hei&ght...")), &QAction::triggered, this,
            [this] { f1SpreadSheet->rowHeightDialog(); });
    connect(item(rows, QStringLiteral("mnuFormatRows_1"), QStringLiteral("&Hide")), &QAction::triggered, this,
            [this] { f1SpreadSheet->hideRows(); });
    connect(item(rows, QStringLiteral("mnuFormatRows_2"), QStringLiteral("&Unhide")), &QAction::triggered, this,
            [this] { f1SpreadSheet->unhideRows(); });
    connect(item(columns, QStringLiteral("mnuFormatColumns_0"), QStringLiteral("&Width...")), &QAction::triggered, this,
            [this] { f1SpreadSheet->columnWidthDialog(); });
    connect(item(columns, QStringLiteral("mnuFormatColumns_1"), QStringLiteral("&Hide")), &QAction::triggered, this,
            [this] { f1SpreadSheet->hideColumns(); });
    connect(item(columns, QStringLiteral("mnuFormatColumns_2"), QStringLiteral("&Unhide")), &QAction::triggered, this,
            [this] { f1SpreadSheet->unhideColumns(); });
}

void frmSpreadSheet::refreshMenus()
{
    workbook::Workbook *book = spreadsheet();
    m_undo->setEnabled(f1SpreadSheet->canUndo());
    m_redo->setEnabled(f1SpreadSheet->canRedo());
    if (book) {
        const QString undoing = workbook::EditHistory::of(*book).undoText();
        const QString redoing = workbook::EditHistory::of(*book).redoText();
        m_undo->setText(undoing.isEmpty() ? GetResText(20) : GetResText(20) + QLatin1Char(' ') + undoing);
        m_redo->setText(redoing.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redoing));
        m_unlock->setChecked(!book->isProtected());
    }
}

// ---- Attaching a workbook -------------------------------------------------------------------

void frmSpreadSheet::setSpreadsheet(workbook::Workbook *book)
{
    for (const auto &connection : m_bookConnections)
        disconnect(connection);
    m_bookConnections.clear();
    f1SpreadSheet->setWorkbook(book);
    if (!book)
        return;
    setWindowTitle(tr("Spread Sheet - %1").arg(book->title()));
    cboZoom->setEditText(QStringLiteral("%1%").arg(book->viewScale()));
    f1SpreadSheet->setShowColumnHeadings(true);
    f1SpreadSheet->setShowRowHeadings(true);
    mnuViewShow[3]->setChecked(true);
    mnuViewShow[4]->setChecked(true);
    f1SpreadSheet->setShowFormulaBar(mnuViewShow[2]->isChecked());
    f1SpreadSheet->setShowGridLines(true);
    f1SpreadSheet->setShowBorder(true);
    m_unlock->setChecked(!book->isProtected());
    QUndoStack &history = workbook::EditHistory::of(*book);
    m_bookConnections.push_back(connect(&history, &QUndoStack::indexChanged, this, &frmSpreadSheet::refreshMenus));
    m_bookConnections.push_back(connect(&history, &QUndoStack::cleanChanged, this, &frmSpreadSheet::refreshMenus));
    refreshMenus();
    setPictureDown();
}

void frmSpreadSheet::closeEvent(QCloseEvent *event)
{
    if (f1SpreadSheet->grid()->isEditing()) // what is being typed goes into the cell first
        f1SpreadSheet->grid()->commitEdit();
    event->accept();
    emit returned();
}

bool frmSpreadSheet::eventFilter(QObject *watched, QEvent *event)
{
    if (cboZoom && watched == cboZoom->lineEdit()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                applyZoomText(cboZoom->currentText());
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && cboZoom->lineEdit()->isModified()) {
            cboZoom->lineEdit()->setModified(false);
            applyZoomText(cboZoom->currentText());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace qv::editors
