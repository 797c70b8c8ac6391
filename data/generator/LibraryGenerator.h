#pragma once

#include <QString>
#include <QStringList>

namespace qv::templates {

struct GenerationReport
{
    QStringList errors; // problems of the sources; nothing is installed then
    QStringList notes;  // what was skipped (a table set not written yet)
    int files = 0;
    qint64 bytes = 0;
};

// Writes the installed library "<dataOut>/ENG/..." from the sources in
// `sourceFolder` (the data/ folder). The tree is built beside the old one
// and put in its place only when complete, so a failed run leaves the old
// library whole and a removed source leaves no stale file behind.
GenerationReport generateLibrary(const QString &sourceFolder, const QString &dataOut);

// The table-set folders of the sources and the library folders their
// templates go to, relative to "ENG/".
struct TableSetPlace
{
    QString source;      // "tables/BusPlan/Common-New"
    QString tables;      // "BusPlan/Common/New/Tables"
    QStringList kinds;   // kinds whose example tables come from this set
    QString exampleFolder(const QString &kind) const; // "BusPlan/Retail/New/Example"
};
const QList<TableSetPlace> &tableSetPlaces();

} // namespace qv::templates
