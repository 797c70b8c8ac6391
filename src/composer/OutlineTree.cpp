// The outline tree: building it, its nodes, renaming, dropped files and
// moving from section to section.

#include "composer/frmMain.h"

#include "composer/ComposerArt.h"
#include "composer/ComposerCommon.h"
#include "composer/OutlineNodes.h"
#include "composer/RecentPlans.h"
#include "composer/SectionFiles.h"
#include "composer/frmTables.h"
#include "controls/spell/SpellChecker.h"
#include "controls/richtextview/DisplayBox.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/WorkbookView.h"
#include "plan/Plan.h"
#include "plan/PlanErrors.h"
#include "plan/WorkingCopies.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "resources/ResText.h"
#include "resources/art/Artwork.h"
#include "shell/CurrentPlan.h"
#include "shell/MMain.h"
#include "shell/frmParent.h"
#include "shell/modBusinessRule.h"
#include "support/CWaitCursor.h"
#include "support/ErrorReports.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"
#include "support/Preferences.h"
#include "support/gui/Captions.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/frmPreferences.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QWindow>
#include <QPointer>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qv::composer {

// ---- Outline tree ------------------------------------------------------------

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != tvwOutline->viewport())
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDropEvent *>(event);
        const bool onSection = IsSectionNode(tvwOutline->itemAt(drag->position().toPoint()));
        if (drag->mimeData()->hasUrls() && onSection)
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        QStringList paths;
        for (const QUrl &url : drop->mimeData()->urls()) {
            if (url.isLocalFile())
                paths << url.toLocalFile();
        }
        dropTextFiles(tvwOutline->itemAt(drop->position().toPoint()), paths);
        drop->acceptProposedAction();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

int frmMain::dropTextFiles(QTreeWidgetItem *node, const QStringList &paths)
{
    if (!IsSectionNode(node) || plan().folder().isEmpty())
        return 0;
    const int c = ChapterIndexOf(node);
    plan::Chapters &chapters = plan().outline().chapters();
    if (c < 1 || c > chapters.count())
        return 0;
    plan::Sections &sections = chapters.item(c)->sections();
    QTreeWidgetItem *chapterNode = node->parent();
    int added = 0;
    for (const QString &path : paths) {
        const QString fileName = QFileInfo(path).fileName();
        if (!fileName.toUpper().endsWith(QLatin1String(".RTF")))
            continue;
        const QString name = fileName.left(fileName.size() - 4);
        if (name.trimmed().isEmpty())
            continue;
        if (sections.find(name) != 0) {
            tell(this, QStringLiteral("This section name already exist"), platform::Icon::Exclamation);
            continue;
        }
        const QString copyName = nextSectionFileName(plan().folder());
        const QString failure = platform::copyFileAtomically(path, platform::joinPath(plan().folder(), copyName));
        if (!failure.isEmpty()) {
            support::reportOperationError(this, kFileAccessError, failure, QStringLiteral("Copying ") + path);
            continue;
        }
        auto section = std::make_shared<plan::Section>(name);
        section->setTextSource(path);
        sections.Add(section);
        section->setTextFileName(copyName);
        section->setTextSource(QString()); // copied: the plan no longer needs the original
        m_buildingTree = true;
        addSectionNode(chapterNode, c, sections.count(), *section);
        m_buildingTree = false;
        m_session->markModified();
        ++added;
    }
    if (added)
        updateSectionButtons(tvwOutline->currentItem());
    return added;
}

bool frmMain::IsChapterNode(const QTreeWidgetItem *node)
{
    return node && node->data(0, kNodeTagRole).toInt() == int(NodeTag::Chapter);
}

bool frmMain::IsSectionNode(const QTreeWidgetItem *node)
{
    return node && node->data(0, kNodeTagRole).toInt() == int(NodeTag::Section);
}

int frmMain::ChapterIndexOf(const QTreeWidgetItem *node)
{
    if (!node)
        return 0;
    if (IsSectionNode(node))
        return ChapterIndexOf(node->parent());
    return chapterNumberOfKey(nodeKeyOf(node));
}

void frmMain::setNodeImage(QTreeWidgetItem *node, const QString &image)
{
    const bool building = m_buildingTree;
    m_buildingTree = true; // an image change is no rename
    node->setIcon(0, composerImage(image));
    node->setData(0, kNodeImageRole, image);
    m_buildingTree = building;
}

