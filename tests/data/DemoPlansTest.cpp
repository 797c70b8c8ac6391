// Plans made from the demonstration answers in data/demo, as the demo script
// makes them: every answer applies, the tables hold the answered figures,
// compute without an error value and balance, and the rows the counts leave
// over are hidden.

#include "sourcereader/TableDefinition.h"
#include "sourcereader/TemplateSources.h"

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "plan/Plan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace qv::templates;

namespace {

const QString library = QStringLiteral(QV_INSTALL_DIR "/Data/ENG");
const QString sources = QStringLiteral(QV_TEMPLATE_SOURCES_DIR);

QString joined(const QStringList &lines)
{
    return lines.join(u'\n');
}

// The answers of a demo file by key (comment lines have no "=").
QMap<QString, QString> answersOf(const QByteArray &text)
{
    QMap<QString, QString> result;
    for (const QByteArray &line : text.split('\n')) {
        const int equals = line.indexOf('=');
        if (equals > 0)
            result.insert(QString::fromUtf8(line.left(equals)).trimmed(), QString::fromUtf8(line.mid(equals + 1)).trimmed());
    }
    return result;
}

QString tableSourceOf(const QMap<QString, QString> &answers)
{
    if (answers.value(QStringLiteral("[PLAN]")) != QLatin1String("Business"))
        return sources + QStringLiteral("/tables/MrktPlan/Common");
    const QString set = answers.value(QStringLiteral("[FIELD1.1]")) == QLatin1String("Custom") ? QStringLiteral("Custom")
                                                                                               : QStringLiteral("Common");
    const QString stage = answers.value(QStringLiteral("[FIELD1.2]")) == QLatin1String("New") ? QStringLiteral("New")
                                                                                             : QStringLiteral("Exist");
    return sources + QStringLiteral("/tables/BusPlan/%1-%2").arg(set, stage);
}

// Rows [first, last] of the table must be hidden, the row before them shown.
QStringList hiddenRowProblems(const qv::workbook::WorkbookSet &set, const QString &table, int first, int last)
{
    QStringList problems;
    const auto *book = set.find(table);
    if (!book)
        return {table + QStringLiteral(": missing")};
    for (int row = first; row <= last; ++row)
        if (!book->isRowHidden(row))
            problems << QStringLiteral("%1: row %2 is shown").arg(table).arg(row);
    if (first > 1 && book->isRowHidden(first - 1))
        problems << QStringLiteral("%1: row %2 is hidden").arg(table).arg(first - 1);
    return problems;
}

// The row of a sheet whose column A reads `label`; 0 when none does.
int rowOf(const qv::workbook::Workbook &book, int sheet, const QString &label)
{
    for (int row = 1; row <= book.sheetData(sheet).lastStoredRow(); ++row)
        if (book.textOf(sheet, row, 1) == label)
            return row;
    return 0;
}

// The plan's financial analysis: every projected year's sheet shows its
// measures without an error value, and a change of the sales forecast
// reaches them.
QStringList analysisProblems(const qv::plan::Plan &plan, qv::workbook::WorkbookSet &set, const QMap<QString, QString> &answers)
{
    const auto &profile = plan.profile();
    if (!profile.analysis())
        return {QStringLiteral("the plan offers no analysis")};
    qv::workbook::Workbook *analysis = set.find(QFileInfo(profile.analysisFileName()).completeBaseName());
    if (!analysis)
        return {profile.analysisFileName() + QStringLiteral(" is not in the plan folder")};
    QStringList problems;
    const int years = profile.projectedYears();
    if (years < 1 || years > analysis->sheetCount())
        problems << QStringLiteral("%1 projected years, %2 sheets").arg(years).arg(analysis->sheetCount());
    const QStringList measures{QStringLiteral("Gross margin"), QStringLiteral("Net profit margin"), QStringLiteral("Current ratio"),
                               QStringLiteral("Debt to assets"), QStringLiteral("Margin of safety")};
    for (int sheet = 0; sheet < std::min(years, analysis->sheetCount()); ++sheet) {
        for (const QString &measure : measures) {
            const int row = rowOf(*analysis, sheet, measure);
            if (row == 0 || !analysis->storedValue(sheet, row, 2).isNumber())
                problems << QStringLiteral("year %1: %2 shows no figure").arg(sheet + 1).arg(measure);
            else if (analysis->textOf(sheet, row + 1, 1).isEmpty())
                problems << QStringLiteral("year %1: %2 has no reading").arg(sheet + 1).arg(measure);
        }
    }

    // A hundred more units of the first product, in the first month (or
    // projected year) that has a price: the first year's sales and net
    // margin move.
    const bool custom = answers.value(QStringLiteral("[FIELD1.1]")) == QLatin1String("Custom");
    const bool isNew = answers.value(QStringLiteral("[FIELD1.2]")) == QLatin1String("New");
    qv::workbook::Workbook *forecast = set.find(custom ? QStringLiteral("Tbl0403") : QStringLiteral("Tbl0503"));
    if (!forecast)
        return problems << QStringLiteral("no sales forecast");
    const int salesRow = rowOf(*analysis, 0, QStringLiteral("Sales"));
    const int marginRow = rowOf(*analysis, 0, QStringLiteral("Net profit margin"));
    const double sales = analysis->storedValue(0, salesRow, 2).number;
    const double margin = analysis->storedValue(0, marginRow, 2).number;
    int column = isNew ? 2 : 4;
    while (isNew && column < 13 && forecast->storedValue(0, 4, column).number <= 0)
        ++column;
    forecast->setNumber(3, column, forecast->storedValue(0, 3, column).number + 100);
    set.recalculate();
    if (!(analysis->storedValue(0, salesRow, 2).number > sales))
        problems << QStringLiteral("more units sold leave the analysis's sales at %1").arg(sales);
    if (analysis->storedValue(0, marginRow, 2).number == margin)
        problems << QStringLiteral("more units sold leave the net margin at %1").arg(margin);
    return problems;
}

} // namespace

