#pragma once

#include <QPointer>
#include <QTextOption>
#include <QWidget>

namespace qv::richtext
{

class TextEditor;

// The ruler: inches across the page, the margins, and the indents and tab
// stops of the paragraph at the cursor. The first-line, left and right
// indent marks and the tab stops can be dragged; a click on the ruler sets a
// left tab stop there, and a tab stop dragged off the ruler goes away.
class TextRuler : public QWidget
{
    Q_OBJECT
public:
    explicit TextRuler(QWidget *parent = nullptr);

    void attach(TextEditor *editor);
    TextEditor *editor() const { return m_editor; }

    QSize sizeHint() const override;

    // Where a position of the paragraph (document units from the left text
    // margin) sits on the ruler, and back.
    double rulerX(double units) const;
    double unitsAt(double x) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum class Mark { None, FirstLine, Left, Right, Tab };
    struct Paragraph {
        double left = 0, firstLine = 0, right = 0; // units; firstLine relative to left
        QList<QTextOption::Tab> tabs;
    };
    Paragraph paragraph() const;
    void apply(const Paragraph &p);
    double textWidthUnits() const;
    Mark markAt(const QPoint &pos, int *tabIndex) const;

    QPointer<TextEditor> m_editor;
    QList<QMetaObject::Connection> m_connections;
    Mark m_dragging = Mark::None;
    int m_tab = -1;
    bool m_tabLeaving = false;
};

} // namespace qv::richtext
