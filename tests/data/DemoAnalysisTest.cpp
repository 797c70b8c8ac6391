// The financial analysis window on the demonstration plan, as a user meets
// it: the year tabs of the plan's projected years with every measure, its
// usual range and its reading, the example company beside it, the
// instructions, printing to a PDF, and figures that follow an edit of the
// sales forecast. With QV_SCREENSHOT_DIR it also saves pictures of a year
// tab and of the instructions.

#include "controls/richtextview/DisplayBox.h"
#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/WorkbookView.h"
#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "editors/analysis/frmAnalysis.h"
#include "plan/Plan.h"
#include "platform/gui/DesktopServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace qv;

namespace {

const QString sources = QStringLiteral(QV_TEMPLATE_SOURCES_DIR);

// Prints to a PDF file instead of asking.
class PdfPrintDialogs final : public platform::PrintDialogs
{
public:
    explicit PdfPrintDialogs(QString file) : m_file(std::move(file)) {}
    bool print(QObject *, QPrinter &printer, const platform::PrintRequest &) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_file);
        return true;
    }
    bool pageSetup(QObject *, QPrinter &) override { return true; }

private:
    QString m_file;
};

// The demo plan of `name` (data/demo/<name>.qa), made in `folder`.
std::unique_ptr<plan::Plan> makeDemo(const QString &name, const QString &folder)
{
    QFile demo(sources + QStringLiteral("/demo/") + name + QStringLiteral(".qa"));
    if (!demo.open(QIODevice::ReadOnly))
        return nullptr;
    QByteArray text = demo.readAll();
    text.replace("@MYPLANS@", QDir(folder).absolutePath().toUtf8());
    const QString answers = QDir(folder).filePath(QStringLiteral("answers.qa"));
    QFile copy(answers);
    if (!copy.open(QIODevice::WriteOnly))
        return nullptr;
    copy.write(text);
    copy.close();
    create::SilentProgress progress;
    create::PlanCreation creation(progress);
    if (!creation.createPlanFromQA(answers).planMade())
        return nullptr;
    auto plan = std::make_unique<plan::Plan>();
    plan->Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan->setFilePath(creation.plan()->fullPath());
    return plan->Open() ? std::move(plan) : nullptr;
}

// The plan's tables as the composer loads them: the outline's, by table name.
void loadTables(const plan::Plan &plan, workbook::WorkbookSet &set)
{
    workbook::WorkbookSet::Batch once(set);
    const auto &chapters = plan.outline().chapters();
    for (int c = 1; c <= chapters.count(); ++c)
        for (int s = 1; s <= chapters.item(c)->sections().count(); ++s) {
            const auto &tables = chapters.item(c)->sections().item(s)->tables();
            for (int t = 1; t <= tables.count(); ++t)
                set.add(workbook::loadWorkbook(QDir(plan.folder()).filePath(tables.item(t)->fileName())));
        }
}

int rowOf(const workbook::Workbook &book, const QString &label)
{
    for (int row = 1; row <= book.lastRow(); ++row)
        if (book.text(row, 1) == label)
            return row;
    return 0;
}

template <class T> T *in(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

} // namespace

