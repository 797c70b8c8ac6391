// The wizard's question list: sections by kind and stage, pages, questions,
// and clear reports for lines that cannot be used.

#include "create/wizard/QuestionList.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace qv::wizard;

namespace {
constexpr int kService = 0;
constexpr int kRetail = 3;
constexpr int kCustom = 4;

QStringList promptsOf(const QList<QuestionPage> &pages)
{
    QStringList prompts;
    for (const QuestionPage &page : pages) {
        for (const FigureQuestion &q : page.questions)
            prompts << q.prompt;
    }
    return prompts;
}

FigureQuestion question(FigureKind kind, double minimum, double maximum)
{
    FigureQuestion q;
    q.cell = QStringLiteral("Tbl0201:B3");
    q.kind = kind;
    q.minimum = minimum;
    q.maximum = maximum;
    q.prompt = QStringLiteral("Figure");
    return q;
}
} // namespace

TEST(QuestionList, TestListParsesCleanly)
{
    const QuestionList list = QuestionList::load(QStringLiteral(QV_TEST_DATA_DIR "/wizard-questions.txt"));
    EXPECT_TRUE(list.problems().isEmpty()) << list.problems().join(QLatin1Char('\n')).toStdString();
    const QList<QuestionPage> retailNew = list.pagesFor(kRetail, true);
    ASSERT_EQ(retailNew.size(), 3);
    EXPECT_EQ(retailNew[0].title, QStringLiteral("Start-up Money"));
    EXPECT_EQ(retailNew[0].subtitle, QStringLiteral("What it takes to open the doors, and where the money comes from."));
    EXPECT_EQ(retailNew[0].questions.size(), 4);
    EXPECT_EQ(retailNew[1].title, QStringLiteral("Prices and Rates"));
    EXPECT_EQ(retailNew[2].title, QStringLiteral("The Store"));
    EXPECT_EQ(list.pagesFor(kService, true).size(), 2) << "Service gets the All pages only";
    EXPECT_EQ(list.pagesFor(kCustom, false).size(), 1);
    EXPECT_TRUE(list.pagesFor(7, true).isEmpty());

    const FigureQuestion &first = retailNew[0].questions[0];
    EXPECT_EQ(first.cell, QStringLiteral("Tbl0201:B3"));
    EXPECT_EQ(first.kind, FigureKind::Currency);
    EXPECT_EQ(first.minimum, 0);
    EXPECT_EQ(first.maximum, 5000000);
    EXPECT_EQ(first.prompt, QStringLiteral("Start-up expenses"));
    EXPECT_EQ(first.help, QStringLiteral("Legal fees, permits, stationery and the like, paid before opening."));
}

TEST(QuestionList, HeadingsSelectKindsAndStages)
{
    const QuestionList list = QuestionList::parse(QStringLiteral("[Service, Retail]\n"
                                                                 "Tbl0001:A1 | number | 0..1 | Both stages\n"
                                                                 "[custom existing]\n"
                                                                 "Tbl0001:A2 | number | 0..1 | Custom existing\n"));
    EXPECT_TRUE(list.problems().isEmpty());
    EXPECT_EQ(promptsOf(list.pagesFor(kService, true)), QStringList{QStringLiteral("Both stages")});
    EXPECT_EQ(promptsOf(list.pagesFor(kRetail, false)), QStringList{QStringLiteral("Both stages")});
    EXPECT_EQ(promptsOf(list.pagesFor(kCustom, false)), QStringList{QStringLiteral("Custom existing")});
    EXPECT_TRUE(list.pagesFor(kCustom, true).isEmpty());
    EXPECT_EQ(list.pagesFor(kService, true)[0].title, QStringLiteral("Key figures")) << "the page without a title";
}

TEST(QuestionList, HelpMayHoldBars)
{
    const QuestionList list = QuestionList::parse(QStringLiteral("[All]\nTbl0001:A1|text|1..9|Name|a | b\n"));
    ASSERT_TRUE(list.problems().isEmpty());
    EXPECT_EQ(list.pagesFor(0, true)[0].questions[0].help, QStringLiteral("a | b"));
}

