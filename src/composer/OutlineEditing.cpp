#include "composer/OutlineEditing.h"

#include "plan/FileNames.h"
#include "plan/Outline.h"
#include "platform/Paths.h"

#include <QFile>
#include <QSet>

namespace qv::composer {

namespace {

QString comparable(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

bool isValid(const plan::Chapters &chapters, const OutlinePosition &position)
{
    if (position.chapter < 1 || position.chapter > chapters.count())
        return false;
    return position.section == 0 || position.section <= chapters.item(position.chapter)->sections().count();
}

} // namespace

QString newItemName(const QStringList &siblingNames, const QString &baseName)
{
    QSet<QString> taken;
    for (const QString &name : siblingNames)
        taken.insert(comparable(name));
    if (!taken.contains(comparable(baseName)))
        return baseName;
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(baseName).arg(n);
        if (!taken.contains(comparable(candidate)))
            return candidate;
    }
}

QStringList namesOf(const plan::OutlineList &list)
{
    QStringList names;
    for (int index = 1; index <= list.count(); ++index)
        names.append(list.nameAt(index));
    return names;
}

std::shared_ptr<plan::Chapter> addChapter(plan::Chapters &chapters)
{
    auto chapter = std::make_shared<plan::Chapter>(newItemName(namesOf(chapters), QLatin1String(kNewChapterName)));
    chapters.Add(chapter);
    chapter->sections().Add(std::make_shared<plan::Section>(QLatin1String(kNewSectionName)));
    return chapter;
}

std::shared_ptr<plan::Section> addSection(plan::Sections &sections)
{
    auto section = std::make_shared<plan::Section>(newItemName(namesOf(sections), QLatin1String(kNewSectionName)));
    sections.Add(section);
    return section;
}

DeleteRefusal deleteRefusal(const plan::Chapters &chapters, const OutlinePosition &position)
{
    if (!isValid(chapters, position))
        return DeleteRefusal::NoSuchItem;
    const auto &chapter = chapters.item(position.chapter);
    if (position.section == 0)
        return chapter->hasTables() ? DeleteRefusal::ChapterHoldsTables : DeleteRefusal::Allowed;
    if (chapter->sections().item(position.section)->hasTables())
        return DeleteRefusal::SectionHoldsTable;
    if (chapter->sections().count() == 1)
        return DeleteRefusal::OnlySectionOfChapter;
    return DeleteRefusal::Allowed;
}

QString deleteRefusalMessage(DeleteRefusal refusal)
{
    switch (refusal) {
    case DeleteRefusal::ChapterHoldsTables:
        return QStringLiteral("This chapter may not be deleted since tables are included.");
    case DeleteRefusal::SectionHoldsTable:
        return QStringLiteral("This section may not be deleted since it contains a table.");
    case DeleteRefusal::OnlySectionOfChapter:
        return QStringLiteral("To delete this section delete its chapter.");
    case DeleteRefusal::Allowed:
    case DeleteRefusal::NoSuchItem:
        break;
    }
    return QString();
}

QString deleteQuestion(const plan::Chapters &chapters, const OutlinePosition &position)
{
    if (!isValid(chapters, position))
        return QString();
    const auto &chapter = chapters.item(position.chapter);
    if (position.section == 0)
        return QStringLiteral("Delete chapter: ") + chapter->name();
    return QStringLiteral("Delete section: ") + chapter->sections().item(position.section)->name();
}

QString deleteQuestionTitle(const OutlinePosition &position)
{
    return position.section == 0 ? QStringLiteral("Delete Chapter") : QStringLiteral("Delete Section");
}

bool canMove(const plan::OutlineList &list, int index, MoveDirection direction)
{
    if (index < 1 || index > list.count())
        return false;
    return direction == MoveDirection::Up ? index > 1 : index < list.count();
}

int moveItem(plan::OutlineList &list, int index, MoveDirection direction)
{
    if (!canMove(list, index, direction))
        return 0;
    if (direction == MoveDirection::Up) {
        list.MoveUp(index);
        return index - 1;
    }
    list.MoveDown(index);
    return index + 1;
}

void PendingDeletions::add(const plan::Section &section)
{
    for (const QString &name : {section.textFileName(), section.primaryTextFileName()}) {
        if (!name.isEmpty() && !m_fileNames.contains(name, Qt::CaseInsensitive))
            m_fileNames.append(name);
    }
}

void PendingDeletions::add(const plan::Chapter &chapter)
{
    for (const auto &section : chapter.sections())
        add(*section);
}

int PendingDeletions::deleteFrom(const QString &planFolder, const plan::Chapters &remaining)
{
    QSet<QString> inUse;
    for (const auto &chapter : remaining) {
        for (const auto &section : chapter->sections()) {
            inUse.insert(section->textFileName().toCaseFolded());
            inUse.insert(section->primaryTextFileName().toCaseFolded());
        }
    }
    int deleted = 0;
    QStringList kept;
    for (const QString &name : std::as_const(m_fileNames)) {
        if (inUse.contains(name.toCaseFolded()) || !plan::isPlainFileName(name))
            continue;
        const QString path = platform::resolveExistingPath(platform::joinPath(planFolder, name));
        if (!QFile::exists(path))
            continue;
        if (QFile::remove(path))
            ++deleted;
        else
            kept.append(name);
    }
    m_fileNames = kept;
    return deleted;
}

bool removeItem(plan::Chapters &chapters, const OutlinePosition &position, PendingDeletions &pending)
{
    if (deleteRefusal(chapters, position) != DeleteRefusal::Allowed)
        return false;
    const auto &chapter = chapters.item(position.chapter);
    if (position.section == 0) {
        pending.add(*chapter);
        chapters.Remove(position.chapter);
    } else {
        pending.add(*chapter->sections().item(position.section));
        chapter->sections().Remove(position.section);
    }
    return true;
}

} // namespace qv::composer
