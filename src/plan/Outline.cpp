#include "plan/Outline.h"

#include "plan/FileNames.h"

#include <QFileInfo>

namespace qv::plan {

namespace {

// The working copy when it exists in the folder, else the committed name.
QString latestOf(const QString &folder, const QString &committed, const QString &working)
{
    if (committed.isEmpty())
        return committed;
    if (!folder.isEmpty() && QFileInfo::exists(folder + working))
        return working;
    return committed;
}

QString folderOf(const PlanPlacePtr &place)
{
    return place ? place->folder() : QString();
}

} // namespace

// ---- Table -----------------------------------------------------------------------

Table::Table(const QString &fileName, const QString &displayName) : m_displayName(displayName)
{
    setFileName(fileName);
}

void Table::setFileName(const QString &name)
{
    m_fileName = normalisedFileName(name, kTableExtension, kTableWorkingExtension, "Table.FileName");
}

QString Table::name() const
{
    return m_fileName.left(m_fileName.size() - 4);
}

void Table::setGraphFileName(const QString &name)
{
    requirePlainOrEmpty(name, "Table.GraphFileName");
    m_graphFileName = name;
}

QString Table::primaryFileName() const
{
    return m_fileName.isEmpty() ? QString() : withExtension(m_fileName, kTableWorkingExtension);
}

QString Table::alternateFileName() const
{
    return latestOf(folder(), m_fileName, primaryFileName());
}

QString Table::fileToLoad() const
{
    return m_fileName.isEmpty() ? QString() : folder() + alternateFileName();
}

QString Table::folder() const
{
    return folderOf(m_place);
}

QString Table::pictureFileName() const
{
    return m_fileName.isEmpty() ? QString() : withExtension(m_fileName, "wmf");
}

QString Table::excelFileName() const
{
    return m_fileName.isEmpty() ? QString() : withExtension(m_fileName, "xls");
}

QString Table::graphPictureFileName() const
{
    return m_graphFileName.isEmpty() ? QString() : withExtension(m_graphFileName, "wmf");
}

bool Table::sameContent(const Table &other) const
{
    return m_fileName == other.m_fileName && m_displayName == other.m_displayName && m_hasGraph == other.m_hasGraph
           && m_graphFileName == other.m_graphFileName && m_graphTitle == other.m_graphTitle;
}

// ---- Section ----------------------------------------------------------------------

Section::Section(const QString &name) : m_name(name) {}

void Section::setKey(const QString &key)
{
    requirePlainOrEmpty(key, "Section.Key");
    m_key = key;
}

void Section::setTextFileName(const QString &name)
{
    m_textFileName = normalisedFileName(name, kTextExtension, kTextWorkingExtension, "Section.TextFileName");
}

QString Section::primaryTextFileName() const
{
    return m_textFileName.isEmpty() ? QString() : withExtension(m_textFileName, kTextWorkingExtension);
}

QString Section::alternateTextFileName() const
{
    return latestOf(folder(), m_textFileName, primaryTextFileName());
}

QString Section::textFileToShow() const
{
    return m_textFileName.isEmpty() ? QString() : folder() + alternateTextFileName();
}

QString Section::folder() const
{
    return folderOf(m_place);
}

bool Section::sameContent(const Section &other) const
{
    return m_name == other.m_name && m_status == other.m_status && m_key == other.m_key
           && m_textFileName == other.m_textFileName && m_tables.sameContent(other.m_tables);
}

// ---- Sections and chapters ------------------------------------------------------------

int Sections::find(const QString &name) const
{
    const QString wanted = name.trimmed();
    for (int i = 1; i <= count(); ++i) {
        if (item(i)->name().trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

void Sections::Rename(int index, const QString &name)
{
    checkIndex(index);
    const QString wanted = name.trimmed();
    for (int i = 1; i <= count(); ++i) {
        if (i != index && item(i)->name().trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            throw QvError(kDuplicateSectionName, QStringLiteral("Sections"),
                          QStringLiteral("A section named \"%1\" already exists in this chapter.").arg(name));
    }
    item(index)->setName(name);
}

bool Chapter::hasTables() const
{
    for (const auto &section : m_sections) {
        if (section->hasTables())
            return true;
    }
    return false;
}

bool Chapter::sameContent(const Chapter &other) const
{
    return m_name == other.m_name && m_sections.sameContent(other.m_sections);
}

// ---- Outline -----------------------------------------------------------------------

PlanOutline::TablePlace PlanOutline::findTable(const QString &namePrefix) const
{
    int c = 0;
    for (const auto &chapter : m_chapters) {
        ++c;
        int s = 0;
        for (const auto &section : chapter->sections()) {
            ++s;
            for (const auto &table : section->tables()) {
                if (table->fileName().startsWith(namePrefix, Qt::CaseInsensitive))
                    return TablePlace{c, s, table};
            }
        }
    }
    return TablePlace{};
}

int PlanOutline::tableCount() const
{
    int n = 0;
    for (const auto &chapter : m_chapters) {
        for (const auto &section : chapter->sections())
            n += section->tables().count();
    }
    return n;
}

} // namespace qv::plan