TEST(QuestionList, MalformedLinesAreReportedWithTheirNumber)
{
    const QString text = QStringLiteral("Tbl0001:A1 | number | 0..1 | Before any heading\n" // 1
                                        "[Retail Sometimes]\n"                                // 2
                                        "[Retail New\n"                                       // 3
                                        "[New]\n"                                             // 4
                                        "[Retail New]\n"                                      // 5
                                        "Tbl0503:B4 | dollars | 0..10 | Price\n"              // 6
                                        "Tbl05 03:B4 | currency | 0..10 | Price\n"            // 7
                                        "../x:B4 | currency | 0..10 | Price\n"                // 8
                                        "Tbl0503:B4 | currency | 10..0 | Price\n"             // 9
                                        "Tbl0503:B4 | currency | ten | Price\n"               // 10
                                        "Tbl0503:B4 | currency | 0..10\n"                     // 11
                                        "Tbl0503:B4 | currency | 0..10 |   \n"                // 12
                                        "Tbl0503:B4 | currency | 0..10 | Price\n"             // 13 fine
                                        "tbl0503:b4 | number | 0..10 | Again\n"               // 14
                                        "page:\n"                                             // 15
                                        "Tbl0503:B5 | text | 0..0 | Name\n"                   // 16
                                        "Tbl0503:AA5 | number | 0..1 | Wide\n");              // 17
    const QuestionList list = QuestionList::parse(text);
    const QStringList &p = list.problems();
    ASSERT_EQ(p.size(), 15) << p.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(p[0].startsWith(QStringLiteral("line 1: questions and pages must follow")));
    EXPECT_TRUE(p[1].startsWith(QStringLiteral("line 2: \"Sometimes\" is neither")));
    EXPECT_TRUE(p[2].startsWith(QStringLiteral("line 3: a heading must end")));
    EXPECT_TRUE(p[3].startsWith(QStringLiteral("line 4: the heading names no kind")));
    EXPECT_EQ(p[4], QStringLiteral("line 6: unknown value kind \"dollars\" (expected currency, number, integer, "
                                   "percent or text)"));
    EXPECT_TRUE(p[5].startsWith(QStringLiteral("line 7: \"Tbl05 03:B4\" is not a table cell")));
    EXPECT_TRUE(p[6].startsWith(QStringLiteral("line 8: \"../x:B4\" is not a table cell")));
    EXPECT_TRUE(p[7].startsWith(QStringLiteral("line 9: the minimum 10 is larger than the maximum 0")));
    EXPECT_TRUE(p[8].startsWith(QStringLiteral("line 10: limits \"ten\" must read minimum..maximum")));
    EXPECT_TRUE(p[9].startsWith(QStringLiteral("line 11: a question needs at least 4 fields")));
    EXPECT_TRUE(p[10].startsWith(QStringLiteral("line 12: the question for Tbl0503:B4 has no prompt")));
    EXPECT_EQ(p[11], QStringLiteral("line 14: cell tbl0503:b4 is already asked on line 13 for Retail New"));
    EXPECT_TRUE(p[12].startsWith(QStringLiteral("line 15: a page needs a title")));
    EXPECT_TRUE(p[13].startsWith(QStringLiteral("line 16: the limits of a text")));
    EXPECT_TRUE(p[14].startsWith(QStringLiteral("line 17: \"Tbl0503:AA5\" is not a table cell")));
    // The good line survives; nothing of the broken headings does.
    EXPECT_EQ(promptsOf(list.pagesFor(kRetail, true)), QStringList{QStringLiteral("Price")});
    EXPECT_TRUE(list.pagesFor(kRetail, false).isEmpty());
}

TEST(QuestionList, MissingFileIsEmptyWithoutProblems)
{
    const QuestionList list = QuestionList::load(QStringLiteral("/nonexistent/wizard-questions.txt"));
    EXPECT_TRUE(list.problems().isEmpty());
    EXPECT_TRUE(list.pagesFor(0, true).isEmpty());
}

