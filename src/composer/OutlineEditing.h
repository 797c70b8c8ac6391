#pragma once

// What the outline's customizing commands do to the plan library, apart
// from the tree that shows it: the names of added items, the refusals of
// Delete, moves, and the files of deleted sections, which wait for the next
// save so that closing without saving brings the sections back whole.

#include "composer/OutlineKeys.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace qv::plan {
class Chapter;
class Chapters;
class OutlineList;
class Section;
class Sections;
} // namespace qv::plan

namespace qv::composer {

inline constexpr char kNewChapterName[] = "New Chapter";
inline constexpr char kNewSectionName[] = "New Section";

// The name for an item added among siblings: the base name when no sibling
// bears it, else the base name + " (n)" with the smallest n from 2 up that
// no sibling bears (names compared trimmed, without regard to case). So
// siblings in any order never receive a duplicate.
QString newItemName(const QStringList &siblingNames, const QString &baseName);

// The names of an outline list's items, in order.
QStringList namesOf(const plan::OutlineList &list);

// Adds a chapter at the end, named by the rule, with its first section
// "New Section"; returns it.
std::shared_ptr<plan::Chapter> addChapter(plan::Chapters &chapters);
// Adds a section at the end of the chapter's sections, named by the rule.
std::shared_ptr<plan::Section> addSection(plan::Sections &sections);

// Why Delete may not remove the item at a position (chapter, or chapter and
// section); Allowed when it may.
enum class DeleteRefusal { Allowed, ChapterHoldsTables, SectionHoldsTable, OnlySectionOfChapter, NoSuchItem };
DeleteRefusal deleteRefusal(const plan::Chapters &chapters, const OutlinePosition &position);
// The information message of a refusal (empty for Allowed and NoSuchItem).
QString deleteRefusalMessage(DeleteRefusal refusal);

// The question Delete asks, and its title.
QString deleteQuestion(const plan::Chapters &chapters, const OutlinePosition &position);
QString deleteQuestionTitle(const OutlinePosition &position);

enum class MoveDirection { Up, Down };
// True when the item at the 1-based index has a neighbour in the direction.
bool canMove(const plan::OutlineList &list, int index, MoveDirection direction);
// Moves the item one place through the list; returns its new index, or 0
// when it has no neighbour that way (nothing changes).
int moveItem(plan::OutlineList &list, int index, MoveDirection direction);

// The text files of deleted sections. They stay on disk until the plan
// document that no longer names them has been saved; until then a close
// without saving reopens the plan with every section and its text intact.
class PendingDeletions
{
public:
    // Records the section's text file and its working copy.
    void add(const plan::Section &section);
    // Records the text files of every section of the chapter.
    void add(const plan::Chapter &chapter);
    const QStringList &fileNames() const { return m_fileNames; }
    bool isEmpty() const { return m_fileNames.isEmpty(); }
    // Forgets them: the plan was closed without saving, so they stay.
    void clear() { m_fileNames.clear(); }
    // Deletes them from the plan folder (a missing one is no failure) once
    // the document is saved, but never a file a section of the plan still
    // names; those that could not be deleted stay listed. Returns how many
    // files were deleted.
    int deleteFrom(const QString &planFolder, const plan::Chapters &remaining);

private:
    QStringList m_fileNames;
};

// Removes the item at the position from the library, recording its files
// in pending. Returns false (nothing changes) when Delete refuses it.
bool removeItem(plan::Chapters &chapters, const OutlinePosition &position, PendingDeletions &pending);

} // namespace qv::composer
