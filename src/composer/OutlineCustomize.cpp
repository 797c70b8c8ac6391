// The outline's customizing commands: the pop-up menu, the Customize
// menu's Chapter, Section and Status submenus and the Ctrl keys of the
// tree. Every change goes to the plan library and to the tree, whose keys
// are renumbered afterwards so that they name each item's place.

#include "composer/frmMain.h"

#include "composer/ComposerArt.h"
#include "composer/ComposerCommon.h"
#include "composer/OutlineNodes.h"
#include "controls/richtextview/TextEditor.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "platform/Services.h"
#include "resources/ResText.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>

namespace qv::composer {

namespace {

// A menu caption from the string table, or the fallback while the table
// lacks it.
QString captionText(int id, const QString &fallback)
{
    try {
        return resText(id);
    } catch (const QvError &) {
        return fallback;
    }
}

// Pop-up menu items (their numbers name them).
enum PopUpItem { PopUpMoveUp = 1, PopUpMoveDown = 2, PopUpAdd = 4, PopUpDelete = 5, PopUpRename = 7 };
// Chapter and Section submenu items.
enum SubmenuItem { ItemMoveUp = 0, ItemMoveDown = 1, ItemDelete = 2, ItemRename = 3, ItemAdd = 4 };

// Ctrl+A, Ctrl+D and Ctrl+R on the tree.
class OutlineShortcuts : public QObject
{
public:
    OutlineShortcuts(QObject *parent, std::function<bool(int key)> run) : QObject(parent), m_run(std::move(run)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if ((key->modifiers() & Qt::ControlModifier) && m_run(key->key()))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(int key)> m_run;
};

} // namespace

QMenu *frmMain::addOutlineCommands(QMenu *menu, const QString &arrayName, bool chapterCommands,
                                   std::array<QAction *, 5> &items)
{
    const int captions[5] = {1084, 1085, 1086, 1087, chapterCommands ? 1089 : 1088};
    for (int index = 0; index < 5; ++index) {
        QAction *item = menu->addAction(resText(captions[index]));
        item->setObjectName(QStringLiteral("%1_%2").arg(arrayName).arg(index));
        items[size_t(index)] = item;
        connect(item, &QAction::triggered, this, [this, index, chapterCommands] {
            QTreeWidgetItem *node = tvwOutline->currentItem();
            if (chapterCommands && IsSectionNode(node))
                node = node->parent();
            if (!node)
                return;
            switch (index) {
            case ItemMoveUp: outlineMove(node, MoveDirection::Up); break;
            case ItemMoveDown: outlineMove(node, MoveDirection::Down); break;
            case ItemDelete: outlineDelete(node); break;
            case ItemRename: outlineRename(node); break;
            case ItemAdd:
                if (chapterCommands)
                    outlineAdd(node);
                else if (IsChapterNode(node))
                    outlineAddSection(node);
                else
                    outlineAdd(node);
                break;
            }
        });
    }
    return menu;
}

void frmMain::setUpCustomizingAndSaving()
{
    // The outline pop-up: items 1, 2, 4, 5 and 7, with separators between.
    mnuOutlinePopUp = new QMenu(this);
    mnuOutlinePopUp->setObjectName(QStringLiteral("mnuOutlinePopUp"));
    const int captions[8] = {0, 1084, 1085, 0, 1089, 1086, 0, 1087};
    for (int index = 0; index < 8; ++index) {
        QAction *item = captions[index] ? mnuOutlinePopUp->addAction(resText(captions[index]))
                                        : mnuOutlinePopUp->addSeparator();
        item->setObjectName(QStringLiteral("mnuOutline_%1").arg(index));
        m_items.outlinePopUp[size_t(index)] = item;
        if (!captions[index])
            continue;
        connect(item, &QAction::triggered, this, [this, index] {
            QTreeWidgetItem *node = tvwOutline->currentItem();
            switch (index) {
            case PopUpMoveUp: outlineMove(node, MoveDirection::Up); break;
            case PopUpMoveDown: outlineMove(node, MoveDirection::Down); break;
            case PopUpAdd: outlineAdd(node); break;
            case PopUpDelete: outlineDelete(node); break;
            case PopUpRename: outlineRename(node); break;
            }
        });
    }
    // Runs after the tree's own handler, which selects the node first.
    connect(tvwOutline, &QWidget::customContextMenuRequested, this, [this](const QPoint &point) {
        QTreeWidgetItem *node = tvwOutline->itemAt(point);
        if (IsChapterNode(node) || IsSectionNode(node))
            mnuOutlinePopUp->popup(tvwOutline->viewport()->mapToGlobal(point));
    });

    // The Customize menu's Chapter, Section and Status submenus, before
    // Unlock Cells.
    QMenu *customize = m_items.customize;
    QAction *unlock = m_items.unlockCells;
    auto submenu = [&](const QString &name, int caption, const QString &fallback) {
        auto *menu = new QMenu(captionText(caption, fallback), customize);
        menu->setObjectName(name + QStringLiteral("Menu"));
        menu->menuAction()->setObjectName(name);
        customize->insertMenu(unlock, menu);
        return menu;
    };
    addOutlineCommands(submenu(QStringLiteral("mnuChapter"), 1077, tr("C&hapter")), QStringLiteral("mnuChapter"), true,
                       m_items.chapterItems);
    addOutlineCommands(submenu(QStringLiteral("mnuSection"), 1078, tr("&Section")), QStringLiteral("mnuSection"), false,
                       m_items.sectionItems);
    QMenu *status = submenu(QStringLiteral("mnuStatus"), 1079, tr("S&tatus"));
    auto *statuses = new QActionGroup(status); // a section has one status
    statuses->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int value = plan::InProgress; value <= plan::Exclude; ++value) {
        QAction *item = status->addAction(resText(1081 + value));
        statuses->addAction(item);
        item->setObjectName(QStringLiteral("mnuStatus_%1").arg(value));
        m_items.statusItems[size_t(value)] = item;
        item->setCheckable(true);
        connect(item, &QAction::triggered, this,
                [this, value] { setSectionStatus(tvwOutline->currentItem(), qint16(value)); });
    }
    customize->insertSeparator(unlock);

