#pragma once

#include "controls/workbook/CellFormat.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QFontComboBox;
class QPushButton;
class QTabWidget;

namespace qv::workbook {

// Format, Cells: number, alignment, font, border, fill and protection of
// the selection, starting from the active cell's format. Only what the user
// changes is applied, so a selection of differently formatted cells keeps
// the rest of each cell's format.
class FormatCellsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FormatCellsDialog(const CellFormat &current, QWidget *parent = nullptr);

    // The edits made, as a change to apply to each selected cell.
    std::function<void(CellFormat &)> change() const;
    CellFormat chosen() const; // the active cell's format after the edits
    QTabWidget *tabs() const { return m_tabs; }

private:
    QWidget *numberPage();
    QWidget *alignmentPage();
    QWidget *fontPage();
    QWidget *borderPage();
    QWidget *fillPage();
    QWidget *protectionPage();
    void pickColor(QPushButton *button, Rgb &color);

    CellFormat m_initial;
    QTabWidget *m_tabs;
    QComboBox *m_numberCodes;
    QLineEdit *m_numberCode;
    QComboBox *m_horizontal, *m_vertical;
    QCheckBox *m_wrap;
    QFontComboBox *m_font;
    QDoubleSpinBox *m_size;
    QCheckBox *m_bold, *m_italic, *m_underline;
    QPushButton *m_fontColorButton;
    Rgb m_fontColor;
    QComboBox *m_borderStyle;
    QCheckBox *m_borderLeft, *m_borderRight, *m_borderTop, *m_borderBottom;
    QPushButton *m_borderColorButton;
    Rgb m_borderColor = 0;
    QCheckBox *m_hasFill;
    QPushButton *m_fillColorButton;
    Rgb m_fillColor;
    QCheckBox *m_locked;
};

} // namespace qv::workbook
