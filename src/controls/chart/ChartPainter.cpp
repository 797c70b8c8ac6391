#include "controls/chart/ChartPainter.h"

#include <QCoreApplication>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace qv::chart {

namespace {

const QColor inkColor(0x22, 0x2B, 0x36);
const QColor mutedColor(0x5F, 0x68, 0x73);
const QColor gridColor(0xE1, 0xE5, 0xEA);
const QColor baselineColor(0x8A, 0x93, 0x9D);

QFont chartFont(double pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

// A lighter tint of a colour, as on paper: mixed with white.
QColor tint(const QColor &c, double amount)
{
    return QColor(int(c.red() + (255 - c.red()) * amount), int(c.green() + (255 - c.green()) * amount),
                  int(c.blue() + (255 - c.blue()) * amount));
}

QString elided(const QFont &font, const QString &text, double width)
{
    return QFontMetricsF(font).elidedText(text, Qt::ElideRight, std::max(width, 10.0));
}

bool valid(double v)
{
    return std::isfinite(v);
}

} // namespace

ChartPainter::ChartPainter(QPainter &painter, const QRectF &area, const ChartDefinition &chart, const ChartData &data)
    : m_p(painter), m_area(area), m_chart(chart), m_data(data),
      m_unit(std::clamp(std::min(area.width() / 1.6, area.height()) / 400.0, 0.55, 4.0)),
      m_titleFont(chartFont(17 * m_unit, true)), m_labelFont(chartFont(11 * m_unit)),
      m_axisTitleFont(chartFont(11.5 * m_unit, true))
{
}

void ChartPainter::addElement(ChartElement::Kind kind, const QPainterPath &area, int series)
{
    m_layout.elements.push_back({kind, series, area});
}

void ChartPainter::addElement(ChartElement::Kind kind, const QRectF &area, int series)
{
    QPainterPath path;
    path.addRect(area);
    addElement(kind, path, series);
}

QString ChartPainter::valueText(double value, double step) const
{
    return axisLabel(value, m_chart.valueFormat.isEmpty() ? m_data.numberFormat : m_chart.valueFormat, step);
}

ChartLayout ChartPainter::draw()
{
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing);
    m_p.setRenderHint(QPainter::TextAntialiasing);
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(Qt::white);
    m_p.drawRect(m_area);

    const double margin = 14 * m_unit;
    QRectF rest = m_area.adjusted(margin, margin, -margin, -margin);
    placeTitle(rest);
    if (m_data.isEmpty()) {
        drawNoData(rest);
    } else {
        placeLegend(rest);
        addElement(ChartElement::PlotArea, rest);
        switch (m_chart.type) {
        case ChartType::Pie: drawPie(rest); break;
        case ChartType::Bar: drawBars(rest); break;
        default: drawCategoryChart(rest); break;
        }
    }
    m_p.restore();
    return m_layout;
}

QRectF ChartPainter::placeTitle(QRectF &rest)
{
    if (m_chart.title.trimmed().isEmpty())
        return {};
    const QFontMetricsF fm(m_titleFont);
    const QString text = elided(m_titleFont, m_chart.title, rest.width());
    const QRectF box(rest.left(), rest.top(), rest.width(), fm.height());
    m_p.setFont(m_titleFont);
    m_p.setPen(inkColor);
    m_p.drawText(QPointF(box.left(), box.top() + fm.ascent()), text);
    // An accent rule under the title, as report headings carry.
    m_p.setPen(QPen(paletteColor(0), std::max(1.0, 2 * m_unit)));
    const double ruleY = box.bottom() + 5 * m_unit;
    m_p.drawLine(QPointF(box.left(), ruleY), QPointF(box.left() + std::min(fm.horizontalAdvance(text), 60 * m_unit), ruleY));
    addElement(ChartElement::Title, QRectF(box.left(), box.top(), fm.horizontalAdvance(text), box.height()));
    rest.setTop(ruleY + 14 * m_unit);
    return box;
}