TEST(DemoAnalysis, TheWindowShowsEveryYearsMeasuresTheExampleAndInstructionsPrintsAndFollowsTheForecast)
{
    if (!QFileInfo::exists(QStringLiteral(QV_INSTALL_DIR "/Data/ENG/BusPlan")))
        GTEST_SKIP() << "the library is not generated";
    QTemporaryDir dir;
    const auto plan = makeDemo(QStringLiteral("Retail-New"), dir.path());
    ASSERT_TRUE(plan);
    ASSERT_TRUE(plan->profile().analysis());
    const int years = plan->profile().projectedYears();
    ASSERT_GE(years, 1);
    workbook::WorkbookSet tables;
    loadTables(*plan, tables);
    const QString pdf = dir.filePath(QStringLiteral("analysis.pdf"));
    platform::installPrintDialogs(std::make_shared<PdfPrintDialogs>(pdf));

    {
        analysis::frmAnalysis window(*plan, tables);
        window.resize(900, 640);
        window.show();
        QApplication::processEvents();
        auto *tabs = in<QTabBar>(&window, "tabAnalysis");
        auto *view = in<workbook::WorkbookView>(&window, "f1Analysis");
        auto *example = in<QPushButton>(&window, "cmdExample");
        ASSERT_EQ(tabs->count(), years + 1);
        EXPECT_EQ(tabs->tabText(years), QStringLiteral("Instructions"));
        const QStringList measures{QStringLiteral("Gross margin"), QStringLiteral("Operating margin"),
                                   QStringLiteral("Net profit margin"), QStringLiteral("Return on assets"),
                                   QStringLiteral("Return on equity"), QStringLiteral("Current ratio"),
                                   QStringLiteral("Quick ratio"), QStringLiteral("Days receivable"),
                                   QStringLiteral("Days payable"), QStringLiteral("Stock turn"),
                                   QStringLiteral("Debt to equity"), QStringLiteral("Debt to assets"),
                                   QStringLiteral("Interest cover"), QStringLiteral("Margin of safety"),
                                   QStringLiteral("Cash runway, months")};
        for (int year = 1; year <= years; ++year) {
            tabs->setCurrentIndex(year - 1);
            workbook::Workbook &book = *view->workbook();
            EXPECT_EQ(book.activeSheet(), year - 1);
            EXPECT_EQ(book.text(2, 1), QStringLiteral("Projected year %1").arg(year));
            for (const QString &measure : measures) {
                const int row = rowOf(book, measure);
                ASSERT_GT(row, 0) << measure.toStdString();
                EXPECT_TRUE(book.value(row, 2).isNumber()) << "year " << year << ": " << measure.toStdString();
                EXPECT_TRUE(book.value(row, 3).isNumber() && book.value(row, 4).isNumber()) << measure.toStdString();
                EXPECT_TRUE(book.text(row, 5).endsWith(QStringLiteral("the usual range"))) << measure.toStdString();
                EXPECT_FALSE(book.text(row + 1, 1).isEmpty()) << measure.toStdString();
            }
            const int growth = rowOf(book, QStringLiteral("Sales growth on the year before"));
            EXPECT_EQ(book.value(growth, 2).isNumber(), year > 1) << "a new business's first year grows from nothing";
        }

        // The example company's figures beside the plan's.
        tabs->setCurrentIndex(0);
        const int salesRow = rowOf(*view->workbook(), QStringLiteral("Sales"));
        const double planSales = view->workbook()->number(salesRow, 2);
        example->click();
        EXPECT_EQ(view->workbook()->title(), QStringLiteral("Example"));
        const auto exampleBook = workbook::loadWorkbook(QStringLiteral(QV_INSTALL_DIR "/Data/ENG/BusPlan/Common/New/Tables/TPLANRT.vts"));
        EXPECT_EQ(view->workbook()->number(salesRow, 2), exampleBook->number(salesRow, 2));
        EXPECT_GT(view->workbook()->number(salesRow, 2), 0);
        example->click();
        EXPECT_EQ(view->workbook()->number(salesRow, 2), planSales);

        if (const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR"); !folder.isEmpty()) {
            QDir().mkpath(folder);
            tabs->setCurrentIndex(1);
            QApplication::processEvents();
            window.grab().save(folder + QStringLiteral("/analysis-year.png"));
        }

        // Printing the year's sheet gives a PDF with its measures.
        tabs->setCurrentIndex(0);
        in<QPushButton>(&window, "cmdPrint")->click();
        EXPECT_GT(QFileInfo(pdf).size(), 1000);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (!pdftotext.isEmpty()) {
            QProcess text;
            text.start(pdftotext, {pdf, QStringLiteral("-")});
            ASSERT_TRUE(text.waitForFinished(30000));
            const QString printed = QString::fromUtf8(text.readAllStandardOutput());
            EXPECT_TRUE(printed.contains(QStringLiteral("Gross margin"))) << printed.left(400).toStdString();
            EXPECT_TRUE(printed.contains(QStringLiteral("Usual ranges are rough guides"))) << printed.left(400).toStdString();
        }

        // The instructions explain every measure.
        tabs->setCurrentIndex(years);
        const QString instructions = in<richtext::DisplayBox>(&window, "rtfInstr")->view()->toPlainText();
        for (const QString &measure : {QStringLiteral("Gross margin"), QStringLiteral("Quick ratio"), QStringLiteral("Stock turn"),
                                       QStringLiteral("Interest cover"), QStringLiteral("Cash runway"),
                                       QStringLiteral("out of range")})
            EXPECT_TRUE(instructions.contains(measure, Qt::CaseInsensitive)) << measure.toStdString();
        if (const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR"); !folder.isEmpty()) {
            QApplication::processEvents();
            window.grab().save(folder + QStringLiteral("/analysis-instructions.png"));
        }

        // An edit of the sales forecast reaches the open analysis: a better
        // price for the first product in the first month it sells.
        tabs->setCurrentIndex(0);
        workbook::Workbook *forecast = tables.find(QStringLiteral("Tbl0503"));
        ASSERT_TRUE(forecast);
        int column = 2;
        while (column < 13 && forecast->number(3, column) <= 0)
            ++column;
        const int netRow = rowOf(*view->workbook(), QStringLiteral("Net profit margin"));
        const double margin = view->workbook()->number(netRow, 2);
        forecast->setNumber(4, column, forecast->number(4, column) * 1.5);
        EXPECT_GT(view->workbook()->number(salesRow, 2), planSales);
        EXPECT_GT(view->workbook()->number(netRow, 2), margin);
        window.accept();
    }
    platform::installPrintDialogs(nullptr);

    // Closing wrote the analysis back with its links, so it stays current.
    workbook::Workbook written;
    written.read(QDir(plan->folder()).filePath(plan->profile().analysisFileName()));
    EXPECT_EQ(written.sheetCount(), 5);
    EXPECT_TRUE(written.formula(rowOf(written, QStringLiteral("Sales")), 2).contains(QStringLiteral("[Tbl0802]")));
}
