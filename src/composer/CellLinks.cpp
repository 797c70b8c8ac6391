#include "composer/CellLinks.h"

#include "controls/workbook/CellAddress.h"
#include "plan/Outline.h"
#include "resources/ResText.h"

namespace qv::composer {

QString CellLink::target() const { return tableName + u'!' + cell; }

QString CellLink::description() const
{
    return QStringLiteral("%1 %2 : %3, %4 %5")
        .arg(withoutAccessKey(GetResText(78)), outlineNumber(position), sectionName, GetResText(465), cell);
}

QString CellLinks::explanation() const
{
    if (several || links.empty())
        return GetResText(613);
    const CellLink &link = links.front();
    return QStringLiteral("%1 %2, %3 %4").arg(GetResText(464), link.displayName, GetResText(465), link.cell);
}

QString noLinkMessage() { return QStringLiteral("This cell is not linked to another table."); }

QString linkedCellAfter(const QString &formula, qsizetype from)
{
    const qsizetype bang = formula.indexOf(u'!', from);
    if (bang < 0)
        return {};
    QString cell;
    for (qsizetype i = bang + 1; i < formula.size(); ++i) {
        const QChar ch = formula.at(i).toUpper();
        if (ch == u'$')
            continue;
        if (!((ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9')))
            break;
        cell += ch;
    }
    return cell;
}

namespace {

const TableEntry *findTable(const QString &name, const std::vector<TableEntry> &tables)
{
    for (const TableEntry &entry : tables)
        if (entry.table->fileName().left(name.size()).compare(name, Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

} // namespace

CellLinks findCellLinks(const QString &formula, const std::vector<TableEntry> &tables)
{
    CellLinks result;
    qsizetype open = formula.indexOf(u'[');
    while (open >= 0) {
        const qsizetype close = formula.indexOf(u']', open + 1);
        if (close < 0)
            break;
        const QString name = formula.mid(open + 1, close - open - 1);
        const TableEntry *entry = name.isEmpty() ? nullptr : findTable(name, tables);
        if (!entry) {
            result = CellLinks{};
            result.outcome = CellLinks::Outcome::TableNotFound;
            result.missingTable = name;
            return result;
        }
        CellLink link{entry->table->name(), linkedCellAfter(formula, close + 1), entry->table->displayName(),
                      {entry->chapter, entry->section}, entry->sectionName};
        const bool listed = std::any_of(result.links.begin(), result.links.end(),
                                        [&](const CellLink &l) { return l.target() == link.target(); });
        if (!listed)
            result.links.push_back(std::move(link));
        open = formula.indexOf(u'[', close + 1);
        if (open >= 0)
            result.several = true;
    }
    if (!result.links.empty())
        result.outcome = CellLinks::Outcome::Linked;
    return result;
}

bool splitLinkTarget(const QString &target, QString &tableName, int &row, int &col)
{
    const qsizetype bang = target.indexOf(u'!');
    if (bang <= 0)
        return false;
    const auto address = workbook::parseCellAddress(target.mid(bang + 1));
    if (!address)
        return false;
    tableName = target.left(bang);
    row = address->row;
    col = address->col;
    return true;
}

} // namespace qv::composer
