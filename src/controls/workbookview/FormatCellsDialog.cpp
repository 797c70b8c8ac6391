#include "controls/workbookview/FormatCellsDialog.h"

#include "platform/Services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qv::workbook {

namespace {

const char *const numberCodes[] = {"General", "0", "0.00", "#,##0", "#,##0.00", "$#,##0", "$#,##0.00",
                                   "$#,##0;($#,##0)", "0%", "0.00%", "m/d/yyyy", "mmm yyyy", "@"};
const char *const borderStyles[] = {"None", "Thin", "Medium", "Thick", "Dashed", "Dotted", "Double"};

void paintSwatch(QPushButton *button, Rgb color)
{
    QPixmap swatch(28, 14);
    swatch.fill(QColor::fromRgb(QRgb(0xFF000000u | color)));
    button->setIcon(QIcon(swatch));
}

QCheckBox *check(const QString &text, bool on, const char *name, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(on);
    return box;
}

} // namespace

FormatCellsDialog::FormatCellsDialog(const CellFormat &current, QWidget *parent)
    : QDialog(parent), m_initial(current), m_fontColor(current.fontColor), m_fillColor(current.fillColor)
{
    setObjectName(QStringLiteral("FormatCellsDialog"));
    setWindowTitle(tr("Format Cells"));
    const BorderLine *any[] = {&current.left, &current.right, &current.top, &current.bottom};
    for (const BorderLine *line : any)
        if (line->style != BorderStyle::None) m_borderColor = line->color;
    auto *column = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabFormat"));
    m_tabs->addTab(numberPage(), tr("Number"));
    m_tabs->addTab(alignmentPage(), tr("Alignment"));
    m_tabs->addTab(fontPage(), tr("Font"));
    m_tabs->addTab(borderPage(), tr("Border"));
    m_tabs->addTab(fillPage(), tr("Fill"));
    m_tabs->addTab(protectionPage(), tr("Protection"));
    column->addWidget(m_tabs);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

QWidget *FormatCellsDialog::numberPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_numberCodes = new QComboBox(page);
    m_numberCodes->setObjectName(QStringLiteral("cboNumberCodes"));
    for (const char *code : numberCodes)
        m_numberCodes->addItem(QLatin1String(code));
    if (m_numberCodes->findText(m_initial.numberFormat) < 0)
        m_numberCodes->addItem(m_initial.numberFormat);
    m_numberCodes->setCurrentText(m_initial.numberFormat);
    m_numberCode = new QLineEdit(m_initial.numberFormat, page);
    m_numberCode->setObjectName(QStringLiteral("txtNumberCode"));
    connect(m_numberCodes, &QComboBox::textActivated, m_numberCode, &QLineEdit::setText);
    form->addRow(tr("Format:"), m_numberCodes);
    form->addRow(tr("Code:"), m_numberCode);
    return page;
}

QWidget *FormatCellsDialog::alignmentPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_horizontal = new QComboBox(page);
    m_horizontal->setObjectName(QStringLiteral("cboHorizontal"));
    m_horizontal->addItems({tr("General"), tr("Left"), tr("Center"), tr("Right"), tr("Center across merged cells")});
    m_horizontal->setCurrentIndex(int(m_initial.alignment));
    m_vertical = new QComboBox(page);
    m_vertical->setObjectName(QStringLiteral("cboVertical"));
    m_vertical->addItems({tr("Bottom"), tr("Center"), tr("Top")});
    m_vertical->setCurrentIndex(int(m_initial.verticalAlignment));
    m_wrap = check(tr("Wrap text"), m_initial.wrap, "chkWrap", page);
    form->addRow(tr("Horizontal:"), m_horizontal);
    form->addRow(tr("Vertical:"), m_vertical);
    form->addRow(m_wrap);
    return page;
}

QWidget *FormatCellsDialog::fontPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_font = new QFontComboBox(page);
    m_font->setObjectName(QStringLiteral("cboFont"));
    m_font->setCurrentFont(QFont(m_initial.fontName));
    m_font->setEditText(m_initial.fontName);
    m_size = new QDoubleSpinBox(page);
    m_size->setObjectName(QStringLiteral("spnSize"));
    m_size->setRange(1, 409);
    m_size->setDecimals(1);
    m_size->setValue(m_initial.fontSize);
    m_bold = check(tr("Bold"), m_initial.bold, "chkBold", page);
    m_italic = check(tr("Italic"), m_initial.italic, "chkItalic", page);
    m_underline = check(tr("Underline"), m_initial.underline, "chkUnderline", page);
    m_fontColorButton = new QPushButton(tr("Colour..."), page);
    m_fontColorButton->setObjectName(QStringLiteral("cmdFontColor"));
    paintSwatch(m_fontColorButton, m_fontColor);
    connect(m_fontColorButton, &QPushButton::clicked, this, [this] { pickColor(m_fontColorButton, m_fontColor); });
    form->addRow(tr("Font:"), m_font);
    form->addRow(tr("Size:"), m_size);
    form->addRow(m_bold);
    form->addRow(m_italic);
    form->addRow(m_underline);
    form->addRow(tr("Colour:"), m_fontColorButton);
    return page;
}