QTreeWidgetItem *frmMain::addChapterNode(QTreeWidgetItem *root, int c, const plan::Chapter &chapter)
{
    QTreeWidgetItem *node = outlineNode(chapterKey(c), NodeTag::Chapter, chapter.name());
    node->setToolTip(0, chapter.name()); // the whole name, however narrow the pane
    root->addChild(node);
    setNodeImage(node, QStringLiteral("closed folder"));
    return node;
}

QTreeWidgetItem *frmMain::addSectionNode(QTreeWidgetItem *chapterNode, int c, int s, const plan::Section &section)
{
    QTreeWidgetItem *node = outlineNode(sectionKey(c, s), NodeTag::Section, section.name());
    node->setToolTip(0, section.name());
    chapterNode->addChild(node);
    setNodeImage(node, statusImageOf(section.status()));
    return node;
}

void frmMain::BuildTree(const plan::Chapters &chapters)
{
    m_buildingTree = true;
    tvwOutline->clear();
    QTreeWidgetItem *root = outlineNode(QLatin1String(kRootKey), NodeTag::Root, plan().name());
    tvwOutline->addTopLevelItem(root);
    setNodeImage(root, QStringLiteral("plan"));
    m_buildingTree = true;
    int c = 0;
    for (const auto &chapter : chapters) {
        ++c;
        QTreeWidgetItem *chapterNode = addChapterNode(root, c, *chapter);
        int s = 0;
        for (const auto &section : chapter->sections())
            addSectionNode(chapterNode, c, ++s, *section);
    }
    m_buildingTree = true;
    m_chaptersExpanded = false;
    cmdChapters->setToolTip(tr("Expand Chapters"));
    m_buildingTree = false;
}

QTreeWidgetItem *frmMain::nodeOfKey(const QString &key) const
{
    QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (!root)
        return nullptr;
    const OutlinePosition position = positionOfKey(key);
    if (key == QLatin1String(kRootKey))
        return root;
    if (position.chapter == 0 || position.chapter > root->childCount())
        return nullptr;
    QTreeWidgetItem *chapter = root->child(position.chapter - 1);
    if (position.section == 0)
        return chapter;
    return position.section <= chapter->childCount() ? chapter->child(position.section - 1) : nullptr;
}

void frmMain::ToggleChapters()
{
    QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (!root)
        return;
    m_chaptersExpanded = !m_chaptersExpanded;
    root->setExpanded(true);
    for (int index = root->childCount() - 1; index >= 0; --index)
        root->child(index)->setExpanded(m_chaptersExpanded);
    cmdChapters->setToolTip(m_chaptersExpanded ? tr("Collapse Chapters") : tr("Expand Chapters"));
    cmdChapters->setIcon(composerImage(m_chaptersExpanded ? QStringLiteral("open folder")
                                                          : QStringLiteral("closed folder")));
}

void frmMain::updateSectionButtons(const QTreeWidgetItem *node)
{
    bool previous = false;
    bool next = false;
    const QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (IsSectionNode(node)) {
        const QTreeWidgetItem *chapter = node->parent();
        const int s = chapter->indexOfChild(const_cast<QTreeWidgetItem *>(node));
        const int c = root->indexOfChild(const_cast<QTreeWidgetItem *>(chapter));
        previous = s > 0 || c > 0;
        next = s < chapter->childCount() - 1 || c < root->childCount() - 1;
    } else if (IsChapterNode(node)) {
        previous = root->indexOfChild(const_cast<QTreeWidgetItem *>(node)) > 0;
        next = true;
    } else if (root) {
        next = root->childCount() > 0;
    }
    cmdToolBar[4]->setEnabled(previous);
    cmdToolBar[5]->setEnabled(next);
    m_items.previousSection->setEnabled(previous);
    m_items.nextSection->setEnabled(next);
}

void frmMain::nodeClick(QTreeWidgetItem *node)
{
    adaptOutlinePopUp(node);
    updateSectionButtons(node);
    const OutlinePosition position = positionOfKey(nodeKeyOf(node));
    const bool section = IsSectionNode(node);
    const QTreeWidgetItem *chapterNode = section ? node->parent() : (IsChapterNode(node) ? node : nullptr);
    statusPanels[0]->setText(outlineNumber(position));
    statusPanels[1]->setText(chapterNode ? chapterNode->text(0) : QString());
    statusPanels[1]->setToolTip(chapterNode ? QStringLiteral("Current Chapter: ") + chapterNode->text(0) : QString());
    statusPanels[2]->setText(section ? node->text(0) : QString());
    statusPanels[2]->setToolTip(section ? QStringLiteral("Current Section: ") + node->text(0) : QString());
    statusPanels[3]->clear();
    if (!section)
        return;
    plan::Chapters &chapters = plan().outline().chapters();
    const int c = ChapterIndexOf(node);
    if (c < 1 || c > chapters.count() || position.section > chapters.item(c)->sections().count())
        return;
    const auto &sectionItem = chapters.item(c)->sections().item(position.section);
    const qint16 status = sectionItem->status();
    if (status == plan::Complete || status == plan::Exclude)
        statusPanels[3]->setPixmap(composerImage(statusImageOf(status)).pixmap(16, 16));
    showSection(sectionItem, position);
}

