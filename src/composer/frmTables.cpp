#include "composer/frmTables.h"

#include "composer/PlanTables.h"
#include "plan/Outline.h"
#include "composer/ComposerCommon.h"
#include "support/gui/Captions.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace qv::composer {

namespace {
constexpr int kTableNameRole = Qt::UserRole;
}

frmTables::frmTables(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTables"));
    setWindowTitle(support::withoutAccessKey(resText(1072)));
    auto *column = new QVBoxLayout(this);
    lvwTables = new QTreeWidget(this);
    lvwTables->setObjectName(QStringLiteral("lvwTables"));
    lvwTables->setRootIsDecorated(false);
    lvwTables->setUniformRowHeights(true);
    lvwTables->setAllColumnsShowFocus(true);
    lvwTables->setHeaderLabels({tr("Table name"), tr("Chapter Name"), tr("Section Name")});
    lvwTables->header()->setStretchLastSection(true);
    column->addWidget(lvwTables, 1);
    buttons = new QDialogButtonBox(this);
    QPushButton *go = buttons->addButton(resText(1133), QDialogButtonBox::AcceptRole);
    go->setObjectName(QStringLiteral("cmdGoto"));
    go->setDefault(true);
    QPushButton *cancel = buttons->addButton(resText(1009), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmTables::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lvwTables, &QTreeWidget::itemActivated, this, &frmTables::choose);
    resize(620, 420);
}

void frmTables::fill(const plan::PlanOutline &outline)
{
    lvwTables->clear();
    for (const TableEntry &entry : tablesInPlanOrder(outline)) {
        const QString shown = entry.table->displayName().isEmpty() ? entry.table->name() : entry.table->displayName();
        auto *row = new QTreeWidgetItem(lvwTables, {shown, entry.chapterName, entry.sectionName});
        row->setData(0, kTableNameRole, entry.table->name());
        row->setToolTip(0, entry.table->name());
    }
    // Room beside the longest name, so that the columns read apart.
    for (int col = 0; col < 2; ++col) {
        lvwTables->resizeColumnToContents(col);
        lvwTables->setColumnWidth(col, std::max(lvwTables->columnWidth(col) + 24, 140));
    }
    if (lvwTables->topLevelItemCount())
        lvwTables->setCurrentItem(lvwTables->topLevelItem(0));
    findChild<QPushButton *>(QStringLiteral("cmdGoto"))->setEnabled(lvwTables->topLevelItemCount() > 0);
}

QString frmTables::chosenTable() const
{
    const QTreeWidgetItem *row = lvwTables->currentItem();
    return row ? row->data(0, kTableNameRole).toString() : QString();
}

void frmTables::choose()
{
    const QString name = chosenTable();
    if (name.isEmpty())
        return;
    accept();
    emit tableChosen(name);
}

} // namespace qv::composer
