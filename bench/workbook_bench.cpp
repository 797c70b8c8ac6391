// Figures for the spreadsheet engine: a synthetic sheet of formula cells
// (chains and SUM blocks) at three sizes, to show the growth, and a set of
// forty linked tables of plan size loaded, recalculated and saved.

#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace qv::workbook;

namespace {

// The figures count this thread's processor time, so that other programs
// sharing the machine do not inflate them; wall time is printed at the end.
class CpuTimer
{
public:
    void start() { m_start = now(); }
    void restart() { start(); }
    double lap()
    {
        const double t = now();
        const double s = t - m_start;
        m_start = t;
        return s;
    }

private:
    static double now()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
    }
    double m_start = 0;
};

double seconds(CpuTimer &t)
{
    return t.lap();
}

// Ten formula columns per row: arithmetic, a running chain down the sheet,
// SUM over the row and over a block of ten rows, IF and ROUND.
WorkbookContent syntheticSheet(int rows)
{
    WorkbookContent content;
    SheetData &sheet = content.sheets[0];
    for (int r = 1; r <= rows; ++r) {
        sheet.cellForWrite(r, 1).value = Value::fromNumber(r % 97);
        const QString n = QString::number(r), p = QString::number(std::max(1, r - 1)), b = QString::number(std::max(1, r - 9));
        content.setFormula(0, r, 2, QStringLiteral("A") + n + QStringLiteral("*1.01"), {});
        content.setFormula(0, r, 3, r == 1 ? QStringLiteral("B1") : QStringLiteral("C") + p + QStringLiteral("+B") + n, {});
        content.setFormula(0, r, 4, QStringLiteral("SUM(A") + n + QStringLiteral(":C") + n + u')', {});
        content.setFormula(0, r, 5, QStringLiteral("D") + n + QStringLiteral("-A") + n, {});
        content.setFormula(0, r, 6, QStringLiteral("IF(E") + n + QStringLiteral(">0,E") + n + QStringLiteral(",0)"), {});
        content.setFormula(0, r, 7, QStringLiteral("SUM(B") + b + QStringLiteral(":B") + n + u')', {});
        content.setFormula(0, r, 8, QStringLiteral("G") + n + QStringLiteral("/2"), {});
        content.setFormula(0, r, 9, QStringLiteral("H") + n + QStringLiteral("+F") + n, {});
        content.setFormula(0, r, 10, QStringLiteral("ROUND(I") + n + QStringLiteral(",2)"), {});
        content.setFormula(0, r, 11, r == 1 ? QStringLiteral("J1") : QStringLiteral("K") + p + QStringLiteral("+J") + n, {});
    }
    return content;
}

void syntheticFigures(int rows, bool fileToo)
{
    CpuTimer t;
    t.start();
    WorkbookContent content = syntheticSheet(rows);
    const double compile = seconds(t);
    Workbook book;
    book.replaceContent(std::move(content)); // registers and calculates everything
    const double first = seconds(t);
    book.recalculate();
    const double full = seconds(t);
    book.setNumber(1, 1, 5); // dirties both chains: nearly the whole sheet
    const double chained = seconds(t);
    book.setNumber(rows, 1, 7); // the last row: a handful of cells
    const double local = seconds(t);
    const long cells = long(rows) * 10;
    std::printf("%8ld formula cells: compile %.3f s, first calculation %.3f s, full recalculation %.3f s "
                "(%.0f ns/cell), change at the top %.3f s, change at the bottom %.6f s\n",
                cells, compile, first, full, full * 1e9 / double(cells), chained, local);
    std::printf("         check: K%d = %s\n", rows, qPrintable(book.text(rows, 11)));
    if (fileToo) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.vts"));
        t.restart();
        book.write(path);
        const double save = seconds(t);
        Workbook read;
        read.read(path);
        const double load = seconds(t);
        std::printf("         save %.3f s (%.1f MB), load with recalculation %.3f s\n", save,
                    double(QFileInfo(path).size()) / 1e6, load);
    }
}

// One plan table: 60 lines of 12 months and a total; every table reads
// the one before it, as income statements read sales forecasts.
void writePlanTables(const QString &folder, int count)
{
    for (int t = 1; t <= count; ++t) {
        Workbook book;
        book.setTitle(QStringLiteral("Tbl%1").arg(t, 4, 10, QLatin1Char('0')));
        book.setEntry(1, 1, QStringLiteral("Table %1").arg(t));
        for (int m = 0; m < 12; ++m)
            book.setEntry(2, m + 2, QStringLiteral("%1/1/2000").arg(m + 1));
        book.setNumberFormat(CellRange{2, 2, 2, 13}, QStringLiteral("mmm yyyy"));
        book.setEntry(2, 14, QStringLiteral("Total"));
        for (int r = 3; r <= 62; ++r) {
            book.setEntry(r, 1, QStringLiteral("Line %1").arg(r - 2));
            for (int c = 2; c <= 13; ++c) {
                if (t > 1 && r % 3 == 0)
                    book.setEntry(r, c, QStringLiteral("=[Tbl%1]Sheet1!%2*1.05").arg(t - 1, 4, 10, QLatin1Char('0')).arg(cellName(r, c)));
                else if (r % 3 == 1)
                    book.setEntry(r, c, QStringLiteral("=%1+%2").arg(cellName(r - 1, c), cellName(r, std::max(2, c - 1))));
                else
                    book.setNumber(r, c, r * 10 + c);
            }
            book.setEntry(r, 14, QStringLiteral("=SUM(B%1:M%1)").arg(r));
        }
        book.setNumberFormat(CellRange{3, 2, 62, 14}, QStringLiteral("$#,##0_);($#,##0)"));
        book.write(QDir(folder).filePath(book.title() + QStringLiteral(".vts")));
    }
}

void planFigures()
{
    QTemporaryDir dir;
    writePlanTables(dir.path(), 40);
    CpuTimer t;
    t.start();
    WorkbookSet set;
    const QStringList problems = loadFolder(set, dir.path());
    const double load = seconds(t);
    set.recalculate();
    const double recalc = seconds(t);
    set.find(QStringLiteral("Tbl0001"))->setNumber(3, 2, 999); // ripples through all forty
    const double ripple = seconds(t);
    for (Workbook *book : set.books())
        book->write(dir.filePath(book->title() + QStringLiteral(".vts")));
    const double save = seconds(t);
    std::size_t cells = 0;
    for (Workbook *book : set.books())
        cells += book->sheetData(0).cellCount();
    std::printf("40 linked plan tables (%zu cells): load %.3f s, full recalculation %.4f s, "
                "change rippling through all %.4f s, save %.3f s%s\n",
                cells, load, recalc, ripple, save, problems.isEmpty() ? "" : " (load problems!)");
    std::printf("         check: Tbl0040!N3 = %s\n", qPrintable(set.find(QStringLiteral("Tbl0040"))->text(3, 14)));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "synthetic") { // for profiling
        syntheticFigures(100000, false);
        return 0;
    }
    if (argc > 1 && QByteArray(argv[1]) == "recalc") { // for profiling the recalculation alone
        Workbook book;
        book.replaceContent(syntheticSheet(100000));
        CpuTimer t;
        t.start();
        for (int i = 0; i < 5; ++i) {
            book.recalculate();
            std::printf("full recalculation of 1000000 formula cells: %.3f s\n", seconds(t));
        }
        return 0;
    }
    planFigures();
    syntheticFigures(25000, false);
    syntheticFigures(50000, false);
    syntheticFigures(100000, true);
    return 0;
}
