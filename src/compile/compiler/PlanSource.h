#pragma once

// What the compiler reads from a plan folder: the export files that Compile
// Plan writes ("bpfiles.csv" in outline order, "Field.txt" for the cover),
// turned into the document's outline. Files the outline names are not read
// here; the folder and names are kept so the compiler can find them.

#include <QString>
#include <QStringList>

#include <vector>

namespace qv::compiler {

struct Cover
{
    bool businessPlan = true;
    QString businessName;
    QString submitterName;
    QString street;
    QString city;
    QString state;
    QString zip;
    QString telephone;
    QString submittedOn; // as the user wrote it
    QString submittedTo;

    QString planTypeTitle() const;
};

// A table or chart placed after its section's text.
struct Figure
{
    enum class Kind { Table, Chart };
    Kind kind = Kind::Table;
    QString pictureFile; // the name to look for in the plan folder
    QString title;
    bool landscape = false;
};

struct Section
{
    QString name;
    QString textFile; // the section's RTF, empty when none was listed
    std::vector<Figure> figures;
};

struct Chapter
{
    QString name;
    std::vector<Section> sections;
};

struct PlanSource
{
    QString folder; // with a trailing separator
    QString planName; // what the output files are named after
    Cover cover;
    std::vector<Chapter> chapters;
    // Records that could not be placed (a section before any chapter, an
    // unknown kind), as the user can read them.
    QStringList ignoredRecords;
};

// The picture a "Table" record stands for: the table conversion writes the
// record's name in upper case with ".WMF".
QString tablePictureFile(const QString &recordName);

// Parses the two files' bytes (either may be empty).
PlanSource parsePlanSource(const QByteArray &bpfiles, const QByteArray &fieldFile);

// Reads the plan folder. Throws qv::QvError when it holds no "bpfiles.csv".
PlanSource readPlanSource(const QString &folder);

// The plan's name: the folder's name less the plan-type letter when a plan
// document of that name sits beside the folder ("My Plans/AcmeB" beside
// "Acme.bpl" gives "Acme"), else the folder's name.
QString planNameOfFolder(const QString &folder);
// The plan document beside the folder ("My Plans/Acme.bpl" for
// "My Plans/AcmeB"), or empty text when there is none.
QString planDocumentOfFolder(const QString &folder);

} // namespace qv::compiler
