// Compiling a plan: 60 tables of 40 rows by 14 columns with formulas, in 30
// sections with a page of text each. First the export (the five list files,
// the Excel copies, the table pictures), then the compiler's PDF; in the same
// run LibreOffice converts the compiler's OpenDocument text of the same plan
// to PDF, for comparison.

#include "compile/CompileFiles.h"
#include "compile/compiler/PlanCompiler.h"
#include "controls/workbook/Workbook.h"
#include "plan/PlanBuilder.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
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
    const QByteArray paragraph = "Our customers come for advice as much as for gear. This paragraph stands for the "
                                 "text an owner writes about the section's subject, long enough to wrap over "
                                 "several lines of the page.\\par ";
    for (int s = 0; s < sections; ++s) {
        QFile text(folder + QStringLiteral("Ans%1.rtf").arg(s + 1, 5, 10, QLatin1Char('0')));
        if (!text.open(QIODevice::WriteOnly) || text.write("{\\rtf1\\ansi " + paragraph.repeated(8) + "}") < 0)
            return 1;
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

    qv::compiler::CompileRequest request;
    request.folder = folder;
    request.writeOdt = false;
    double pdfTotal = 0;
    int pages = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        pages = qv::compiler::compilePlan(request).pages;
        pdfTotal += timer.nsecsElapsed() / 1e6;
    }
    const double pdfMs = pdfTotal / runs;
    std::printf("compile of the same plan to PDF (%d pages, bookmarks, links): %.0f ms (mean of %d)\n", pages, pdfMs,
                runs);

    request.writePdf = false;
    request.writeOdt = true;
    QElapsedTimer odtTimer;
    odtTimer.start();
    const QString odt = qv::compiler::compilePlan(request).odtPath;
    std::printf("compile of the same plan to OpenDocument text: %.0f ms\n", odtTimer.nsecsElapsed() / 1e6);

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        std::printf("LibreOffice (soffice) is not installed: no comparison\n");
        return 0;
    }
    QProcess convert;
    QElapsedTimer sofficeTimer;
    sofficeTimer.start();
    convert.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + root.filePath(QStringLiteral("lo")),
                            QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                            QStringLiteral("--outdir"), root.filePath(QStringLiteral("lo-out")), odt});
    if (!convert.waitForFinished(600000) || convert.exitCode() != 0) {
        std::printf("LibreOffice could not convert the OpenDocument text\n");
        return 1;
    }
    const double sofficeMs = sofficeTimer.nsecsElapsed() / 1e6;
    std::printf("LibreOffice converting that .odt to PDF (soffice --headless --convert-to pdf, first start): %.0f ms\n",
                sofficeMs);
    std::printf("ratio LibreOffice / our compiler (PDF): %.1f\n", sofficeMs / pdfMs);
    return 0;
}