TEST(QuestionList, UnreadableFileIsAProblem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("q.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[All]\n");
    file.close();
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    if (QFile(path).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that ignore permissions";
    EXPECT_EQ(QuestionList::load(path).problems().size(), 1);
}

TEST(QuestionList, CellReferences)
{
    EXPECT_TRUE(isCellReference(QStringLiteral("Tbl0503:B4")));
    EXPECT_TRUE(isCellReference(QStringLiteral("TBL0601:z99")));
    EXPECT_FALSE(isCellReference(QStringLiteral("Tbl0503B4")));
    EXPECT_FALSE(isCellReference(QStringLiteral("Tbl0503:B0")));
    EXPECT_FALSE(isCellReference(QStringLiteral("Tbl0503:4")));
    EXPECT_FALSE(isCellReference(QStringLiteral("a/b:B4")));
    EXPECT_FALSE(isCellReference(QStringLiteral(":B4")));
    EXPECT_FALSE(isCellReference(QStringLiteral("Tbl0503:B4 ")));
}

TEST(FigureAnswers, CurrencyGetsTheDollarSign)
{
    const FigureQuestion q = question(FigureKind::Currency, 0, 5000000);
    EXPECT_EQ(figureAnswerValue(q, QStringLiteral("1500")), QStringLiteral("$1500"));
    EXPECT_EQ(figureAnswerValue(q, QStringLiteral(" $1,500.50 ")), QStringLiteral("$1500.5"));
    EXPECT_EQ(figureAnswerValue(q, QStringLiteral("2,000,000")), QStringLiteral("$2000000"));
    EXPECT_EQ(figureAnswerValue(q, QStringLiteral("0")), QStringLiteral("$0"));
    EXPECT_TRUE(checkFigure(q, QStringLiteral("1,50")).size() > 0);
    EXPECT_TRUE(checkFigure(q, QStringLiteral("12.345")).size() > 0) << "cents at most";
    EXPECT_TRUE(checkFigure(q, QStringLiteral("5000001")).contains(QStringLiteral("between $0 and $5,000,000")));
    EXPECT_TRUE(checkFigure(q, QStringLiteral("-1")).size() > 0);
    EXPECT_TRUE(checkFigure(q, QStringLiteral("abc")).size() > 0);
    EXPECT_TRUE(figureAnswerValue(q, QStringLiteral("abc")).isEmpty());
    EXPECT_TRUE(checkFigure(q, QStringLiteral("  ")).isEmpty()) << "empty keeps the template's figure";
    EXPECT_TRUE(figureAnswerValue(q, QStringLiteral("  ")).isEmpty());
}

TEST(FigureAnswers, PercentNumberIntegerText)
{
    const FigureQuestion percent = question(FigureKind::Percent, 0, 30);
    EXPECT_EQ(figureAnswerValue(percent, QStringLiteral("7.5")), QStringLiteral("7.5%"));
    EXPECT_EQ(figureAnswerValue(percent, QStringLiteral("12 %")), QStringLiteral("12%"));
    EXPECT_FALSE(checkFigure(percent, QStringLiteral("31")).isEmpty());

    const FigureQuestion number = question(FigureKind::Number, -10, 10);
    EXPECT_EQ(figureAnswerValue(number, QStringLiteral("-2.25")), QStringLiteral("-2.25"));
    EXPECT_FALSE(checkFigure(number, QStringLiteral("$3")).isEmpty()) << "a dollar sign only for currency";

    const FigureQuestion integer = question(FigureKind::Integer, 0, 100000);
    EXPECT_EQ(figureAnswerValue(integer, QStringLiteral("1,200")), QStringLiteral("1200"));
    EXPECT_FALSE(checkFigure(integer, QStringLiteral("2.5")).isEmpty());

    const FigureQuestion text = question(FigureKind::Text, 2, 5);
    EXPECT_EQ(figureAnswerValue(text, QStringLiteral("  Bank ")), QStringLiteral("Bank"));
    EXPECT_FALSE(checkFigure(text, QStringLiteral("B")).isEmpty());
    EXPECT_FALSE(checkFigure(text, QStringLiteral("Banking")).isEmpty());
}

TEST(QuestionList, ByteOrderMarkAndWindowsLineEnds)
{
    const QuestionList list =
        QuestionList::parse(QString(QChar(0xFEFF)) + QStringLiteral("[Retail New]\r\nTbl0001:A1 | number | 0..1 | First\r\n"));
    EXPECT_TRUE(list.problems().isEmpty()) << list.problems().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(promptsOf(list.pagesFor(kRetail, true)), QStringList{QStringLiteral("First")});
}