QWidget *FormatCellsDialog::borderPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_borderStyle = new QComboBox(page);
    m_borderStyle->setObjectName(QStringLiteral("cboBorderStyle"));
    for (const char *style : borderStyles)
        m_borderStyle->addItem(tr(style));
    BorderStyle shown = BorderStyle::Thin;
    for (const BorderLine *line : {&m_initial.left, &m_initial.right, &m_initial.top, &m_initial.bottom})
        if (line->style != BorderStyle::None) shown = line->style;
    m_borderStyle->setCurrentIndex(int(shown));
    m_borderLeft = check(tr("Left"), m_initial.left.style != BorderStyle::None, "chkBorderLeft", page);
    m_borderRight = check(tr("Right"), m_initial.right.style != BorderStyle::None, "chkBorderRight", page);
    m_borderTop = check(tr("Top"), m_initial.top.style != BorderStyle::None, "chkBorderTop", page);
    m_borderBottom = check(tr("Bottom"), m_initial.bottom.style != BorderStyle::None, "chkBorderBottom", page);
    m_borderColorButton = new QPushButton(tr("Colour..."), page);
    m_borderColorButton->setObjectName(QStringLiteral("cmdBorderColor"));
    paintSwatch(m_borderColorButton, m_borderColor);
    connect(m_borderColorButton, &QPushButton::clicked, this, [this] { pickColor(m_borderColorButton, m_borderColor); });
    form->addRow(tr("Line:"), m_borderStyle);
    form->addRow(m_borderLeft);
    form->addRow(m_borderRight);
    form->addRow(m_borderTop);
    form->addRow(m_borderBottom);
    form->addRow(tr("Colour:"), m_borderColorButton);
    return page;
}

QWidget *FormatCellsDialog::fillPage()
{
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    m_hasFill = check(tr("Fill the cells with a colour"), m_initial.hasFill, "chkFill", page);
    m_fillColorButton = new QPushButton(tr("Colour..."), page);
    m_fillColorButton->setObjectName(QStringLiteral("cmdFillColor"));
    paintSwatch(m_fillColorButton, m_fillColor);
    connect(m_fillColorButton, &QPushButton::clicked, this, [this] {
        pickColor(m_fillColorButton, m_fillColor);
        m_hasFill->setChecked(true);
    });
    form->addRow(m_hasFill);
    form->addRow(tr("Colour:"), m_fillColorButton);
    return page;
}

QWidget *FormatCellsDialog::protectionPage()
{
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    m_locked = check(tr("Locked"), m_initial.locked, "chkLocked", page);
    column->addWidget(m_locked);
    auto *note = new QLabel(tr("Locking cells takes effect while the table's cells are protected."), page);
    note->setWordWrap(true);
    column->addWidget(note);
    column->addStretch();
    return page;
}

void FormatCellsDialog::pickColor(QPushButton *button, Rgb &color)
{
    const auto chosen = platform::colorDialogs().chooseColor(this, QColor::fromRgb(QRgb(0xFF000000u | color)));
    if (!chosen) return;
    color = Rgb(chosen->rgb() & 0xFFFFFF);
    paintSwatch(button, color);
}

CellFormat FormatCellsDialog::chosen() const
{
    CellFormat f = m_initial;
    change()(f);
    return f;
}

std::function<void(CellFormat &)> FormatCellsDialog::change() const
{
    // What differs from the starting format, and only that.
    CellFormat edited = m_initial;
    edited.numberFormat = m_numberCode->text().trimmed().isEmpty() ? QStringLiteral("General") : m_numberCode->text().trimmed();
    edited.alignment = HorizontalAlignment(m_horizontal->currentIndex());
    edited.verticalAlignment = VerticalAlignment(m_vertical->currentIndex());
    edited.wrap = m_wrap->isChecked();
    edited.fontName = m_font->currentText();
    edited.fontSize = m_size->value();
    edited.bold = m_bold->isChecked();
    edited.italic = m_italic->isChecked();
    edited.underline = m_underline->isChecked();
    edited.fontColor = m_fontColor;
    const BorderStyle style = BorderStyle(m_borderStyle->currentIndex());
    const auto line = [&](QCheckBox *box) { return box->isChecked() ? BorderLine{style, m_borderColor} : BorderLine{}; };
    edited.left = line(m_borderLeft);
    edited.right = line(m_borderRight);
    edited.top = line(m_borderTop);
    edited.bottom = line(m_borderBottom);
    edited.hasFill = m_hasFill->isChecked();
    edited.fillColor = m_fillColor;
    edited.locked = m_locked->isChecked();
    const CellFormat initial = m_initial;
    return [initial, edited](CellFormat &f) {
#define QV_TAKE_CHANGED(member) if (!(edited.member == initial.member)) f.member = edited.member
        QV_TAKE_CHANGED(numberFormat);
        QV_TAKE_CHANGED(alignment);
        QV_TAKE_CHANGED(verticalAlignment);
        QV_TAKE_CHANGED(wrap);
        QV_TAKE_CHANGED(fontName);
        QV_TAKE_CHANGED(fontSize);
        QV_TAKE_CHANGED(bold);
        QV_TAKE_CHANGED(italic);
        QV_TAKE_CHANGED(underline);
        QV_TAKE_CHANGED(fontColor);
        QV_TAKE_CHANGED(left);
        QV_TAKE_CHANGED(right);
        QV_TAKE_CHANGED(top);
        QV_TAKE_CHANGED(bottom);
        QV_TAKE_CHANGED(hasFill);
        QV_TAKE_CHANGED(fillColor);
        QV_TAKE_CHANGED(locked);
#undef QV_TAKE_CHANGED
    };
}

} // namespace qv::workbook