std::vector<ChartPainter::LegendEntry> ChartPainter::legendEntries() const
{
    std::vector<LegendEntry> entries;
    if (m_chart.type == ChartType::Pie) {
        const bool bySeries = m_data.categories.size() == 1 && m_data.series.size() > 1;
        const int count = bySeries ? int(m_data.series.size()) : int(m_data.categories.size());
        for (int i = 0; i < count; ++i)
            entries.push_back({bySeries ? m_data.series[std::size_t(i)].label : m_data.categories[i],
                               m_chart.seriesColor(i), i, false});
        return entries;
    }
    const int n = int(m_data.series.size());
    for (int i = 0; i < n; ++i) {
        const bool line = m_chart.type == ChartType::Line || (m_chart.type == ChartType::ColumnLine && i == n - 1 && n > 1);
        entries.push_back({m_data.series[std::size_t(i)].label, m_chart.seriesColor(i), i, line});
    }
    return entries;
}

void ChartPainter::placeLegend(QRectF &rest)
{
    if (m_chart.legend == LegendPosition::None)
        return;
    const std::vector<LegendEntry> entries = legendEntries();
    if (entries.empty())
        return;
    const QFontMetricsF fm(m_labelFont);
    const double swatch = 10 * m_unit, gap = 6 * m_unit, spacing = 18 * m_unit, lineHeight = fm.height() * 1.35;
    const double maxLabel = m_chart.legend == LegendPosition::Right ? rest.width() * 0.28 : rest.width() * 0.4;
    std::vector<QSizeF> sizes;
    for (const LegendEntry &e : entries)
        sizes.emplace_back(swatch + gap + std::min(fm.horizontalAdvance(e.label), maxLabel), lineHeight);

    // Entries flow in rows (top, bottom) or stack in a column (right).
    std::vector<QRectF> boxes;
    QRectF used;
    if (m_chart.legend == LegendPosition::Right) {
        double width = 0;
        for (const QSizeF &s : sizes)
            width = std::max(width, s.width());
        const double height = lineHeight * double(entries.size());
        const double top = rest.top() + std::max(0.0, (rest.height() - height) / 2);
        for (std::size_t i = 0; i < entries.size(); ++i)
            boxes.emplace_back(rest.right() - width, top + lineHeight * double(i), sizes[i].width(), lineHeight);
        used = QRectF(rest.right() - width, top, width, height);
        rest.setRight(rest.right() - width - 20 * m_unit);
    } else {
        std::vector<std::vector<std::size_t>> rows(1);
        double x = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (x > 0 && x + sizes[i].width() > rest.width()) {
                rows.emplace_back();
                x = 0;
            }
            rows.back().push_back(i);
            x += sizes[i].width() + spacing;
        }
        const double height = lineHeight * double(rows.size());
        const double top = m_chart.legend == LegendPosition::Top ? rest.top() : rest.bottom() - height;
        boxes.resize(entries.size());
        for (std::size_t r = 0; r < rows.size(); ++r) {
            double rowWidth = -spacing;
            for (std::size_t i : rows[r])
                rowWidth += sizes[i].width() + spacing;
            double left = rest.left() + (rest.width() - rowWidth) / 2;
            for (std::size_t i : rows[r]) {
                boxes[i] = QRectF(left, top + lineHeight * double(r), sizes[i].width(), lineHeight);
                left += sizes[i].width() + spacing;
            }
        }
        used = QRectF(rest.left(), top, rest.width(), height);
        if (m_chart.legend == LegendPosition::Top)
            rest.setTop(top + height + 10 * m_unit);
        else
            rest.setBottom(top - 10 * m_unit);
    }
    addElement(ChartElement::Legend, used);
    m_p.setFont(m_labelFont);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QRectF &b = boxes[i];
        const double cy = b.center().y();
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(entries[i].color);
        if (entries[i].line) {
            m_p.setPen(QPen(entries[i].color, 2.2 * m_unit, Qt::SolidLine, Qt::RoundCap));
            m_p.drawLine(QPointF(b.left(), cy), QPointF(b.left() + swatch, cy));
        } else {
            m_p.drawRect(QRectF(b.left(), cy - swatch / 2, swatch, swatch));
        }
        m_p.setPen(mutedColor);
        m_p.drawText(QPointF(b.left() + swatch + gap, cy + fm.ascent() / 2 - fm.descent() / 2),
                     elided(m_labelFont, entries[i].label, b.width() - swatch - gap + 1));
        addElement(ChartElement::Legend, b, entries[i].series);
    }
}

void ChartPainter::drawNoData(const QRectF &plot)
{
    m_p.setFont(m_labelFont);
    m_p.setPen(mutedColor);
    m_p.drawText(plot, Qt::AlignCenter, QCoreApplication::translate("Chart", "No figures to show"));
}

