// Time from OpenPlan to the first section shown, for a plan of 60 tables.
// Run offscreen: QT_QPA_PLATFORM=offscreen ./composer_bench

#include "composer/frmMain.h"
#include "controls/workbook/Workbook.h"
#include "plan/PlanBuilder.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "shell/CurrentPlan.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir root;
    qv::platform::Folders::setInstallFolder(root.path());
    qv::platform::Folders::setUserConfigFolder(root.filePath(QStringLiteral("config")));

    auto plan = qv::plan::PlanBuilder::sized(10, 40, 60);
    const QString document = root.filePath(QStringLiteral("Bench.bpl"));
    plan->setFilePath(document);
    plan->Save();
    QDir().mkpath(plan->folder());
    int filled = 0;
    for (const auto &chapter : plan->outline().chapters()) {
        for (const auto &section : chapter->sections()) {
            if (!section->textFileName().isEmpty())
                qv::platform::writeFileAtomically(qv::platform::joinPath(plan->folder(), section->textFileName()),
                                                  "{\\rtf1\\ansi Section text\\par }");
            for (const auto &table : section->tables()) {
                qv::workbook::Workbook book;
                for (int row = 1; row <= 40; ++row) {
                    book.setText(row, 1, QStringLiteral("Item %1").arg(row));
                    for (int col = 2; col <= 13; ++col)
                        book.setNumber(row, col, row * col);
                    book.setFormula(row, 14, QStringLiteral("=SUM(B%1:M%1)").arg(row));
                }
                book.write(qv::platform::joinPath(plan->folder(), table->fileName()));
                ++filled;
            }
        }
    }

    const int runs = 5;
    double total = 0;
    for (int run = 0; run < runs; ++run) {
        qv::shell::replaceCurrentPlan();
        qv::composer::frmMain window;
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        QElapsedTimer timer;
        timer.start();
        const bool opened = window.OpenPlan(document);
        const double ms = timer.nsecsElapsed() / 1e6;
        if (!opened || !window.currentSection()) {
            std::fprintf(stderr, "the plan did not open\n");
            return 1;
        }
        total += ms;
        window.unload();
    }
    std::printf("OpenPlan to first section, %d tables of 40x14 cells: %.1f ms (mean of %d)\n", filled,
                total / runs, runs);
    return 0;
}