TEST(DemoPlans, EveryDemoAnswerFileMakesAWholeBalancedPlan)
{
    if (!QFileInfo(library).isDir())
        GTEST_SKIP() << "the library is not generated";
    const QStringList files = QDir(sources + QStringLiteral("/demo")).entryList({QStringLiteral("*.qa")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 15);
    for (const QString &name : files) {
        const std::string where = name.toStdString();
        QFile demo(sources + QStringLiteral("/demo/") + name);
        ASSERT_TRUE(demo.open(QIODevice::ReadOnly)) << where;
        QTemporaryDir dir;
        QByteArray text = demo.readAll();
        text.replace("@MYPLANS@", QDir(dir.path()).absolutePath().toUtf8());
        const auto answers = answersOf(text);
        const QString answerFile = dir.filePath(QStringLiteral("answers.qa"));
        QFile copy(answerFile);
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(text);
        copy.close();

        qv::create::SilentProgress progress;
        qv::create::PlanCreation creation(progress);
        const auto result = creation.createPlanFromQA(answerFile);
        ASSERT_TRUE(result.planMade()) << where << ": " << result.failure.toStdString();
        EXPECT_TRUE(result.notApplied.isEmpty()) << where << ":\n" << joined(result.notApplied).toStdString();

        const auto definitions = readTableSet(tableSourceOf(answers));
        ASSERT_TRUE(definitions.errors.isEmpty()) << joined(definitions.errors).toStdString();
        qv::workbook::WorkbookSet set;
        const QStringList unreadable = qv::workbook::loadFolder(set, creation.plan()->folder());
        EXPECT_TRUE(unreadable.isEmpty()) << where << ":\n" << joined(unreadable).toStdString();
        set.recalculate();
        const auto errors = errorCells(set);
        EXPECT_TRUE(errors.isEmpty()) << where << ":\n" << joined(errors).toStdString();
        const auto failed = failedChecks(definitions.value, set);
        EXPECT_TRUE(failed.isEmpty()) << where << ":\n" << joined(failed).toStdString();

        // Every cell answer arrived: the shown text of a number is not checked,
        // only that the cell is no longer what the template left there.
        QStringList missing;
        for (auto it = answers.cbegin(); it != answers.cend(); ++it) {
            const int colon = it.key().indexOf(u':');
            if (colon < 0)
                continue;
            const auto *book = set.find(it.key().left(colon));
            const auto cell = qv::workbook::parseCellRange(it.key().mid(colon + 1));
            if (!book || !cell) {
                missing << it.key();
                continue;
            }
            const auto &value = book->storedValue(0, cell->top, cell->left);
            if (value.isEmpty())
                missing << it.key() + QStringLiteral(" is empty");
        }
        EXPECT_TRUE(missing.isEmpty()) << where << ":\n" << joined(missing).toStdString();

        // The counts hide the rows left over.
        const bool business = answers.value(QStringLiteral("[PLAN]")) == QLatin1String("Business");
        const auto count = [&](const char *key) { return answers.value(QString::fromLatin1(key)).toInt(); };
        QStringList hidden;
        if (business) {
            const bool custom = answers.value(QStringLiteral("[FIELD1.1]")) == QLatin1String("Custom");
            const bool isNew = answers.value(QStringLiteral("[FIELD1.2]")) == QLatin1String("New");
            const int products = count("[FIELD3.2]");
            if (products < 10) {
                hidden << hiddenRowProblems(set, custom ? QStringLiteral("Tbl0403") : QStringLiteral("Tbl0503"), 3 * products + 3, 32);
                hidden << hiddenRowProblems(set, custom ? QStringLiteral("Tbl0404") : QStringLiteral("Tbl0505"), 5 * products + 2, 51);
            }
            const int base = isNew ? 3 : 4;
            if (const int media = count("[FIELD3.3]"); media < 6)
                hidden << hiddenRowProblems(set, custom ? QStringLiteral("Tbl0406") : QStringLiteral("Tbl0601"), media + base, base + 5);
            if (const int segments = count("[FIELD3.4]"); segments < 6)
                hidden << hiddenRowProblems(set, QStringLiteral("Tbl0301"), segments + 3, 8);
            if (const int markets = count("[FIELD3.5]"); markets < 6)
                hidden << hiddenRowProblems(set, QStringLiteral("Tbl0302"), markets + 4, 9);
        } else {
            if (const int products = count("[FIELD3.2]"); products < 10) {
                hidden << hiddenRowProblems(set, QStringLiteral("Tbl0801"), products + 4, 14);
                hidden << hiddenRowProblems(set, QStringLiteral("Tbl0802"), 6 * products + 3, 62);
                hidden << hiddenRowProblems(set, QStringLiteral("Tbl1101"), 4 * products + 3, 42);
            }
            const QList<std::pair<const char *, const char *>> items{{"[FIELD3.3]", "Tbl0803"}, {"[FIELD3.4]", "Tbl0804"},
                                                                      {"[FIELD3.5]", "Tbl0805"}, {"[FIELD3.6]", "Tbl0806"},
                                                                      {"[FIELD3.7]", "Tbl0807"}, {"[FIELD3.8]", "Tbl0808"}};
            for (const auto &[key, table] : items)
                if (const int n = count(key); n < 10)
                    hidden << hiddenRowProblems(set, QString::fromLatin1(table), n + 3, 12);
        }
        EXPECT_TRUE(hidden.isEmpty()) << where << ":\n" << joined(hidden).toStdString();

        // For reading the demo tables as shown: QV_DEMO_GRIDS=<folder>.
        if (const char *grids = std::getenv("QV_DEMO_GRIDS")) {
            for (const auto *book : set.books()) {
                QFile out(QStringLiteral("%1/%2-%3.txt").arg(QString::fromLocal8Bit(grids), QFileInfo(name).baseName(), book->title()));
                if (out.open(QIODevice::WriteOnly))
                    out.write(textGrid(*book).toUtf8());
            }
        }

        // Last, as it edits the sales forecast.
        if (business) {
            const auto analysis = analysisProblems(*creation.plan(), set, answers);
            EXPECT_TRUE(analysis.isEmpty()) << where << ":\n" << joined(analysis).toStdString();
        }
    }
}