AxisScale ChartPainter::valueScale(int seriesCount, bool stacked) const
{
    double low = 0, high = 0;
    for (int k = 0; k < m_data.categories.size(); ++k) {
        double up = 0, down = 0;
        for (int s = 0; s < seriesCount; ++s) {
            const double v = m_data.series[std::size_t(s)].values[std::size_t(k)];
            if (!valid(v))
                continue;
            if (stacked)
                (v >= 0 ? up : down) += v;
            else
                up = std::max(up, v), down = std::min(down, v);
        }
        high = std::max(high, up);
        low = std::min(low, down);
    }
    if (m_chart.type == ChartType::ColumnLine)
        for (double v : m_data.series.back().values)
            if (valid(v))
                high = std::max(high, v), low = std::min(low, v);
    return niceScale(low, high);
}

double ChartPainter::slotWidth(const QRectF &plot) const
{
    return plot.width() / std::max<qsizetype>(m_data.categories.size(), 1);
}

void ChartPainter::drawValueAxis(const QRectF &plot, const AxisScale &scale, bool horizontal)
{
    const QFontMetricsF fm(m_labelFont);
    m_p.setFont(m_labelFont);
    const double span = scale.maximum - scale.minimum;
    QRectF axisArea;
    for (double v = scale.minimum; v <= scale.maximum + scale.step / 2; v += scale.step) {
        const double f = (v - scale.minimum) / span;
        const QString text = valueText(v, scale.step);
        const bool zero = std::abs(v) < scale.step / 2;
        if (m_chart.gridlines || zero) {
            m_p.setPen(QPen(zero ? baselineColor : gridColor, std::max(0.8, (zero ? 1.2 : 0.8) * m_unit)));
            if (horizontal)
                m_p.drawLine(QPointF(plot.left() + f * plot.width(), plot.top()),
                             QPointF(plot.left() + f * plot.width(), plot.bottom()));
            else
                m_p.drawLine(QPointF(plot.left(), plot.bottom() - f * plot.height()),
                             QPointF(plot.right(), plot.bottom() - f * plot.height()));
        }
        m_p.setPen(mutedColor);
        QRectF box;
        if (horizontal) {
            const double w = fm.horizontalAdvance(text);
            box = QRectF(plot.left() + f * plot.width() - w / 2, plot.bottom() + 6 * m_unit, w, fm.height());
        } else {
            const double w = fm.horizontalAdvance(text);
            box = QRectF(plot.left() - 8 * m_unit - w, plot.bottom() - f * plot.height() - fm.height() / 2, w, fm.height());
        }
        m_p.drawText(QPointF(box.left(), box.top() + fm.ascent()), text);
        axisArea = axisArea.isNull() ? box : axisArea.united(box);
    }
    addElement(ChartElement::ValueAxis, axisArea);
}

QRectF ChartPainter::placeCategoryLabels(QRectF &plot, bool rotatedAllowed)
{
    const QFontMetricsF fm(m_labelFont);
    double widest = 0;
    for (const QString &c : m_data.categories)
        widest = std::max(widest, std::min(fm.horizontalAdvance(c), 110 * m_unit));
    const double slot = slotWidth(plot);
    m_rotatedLabels = rotatedAllowed && widest > slot * 0.92;
    m_labelEvery = 1;
    if (m_rotatedLabels) {
        // A plot squeezed to nothing shows the first label only.
        const double categories = std::max<double>(1, m_data.categories.size());
        m_labelEvery = int(std::clamp(std::ceil(fm.height() * 1.1 / std::max(slot, 1e-9)), 1.0, categories));
    }
    m_labelHeight = m_rotatedLabels ? widest * 0.71 + fm.height() * 0.71 : fm.height();
    plot.setBottom(plot.bottom() - m_labelHeight - 8 * m_unit);
    return QRectF(plot.left(), plot.bottom(), plot.width(), m_labelHeight + 8 * m_unit);
}

