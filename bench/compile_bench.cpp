// Exporting a plan for compiling: 60 tables of 40 rows by 14 columns with
// formulas, in 30 sections; the five list files with the Excel copies, then
// the table pictures.

#include "compile/CompileFiles.h"
#include "controls/workbook/Workbook.h"
#include "plan/PlanBuilder.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir root;
    qv::platform::Folders::setUserConfigFolder(root.filePath(QStringLiteral("config")));
    const int chapters = 6;
    const int sections = 30;
    const int tables = 60;

    qv::plan::PlanBuilder builder(qv::plan::BusinessPlan);
    builder.businessName(QStringLiteral("Bench Bakery")).filePath(root.filePath(QStringLiteral("Bench.bpl")));
    for (int s = 0; s < sections; ++s) {
        if (s % (sections / chapters) == 0)
            builder.chapter(QStringLiteral("Chapter %1").arg(s / (sections / chapters) + 1));
        builder.section(QStringLiteral("Section %1").arg(s + 1), QStringLiteral("%1").arg(s + 101, 4, 10, QLatin1Char('0')),
                        QStringLiteral("Ans%1.rtf").arg(s + 1, 5, 10, QLatin1Char('0')));
        for (int t = 0; t < tables / sections; ++t)
            builder.table(QStringLiteral("Tbl%1.vts").arg(s * 10 + t + 100, 4, 10, QLatin1Char('0')),
                          QStringLiteral("Table %1.%2").arg(s + 1).arg(t + 1));
    }
    auto plan = builder.take();
    plan->Save();
    const QString folder = qv::platform::withTrailingSeparator(plan->folder());
    QDir().mkpath(folder);
    for (const auto &chapter : plan->outline().chapters())
        for (const auto &section : chapter->sections())
            for (const auto &table : section->tables()) {
                qv::workbook::Workbook book;
                book.setText(1, 1, table->displayName());
                for (int row = 2; row <= 40; ++row) {
                    book.setText(row, 1, QStringLiteral("Line %1").arg(row));
                    for (int col = 2; col <= 13; ++col)
                        book.setNumber(row, col, row * col * 10.5);
                    book.setFormula(row, 14, QStringLiteral("=SUM(B%1:M%1)").arg(row));
                }
                book.write(folder + table->fileName());
            }

    const int runs = 3;
    double exportTotal = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QStringList written = qv::compile::writeCompileFiles(*plan, qv::compile::PrintConversions(), {});
        exportTotal += timer.nsecsElapsed() / 1e6;
        if (written.size() != 2 * tables + 5) {
            std::fprintf(stderr, "expected %d Excel copies and pictures, got %d\n", 2 * tables, int(written.size()) - 5);
            return 1;
        }
    }
    std::printf("export of %d tables (five list files, Excel copies, table pictures): %.0f ms (mean of %d)\n",
                tables, exportTotal / runs, runs);
    return 0;
}
