#include "support/Advice.h"

#include "platform/Settings.h"

namespace qv::support
{

namespace
{
const QString adviseSection = QStringLiteral("Advise");
}

QString adviceKey(int kind)
{
    switch (kind) {
    case WordWrapAdvice:
        return QStringLiteral("WordWrap");
    case UnlockCellAdvice:
        return QStringLiteral("UnlockCell");
    case CompileAdvice:
        return QStringLiteral("Compile");
    default:
        return {};
    }
}

bool isAdviceWanted(int kind)
{
    const QString key = adviceKey(kind);
    if (key.isEmpty())
        return true;
    return platform::Settings::toBool(platform::Settings::get(adviseSection, key, QStringLiteral("-1")));
}

void rememberAdvice(int kind, bool dontShowAgain)
{
    const QString key = adviceKey(kind);
    if (!key.isEmpty())
        platform::Settings::save(adviseSection, key, platform::Settings::fromBool(!dontShowAgain));
}

QString wordWrapAdvice()
{
    return QStringLiteral(
        "The text you typed is wider than its cell, so part of it is hidden behind the next cell or cut off "
        "when the table is printed.\n\n"
        "To show all of it, open the table in the Spread Sheet (Tools menu), select the cell and choose "
        "Format, Cells; on the Alignment page tick \"Wrap text\" so the text continues on a second line. "
        "You can also widen the column with Edit, Column Width, or say the same thing in fewer words.");
}

QString unlockCellAdvice()
{
    return QStringLiteral(
        "The cells of a table are locked to protect its formulas: totals, percentages and the figures other "
        "tables read from this one are worked out for you, and typing over one of them breaks the sums that "
        "depend on it.\n\n"
        "With the cells unlocked you can change any cell. Change only what you mean to; Edit, Undo takes a "
        "change back. The cells lock again when you move to another table or section.");
}

QString compileAdvice()
{
    return QStringLiteral(
        "Compiling turns your plan into one finished document: a cover page, the contents, every chapter and "
        "section you have not excluded, and your tables and graphs in their places.\n\n"
        "Your plan is saved first, and the Plan Composer closes while the compiler works. It writes a PDF to "
        "print or hand to a bank, and an OpenDocument text for anyone who wants to edit the wording, both "
        "named after your plan in the plan's own folder, and opens the PDF when it is done. Fix anything in "
        "Quorvex and compile again rather than editing the compiled copy.");
}

} // namespace qv::support