void ChartPainter::drawCategoryLabels(const QRectF &plot)
{
    const QFontMetricsF fm(m_labelFont);
    m_p.setFont(m_labelFont);
    m_p.setPen(mutedColor);
    const double slot = slotWidth(plot);
    for (int k = 0; k < m_data.categories.size(); k += m_labelEvery) {
        const double cx = plot.left() + slot * (k + 0.5);
        if (m_rotatedLabels) {
            const QString text = elided(m_labelFont, m_data.categories[k], 110 * m_unit);
            m_p.save();
            m_p.translate(cx + fm.ascent() / 3, plot.bottom() + 6 * m_unit);
            m_p.rotate(-45);
            m_p.drawText(QPointF(-fm.horizontalAdvance(text), fm.ascent() / 2), text);
            m_p.restore();
        } else {
            const QString text = elided(m_labelFont, m_data.categories[k], slot);
            m_p.drawText(QPointF(cx - fm.horizontalAdvance(text) / 2, plot.bottom() + 6 * m_unit + fm.ascent()), text);
        }
    }
    addElement(ChartElement::CategoryAxis, QRectF(plot.left(), plot.bottom(), plot.width(), m_labelHeight + 8 * m_unit));
}

void ChartPainter::drawCategoryChart(QRectF plot)
{
    const int seriesCount = int(m_data.series.size());
    const bool stacked = m_chart.type == ChartType::StackedColumn || m_chart.type == ChartType::Area;
    const int columnSeries = m_chart.type == ChartType::ColumnLine && seriesCount > 1 ? seriesCount - 1 : seriesCount;
    const AxisScale scale = valueScale(m_chart.type == ChartType::ColumnLine ? columnSeries : seriesCount, stacked);

    const QFontMetricsF fm(m_labelFont), tfm(m_axisTitleFont);
    if (!m_chart.valueAxisTitle.isEmpty())
        plot.setLeft(plot.left() + tfm.height() + 6 * m_unit);
    double labelWidth = 0;
    for (double v = scale.minimum; v <= scale.maximum + scale.step / 2; v += scale.step)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(valueText(v, scale.step)));
    const QRectF titleColumn(plot.left() - tfm.height() - 6 * m_unit, plot.top(), tfm.height(), plot.height());
    plot.setLeft(plot.left() + labelWidth + 10 * m_unit);
    plot.setTop(plot.top() + fm.height() / 2);
    if (!m_chart.categoryAxisTitle.isEmpty())
        plot.setBottom(plot.bottom() - tfm.height() - 6 * m_unit);
    placeCategoryLabels(plot, true);

    drawValueAxis(plot, scale, false);
    switch (m_chart.type) {
    case ChartType::StackedColumn: drawStackedColumns(plot, scale); break;
    case ChartType::Area: drawStackedAreas(plot, scale); break;
    case ChartType::Line:
        for (int s = 0; s < seriesCount; ++s)
            drawLine(plot, scale, s);
        break;
    case ChartType::ColumnLine:
        drawColumns(plot, scale, columnSeries);
        if (columnSeries < seriesCount)
            drawLine(plot, scale, seriesCount - 1);
        break;
    default: drawColumns(plot, scale, seriesCount); break;
    }
    drawCategoryLabels(plot);

    m_p.setFont(m_axisTitleFont);
    m_p.setPen(mutedColor);
    if (!m_chart.categoryAxisTitle.isEmpty()) {
        const QRectF box(plot.left(), plot.bottom() + m_labelHeight + 12 * m_unit, plot.width(), tfm.height());
        m_p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, m_chart.categoryAxisTitle);
        addElement(ChartElement::CategoryAxis, box);
    }
    if (!m_chart.valueAxisTitle.isEmpty()) {
        const QString text = elided(m_axisTitleFont, m_chart.valueAxisTitle, plot.height());
        m_p.save();
        m_p.translate(titleColumn.left() + tfm.ascent(), plot.center().y() + tfm.horizontalAdvance(text) / 2);
        m_p.rotate(-90);
        m_p.drawText(QPointF(0, 0), text);
        m_p.restore();
        addElement(ChartElement::ValueAxis, titleColumn);
    }
}

void ChartPainter::drawColumns(const QRectF &plot, const AxisScale &scale, int seriesCount)
{
    const double slot = slotWidth(plot), group = slot * (seriesCount > 1 ? 0.78 : 0.6);
    const double bar = group / std::max(seriesCount, 1);
    auto y = [&](double v) { return plot.bottom() - (v - scale.minimum) / (scale.maximum - scale.minimum) * plot.height(); };
    for (int s = 0; s < seriesCount; ++s) {
        QPainterPath shapes;
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(m_chart.seriesColor(s));
        for (int k = 0; k < m_data.categories.size(); ++k) {
            const double v = m_data.series[std::size_t(s)].values[std::size_t(k)];
            if (!valid(v))
                continue;
            const double x = plot.left() + slot * k + (slot - group) / 2 + bar * s;
            const QRectF r = QRectF(QPointF(x + bar * 0.06, y(v)), QPointF(x + bar * 0.94, y(0))).normalized();
            m_p.drawRect(r);
            shapes.addRect(r);
        }
        addElement(ChartElement::Series, shapes, s);
    }
}

