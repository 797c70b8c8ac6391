#include "controls/richtextview/ParagraphDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv::richtext
{

namespace
{
// Block formats measure in pixels of 96 dpi.
constexpr double kUnitsPerInch = 96.0;
constexpr double kUnitsPerPoint = 96.0 / 72.0;

QDoubleSpinBox *spinBox(const char *name, double minimum, double maximum, double step, const QString &suffix,
                        int decimals)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    box->setSingleStep(step);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    return box;
}

const Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
const int kLineHeights[] = {100, 150, 200};
} // namespace

ParagraphDialog::ParagraphDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgParagraph"));
    setWindowTitle(tr("Paragraph"));

    m_alignment = new QComboBox;
    m_alignment->setObjectName(QStringLiteral("cboAlignment"));
    m_alignment->addItems({tr("Left"), tr("Centered"), tr("Right"), tr("Justified")});
    const QString inches = tr(" in");
    const QString points = tr(" pt");
    m_left = spinBox("spnLeftIndent", 0, 20, 0.1, inches, 2);
    m_right = spinBox("spnRightIndent", 0, 20, 0.1, inches, 2);
    m_firstLine = spinBox("spnFirstLine", -20, 20, 0.1, inches, 2);
    m_before = spinBox("spnSpaceBefore", 0, 1000, 1, points, 1);
    m_after = spinBox("spnSpaceAfter", 0, 1000, 1, points, 1);
    m_lineSpacing = new QComboBox;
    m_lineSpacing->setObjectName(QStringLiteral("cboLineSpacing"));
    m_lineSpacing->addItems({tr("Single"), tr("1.5 lines"), tr("Double")});

    auto *indents = new QGroupBox(tr("Indentation"));
    auto *indentForm = new QFormLayout(indents);
    indentForm->addRow(tr("&Left:"), m_left);
    indentForm->addRow(tr("&Right:"), m_right);
    indentForm->addRow(tr("&First line:"), m_firstLine);
    auto *spacing = new QGroupBox(tr("Spacing"));
    auto *spacingForm = new QFormLayout(spacing);
    spacingForm->addRow(tr("&Before:"), m_before);
    spacingForm->addRow(tr("A&fter:"), m_after);
    spacingForm->addRow(tr("Li&ne spacing:"), m_lineSpacing);

    auto *top = new QFormLayout;
    top->addRow(tr("&Alignment:"), m_alignment);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(indents);
    layout->addWidget(spacing);
    layout->addWidget(buttons);
}

void ParagraphDialog::setFormat(const QTextBlockFormat &format)
{
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    int alignment = 0;
    for (int i = 0; i < 4; ++i) {
        if (horizontal & kAlignments[i])
            alignment = i;
    }
    m_alignment->setCurrentIndex(alignment);
    m_left->setValue(format.leftMargin() / kUnitsPerInch);
    m_right->setValue(format.rightMargin() / kUnitsPerInch);
    m_firstLine->setValue(format.textIndent() / kUnitsPerInch);
    m_before->setValue(format.topMargin() / kUnitsPerPoint);
    m_after->setValue(format.bottomMargin() / kUnitsPerPoint);
    int spacing = 0;
    if (format.lineHeightType() == QTextBlockFormat::ProportionalHeight) {
        for (int i = 0; i < 3; ++i) {
            if (std::abs(format.lineHeight() - kLineHeights[i]) < 1)
                spacing = i;
        }
    }
    m_lineSpacing->setCurrentIndex(spacing);
}

QTextBlockFormat ParagraphDialog::format() const
{
    QTextBlockFormat format;
    format.setAlignment(kAlignments[std::clamp(m_alignment->currentIndex(), 0, 3)]);
    format.setLeftMargin(m_left->value() * kUnitsPerInch);
    format.setRightMargin(m_right->value() * kUnitsPerInch);
    format.setTextIndent(m_firstLine->value() * kUnitsPerInch);
    format.setTopMargin(m_before->value() * kUnitsPerPoint);
    format.setBottomMargin(m_after->value() * kUnitsPerPoint);
    const int height = kLineHeights[std::clamp(m_lineSpacing->currentIndex(), 0, 2)];
    format.setLineHeight(height, height == 100 ? QTextBlockFormat::SingleHeight : QTextBlockFormat::ProportionalHeight);
    return format;
}

} // namespace qv::richtext
