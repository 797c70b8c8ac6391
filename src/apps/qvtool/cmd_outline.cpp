// qvtool outline: a plan document's outline, one tab-separated line per item.

#include "apps/qvtool/Command.h"

#include "plan/ModEnglish.h"
#include "plan/Plan.h"
#include "plan/PlanRules.h"

namespace {

using namespace qv::plan;

// One field of a line: tabs and line breaks would split it, so they print
// as blanks.
QString field(const QString &text)
{
    QString out = text;
    for (QChar &ch : out) {
        if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
            ch = QLatin1Char(' ');
    }
    return out;
}

int outline(qvtool::Context &c)
{
    if (c.args.size() != 1) {
        c.err << "usage: qvtool outline PLAN\n";
        return 2;
    }
    // Opened as the composer opens it: the plan type follows the extension.
    Plan plan;
    initialisePlanLetters(plan);
    plan.planInfo().setPlanType(ModEnglish::PlanTypeOfDocument(c.args.at(0)));
    plan.setFilePath(c.args.at(0));
    if (!plan.Open()) {
        c.err << plan.lastError() << '\n';
        return 1;
    }
    const PlanInfo &info = plan.planInfo();
    const QChar tab = QLatin1Char('\t');
    c.out << "plan" << tab << field(plan.name()) << tab << qvtool::formatNumber(info.planType()) << tab
          << qvtool::formatNumber(info.businessKind()) << tab << qvtool::formatBool(info.newBusiness()) << '\n';
    int chapterNumber = 0;
    for (const auto &chapter : plan.outline().chapters()) {
        ++chapterNumber;
        c.out << "chapter" << tab << chapterNumber << tab << field(chapter->name()) << '\n';
        int sectionNumber = 0;
        for (const auto &section : chapter->sections()) {
            ++sectionNumber;
            const QString position = QStringLiteral("%1.%2").arg(chapterNumber).arg(sectionNumber);
            c.out << "section" << tab << position << tab << field(section->name()) << tab
                  << qvtool::formatNumber(section->status()) << tab << field(section->key()) << tab
                  << field(section->textFileName()) << '\n';
            for (const auto &table : section->tables()) {
                c.out << "table" << tab << position << tab << field(table->fileName()) << tab
                      << field(table->displayName()) << tab << qvtool::formatBool(table->hasGraph()) << '\n';
            }
        }
    }
    return 0;
}

const qvtool::CommandRegistration registration("outline", "outline PLAN", outline);

} // namespace
