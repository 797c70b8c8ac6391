#pragma once

#include "controls/workbook/CellAddress.h"

#include <QAbstractScrollArea>
#include <QPointer>

#include <memory>

class QLineEdit;

namespace qv::workbook {

class EditStep;
class Workbook;

// The painted sheet of a workbook view: headings, cells through the
// SheetRenderer, the selection, mouse and keyboard as in a spreadsheet, and
// editing in place. Scrolls by whole rows and columns, so it stays fast on
// any size of sheet.
class SheetGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit SheetGrid(QWidget *parent = nullptr);
    ~SheetGrid() override;

    void setWorkbook(Workbook *book);
    Workbook *workbook() const { return m_book; }

    void setShowRowHeadings(bool on);
    void setShowColumnHeadings(bool on);
    void setShowGridLines(bool on);
    void setShowSelection(bool on); // off: no selection tint and no cell cursor
    void setBackgroundColor(const QColor &color);
    bool showRowHeadings() const { return m_rowHeadings; }
    bool showColumnHeadings() const { return m_columnHeadings; }
    bool showGridLines() const { return m_gridLines; }
    bool showSelection() const { return m_selectionShown; }

    void goHome();                    // Ctrl+Home
    void scrollTo(int row, int col);  // makes the cell visible
    void startEditing(const QString &initial = QString(), bool replace = false);
    bool isEditing() const;
    bool commitEdit();                // false when refused (the editor stays open)
    void cancelEdit();

    // Cell under a point of the viewport; row or col 0 over a heading.
    CellAddress cellAt(QPoint pos) const;
    QRect cellRect(int row, int col) const; // in viewport coordinates; empty when not shown

signals:
    void cellClicked(int row, int col);
    void rightClicked(QPoint globalPos);
    void editRefused(const QString &message);
    void editCommitted(int row, int col);
    void keyCommand(QKeyEvent *event, bool *handled);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void wheelEvent(QWheelEvent *) override;
    void scrollContentsBy(int, int) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    double unitsPerTwip() const;
    int rowHeadingWidth() const;
    int columnHeadingHeight() const;
    double rowPixels(int row) const;
    double columnPixels(int col) const;
    int lastVisibleRow() const;
    int lastVisibleColumn() const;
    void updateScrollBars();
    void moveActive(int dRow, int dCol, bool extend, bool jump = false);
    int stepRow(int row, int delta) const;
    int stepColumn(int col, int delta) const;
    void selectTo(CellAddress cell, bool extend);
    void placeEditor();
    int resizeHandleColumn(QPoint pos) const;
    int resizeHandleRow(QPoint pos) const;

    QPointer<Workbook> m_book;
    QMetaObject::Connection m_displayConnection, m_selectionConnection;
    int m_firstRow = 1, m_firstCol = 1;
    bool m_rowHeadings = true, m_columnHeadings = true, m_gridLines = true, m_selectionShown = true;
    QColor m_background = Qt::white;
    enum class Drag { None, Cells, Rows, Columns, ResizeColumn, ResizeRow } m_drag = Drag::None;
    CellAddress m_anchor;
    int m_resizeIndex = 0;
    int m_resizeStart = 0;
    std::unique_ptr<EditStep> m_resize; // a drag on a heading edge is one step
    QLineEdit *m_editor = nullptr;
    CellAddress m_editCell;
};

} // namespace qv::workbook
