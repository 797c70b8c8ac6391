// Feeds arbitrary bytes to the chart file reader; whatever it accepts is
// written back, read again, and drawn from a small table.

#include "controls/chart/ChartFile.h"
#include "controls/chart/ChartRenderer.h"
#include "controls/workbook/Workbook.h"
#include "platform/Error.h"

#include <QImage>
#include <QPainter>

#include "OffscreenGui.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startOffscreenGui("chart_file_fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qv;
    try {
        const chart::ChartDefinition chart =
            chart::parseChartFile(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
        if (!(chart::parseChartFile(chart::chartFileContent(chart)) == chart))
            std::abort(); // what we write must read back the same
        static workbook::Workbook *book = [] {
            auto *b = new workbook::Workbook;
            for (int r = 1; r <= 12; ++r)
                for (int c = 1; c <= 8; ++c)
                    b->setEntry(r, c, r == 1 || c == 1 ? QStringLiteral("L%1").arg(r * c) : QString::number(r * c - 20));
            b->setRowsHidden(4, 4, true);
            return b;
        }();
        const chart::ChartData figures = chart::chartDataFor(*book, chart);
        QImage image(160, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        chart::drawChart(painter, QRectF(0, 0, 160, 100), chart, figures);
    } catch (const QvError &) {
        // A clear refusal is the expected answer to bad input.
    }
    return 0;
}
