#include "editors/graph/ChartView.h"

#include "controls/workbook/CellAddress.h"
#include "platform/Services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace qv::editors {

using chart::ChartElement;
using chart::ChartType;
using chart::LegendPosition;
using chart::SeriesLayout;

ChartView::ChartView(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
    buildBar();
}

void ChartView::buildBar()
{
    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("chartEditBar"));
    auto *row = new QHBoxLayout(m_bar);
    row->setContentsMargins(8, 6, 8, 6);
    auto label = [&](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, m_bar);
        l->setBuddy(buddy);
        row->addWidget(l);
        row->addWidget(buddy);
    };
    m_type = new QComboBox(m_bar);
    m_type->setObjectName(QStringLiteral("cboChartType"));
    for (ChartType type : chart::allChartTypes())
        m_type->addItem(chart::chartTypeCaption(type), int(type));
    label(tr("&Type:"), m_type);
    m_legend = new QComboBox(m_bar);
    m_legend->setObjectName(QStringLiteral("cboLegend"));
    m_legend->addItem(tr("Bottom"), int(LegendPosition::Bottom));
    m_legend->addItem(tr("Right"), int(LegendPosition::Right));
    m_legend->addItem(tr("Top"), int(LegendPosition::Top));
    m_legend->addItem(tr("None"), int(LegendPosition::None));
    label(tr("&Legend:"), m_legend);
    m_layoutChoice = new QComboBox(m_bar);
    m_layoutChoice->setObjectName(QStringLiteral("cboSeriesLayout"));
    m_layoutChoice->addItem(tr("Rows"), int(SeriesLayout::InRows));
    m_layoutChoice->addItem(tr("Columns"), int(SeriesLayout::InColumns));
    label(tr("Series &in:"), m_layoutChoice);
    m_range = new QLineEdit(m_bar);
    m_range->setObjectName(QStringLiteral("txtDataRange"));
    m_range->setMaximumWidth(110);
    m_range->setToolTip(tr("The cells of the table the graph draws, such as B4:M8"));
    label(tr("&Range:"), m_range);
    m_gridlines = new QCheckBox(tr("&Gridlines"), m_bar);
    m_gridlines->setObjectName(QStringLiteral("chkGridlines"));
    row->addWidget(m_gridlines);
    row->addStretch();

    connect(m_type, &QComboBox::activated, this,
            [this](int i) { changeType(ChartType(m_type->itemData(i).toInt())); });
    connect(m_legend, &QComboBox::activated, this,
            [this](int i) { changeLegend(LegendPosition(m_legend->itemData(i).toInt())); });
    connect(m_layoutChoice, &QComboBox::activated, this,
            [this](int i) { changeSeriesLayout(SeriesLayout(m_layoutChoice->itemData(i).toInt())); });
    connect(m_range, &QLineEdit::editingFinished, this, [this] {
        if (m_range->text() != m_chart.dataRange && !changeDataRange(m_range->text())) {
            platform::msgBox(this, tr("Invalid range to graph."), platform::Buttons::Ok, platform::Icon::Exclamation);
            m_range->setText(m_chart.dataRange);
        }
    });
    connect(m_gridlines, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_showing)
            changeGridlines(on);
    });
    showDefinitionInBar();
}

void ChartView::showDefinitionInBar()
{
    m_showing = true;
    m_type->setCurrentIndex(m_type->findData(int(m_chart.type)));
    m_legend->setCurrentIndex(m_legend->findData(int(m_chart.legend)));
    m_layoutChoice->setCurrentIndex(m_layoutChoice->findData(int(m_chart.seriesLayout)));
    m_range->setText(m_chart.dataRange);
    m_gridlines->setChecked(m_chart.gridlines);
    m_showing = false;
}

void ChartView::setDefinition(const chart::ChartDefinition &chart)
{
    m_chart = chart;
    showDefinitionInBar();
    update();
}

void ChartView::setData(const chart::ChartData &data)
{
    m_data = data;
    update();
}

void ChartView::setEditable(bool editable)
{
    m_editable = editable;
    m_bar->setVisible(editable);
    resizeEvent(nullptr);
    update();
}

QRectF ChartView::chartArea() const
{
    const int top = m_editable ? m_bar->sizeHint().height() : 0;
    return QRectF(0, top, width(), height() - top);
}

