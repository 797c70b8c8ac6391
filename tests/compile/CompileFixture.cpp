#include "CompileFixture.h"

#include "controls/chart/ChartFile.h"
#include "controls/workbook/Workbook.h"
#include "plan/PlanBuilder.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace qv::test {

namespace {

using workbook::Workbook;

void save(Workbook &book, const QString &path)
{
    book.write(path);
}

// Three rows by two columns, 5000 twips wide, the middle row hidden.
void narrowTable(const QString &path, const QString &title)
{
    Workbook book;
    book.setText(1, 1, title);
    book.setText(2, 1, QStringLiteral("Flour"));
    book.setNumber(2, 2, 1250);
    book.setText(3, 1, QStringLiteral("Total"));
    book.setFormula(3, 2, QStringLiteral("B2*2"));
    book.setColumnWidth(1, 3000);
    book.setColumnWidth(2, 2000);
    for (int row = 1; row <= 3; ++row)
        book.setRowHeight(row, 300);
    book.setRowsHidden(2, 2, true);
    book.changeFormat({1, 1, 1, 1}, [](workbook::CellFormat &f) {
        f.italic = true;
        f.fontColor = 0x0000FF;
    });
    save(book, path);
}

// Shown columns exactly 9361 twips wide, and a hidden third column.
void wideTable(const QString &path)
{
    Workbook book;
    book.setText(1, 1, QStringLiteral("Owner"));
    book.setText(1, 2, QStringLiteral("Share"));
    book.setText(1, 3, QStringLiteral("Note"));
    book.setText(2, 1, QStringLiteral("Ann Lee"));
    book.setNumber(2, 2, 0.6);
    book.setColumnWidth(1, 5000);
    book.setColumnWidth(2, 4361);
    book.setColumnWidth(3, 1000);
    book.setColumnsHidden(3, 3, true);
    book.setRowHeight(1, 255);
    book.setRowHeight(2, 255);
    save(book, path);
}

} // namespace

std::unique_ptr<plan::Plan> makeCompileFixture(const QString &root)
{
    const QString document = platform::joinPath(root, QStringLiteral("Bakery.bpl"));
    plan::PlanBuilder b(plan::BusinessPlan);
    b.kind(plan::Retail).businessName(QStringLiteral("Harbor Street Bakery")).filePath(document);
    b.chapter(QStringLiteral("Executive Summary"))
        .section(QStringLiteral("Overview"), QStringLiteral("0101"), QStringLiteral("Ans00001.rtf"), plan::Exclude)
        .section(QStringLiteral("Highlights"), QStringLiteral("0102"), QString(), plan::InProgress);
    b.chapter(QStringLiteral("Company"))
        .section(QStringLiteral("Mission"), QStringLiteral("0201"), QStringLiteral("Ans00003.rtf"), plan::Complete)
        .table(QStringLiteral("Tbl0201.vts"), QStringLiteral("Start-up Costs"), true)
        .section(QStringLiteral("Location"), QStringLiteral("0202"), QStringLiteral("Ans00004.rtf"), plan::Exclude)
        .table(QStringLiteral("Tbl0202.vts"), QStringLiteral("Lease"), true)
        .section(QStringLiteral("Ownership"), QStringLiteral("0203"), QStringLiteral("Ans00005.rtf"))
        .table(QStringLiteral("Tbl0203.vts"), QStringLiteral("Owners"))
        .table(QStringLiteral("tbl0204.vts"), QStringLiteral("Partners' Shares"));
    b.chapter(QStringLiteral("Products & \"Specialties\""))
        .section(QStringLiteral("Zoë’s Łódź “Rye” — 5 µm"), QStringLiteral("0301"), QStringLiteral("Ans00006.rtf"),
                 plan::Complete);
    b.chapter(QStringLiteral("Appendix"));

    plan::Plan &plan = b.plan();
    auto &tables202 = plan.outline().chapters().item(2)->sections().item(1)->tables();
    tables202.item(1)->setGraphFileName(QStringLiteral("Grf0201.vtc"));
    tables202.item(1)->setGraphTitle(QStringLiteral("Start-up \"Costs\" graph"));
    auto &tables203 = plan.outline().chapters().item(2)->sections().item(2)->tables();
    tables203.item(1)->setGraphFileName(QStringLiteral("Grf0202.vtc"));

    plan::Submitter &submitter = plan.submitter();
    submitter.setSubmittedTo(QStringLiteral("First Harbor Bank"));
    submitter.setSubmissionDate(QStringLiteral("January 15, 2026"));
    plan::Address &address = submitter.address();
    address.setName(QStringLiteral("Ann Lee"));
    address.setStreet(QStringLiteral("12 Harbor St."));
    address.setCity(QStringLiteral("Portland"));
    address.setState(QStringLiteral("ME"));
    address.setZip(QStringLiteral("04101"));
    address.setTelephone(QStringLiteral("207-555-0100"));
    address.setFax(QStringLiteral("207-555-0101"));

    std::unique_ptr<plan::Plan> made = b.take();
    made->Save();
    const QString folder = platform::withTrailingSeparator(made->folder());
    QDir().mkpath(folder);
    for (int n : {1, 3, 4, 5, 6}) {
        QFile text(folder + QStringLiteral("Ans%1.rtf").arg(n, 5, 10, QLatin1Char('0')));
        if (!text.open(QIODevice::WriteOnly) || text.write("{\\rtf1 text\\par }") < 0)
            throw std::runtime_error("cannot write a section text");
    }
    narrowTable(folder + QStringLiteral("Tbl0201.vts"), QStringLiteral("Start-up Costs"));
    narrowTable(folder + QStringLiteral("Tbl0202.vts"), QStringLiteral("Lease"));
    wideTable(folder + QStringLiteral("Tbl0203.vts"));
    narrowTable(folder + QStringLiteral("tbl0204.vts"), QStringLiteral("Partners"));
    chart::ChartDefinition graph;
    graph.dataRange = QStringLiteral("A1:B3");
    chart::writeChartFile(folder + QStringLiteral("Grf0201.vtc"), graph);
    graph.type = chart::ChartType::Pie;
    chart::writeChartFile(folder + QStringLiteral("Grf0202.vtc"), graph);
    return made;
}

QString expectedExportFolder()
{
    return QStringLiteral(QV_TEST_DATA_DIR "/compile/expected");
}

} // namespace qv::test
