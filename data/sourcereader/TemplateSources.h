#pragma once
// Readers for the template library's text sources (see data/README.md):
// outlines, instruction and example texts, and the coverage list. The
// generator and the checks share them so both read the sources one way.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace qv::templates {

// The kinds in the order of their kind numbers, as the sources name them.
const QStringList &kindNames();
// The library folder name of a kind name ("Wholesale" -> "Whlesale").
QString kindFolder(const QString &kindName);

struct OutlineTable
{
    QString fileName;    // "Tbl0503.vts"
    QString displayName;
    bool hasGraph = false;
    QString tableName() const { return fileName.chopped(4); }
};

struct OutlineSection
{
    int chapter = 0;
    int number = 0;
    QString key;
    QString name;
    int status = 0; // 0 In Progress, 1 Complete, 2 Exclude
    QList<OutlineTable> tables;
};

struct OutlineChapter
{
    int number = 0;
    QString name;
    QList<OutlineSection> sections;
};

struct Outline
{
    QString path;
    bool businessPlan = true;
    QString kind;  // kind name; empty for the marketing plan
    QString stage; // "New" or "Exist"; empty for the marketing plan
    // The analysis the template offers ("analysis ANRT | Financial &Analysis"):
    // its key names the workbook (ANRT.vts in the tables folder), its example
    // (TPLANRT.vts beside it) and its instructions (INSTANRT.rtf); empty: none.
    QString analysisKey;
    QString analysisTitle;
    QList<OutlineChapter> chapters;

    int sectionCount() const;
    QStringList keys() const;
    QStringList tableNames() const;
};

// A parse result: the value and the problems found, each "file:line: what".
template<typename T>
struct Parsed
{
    T value{};
    QStringList errors;
};

Parsed<Outline> readOutline(const QString &path);

enum class TextRole { Instruction, Example };

struct SourceText
{
    TextRole role = TextRole::Instruction;
    QString kind;
    QStringList stages; // examples of business plans: "New" and/or "Exist"
    QString body;       // the markup, without the marker line
    int line = 0;       // line of the marker
};

// Every text of one key file ("texts/BusPlan/SFOR.txt").
Parsed<QList<SourceText>> readTextFile(const QString &path);

// The visible words of a text, markup left out.
int wordCount(const QString &markup);
// The sentences of a text for comparing kinds: split at sentence ends,
// headings and list items count as one each; lower case, blanks collapsed,
// markup and surrounding punctuation removed.
QStringList sentences(const QString &markup);
// Problems of the markup itself (unbalanced emphasis, empty list items).
QStringList markupProblems(const QString &markup);

// The coverage list: plan type ("BusPlan"/"MrktPlan") -> key -> kinds.
using Coverage = QMap<QString, QMap<QString, QStringList>>;
Parsed<Coverage> readCoverage(const QString &path);

} // namespace qv::templates
