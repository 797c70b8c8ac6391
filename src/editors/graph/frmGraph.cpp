#include "editors/graph/frmGraph.h"

#include "controls/chart/ChartFile.h"
#include "controls/chart/ChartPicture.h"
#include "controls/workbook/Workbook.h"
#include "editors/graph/ChartView.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "resources/ResText.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace qv::editors {

namespace {

const char *tagProperty = "Tag";

// The string table's text of a message number (the table is kept without its 1000).
QString resText(int id)
{
    return GetResText(id - 1000);
}

void letMessagesRun()
{
    platform::clock().processEvents();
}

} // namespace

frmGraph::frmGraph(QWidget *parent)
    : QDialog(parent), m_vtGraph(new ChartView(this)), m_vtExampleGraph(new ChartView(this)),
      m_cmdOk(new QPushButton(this)), m_cmdSave(new QPushButton(this)), m_cmdGetDefault(new QPushButton(this)),
      m_cmdSample(new QPushButton(this)), m_timerCustomize(new QTimer(this))
{
    setObjectName(QStringLiteral("frmGraph"));
    m_vtGraph->setObjectName(QStringLiteral("vtGraph"));
    m_vtExampleGraph->setObjectName(QStringLiteral("vtExampleGraph"));
    m_vtExampleGraph->setEditable(false);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    m_cmdGetDefault->setObjectName(QStringLiteral("cmdGetDefault"));
    m_cmdSample->setObjectName(QStringLiteral("cmdSample"));
    m_timerCustomize->setObjectName(QStringLiteral("timerCustomize"));
    m_timerCustomize->setProperty(tagProperty, QString());

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdSample);
    buttons->addWidget(m_cmdGetDefault);
    buttons->addStretch();
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_vtGraph, 1);
    layout->addWidget(m_vtExampleGraph, 1);
    layout->addLayout(buttons);

    connect(m_cmdOk, &QPushButton::clicked, this, &frmGraph::cmdOk_Click);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmGraph::cmdSave_Click);
    connect(m_cmdGetDefault, &QPushButton::clicked, this, &frmGraph::cmdGetDefault_Click);
    connect(m_cmdSample, &QPushButton::clicked, this, &frmGraph::cmdSample_Click);
    connect(m_timerCustomize, &QTimer::timeout, this, &frmGraph::timerCustomize_Timer);
    connect(m_vtGraph, &ChartView::changed, this, &frmGraph::setModified);
    connect(m_vtGraph, &ChartView::dataBindingChanged, this, [this] {
        if (m_sourceBook)
            bind(*m_vtGraph, *m_sourceBook, m_sourceRange);
    });
    Form_Load();
}

frmGraph::~frmGraph() = default;

void frmGraph::Form_Load()
{
    setWindowTitle(resText(1074));
    m_vtExampleGraph->hide();
    m_cmdOk->setText(resText(1010));
    m_cmdSave->setText(resText(1039));
    m_cmdGetDefault->setText(resText(1444));
    m_cmdSample->setText(resText(1443));
    m_cmdOk->setDefault(true);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->size() : QSize(1024, 768);
    if (available.height() > 480 && available.width() > 680)
        resize(640, 480);
    else
        setWindowState(windowState() | Qt::WindowMaximized);
}

// Selects the chart's range in the workbook and takes the figures from it;
// the workbook's own selection is given back afterwards.
bool frmGraph::bind(ChartView &chart, workbook::Workbook &book, workbook::CellRange &range)
{
    const QString remembered = book.selectionText();
    if (!book.setSelection(chart.definition().dataRange))
        return false;
    range = book.firstSelectedRange();
    chart.setData(chart::chartDataFor(book, chart.definition()));
    book.setSelection(remembered);
    return true;
}

bool frmGraph::graphTable(workbook::Workbook &book, const QString &chartFile)
{
    m_tableTitle = book.title();
    const QString selection = book.selectionText();
    if (!chartFile.isEmpty()) {
        if (!QFileInfo(chartFile).isFile()) {
            platform::msgBox(this, QStringLiteral("Chart file not found."));
            return false;
        }
        QString path = chartFile;
        if (path.endsWith(u'/') || path.endsWith(u'\\'))
            path.chop(1);
        try {
            m_vtGraph->setDefinition(chart::readChartFile(path));
        } catch (const QvError &e) {
            platform::msgBox(this, e.description(), platform::Buttons::Ok, platform::Icon::Exclamation);
            return false;
        }
        m_chartFilePath = path;
        m_modified = false;
    }
    if (selection.contains(u':') && !m_quietLoad) {
        const auto answer = platform::msgBox(this, resText(1610), platform::Buttons::YesNo, platform::Icon::Question);
        if (answer == platform::Answer::Yes) {
            chart::ChartDefinition chart = m_vtGraph->definition();
            chart.dataRange = QString(selection).remove(u'$');
            chart.excludedRows.clear();
            chart.excludedColumns.clear();
            m_vtGraph->setDefinition(chart);
        }
    }
    if (m_vtGraph->definition().dataRange.isEmpty() || !bind(*m_vtGraph, book, m_sourceRange)) {
        platform::msgBox(this, QStringLiteral("Invalid range to graph."));
        return false;
    }
    if (m_vtGraph->definition().title.isEmpty()) {
        chart::ChartDefinition chart = m_vtGraph->definition();
        chart.title = m_tableTitle;
        m_vtGraph->setDefinition(chart);
    }
    letMessagesRun();
    m_sourceBook = &book;
    m_modified = false;
    return true;
}