void ChartView::resizeEvent(QResizeEvent *)
{
    m_bar->setGeometry(0, 0, width(), m_bar->sizeHint().height());
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRectF area = chartArea().adjusted(8, 4, -8, -8);
    m_layout = chart::drawChart(painter, area, m_chart, m_data);
    painter.setPen(QColor(0xD5, 0xDA, 0xE0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

void ChartView::edited()
{
    update();
    emit changed();
}

void ChartView::changeType(ChartType type)
{
    if (!m_editable || type == m_chart.type)
        return;
    m_chart.type = type;
    showDefinitionInBar();
    edited();
}

void ChartView::changeTitle(const QString &title)
{
    if (!m_editable || title == m_chart.title)
        return;
    m_chart.title = title;
    edited();
}

void ChartView::changeLegend(LegendPosition position)
{
    if (!m_editable || position == m_chart.legend)
        return;
    m_chart.legend = position;
    showDefinitionInBar();
    edited();
}

void ChartView::changeSeriesLayout(SeriesLayout layout)
{
    if (!m_editable || layout == m_chart.seriesLayout)
        return;
    m_chart.seriesLayout = layout;
    showDefinitionInBar();
    emit dataBindingChanged();
    edited();
}

bool ChartView::changeDataRange(const QString &range)
{
    if (!m_editable)
        return false;
    const auto parsed = workbook::parseCellRange(range.trimmed());
    if (!parsed || parsed->isSingleCell() || parsed->bottom == workbook::maxRows || parsed->right == workbook::maxColumns)
        return false;
    m_chart.dataRange = workbook::rangeName(*parsed);
    // Lines left out of the old range mean nothing in a new one.
    m_chart.excludedRows.clear();
    m_chart.excludedColumns.clear();
    showDefinitionInBar();
    emit dataBindingChanged();
    edited();
    return true;
}

void ChartView::changeSeriesColor(int series, const QColor &color)
{
    if (!m_editable || !color.isValid() || color == m_chart.seriesColor(series))
        return;
    m_chart.setSeriesColor(series, color);
    edited();
}

void ChartView::changeAxisTitle(ChartElement::Kind axis, const QString &title)
{
    QString &field = axis == ChartElement::ValueAxis ? m_chart.valueAxisTitle : m_chart.categoryAxisTitle;
    if (!m_editable || field == title)
        return;
    field = title;
    edited();
}

void ChartView::changeGridlines(bool on)
{
    if (!m_editable || on == m_chart.gridlines)
        return;
    m_chart.gridlines = on;
    showDefinitionInBar();
    edited();
}

void ChartView::editInPlace(const QRectF &where, const QString &text, const std::function<void(const QString &)> &apply)
{
    delete m_inPlace;
    m_inPlace = new QLineEdit(text, this);
    m_inPlace->setObjectName(QStringLiteral("txtEditInPlace"));
    const QRect box = where.toAlignedRect().adjusted(-4, -3, 4, 3);
    m_inPlace->setGeometry(box.left(), box.top(), std::max(box.width(), 240), std::max(box.height(), 26));
    m_inPlace->selectAll();
    m_inPlace->show();
    m_inPlace->setFocus();
    QLineEdit *editor = m_inPlace;
    connect(editor, &QLineEdit::editingFinished, this, [this, editor, apply] {
        if (editor != m_inPlace)
            return;
        m_inPlace = nullptr;
        apply(editor->text().trimmed());
        editor->deleteLater();
    });
}

void ChartView::editElementAt(QPointF point)
{
    if (!m_editable)
        return;
    const auto element = m_layout.elementAt(point);
    const QRectF titleBox = QRectF(chartArea().left() + 20, chartArea().top() + 14, chartArea().width() - 40, 30);
    if (!element || element->kind == ChartElement::Title) {
        if (element || titleBox.contains(point))
            editInPlace(element ? element->area.boundingRect() : titleBox, m_chart.title,
                        [this](const QString &t) { changeTitle(t); });
        return;
    }
    switch (element->kind) {
    case ChartElement::Series:
    case ChartElement::Legend:
        if (element->series >= 0) {
            if (auto color = platform::colorDialogs().chooseColor(this, m_chart.seriesColor(element->series)))
                changeSeriesColor(element->series, *color);
        } else {
            m_legend->setFocus();
            m_legend->showPopup();
        }
        break;
    case ChartElement::ValueAxis:
    case ChartElement::CategoryAxis: {
        const auto kind = element->kind;
        editInPlace(element->area.boundingRect(),
                    kind == ChartElement::ValueAxis ? m_chart.valueAxisTitle : m_chart.categoryAxisTitle,
                    [this, kind](const QString &t) { changeAxisTitle(kind, t); });
        break;
    }
    default:
        m_type->setFocus();
        m_type->showPopup();
        break;
    }
}

void ChartView::mouseDoubleClickEvent(QMouseEvent *event)
{
    editElementAt(event->position());
}

} // namespace qv::editors
