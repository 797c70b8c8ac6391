#pragma once

// The plan's outline: chapters of sections, each section with its text file
// and its tables.
//
// Working copies: the composer writes an edited section text to the
// section's primary text file name ("Ans00001.tmp") and an edited table to
// the table's primary file name ("Tbl0404.tbf"); saving the plan commits
// them over the committed files ("Ans00001.rtf", "Tbl0404.vts"), closing
// without saving deletes them (plan/WorkingCopies.h). The alternate name is
// the file to show: the working copy while one exists, else the committed
// file, so that "show the alternate file when it exists, else the primary"
// always shows the latest edit.

#include "plan/ItemList.h"

#include <QString>

#include <memory>

namespace qv::plan {

// Section statuses as stored in Section::status. Other values are kept as
// they are and show as In Progress.
enum SectionStatus : qint16 { InProgress = 0, Complete = 1, Exclude = 2 };

class Table
{
public:
    Table() = default;
    explicit Table(const QString &fileName, const QString &displayName = QString());
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;

    // The committed workbook file, "Tbl0404.vts" (always ending in ".vts").
    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &name);
    // The table's name: the file name less ".vts", the key of every lookup.
    QString name() const;
    // The caption shown to the user (and the title of exports).
    const QString &displayName() const { return m_displayName; }
    void setDisplayName(const QString &name) { m_displayName = name; }

    bool hasGraph() const { return m_hasGraph; }
    void setHasGraph(bool has) { m_hasGraph = has; }
    // The chart file of the table's graph, in the plan folder.
    const QString &graphFileName() const { return m_graphFileName; }
    void setGraphFileName(const QString &name);
    const QString &graphTitle() const { return m_graphTitle; }
    void setGraphTitle(const QString &title) { m_graphTitle = title; }

    // The working copy, "Tbl0404.tbf": where the composer writes the table.
    QString primaryFileName() const;
    // The working copy while it exists in the plan folder, else fileName().
    QString alternateFileName() const;
    // The plan folder + alternateFileName(): the file to load.
    QString fileToLoad() const;
    // The plan folder (with a trailing separator), empty when detached.
    QString folder() const;

    // "Tbl0404.wmf" and "Tbl0404.xls" beside the table, and the picture of
    // the graph file.
    QString pictureFileName() const;
    QString excelFileName() const;
    QString graphPictureFileName() const;

    bool sameContent(const Table &other) const;

private:
    template <class> friend class ItemList;
    void setPlace(const PlanPlacePtr &place) { m_place = place; }

    QString m_fileName;
    QString m_displayName;
    bool m_hasGraph = false;
    QString m_graphFileName;
    QString m_graphTitle;
    PlanPlacePtr m_place;
    bool m_listed = false;
};

class Tables : public ItemList<Table>
{
public:
    Tables() : ItemList<Table>("Tables") {}
};

class Section
{
public:
    Section() = default;
    explicit Section(const QString &name);
    Section(const Section &) = delete;
    Section &operator=(const Section &) = delete;

    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    qint16 status() const { return m_status; }
    void setStatus(qint16 status) { m_status = status; }

    // The section's file id ("0404"): names its instruction, example and
    // example-table files in the template library. May be empty; never
    // holds a folder separator (raises error 5).
    const QString &key() const { return m_key; }
    void setKey(const QString &key);

    // The committed text file, "Ans00001.rtf" (empty while the section has
    // none). Setting a working-copy name ("Ans00001.tmp") stores the
    // committed name it stands for.
    const QString &textFileName() const { return m_textFileName; }
    void setTextFileName(const QString &name);

    // The working copy, "Ans00001.tmp": where the composer writes the text.
    // Empty while the section has no text file.
    QString primaryTextFileName() const;
    void setPrimaryTextFileName(const QString &name) { setTextFileName(name); }
    // The working copy while it exists in the plan folder, else the
    // committed name: the file to show.
    QString alternateTextFileName() const;
    // The plan folder + alternateTextFileName(); empty without a text file.
    QString textFileToShow() const;
    // The plan folder (with a trailing separator), empty when detached.
    QString folder() const;

    // A file dropped on the outline that is to become this section's text;
    // kept only until the composer has copied it into the plan folder (never
    // saved with the plan).
    const QString &textSource() const { return m_textSource; }
    void setTextSource(const QString &path) { m_textSource = path; }

    bool hasTables() const { return !m_tables.isEmpty(); }
    Tables &tables() { return m_tables; }
    const Tables &tables() const { return m_tables; }

    bool sameContent(const Section &other) const;

private:
    template <class> friend class ItemList;
    void setPlace(const PlanPlacePtr &place)
    {
        m_place = place;
        m_tables.setPlace(place);
    }

    QString m_name;
    qint16 m_status = InProgress;
    QString m_key;
    QString m_textFileName;
    QString m_textSource;
    Tables m_tables;
    PlanPlacePtr m_place;
    bool m_listed = false;
};

class Sections : public ItemList<Section>, public OutlineList
{
public:
    Sections() : ItemList<Section>("Sections") {}
    int count() const override { return ItemList<Section>::count(); }
    QString nameAt(int index) const override { return item(index)->name(); }
    // Raises error 10001 when another section of the chapter already has the
    // name (compared trimmed and without regard to case).
    void Rename(int index, const QString &name) override;
    void MoveUp(int index) override { swapItems(index - 1, index); }
    void MoveDown(int index) override { swapItems(index, index + 1); }
    // The 1-based position of the section named so (trimmed, any case), 0
    // when there is none.
    int find(const QString &name) const;
};

class Chapter
{
public:
    Chapter() = default;
    explicit Chapter(const QString &name) : m_name(name) {}
    Chapter(const Chapter &) = delete;
    Chapter &operator=(const Chapter &) = delete;

    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    Sections &sections() { return m_sections; }
    const Sections &sections() const { return m_sections; }

    bool hasTables() const;
    bool sameContent(const Chapter &other) const;

private:
    template <class> friend class ItemList;
    void setPlace(const PlanPlacePtr &place) { m_sections.setPlace(place); }

    QString m_name;
    Sections m_sections;
    bool m_listed = false;
};

class Chapters : public ItemList<Chapter>, public OutlineList
{
public:
    Chapters() : ItemList<Chapter>("Chapters") {}
    int count() const override { return ItemList<Chapter>::count(); }
    QString nameAt(int index) const override { return item(index)->name(); }
    void Rename(int index, const QString &name) override { item(index)->setName(name); }
    void MoveUp(int index) override { swapItems(index - 1, index); }
    void MoveDown(int index) override { swapItems(index, index + 1); }
};

class PlanOutline
{
public:
    PlanOutline() = default;
    PlanOutline(const PlanOutline &) = delete;
    PlanOutline &operator=(const PlanOutline &) = delete;

    Chapters &chapters() { return m_chapters; }
    const Chapters &chapters() const { return m_chapters; }

    // Every table in plan order, and the first whose name starts with the
    // given text (without regard to case), with its chapter and section.
    struct TablePlace
    {
        int chapter = 0; // 1-based; 0 when nothing matched
        int section = 0;
        std::shared_ptr<Table> table;
    };
    TablePlace findTable(const QString &namePrefix) const;
    int tableCount() const;

    bool sameContent(const PlanOutline &other) const { return m_chapters.sameContent(other.m_chapters); }

private:
    Chapters m_chapters;
};

} // namespace qv::plan
