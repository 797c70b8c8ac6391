#include "editors/graph/ChartView.h"
#include "editors/graph/frmGraph.h"

#include "controls/chart/ChartFile.h"
#include "controls/metafile/MetafilePicture.h"
#include "controls/workbook/Workbook.h"
#include "FakePlatform.h"
#include "TestFiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::editors;
using qv::test::fakes;

namespace {

// A sales table: months across row 1, products down column A, and a chart
// of it in the plan folder and in a template folder.
struct GraphFixture
{
    QTemporaryDir plan, templates;
    workbook::Workbook book;
    QString planChart, templateChart;

    GraphFixture()
    {
        book.setTitle(QStringLiteral("Tbl0503"));
        const QStringList months{QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar")};
        for (int m = 0; m < 3; ++m)
            book.setEntry(1, 2 + m, months[m]);
        const QStringList products{QStringLiteral("Bikes"), QStringLiteral("Parts"), QStringLiteral("Service")};
        for (int p = 0; p < 3; ++p) {
            book.setEntry(2 + p, 1, products[p]);
            for (int m = 0; m < 3; ++m)
                book.setEntry(2 + p, 2 + m, QString::number(100 * (p + 1) + m));
        }
        chart::ChartDefinition chart;
        chart.dataRange = QStringLiteral("A1:D4");
        chart.title = QStringLiteral("Monthly Sales");
        planChart = plan.filePath(QStringLiteral("Grf0503.vtc"));
        chart::writeChartFile(planChart, chart);
        chart.type = chart::ChartType::Line;
        chart.title = QStringLiteral("Predefined");
        templateChart = templates.filePath(QStringLiteral("Grf0503.vtc"));
        chart::writeChartFile(templateChart, chart);
    }
};

} // namespace

TEST(GraphWindow, AMissingOrEmptyChartIsRefusedWithItsMessage)
{
    GraphFixture f;
    frmGraph window;
    EXPECT_FALSE(window.graphTable(f.book, f.plan.filePath(QStringLiteral("Grf9999.vtc"))));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Chart file not found."));
    chart::writeChartFile(f.planChart, chart::ChartDefinition());
    EXPECT_FALSE(window.graphTable(f.book, f.planChart));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Invalid range to graph."));
}

TEST(GraphWindow, OnlyARangeSelectionAsksWhetherToUseIt)
{
    GraphFixture f;
    frmGraph window;
    f.book.setSelection(QStringLiteral("B2"));
    ASSERT_TRUE(window.graphTable(f.book, f.planChart));
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
    EXPECT_EQ(window.graph()->data().series.size(), 3u);
    EXPECT_EQ(window.graph()->definition().title, QStringLiteral("Monthly Sales"));

    f.book.setSelection(QStringLiteral("A1:C3"));
    fakes().messages->setNextAnswer(platform::Answer::Yes);
    ASSERT_TRUE(window.graphTable(f.book, f.planChart));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].text,
              QStringLiteral("Would you like to use current selection instead of predefined graph?"));
    EXPECT_EQ(window.graph()->definition().dataRange, QStringLiteral("A1:C3"));
    EXPECT_EQ(window.graph()->data().series.size(), 2u);
    EXPECT_EQ(f.book.selectionText(), QStringLiteral("$A$1:$C$3")); // the table keeps its selection
    EXPECT_FALSE(window.isModified());

    // Load Default reloads quietly, whatever the selection.
    window.setTemplateTablesFolder(f.templates.path());
    window.cmdGetDefault_Click();
    EXPECT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(window.graph()->definition().title, QStringLiteral("Predefined"));
    EXPECT_TRUE(window.isModified());
}

TEST(GraphWindow, LoadDefaultThenCloseAsksAndSavesThePlansChartNeverTheTemplate)
{
    GraphFixture f;
    const QByteArray templateBefore = qv::test::readFile(f.templateChart);
    frmGraph window;
    window.setTemplateTablesFolder(f.templates.path());
    ASSERT_TRUE(window.graphTable(f.book, f.planChart));
    window.cmdGetDefault_Click();
    EXPECT_EQ(window.chartFilePath(), f.planChart);
    fakes().messages->setNextAnswer(platform::Answer::Yes);
    window.show();
    window.close();
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].text, QStringLiteral("Would you like to save graph?"));
    EXPECT_EQ(chart::readChartFile(f.planChart).type, chart::ChartType::Line);
    EXPECT_EQ(qv::test::readFile(f.templateChart), templateBefore);
}

