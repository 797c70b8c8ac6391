// qvtool wizard-questions FILE: checks a wizard question list and prints,
// per kind and stage, the pages and questions the business-plan wizard
// would ask. Lines it cannot use go to standard error; exit 1 when any.

#include "apps/qvtool/Command.h"

#include "create/wizard/QuestionList.h"
#include "create/wizard/WizardAnswers.h"

#include <QFileInfo>

namespace {

int wizardQuestions(qvtool::Context &c)
{
    if (c.args.size() != 1) {
        c.err << "usage: qvtool wizard-questions FILE\n";
        return 2;
    }
    const QString path = c.args[0];
    if (!QFileInfo::exists(path)) {
        c.err << "no such file: " << path << "\n";
        return 2;
    }
    using namespace qv::wizard;
    const QuestionList list = QuestionList::load(path);
    for (const QString &problem : list.problems())
        c.err << path << ": " << problem << "\n";
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (bool newBusiness : {true, false}) {
            const QList<QuestionPage> pages = list.pagesFor(kind, newBusiness);
            for (const QuestionPage &page : pages) {
                for (const FigureQuestion &q : page.questions) {
                    c.out << kindAnswerName(kind) << '\t' << (newBusiness ? "New" : "Exist") << '\t' << page.title
                          << '\t' << q.cell << '\t' << figureKindName(q.kind) << '\t'
                          << qvtool::formatNumber(q.minimum) << ".." << qvtool::formatNumber(q.maximum) << '\t'
                          << q.prompt << "\n";
                }
            }
        }
    }
    return list.problems().isEmpty() ? 0 : 1;
}

const qvtool::CommandRegistration registration("wizard-questions", "wizard-questions FILE", wizardQuestions);

} // namespace
