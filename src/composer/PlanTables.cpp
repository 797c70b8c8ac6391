#include "composer/PlanTables.h"

#include "plan/Outline.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace qv::composer {

std::vector<TableEntry> tablesInPlanOrder(const plan::PlanOutline &outline)
{
    std::vector<TableEntry> entries;
    int c = 0;
    for (const auto &chapter : outline.chapters()) {
        ++c;
        int s = 0;
        for (const auto &section : chapter->sections()) {
            ++s;
            for (const auto &table : section->tables())
                entries.push_back({c, s, chapter->name(), section->name(), table});
        }
    }
    return entries;
}

std::vector<std::shared_ptr<plan::Section>> sectionsWithText(const plan::PlanOutline &outline)
{
    std::vector<std::shared_ptr<plan::Section>> withText;
    for (const auto &chapter : outline.chapters()) {
        for (const auto &section : chapter->sections()) {
            if (!section->textFileName().isEmpty())
                withText.push_back(section);
        }
    }
    return withText;
}

namespace {

// A picture is current when nothing it is drawn from changed after it.
bool isNewerThan(const QFileInfo &picture, const QString &source)
{
    if (source.isEmpty())
        return true;
    const QFileInfo info(source);
    return !info.exists() || picture.lastModified() >= info.lastModified();
}

} // namespace

std::vector<GraphPicture> graphPictures(const plan::PlanOutline &outline)
{
    std::vector<GraphPicture> pictures;
    for (const TableEntry &entry : tablesInPlanOrder(outline)) {
        const plan::Table &table = *entry.table;
        if (!table.hasGraph() || table.folder().isEmpty() || table.graphPictureFileName().isEmpty())
            continue;
        GraphPicture picture{entry, platform::joinPath(table.folder(), table.graphPictureFileName()), false};
        const QFileInfo file(picture.picturePath);
        const QString graphFile =
            table.graphFileName().isEmpty() ? QString() : platform::joinPath(table.folder(), table.graphFileName());
        picture.current = file.exists() && isNewerThan(file, table.fileToLoad()) && isNewerThan(file, graphFile);
        pictures.push_back(picture);
    }
    return pictures;
}

} // namespace qv::composer