TEST(GraphWindow, AnEditIsSavedAndFoundAgainAndAnUnchangedGraphClosesQuietly)
{
    GraphFixture f;
    {
        frmGraph window;
        ASSERT_TRUE(window.graphTable(f.book, f.planChart));
        window.show();
        window.close();
        EXPECT_TRUE(fakes().messages->shown.isEmpty());
    }
    {
        frmGraph window;
        ASSERT_TRUE(window.graphTable(f.book, f.planChart));
        auto *type = window.findChild<QComboBox *>(QStringLiteral("cboChartType"));
        ASSERT_TRUE(type);
        type->setCurrentIndex(type->findData(int(chart::ChartType::Line)));
        emit type->activated(type->currentIndex());
        EXPECT_TRUE(window.isModified());
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdSave")), Qt::LeftButton);
        EXPECT_FALSE(window.isModified());
    }
    frmGraph reopened;
    ASSERT_TRUE(reopened.graphTable(f.book, f.planChart));
    EXPECT_EQ(reopened.graph()->definition().type, chart::ChartType::Line);
}

TEST(GraphWindow, TheSampleSwitchRefreshesTheSampleOnce)
{
    GraphFixture f;
    workbook::Workbook example;
    example.setEntry(1, 2, QStringLiteral("Jan"));
    example.setEntry(2, 1, QStringLiteral("Example"));
    example.setEntry(2, 2, QStringLiteral("42"));
    frmGraph window;
    ASSERT_TRUE(window.graphTable(f.book, f.planChart));
    window.setExample(&example, f.templateChart);
    window.setExample(nullptr, QStringLiteral("/nowhere/TPL0503.vtc")); // ignored
    window.show();
    auto *sample = window.findChild<QPushButton *>(QStringLiteral("cmdSample"));
    auto *save = window.findChild<QPushButton *>(QStringLiteral("cmdSave"));
    QTest::mouseClick(sample, Qt::LeftButton);
    EXPECT_TRUE(window.exampleGraph()->isVisible());
    EXPECT_FALSE(window.graph()->isVisible());
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(sample->text(), QStringLiteral("My Graph"));
    QTest::mouseClick(sample, Qt::LeftButton);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_EQ(sample->text(), QStringLiteral("Sam&ple Graph"));
    QTest::mouseClick(sample, Qt::LeftButton);
    EXPECT_EQ(window.sampleRefreshCount(), 1);
    ASSERT_EQ(window.exampleGraph()->data().series.size(), 1u);
    EXPECT_EQ(window.exampleGraph()->data().series[0].label, QStringLiteral("Example"));
}

TEST(GraphWindow, APictureNeverShowsLinesTheTableHides)
{
    GraphFixture f;
    frmGraph window;
    ASSERT_TRUE(window.graphTable(f.book, f.planChart));
    f.book.setRowsHidden(3, 3, true);    // Parts
    f.book.setColumnsHidden(3, 3, true); // Feb
    const QString picture = f.plan.filePath(QStringLiteral("Grf0503.wmf"));
    ASSERT_TRUE(window.saveImage(picture, qint16(PictureType::Metafile), pictureAtDocumentSize));
    const auto &data = window.graph()->data();
    ASSERT_EQ(data.series.size(), 2u);
    EXPECT_EQ(data.series[1].label, QStringLiteral("Service"));
    EXPECT_EQ(data.categories, (QStringList{QStringLiteral("Jan"), QStringLiteral("Mar")}));
    const auto wmf = metafile::MetafilePicture::fromFile(picture);
    ASSERT_TRUE(wmf);
    EXPECT_EQ(wmf->sizeAt(96), QSize(624, 384));
}

TEST(GraphWindow, DoubleClickingTheTitleEditsItInPlace)
{
    GraphFixture f;
    frmGraph window;
    ASSERT_TRUE(window.graphTable(f.book, f.planChart));
    window.show();
    ChartView *view = window.graph();
    view->grab(); // lays the chart out
    QPointF titlePoint;
    for (const auto &e : view->chartLayout().elements)
        if (e.kind == chart::ChartElement::Title)
            titlePoint = e.area.boundingRect().center();
    ASSERT_FALSE(titlePoint.isNull());
    view->editElementAt(titlePoint);
    auto *editor = view->findChild<QLineEdit *>(QStringLiteral("txtEditInPlace"));
    ASSERT_TRUE(editor);
    editor->setText(QStringLiteral("Sales by month"));
    emit editor->editingFinished();
    EXPECT_EQ(view->definition().title, QStringLiteral("Sales by month"));
    EXPECT_TRUE(window.isModified());

    fakes().dialogs->setNextColor(QColor(Qt::darkRed));
    view->changeSeriesColor(1, QColor(Qt::darkRed));
    EXPECT_EQ(view->definition().seriesColor(1), QColor(Qt::darkRed));
}