    tvwOutline->installEventFilter(new OutlineShortcuts(this, [this](int key) {
        QTreeWidgetItem *node = tvwOutline->currentItem();
        if (!IsChapterNode(node) && !IsSectionNode(node))
            return false;
        switch (key) {
        case Qt::Key_A: outlineAdd(node); return true;
        case Qt::Key_D: outlineDelete(node); return true;
        case Qt::Key_R: outlineRename(node); return true;
        default: return false;
        }
    }));

    connect(timerSave, &QTimer::timeout, this, &frmMain::autosaveTick);
    for (int index = 9; index <= 13; ++index)
        connect(m_items.recentFiles[size_t(index - 9)], &QAction::triggered, this, [this, index] { openRecentFile(index); });
    adaptOutlinePopUp(nullptr);
    ApplyPreferences();
}

void frmMain::adaptOutlinePopUp(const QTreeWidgetItem *node)
{
    const bool chapter = IsChapterNode(node);
    const bool section = IsSectionNode(node);
    const QTreeWidgetItem *parent = node ? node->parent() : nullptr;
    const int index = parent ? parent->indexOfChild(const_cast<QTreeWidgetItem *>(node)) : 0;
    const bool first = !parent || index == 0;
    const bool last = !parent || index == parent->childCount() - 1;

    const auto &popUp = m_items.outlinePopUp;
    popUp[PopUpMoveUp]->setVisible(!first);
    popUp[PopUpMoveDown]->setVisible(!last);
    popUp[PopUpAdd]->setText(resText(chapter ? 1089 : 1088));
    popUp[PopUpDelete]->setText(resText(1086));
    for (const int number : {PopUpMoveUp, PopUpMoveDown, PopUpAdd, PopUpDelete, PopUpRename})
        popUp[size_t(number)]->setEnabled(chapter || section);

    // The Chapter submenu works on the node's chapter, the Section submenu
    // on a section node (its Add also on a chapter node).
    const QTreeWidgetItem *chapterNode = chapter ? node : (section ? parent : nullptr);
    const QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    const int chapterIndex = chapterNode && root ? root->indexOfChild(const_cast<QTreeWidgetItem *>(chapterNode)) : -1;
    const bool chapterUp = chapterIndex > 0;
    const bool chapterDown = chapterNode && root && chapterIndex < root->childCount() - 1;
    const bool enabledChapter[5] = {chapterUp, chapterDown, chapterNode != nullptr, chapterNode != nullptr,
                                    chapterNode != nullptr};
    const bool enabledSection[5] = {section && !first, section && !last, section, section, chapterNode != nullptr};
    for (int number = 0; number < 5; ++number) {
        m_items.chapterItems[size_t(number)]->setEnabled(enabledChapter[number]);
        m_items.sectionItems[size_t(number)]->setEnabled(enabledSection[number]);
    }

    qint16 status = -1;
    if (section) {
        const OutlinePosition position = positionOfKey(nodeKeyOf(node));
        const plan::Chapters &chapters = plan().outline().chapters();
        if (position.chapter >= 1 && position.chapter <= chapters.count()
            && position.section <= chapters.item(position.chapter)->sections().count())
            status = chapters.item(position.chapter)->sections().item(position.section)->status();
    }
    for (int value = plan::InProgress; value <= plan::Exclude; ++value) {
        QAction *statusItem = m_items.statusItems[size_t(value)];
        statusItem->setEnabled(section);
        // Any other stored value shows as In Progress, as its image does.
        statusItem->setChecked(section && (status == value || (value == plan::InProgress && status != plan::Complete
                                                                 && status != plan::Exclude)));
    }
}

// ---- Changing the outline ------------------------------------------------------

void frmMain::renumberKeys()
{
    QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (!root)
        return;
    const bool building = m_buildingTree;
    m_buildingTree = true; // new keys are no rename
    for (int c = 1; c <= root->childCount(); ++c) {
        QTreeWidgetItem *chapterNode = root->child(c - 1);
        chapterNode->setData(0, kNodeKeyRole, chapterKey(c));
        for (int s = 1; s <= chapterNode->childCount(); ++s)
            chapterNode->child(s - 1)->setData(0, kNodeKeyRole, sectionKey(c, s));
    }
    m_buildingTree = building;
}

void frmMain::outlineChanged(QTreeWidgetItem *node)
{
    // The shown section may have moved: its number follows it.
    if (currentSection()) {
        int c = 0;
        for (const auto &chapter : plan().outline().chapters()) {
            ++c;
            if (const int s = chapter->sections().indexOf(currentSection().get()))
                m_position = {c, s};
        }
        if (workViews->currentWidget() == rtfWorkArea)
            lblSectionName->setText(outlineNumber(m_position) + QStringLiteral(" - ") + currentSection()->name());
    }
    adaptOutlinePopUp(node);
    updateSectionButtons(node);
    statusPanels[0]->setText(outlineNumber(positionOfKey(nodeKeyOf(node))));
}

void frmMain::selectAfterChange(QTreeWidgetItem *node)
{
    m_buildingTree = true;
    tvwOutline->setCurrentItem(node);
    m_buildingTree = false;
    if (node)
        nodeClick(node);
}

void frmMain::outlineAdd(QTreeWidgetItem *node)
{
    if (IsSectionNode(node)) {
        outlineAddSection(node->parent());
        return;
    }
    if (!IsChapterNode(node))
        return;
    QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    plan::Chapters &chapters = plan().outline().chapters();
    const std::shared_ptr<plan::Chapter> chapter = addChapter(chapters);
    const int c = chapters.count();
    m_buildingTree = true;
    QTreeWidgetItem *chapterNode = addChapterNode(root, c, *chapter);
    addSectionNode(chapterNode, c, 1, *chapter->sections().item(1));
    m_buildingTree = false;
    chapterNode->setExpanded(true);
    m_session->markModified();
    selectAfterChange(chapterNode);
}

void frmMain::outlineAddSection(QTreeWidgetItem *chapterNode)
{
    if (!IsChapterNode(chapterNode))
        return;
    const int c = ChapterIndexOf(chapterNode);
    plan::Chapters &chapters = plan().outline().chapters();
    if (c < 1 || c > chapters.count())
        return;
    plan::Sections &sections = chapters.item(c)->sections();
    const std::shared_ptr<plan::Section> section = addSection(sections);
    m_buildingTree = true;
    QTreeWidgetItem *sectionNode = addSectionNode(chapterNode, c, sections.count(), *section);
    m_buildingTree = false;
    chapterNode->setExpanded(true);
    m_session->markModified();
    selectAfterChange(sectionNode);
    // The new section is named at once, in place in the outline.
    outlineRename(sectionNode);
}

void frmMain::outlineDelete(QTreeWidgetItem *node)
{
    if (!IsChapterNode(node) && !IsSectionNode(node))
        return;
    plan::Chapters &chapters = plan().outline().chapters();
    const OutlinePosition position = positionOfKey(nodeKeyOf(node));
    const DeleteRefusal refusal = deleteRefusal(chapters, position);
    if (refusal == DeleteRefusal::NoSuchItem)
        return;
    if (refusal != DeleteRefusal::Allowed) {
        platform::Message message;
        message.text = deleteRefusalMessage(refusal);
        message.icon = platform::Icon::Information;
        platform::messageBoxes().show(this, message);
        return;
    }
    platform::Message question;
    question.text = deleteQuestion(chapters, position);
    question.title = deleteQuestionTitle(position);
    question.buttons = platform::Buttons::YesNo;
    question.icon = platform::Icon::Question;
    if (platform::messageBoxes().show(this, question) != platform::Answer::Yes)
        return;

    const auto &chapter = chapters.item(position.chapter);
    const bool shownGoes = currentSection() && (position.section == 0 ? chapter->sections().indexOf(currentSection().get()) != 0
                                                               : chapter->sections().item(position.section) == currentSection());
    removeItem(chapters, position, m_session->pendingDeletions());
    if (shownGoes) {
        // The deleted section's text is neither written nor kept on screen.
        forgetShownSection();
        m_loadingText = true;
        rtfWorkArea->clear();
        rtfWorkArea->setReadOnly(true);
        m_loadingText = false;
        lblSectionName->clear();
    }
    QTreeWidgetItem *parent = node->parent();
    const int index = parent->indexOfChild(node);
    m_buildingTree = true;
    delete parent->takeChild(index);
    m_buildingTree = false;
    renumberKeys();
    m_session->markModified();
    QTreeWidgetItem *next = index < parent->childCount() ? parent->child(index)
                                                         : (index > 0 ? parent->child(index - 1) : parent);
    selectAfterChange(next);
}

void frmMain::outlineRename(QTreeWidgetItem *node)
{
    if (IsChapterNode(node) || IsSectionNode(node))
        tvwOutline->editItem(node, 0);
}

void frmMain::outlineMove(QTreeWidgetItem *node, MoveDirection direction)
{
    if (!IsChapterNode(node) && !IsSectionNode(node))
        return;
    plan::Chapters &chapters = plan().outline().chapters();
    const OutlinePosition position = positionOfKey(nodeKeyOf(node));
    if (position.chapter < 1 || position.chapter > chapters.count())
        return;
    plan::OutlineList &list = IsChapterNode(node) ? static_cast<plan::OutlineList &>(chapters)
                                                  : chapters.item(position.chapter)->sections();
    const int from = IsChapterNode(node) ? position.chapter : position.section;
    const int to = moveItem(list, from, direction);
    if (to == 0)
        return;
    QTreeWidgetItem *parent = node->parent();
    const bool expanded = node->isExpanded();
    m_buildingTree = true;
    parent->insertChild(to - 1, parent->takeChild(from - 1));
    node->setExpanded(expanded);
    tvwOutline->setCurrentItem(node);
    m_buildingTree = false;
    renumberKeys();
    m_session->markModified();
    outlineChanged(node);
}

void frmMain::setSectionStatus(QTreeWidgetItem *node, qint16 status)
{
    if (!IsSectionNode(node) || status < plan::InProgress || status > plan::Exclude)
        return;
    const OutlinePosition position = positionOfKey(nodeKeyOf(node));
    plan::Chapters &chapters = plan().outline().chapters();
    if (position.chapter < 1 || position.chapter > chapters.count()
        || position.section > chapters.item(position.chapter)->sections().count())
        return;
    const auto &section = chapters.item(position.chapter)->sections().item(position.section);
    if (section == currentSection()) {
        picWorkArea->setUpdatesEnabled(false);
        rtfWorkArea->setBackgroundColor(palette().color(status == plan::Exclude ? QPalette::Button : QPalette::Base));
        picWorkArea->setUpdatesEnabled(true);
    }
    section->setStatus(status);
    setNodeImage(node, statusImageOf(status));
    if (tvwOutline->currentItem() == node) {
        if (status == plan::InProgress)
            statusPanels[3]->clear();
        else
            statusPanels[3]->setPixmap(composerImage(statusImageOf(status)).pixmap(16, 16));
        statusPanels[3]->setToolTip(statusPictureOf(status));
    }
    m_session->markModified();
    adaptOutlinePopUp(tvwOutline->currentItem());
}

} // namespace qv::composer
