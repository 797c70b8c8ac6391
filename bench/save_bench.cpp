// What a save costs beyond the plan document: committing working copies
// (no pause, as on this platform) and the digest of every loaded table's
// formula results that finds tables changed through links.

#include "composer/PlanSaving.h"
#include "controls/workbook/Workbook.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const int texts = 100;
    const int tables = 60;
    const QByteArray text(20000, 'x');
    const QByteArray table(60000, 'y');

    const int runs = 5;
    double commitTotal = 0;
    for (int run = 0; run < runs; ++run) {
        for (int n = 1; n <= texts; ++n)
            qv::platform::writeFileAtomically(
                qv::platform::joinPath(folder.path(), QStringLiteral("Ans%1.tmp").arg(n, 5, 10, QLatin1Char('0'))), text);
        for (int n = 1; n <= tables; ++n)
            qv::platform::writeFileAtomically(
                qv::platform::joinPath(folder.path(), QStringLiteral("Tbl%1.tbf").arg(n, 4, 10, QLatin1Char('0'))), table);
        QElapsedTimer timer;
        timer.start();
        const auto failures = qv::composer::commitWorkingFiles(folder.path(), 0, {});
        commitTotal += timer.nsecsElapsed() / 1e6;
        if (!failures.isEmpty()) {
            std::fprintf(stderr, "a commit failed\n");
            return 1;
        }
    }
    std::printf("commit %d texts and %d tables, no pause: %.1f ms (mean of %d)\n", texts, tables, commitTotal / runs,
                runs);

    std::vector<std::unique_ptr<qv::workbook::Workbook>> books;
    for (int n = 0; n < tables; ++n) {
        auto book = std::make_unique<qv::workbook::Workbook>();
        for (int row = 1; row <= 40; ++row) {
            for (int col = 2; col <= 13; ++col)
                book->setNumber(row, col, row * col);
            book->setFormula(row, 14, QStringLiteral("=SUM(B%1:M%1)").arg(row));
        }
        books.push_back(std::move(book));
    }
    QElapsedTimer timer;
    timer.start();
    for (int run = 0; run < runs; ++run) {
        for (auto &book : books)
            qv::composer::formulaResultsDigest(*book);
    }
    std::printf("formula digest of %d tables of 40x14 cells: %.2f ms (mean of %d)\n", tables,
                timer.nsecsElapsed() / 1e6 / runs, runs);
    return 0;
}
