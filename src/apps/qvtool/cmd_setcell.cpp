#include "apps/qvtool/Command.h"

#include "composer/OpenPlanSession.h"
#include "composer/SectionFiles.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "platform/Paths.h"
#include "controls/workbook/CellAddress.h"
#include "controls/workbook/Workbook.h"

#include <QTextDocument>

namespace {

using qv::composer::OpenPlanSession;

// Replaces a section's text ("2.1" is chapter 2, section 1) as the composer
// does when the user types: in the section's working copy, for the save.
bool setSectionText(OpenPlanSession &session, const QString &position, const QString &text, qvtool::Context &c)
{
    const QStringList parts = position.split(QLatin1Char('.'));
    const int chapter = parts.size() == 2 ? parts[0].toInt() : 0;
    const int section = parts.size() == 2 ? parts[1].toInt() : 0;
    const qv::plan::Chapters &chapters = session.plan().outline().chapters();
    if (chapter < 1 || chapter > chapters.count() || section < 1
        || section > chapters.item(chapter)->sections().count()) {
        c.err << "no section " << position << " in the plan\n";
        return false;
    }
    const qv::plan::Section &target = *chapters.item(chapter)->sections().item(section);
    if (target.textFileName().isEmpty()) {
        c.err << "section " << position << " has no text yet\n";
        return false;
    }
    QTextDocument document;
    document.setPlainText(text);
    const QString failure = qv::composer::writeSectionText(
        document, qv::platform::joinPath(session.plan().folder(), target.primaryTextFileName()));
    if (!failure.isEmpty()) {
        c.err << failure << "\n";
        return false;
    }
    session.markTextChanged();
    return true;
}

// Opens the plan as the composer does, types the entry into a cell of a
// table (links to other tables follow) and, when asked, replaces a
// section's text; then saves the plan and closes it.
int setcell(qvtool::Context &c)
{
    QString textPosition, text;
    if (c.args.size() == 7 && c.args[4] == QStringLiteral("--text")) {
        textPosition = c.args[5];
        text = c.args[6];
        c.args = c.args.mid(0, 4);
    }
    if (c.args.size() != 4) {
        c.err << "usage: qvtool setcell PLAN.bpl TABLE CELL ENTRY [--text CHAPTER.SECTION TEXT]\n";
        return 2;
    }
    const auto cell = qv::workbook::parseCellRange(c.args[2]);
    if (!cell || cell->top != cell->bottom || cell->left != cell->right) {
        c.err << "not a cell: " << c.args[2] << "\n";
        return 2;
    }
    OpenPlanSession session;
    if (const qv::Result<void> opened = session.OpenPlan(c.args[0]); !opened) {
        c.err << opened.failure().description << "\n";
        return 1;
    }
    qv::workbook::Workbook *book = session.table(c.args[1]);
    if (!book) {
        c.err << "no table " << c.args[1] << " in the plan\n";
        return 1;
    }
    book->setActiveSheet(0);
    const auto edit = book->setEntry(cell->top, cell->left, c.args[3]);
    if (!edit) {
        c.err << "the cell refused the entry: " << edit.message << "\n";
        return 1;
    }
    if (!textPosition.isEmpty() && !setSectionText(session, textPosition, text, c))
        return 1;
    if (const qv::Result<void> saved = session.SavePlan(); !saved) {
        c.err << saved.failure().description << "\n";
        return 1;
    }
    session.ClosePlan();
    return 0;
}

const qvtool::CommandRegistration registration("setcell", "setcell PLAN.bpl TABLE CELL ENTRY [--text CHAPTER.SECTION TEXT]",
                                                setcell);

} // namespace
