#pragma once

// The key figures the business-plan wizard asks, read from a question list
// the template library ships (format in docs/formats.md, "Wizard question
// list"). Each question names the table cell its answer goes to.

#include <QList>
#include <QString>
#include <QStringList>

namespace qv::wizard {

enum class FigureKind { Currency, Number, Integer, Percent, Text };

struct FigureQuestion
{
    QString cell; // "Tbl0503:B4"
    FigureKind kind = FigureKind::Number;
    // Numbers: the smallest and largest value; text: the shortest and
    // longest answer in characters.
    double minimum = 0;
    double maximum = 0;
    QString prompt;
    QString help;
    int line = 0; // in the list, for messages
};

struct QuestionPage
{
    QString title;
    QString subtitle;
    QList<FigureQuestion> questions;
};

class QuestionList
{
public:
    // Reads a list; lines it cannot use are skipped and reported.
    static QuestionList parse(const QString &text);
    // A missing file is an empty list without problems (the wizard then has
    // no figure pages); an unreadable one is an empty list with a problem.
    static QuestionList load(const QString &path);

    // The pages for one kind and stage, in the order of the list.
    QList<QuestionPage> pagesFor(int kind, bool newBusiness) const;

    // "line 12: ..." for every line that was skipped.
    const QStringList &problems() const { return m_problems; }

private:
    struct Section
    {
        bool kinds[5] = {};
        bool newStage = false;
        bool existStage = false;
        QList<QuestionPage> pages;
    };
    QList<Section> m_sections;
    QStringList m_problems;
};

// "currency", "number", ... as the list spells them.
QString figureKindName(FigureKind kind);

// True for a table name, ":" and one column letter with a row number.
bool isCellReference(const QString &cell);

// What the user typed ("$1,500", "12 %", "3.5") checked against the
// question; empty when it is fine or left empty (an empty answer keeps the
// template's figure).
QString checkFigure(const FigureQuestion &question, const QString &typed);

// The typed answer as the answer file carries it: "$1500" for currency,
// "12%" for percent, plain numbers otherwise, text trimmed. Empty when the
// answer is empty or does not pass checkFigure.
QString figureAnswerValue(const FigureQuestion &question, const QString &typed);

// "between $0 and $2,000,000" and the like, for the page.
QString describeLimits(const FigureQuestion &question);

} // namespace qv::wizard
