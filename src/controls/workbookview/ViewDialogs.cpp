#include "controls/workbookview/ViewDialogs.h"

#include "controls/workbook/NumberFormat.h"
#include "controls/workbook/TableClipboard.h"
#include "controls/workbookview/FormatCellsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv::workbook {

namespace {

QDialogButtonBox *okCancel(QDialog &dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

std::optional<double> askNumber(QWidget *owner, const QString &title, const QString &label, double value, double max)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(title);
    auto *layout = new QFormLayout(&dialog);
    auto *spin = new QDoubleSpinBox(&dialog);
    spin->setObjectName(QStringLiteral("spnSize"));
    spin->setRange(0, max);
    spin->setDecimals(2);
    spin->setValue(value);
    layout->addRow(label, spin);
    layout->addRow(okCancel(dialog));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return spin->value();
}

class DesktopViewDialogs final : public ViewDialogs
{
public:
    std::optional<FormatChange> askFormatCells(QWidget *owner, const CellFormat &current) override
    {
        FormatCellsDialog dialog(current, owner);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.change();
    }

    std::optional<QString> askNumberFormat(QWidget *owner, const QString &current) override
    {
        QDialog dialog(owner);
        dialog.setWindowTitle(QStringLiteral("Number Format"));
        auto *layout = new QFormLayout(&dialog);
        auto *combo = new QComboBox(&dialog);
        combo->setObjectName(QStringLiteral("cboFormat"));
        combo->setEditable(true);
        combo->addItems(commonNumberFormats());
        combo->setCurrentText(current);
        auto *preview = new QLabel(&dialog);
        auto update = [=] {
            preview->setText(displayText(Value::fromNumber(-1234.5), combo->currentText()) + QStringLiteral("    ")
                             + displayText(Value::fromNumber(0.15), combo->currentText()));
        };
        QObject::connect(combo, &QComboBox::currentTextChanged, preview, update);
        update();
        layout->addRow(QStringLiteral("Format:"), combo);
        layout->addRow(QStringLiteral("Sample:"), preview);
        layout->addRow(okCancel(dialog));
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return combo->currentText();
    }

    std::optional<double> askRowHeight(QWidget *owner, double points) override
    {
        return askNumber(owner, QStringLiteral("Row Height"), QStringLiteral("Row height (points):"), points, 409);
    }

    std::optional<double> askColumnWidth(QWidget *owner, double characters) override
    {
        return askNumber(owner, QStringLiteral("Column Width"), QStringLiteral("Column width (characters):"), characters, 255);
    }

    std::optional<FindRequest> askFind(QWidget *owner, const FindRequest &last) override
    {
        QDialog dialog(owner);
        dialog.setWindowTitle(QStringLiteral("Find"));
        auto *layout = new QFormLayout(&dialog);
        auto *edit = new QLineEdit(last.text, &dialog);
        auto *matchCase = new QCheckBox(QStringLiteral("Match case"), &dialog);
        matchCase->setChecked(last.matchCase);
        layout->addRow(QStringLiteral("Find what:"), edit);
        layout->addRow(matchCase);
        layout->addRow(okCancel(dialog));
        if (dialog.exec() != QDialog::Accepted || edit->text().isEmpty())
            return std::nullopt;
        return FindRequest{edit->text(), matchCase->isChecked()};
    }

    std::optional<PasteKind> askPasteSpecial(QWidget *owner) override
    {
        QDialog dialog(owner);
        dialog.setWindowTitle(QStringLiteral("Paste Special"));
        auto *layout = new QVBoxLayout(&dialog);
        auto *all = new QRadioButton(QStringLiteral("All"), &dialog);
        auto *values = new QRadioButton(QStringLiteral("Values"), &dialog);
        auto *formats = new QRadioButton(QStringLiteral("Formats"), &dialog);
        values->setChecked(true);
        layout->addWidget(all);
        layout->addWidget(values);
        layout->addWidget(formats);
        layout->addWidget(okCancel(dialog));
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return all->isChecked() ? PasteKind::All : formats->isChecked() ? PasteKind::Formats : PasteKind::Values;
    }
};

std::shared_ptr<ViewDialogs> &current()
{
    static std::shared_ptr<ViewDialogs> dialogs = std::make_shared<DesktopViewDialogs>();
    return dialogs;
}

} // namespace

ViewDialogs &viewDialogs()
{
    return *current();
}

void setViewDialogs(std::shared_ptr<ViewDialogs> dialogs)
{
    current() = dialogs ? std::move(dialogs) : std::make_shared<DesktopViewDialogs>();
}

} // namespace qv::workbook
