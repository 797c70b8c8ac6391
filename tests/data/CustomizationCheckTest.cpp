// Plans made from the generated library with every count the wizard allows:
// hiding rows for fewer products, media, segments or markets, narrowing the
// tables to fewer years and writing the headings must leave every table
// without an error value, every link whole and every check holding.

#include "sourcereader/TableDefinition.h"
#include "sourcereader/TemplateSources.h"

#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "plan/Plan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace qv::templates;

namespace {

const QString library = QStringLiteral(QV_INSTALL_DIR "/Data/ENG");
const QString sources = QStringLiteral(QV_TEMPLATE_SOURCES_DIR);

struct Case
{
    bool business;
    QString kind;
    QString stage; // "New", "Exist"; empty for marketing plans
    QString tableSource() const
    {
        if (!business)
            return sources + QStringLiteral("/tables/MrktPlan/Common");
        const QString set = kind == QLatin1String("Custom") ? QStringLiteral("Custom") : QStringLiteral("Common");
        return sources + QStringLiteral("/tables/BusPlan/%1-%2").arg(set, stage);
    }
    QString label() const { return (business ? QStringLiteral("business ") : QStringLiteral("marketing ")) + kind + u' ' + stage; }
};

QList<Case> cases()
{
    QList<Case> result;
    for (const QString &kind : kindNames())
        for (const QString &stage : {QStringLiteral("New"), QStringLiteral("Exist")})
            result.append({true, kind, stage});
    for (const QString &kind : kindNames())
        result.append({false, kind, QString()});
    return result;
}

// The answers of one plan where every count is n, as far as each allows.
QByteArray answers(const Case &c, int n, const QString &document)
{
    const auto upTo = [n](int most) { return QByteArray::number(std::min(n, most)); };
    QByteArray text;
    text += c.business ? "[PLAN]=Business\n" : "[PLAN]=Marketing\n";
    text += "[FIELD1.4]=" + document.toUtf8() + '\n';
    text += "[FIELD1.1]=" + c.kind.toUtf8() + '\n';
    if (c.business)
        text += c.stage == QLatin1String("New") ? "[FIELD1.2]=New\n" : "[FIELD1.2]=Existing\n";
    text += "[FIELD1.5]=Check Company\n";
    text += "[FIELD3.1]=" + upTo(5) + '\n';
    text += "[FIELD3.2]=" + upTo(10) + '\n';
    if (c.business) {
        text += "[FIELD3.3]=" + upTo(6) + '\n';
        text += "[FIELD3.4]=" + upTo(6) + '\n';
        text += "[FIELD3.5]=" + upTo(6) + '\n';
    } else {
        for (const char *key : {"[FIELD3.3]=", "[FIELD3.4]=", "[FIELD3.5]=", "[FIELD3.6]=", "[FIELD3.7]=", "[FIELD3.8]="})
            text += key + upTo(10) + '\n';
    }
    text += "[FIELD3A.X]=5\n";
    text += "[FIELD1.6]=2025\n";
    return text;
}

QString joined(const QStringList &lines)
{
    return lines.join(u'\n');
}

// The results of every formula of the set, by "Tbl0503!B33".
QMap<QString, QString> formulaResults(const qv::workbook::WorkbookSet &set)
{
    QMap<QString, QString> result;
    for (const auto *book : set.books()) {
        const qv::workbook::CellRange all{1, 1, qv::workbook::maxRows, qv::workbook::maxColumns};
        book->sheetData(0).forEachCell(all, [&](int row, int col, const qv::workbook::Cell &cell) {
            if (cell.formula >= 0)
                result.insert(book->title().toUpper() + u'!' + qv::workbook::cellName(row, col),
                              qv::workbook::plainText(book->storedValue(0, row, col)));
        });
    }
    return result;
}

} // namespace

TEST(Customization, EveryAllowedCountLeavesTheTablesWhole)
{
    if (!QFileInfo(library).isDir())
        GTEST_SKIP() << "the library is not generated";
    int checked = 0;
    for (const auto &c : cases()) {
        if (!QFileInfo(c.tableSource()).isDir())
            continue; // the set is not written yet
        const auto definitions = readTableSet(c.tableSource());
        ASSERT_TRUE(definitions.errors.isEmpty()) << joined(definitions.errors).toStdString();
        // Every count hides rows and narrows columns only: the formulas give
        // what they gave with nothing hidden (all ten products, five years).
        QMap<QString, QString> unhidden;
        for (int n = 10; n >= 1; --n) {
            QTemporaryDir dir;
            const QString document = dir.filePath(QStringLiteral("Check.") + (c.business ? u'b' : u'm') +
                                                  QStringLiteral("pl"));
            const QString answerFile = dir.filePath(QStringLiteral("answers.qa"));
            QFile file(answerFile);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(answers(c, n, document));
            file.close();

            qv::create::SilentProgress progress;
            qv::create::PlanCreation creation(progress);
            const auto result = creation.createPlanFromQA(answerFile);
            const std::string where = QString(c.label() + QStringLiteral(", count %1").arg(n)).toStdString();
            ASSERT_TRUE(result.planMade()) << where << ": " << result.failure.toStdString();
            EXPECT_TRUE(result.notApplied.isEmpty()) << where << ":\n" << joined(result.notApplied).toStdString();

            const QString folder = creation.plan()->folder();
            qv::workbook::WorkbookSet set;
            const QStringList unreadable = qv::workbook::loadFolder(set, folder);
            EXPECT_TRUE(unreadable.isEmpty()) << where << ":\n" << joined(unreadable).toStdString();
            set.recalculate();
            // Every table of the set, and beside each analysis its example,
            // as the tables folder holds them.
            const auto analyses = std::count_if(definitions.value.tables.cbegin(), definitions.value.tables.cend(),
                                                [](const TableDefinition &table) { return table.isAnalysis(); });
            EXPECT_EQ(set.count(), int(definitions.value.tables.size() + analyses)) << where;
            const auto errors = errorCells(set);
            EXPECT_TRUE(errors.isEmpty()) << where << ":\n" << joined(errors).toStdString();
            const auto failed = failedChecks(definitions.value, set);
            EXPECT_TRUE(failed.isEmpty()) << where << ":\n" << joined(failed).toStdString();
            const auto results = formulaResults(set);
            if (n == 10) {
                unhidden = results;
            } else {
                QStringList changed;
                for (auto it = results.cbegin(); it != results.cend(); ++it)
                    if (unhidden.value(it.key()) != it.value())
                        changed << QStringLiteral("%1: %2, with nothing hidden %3").arg(it.key(), it.value(), unhidden.value(it.key()));
                EXPECT_TRUE(changed.isEmpty()) << where << ": results that depend on what is hidden:\n"
                                               << joined(changed.mid(0, 20)).toStdString();
            }
            ++checked;
        }
    }
    if (checked == 0)
        GTEST_SKIP() << "no table set written yet";
}