void frmGraph::setExample(workbook::Workbook *book, const QString &chartFile)
{
    if (!book)
        return;
    try {
        m_vtExampleGraph->setDefinition(chart::readChartFile(chartFile));
    } catch (const QvError &) {
        return; // no sample graph: the sample view stays empty
    }
    if (bind(*m_vtExampleGraph, *book, m_exampleRange))
        m_exampleBook = book;
}

void frmGraph::refreshChartData(ChartView &chart, workbook::Workbook *book, const workbook::CellRange &range)
{
    if (!book)
        return;
    chart::ChartDefinition binding = chart.definition();
    binding.dataRange = workbook::rangeName(range);
    chart.setData(chart::chartDataFor(*book, binding));
}

bool frmGraph::saveImage(const QString &fileName, qint16 pictureType, qint16 options)
{
    refreshChartData(*m_vtGraph, m_sourceBook, m_sourceRange);
    letMessagesRun();
    QString path = fileName;
    const QString wanted = PictureType(pictureType) == PictureType::Metafile ? QStringLiteral("wmf") : QStringLiteral("png");
    if (QFileInfo(path).suffix().compare(wanted, Qt::CaseInsensitive) != 0)
        path += u'.' + wanted;
    const QSize size = (options & pictureAtDocumentSize) ? chart::graphPictureSize : m_vtGraph->chartArea().size().toSize();
    const QString failure = chart::writeChartPicture(path, m_vtGraph->definition(), m_vtGraph->data(), size);
    m_modified = false;
    letMessagesRun();
    if (!failure.isEmpty())
        platform::msgBox(this, failure, platform::Buttons::Ok, platform::Icon::Exclamation);
    return failure.isEmpty();
}

void frmGraph::cmdSave_Click()
{
    try {
        chart::writeChartFile(m_chartFilePath, m_vtGraph->definition());
        m_modified = false;
    } catch (const QvError &e) {
        platform::msgBox(this, e.description(), platform::Buttons::Ok, platform::Icon::Exclamation);
    }
}

void frmGraph::cmdGetDefault_Click()
{
    if (!m_sourceBook)
        return;
    const QString planChart = m_chartFilePath;
    const QString predefined =
        platform::resolveExistingPath(platform::joinPath(m_templateTablesFolder, QFileInfo(planChart).fileName()));
    m_quietLoad = true;
    const bool loaded = graphTable(*m_sourceBook, predefined);
    m_quietLoad = false;
    // A later save writes the plan's graph, never the template's.
    m_chartFilePath = planChart;
    if (loaded)
        m_modified = true;
}

void frmGraph::cmdSample_Click()
{
    if (m_vtExampleGraph->isVisible()) {
        m_vtGraph->show();
        m_vtExampleGraph->hide();
        m_cmdSave->setEnabled(true);
        m_cmdGetDefault->setEnabled(true);
        m_cmdSample->setText(resText(1443));
        return;
    }
    m_vtGraph->hide();
    m_vtExampleGraph->show();
    m_cmdSave->setEnabled(false);
    m_cmdGetDefault->setEnabled(false);
    m_cmdSample->setText(resText(1445));
    if (m_vtExampleGraph->property(tagProperty).toString().isEmpty()) {
        refreshChartData(*m_vtExampleGraph, m_exampleBook, m_exampleRange);
        ++m_sampleRefreshes;
        m_vtExampleGraph->setProperty(tagProperty, QStringLiteral("1"));
    }
}

void frmGraph::cmdOk_Click()
{
    close();
}

void frmGraph::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()
        && m_timerCustomize->property(tagProperty).toString().isEmpty() && !m_timerCustomize->isActive()) {
        m_timerCustomize->setInterval(1000);
        m_timerCustomize->start();
    }
}

void frmGraph::timerCustomize_Timer()
{
    m_timerCustomize->stop();
    m_timerCustomize->setInterval(0);
    m_timerCustomize->setProperty(tagProperty, QStringLiteral("1"));
    letMessagesRun();
    refreshChartData(*m_vtGraph, m_sourceBook, m_sourceRange);
}

void frmGraph::closeEvent(QCloseEvent *event)
{
    if (m_modified) {
        const auto answer = platform::msgBox(this, resText(1611), platform::Buttons::YesNo, platform::Icon::Question);
        if (answer == platform::Answer::Yes)
            cmdSave_Click();
    }
    m_modified = false;
    event->accept();
    QDialog::closeEvent(event);
}

} // namespace qv::editors