void ChartPainter::drawStackedColumns(const QRectF &plot, const AxisScale &scale)
{
    const double slot = slotWidth(plot), width = slot * 0.6;
    auto y = [&](double v) { return plot.bottom() - (v - scale.minimum) / (scale.maximum - scale.minimum) * plot.height(); };
    std::vector<double> up(std::size_t(m_data.categories.size()), 0.0), down(up);
    for (std::size_t s = 0; s < m_data.series.size(); ++s) {
        QPainterPath shapes;
        m_p.setBrush(m_chart.seriesColor(int(s)));
        m_p.setPen(QPen(Qt::white, std::max(0.5, 0.8 * m_unit)));
        for (std::size_t k = 0; k < up.size(); ++k) {
            const double v = m_data.series[s].values[k];
            if (!valid(v) || v == 0)
                continue;
            double &base = v > 0 ? up[k] : down[k];
            const double x = plot.left() + slot * double(k) + (slot - width) / 2;
            const QRectF r = QRectF(QPointF(x, y(base)), QPointF(x + width, y(base + v))).normalized();
            base += v;
            m_p.drawRect(r);
            shapes.addRect(r);
        }
        addElement(ChartElement::Series, shapes, int(s));
    }
}

void ChartPainter::drawLine(const QRectF &plot, const AxisScale &scale, int s)
{
    const double slot = slotWidth(plot);
    auto y = [&](double v) { return plot.bottom() - (v - scale.minimum) / (scale.maximum - scale.minimum) * plot.height(); };
    const QColor color = m_chart.seriesColor(s);
    QPainterPath line;
    std::vector<QPointF> points;
    bool drawing = false;
    for (int k = 0; k < m_data.categories.size(); ++k) {
        const double v = m_data.series[std::size_t(s)].values[std::size_t(k)];
        if (!valid(v)) {
            drawing = false; // a gap where the table has no figure
            continue;
        }
        const QPointF p(plot.left() + slot * (k + 0.5), y(v));
        drawing ? line.lineTo(p) : line.moveTo(p);
        drawing = true;
        points.push_back(p);
    }
    m_p.setBrush(Qt::NoBrush);
    m_p.setPen(QPen(color, 2.4 * m_unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_p.drawPath(line);
    if (points.size() <= 36) {
        m_p.setPen(QPen(color, 1.6 * m_unit));
        m_p.setBrush(Qt::white);
        for (const QPointF &p : points)
            m_p.drawEllipse(p, 3.2 * m_unit, 3.2 * m_unit);
    }
    QPainterPathStroker stroker;
    stroker.setWidth(8 * m_unit);
    addElement(ChartElement::Series, stroker.createStroke(line), s);
}

void ChartPainter::drawStackedAreas(const QRectF &plot, const AxisScale &scale)
{
    const double slot = slotWidth(plot);
    auto y = [&](double v) { return plot.bottom() - (v - scale.minimum) / (scale.maximum - scale.minimum) * plot.height(); };
    const std::size_t n = std::size_t(m_data.categories.size());
    std::vector<double> base(n, 0.0);
    for (std::size_t s = 0; s < m_data.series.size(); ++s) {
        QPolygonF top, bottom;
        for (std::size_t k = 0; k < n; ++k) {
            const double v = valid(m_data.series[s].values[k]) ? m_data.series[s].values[k] : 0;
            const double x = plot.left() + slot * (double(k) + 0.5);
            bottom.prepend(QPointF(x, y(base[k])));
            base[k] += v;
            top.append(QPointF(x, y(base[k])));
        }
        const QColor color = m_chart.seriesColor(int(s));
        QPolygonF shape = top + bottom;
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(tint(color, 0.35));
        m_p.drawPolygon(shape);
        m_p.setPen(QPen(color, 2 * m_unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.drawPolyline(top);
        QPainterPath area;
        area.addPolygon(shape);
        addElement(ChartElement::Series, area, int(s));
    }
}

void ChartPainter::drawBars(QRectF plot)
{
    const int seriesCount = int(m_data.series.size());
    const AxisScale scale = valueScale(seriesCount, false);
    const QFontMetricsF fm(m_labelFont);
    double widest = 0;
    for (const QString &c : m_data.categories)
        widest = std::min(std::max(widest, fm.horizontalAdvance(c)), plot.width() * 0.3);
    const QRectF labels(plot.left(), plot.top(), widest, plot.height() - fm.height() - 6 * m_unit);
    plot.setLeft(plot.left() + widest + 10 * m_unit);
    plot.setBottom(plot.bottom() - fm.height() - 6 * m_unit);
    double lastLabel = fm.horizontalAdvance(valueText(scale.maximum, scale.step));
    plot.setRight(plot.right() - lastLabel / 2);
    drawValueAxis(plot, scale, true);

    const int count = int(m_data.categories.size());
    const double slot = plot.height() / std::max(count, 1), group = slot * (seriesCount > 1 ? 0.78 : 0.6);
    const double bar = group / std::max(seriesCount, 1);
    auto x = [&](double v) { return plot.left() + (v - scale.minimum) / (scale.maximum - scale.minimum) * plot.width(); };
    for (int s = 0; s < seriesCount; ++s) {
        QPainterPath shapes;
        m_p.setPen(Qt::NoPen);
        m_p.setBrush(m_chart.seriesColor(s));
        for (int k = 0; k < count; ++k) {
            const double v = m_data.series[std::size_t(s)].values[std::size_t(k)];
            if (!valid(v))
                continue;
            const double top = plot.top() + slot * k + (slot - group) / 2 + bar * s;
            const QRectF r = QRectF(QPointF(x(0), top + bar * 0.06), QPointF(x(v), top + bar * 0.94)).normalized();
            m_p.drawRect(r);
            shapes.addRect(r);
        }
        addElement(ChartElement::Series, shapes, s);
    }
    m_p.setFont(m_labelFont);
    m_p.setPen(mutedColor);
    for (int k = 0; k < count; ++k) {
        const QString text = elided(m_labelFont, m_data.categories[k], widest + 1);
        const double cy = plot.top() + slot * (k + 0.5);
        m_p.drawText(QPointF(labels.right() - fm.horizontalAdvance(text), cy + fm.ascent() / 2 - fm.descent() / 2), text);
    }
    addElement(ChartElement::CategoryAxis, labels);
}

void ChartPainter::drawPie(const QRectF &plot)
{
    const bool bySeries = m_data.categories.size() == 1 && m_data.series.size() > 1;
    std::vector<double> values;
    if (bySeries)
        for (const ChartSeries &s : m_data.series)
            values.push_back(s.values.front());
    else
        values = m_data.series.front().values;
    double total = 0;
    for (double v : values)
        if (valid(v) && v > 0)
            total += v;
    if (total <= 0) {
        drawNoData(plot);
        return;
    }
    const double diameter = std::min(plot.width(), plot.height()) * 0.92;
    const QRectF circle(plot.center().x() - diameter / 2, plot.center().y() - diameter / 2, diameter, diameter);
    const QFontMetricsF fm(m_labelFont);
    double angle = 90; // from twelve o'clock, clockwise
    m_p.setFont(m_labelFont);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!valid(values[i]) || values[i] <= 0)
            continue;
        const double span = values[i] / total * 360;
        m_p.setPen(QPen(Qt::white, std::max(1.0, 1.5 * m_unit)));
        m_p.setBrush(m_chart.seriesColor(int(i)));
        m_p.drawPie(circle, int(std::lround(angle * 16)), -int(std::lround(span * 16)));
        QPainterPath slice;
        slice.moveTo(circle.center());
        slice.arcTo(circle, angle, -span);
        slice.closeSubpath();
        addElement(ChartElement::Series, slice, int(i));
        if (span >= 18) {
            const double mid = (angle - span / 2) * M_PI / 180;
            const QPointF at = circle.center() + QPointF(std::cos(mid), -std::sin(mid)) * diameter * 0.33;
            const QString text = QStringLiteral("%1%").arg(std::lround(values[i] / total * 100));
            m_p.setPen(Qt::white);
            m_p.drawText(QPointF(at.x() - fm.horizontalAdvance(text) / 2, at.y() + fm.ascent() / 2 - fm.descent() / 2), text);
        }
        angle -= span;
    }
}

} // namespace qv::chart
