#pragma once

#include <QDialog>
#include <QTextBlockFormat>

class QComboBox;
class QDoubleSpinBox;

namespace qv::richtext
{

// The paragraph dialog: alignment, indents (inches), spacing (points) and
// line spacing of the selected paragraphs.
class ParagraphDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ParagraphDialog(QWidget *parent = nullptr);

    void setFormat(const QTextBlockFormat &format);
    // Only what the dialog shows; merge it into the paragraphs.
    QTextBlockFormat format() const;

private:
    QComboBox *m_alignment;
    QDoubleSpinBox *m_left;
    QDoubleSpinBox *m_right;
    QDoubleSpinBox *m_firstLine;
    QDoubleSpinBox *m_before;
    QDoubleSpinBox *m_after;
    QComboBox *m_lineSpacing;
};

} // namespace qv::richtext