void frmMain::nodeRenamed(QTreeWidgetItem *node)
{
    const QString oldText = node->data(0, kNodeTextRole).toString();
    const QString newText = node->text(0);
    auto cancel = [&] {
        m_buildingTree = true;
        node->setText(0, oldText);
        m_buildingTree = false;
    };
    if (newText.trimmed().isEmpty() || newText.compare(oldText, Qt::CaseInsensitive) == 0) {
        if (newText != oldText)
            cancel();
        return;
    }
    const OutlinePosition position = positionOfKey(nodeKeyOf(node));
    plan::Chapters &chapters = plan().outline().chapters();
    try {
        if (IsSectionNode(node))
            chapters.item(position.chapter)->sections().Rename(position.section, newText);
        else if (IsChapterNode(node))
            chapters.Rename(position.chapter, newText);
        else
            return;
    } catch (const QvError &error) {
        cancel();
        if (error.number() == plan::kDuplicateSectionName)
            tell(this, QStringLiteral("This section name already exist"), platform::Icon::Exclamation);
        else
            support::reportOperationError(this, error.number(), error.description(), QStringLiteral("Renaming ") + oldText);
        return;
    }
    m_buildingTree = true;
    node->setData(0, kNodeTextRole, newText);
    m_buildingTree = false;
    m_session->markModified();
    if (tvwOutline->currentItem() == node) {
        if (IsSectionNode(node)) {
            lblSectionName->setText(outlineNumber(position) + QStringLiteral(" - ") + newText);
            statusPanels[2]->setText(newText);
            statusPanels[2]->setToolTip(QStringLiteral("Current Section: ") + newText);
        } else {
            statusPanels[1]->setText(newText);
            statusPanels[1]->setToolTip(QStringLiteral("Current Chapter: ") + newText);
        }
    }
}

void frmMain::moveSection(bool forward)
{
    QTreeWidgetItem *root = tvwOutline->topLevelItem(0);
    if (!root)
        return;
    QTreeWidgetItem *node = tvwOutline->currentItem() ? tvwOutline->currentItem() : root;
    QTreeWidgetItem *target = nullptr;
    auto firstOf = [](QTreeWidgetItem *chapter) { return chapter->childCount() ? chapter->child(0) : nullptr; };
    auto lastOf = [](QTreeWidgetItem *chapter) {
        return chapter->childCount() ? chapter->child(chapter->childCount() - 1) : nullptr;
    };
    // The nearest chapter with sections in the direction of travel.
    auto chapterFrom = [&](int index, int step) -> QTreeWidgetItem * {
        for (; index >= 0 && index < root->childCount(); index += step) {
            if (root->child(index)->childCount())
                return root->child(index);
        }
        return nullptr;
    };
    const int step = forward ? 1 : -1;
    if (IsSectionNode(node)) {
        QTreeWidgetItem *chapter = node->parent();
        const int s = chapter->indexOfChild(node) + step;
        if (s >= 0 && s < chapter->childCount()) {
            target = chapter->child(s);
        } else if (QTreeWidgetItem *other = chapterFrom(root->indexOfChild(chapter) + step, step)) {
            other->setExpanded(true);
            target = forward ? firstOf(other) : lastOf(other);
        }
    } else {
        const int from = IsChapterNode(node) ? root->indexOfChild(node) + (forward ? 0 : -1) : (forward ? 0 : -1);
        if (QTreeWidgetItem *other = chapterFrom(from, step)) {
            other->setExpanded(true);
            target = forward ? firstOf(other) : lastOf(other);
        }
    }
    if (target) {
        tvwOutline->setCurrentItem(target);
        tabWorkArea->setCurrentIndex(0);
        workViews->setCurrentWidget(rtfWorkArea);
    }
}

} // namespace qv::composer
