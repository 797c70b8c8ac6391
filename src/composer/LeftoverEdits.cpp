#include "composer/LeftoverEdits.h"

#include "composer/PlanTables.h"
#include "plan/Outline.h"
#include "plan/WorkingCopies.h"

#include <QHash>

namespace qv::composer {

namespace {

// What each committed file holds, by its name in any case.
QHash<QString, QString> contentsByFileName(const plan::PlanOutline &outline)
{
    QHash<QString, QString> contents;
    for (const auto &section : sectionsWithText(outline))
        contents.insert(section->textFileName().toLower(), section->name() + QStringLiteral(" (text)"));
    for (const TableEntry &entry : tablesInPlanOrder(outline)) {
        const plan::Table &table = *entry.table;
        const QString name = table.displayName().isEmpty() ? table.name() : table.displayName();
        contents.insert(table.fileName().toLower(), name + QStringLiteral(" (table)"));
    }
    return contents;
}

} // namespace

QStringList leftoverEdits(const QString &planFolder, const plan::PlanOutline &outline)
{
    const QHash<QString, QString> contents = contentsByFileName(outline);
    QStringList edits;
    for (plan::WorkingCopyKind kind : {plan::WorkingCopyKind::Text, plan::WorkingCopyKind::Table}) {
        for (const QString &copy : plan::workingCopiesIn(planFolder, kind))
            edits << contents.value(plan::committedNameOf(copy).toLower(), copy);
    }
    return edits;
}

QString recoverEditsQuestion(const QString &planName, const QStringList &edits)
{
    return QStringLiteral("Quorvex did not close the plan \"%1\" the last time it was open, and changes that were "
                          "never saved are still there:\r\n\r\n%2\r\n\r\n"
                          "Do you want to recover them? Yes shows them in the plan, ready to be saved; "
                          "No discards them and opens the plan as it was last saved.")
        .arg(planName, QStringLiteral("    ") + edits.join(QStringLiteral("\r\n    ")));
}

} // namespace qv::composer
