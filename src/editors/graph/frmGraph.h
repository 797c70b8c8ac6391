#pragma once

#include "controls/workbook/CellAddress.h"

#include <QDialog>

class QPushButton;
class QTimer;

namespace qv::workbook {
class Workbook;
}

namespace qv::editors {

class ChartView;

// The picture kinds and options of saveImage, as compile passes them.
enum class PictureType : qint16 { Bitmap = 1, Metafile = 2 };
// The picture takes the size of a graph in the plan document, not the window's.
constexpr qint16 pictureAtDocumentSize = 4;

// The Graph Generator: the graph of one table, bound to a range of the
// table's workbook, with the sample graph beside it, the predefined graph a
// button away, and the plan's chart file to save to. Also used unshown by
// compile to write a graph's picture.
class frmGraph : public QDialog
{
    Q_OBJECT

public:
    explicit frmGraph(QWidget *parent = nullptr);
    ~frmGraph() override;

    // Binds the graph to the table's workbook, first reading the chart from
    // the chart file when one is given. False after a message.
    bool graphTable(workbook::Workbook &book, const QString &chartFile = QString());
    // Binds the sample graph to the example table; every failure is ignored.
    void setExample(workbook::Workbook *book, const QString &chartFile);
    // Refreshes the graph from its table and writes it as a picture.
    bool saveImage(const QString &fileName, qint16 pictureType, qint16 options);

    // The template library's tables folder, where Load Default finds the
    // predefined graph of the same name.
    void setTemplateTablesFolder(const QString &folder) { m_templateTablesFolder = folder; }

    bool isModified() const { return m_modified; }
    QString chartFilePath() const { return m_chartFilePath; }
    ChartView *graph() const { return m_vtGraph; }
    ChartView *exampleGraph() const { return m_vtExampleGraph; }
    int sampleRefreshCount() const { return m_sampleRefreshes; }

    void cmdSave_Click();
    void cmdGetDefault_Click();
    void cmdSample_Click();
    void cmdOk_Click();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void timerCustomize_Timer();
    void refreshChartData(ChartView &chart, workbook::Workbook *book, const workbook::CellRange &range);
    bool bind(ChartView &chart, workbook::Workbook &book, workbook::CellRange &range);
    void setModified() { m_modified = true; }

    ChartView *m_vtGraph;
    ChartView *m_vtExampleGraph;
    QPushButton *m_cmdOk;
    QPushButton *m_cmdSave;
    QPushButton *m_cmdGetDefault;
    QPushButton *m_cmdSample;
    QTimer *m_timerCustomize;

    QString m_tableTitle;
    QString m_chartFilePath;
    QString m_templateTablesFolder;
    workbook::Workbook *m_sourceBook = nullptr;
    workbook::CellRange m_sourceRange;
    workbook::Workbook *m_exampleBook = nullptr;
    workbook::CellRange m_exampleRange;
    bool m_modified = false;
    bool m_quietLoad = false;
    int m_sampleRefreshes = 0;
};

} // namespace qv::editors
