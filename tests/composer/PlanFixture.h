#pragma once

// A small plan on disk, made through the plan library and the workbook
// control: a plan document, its plan folder with section texts and table
// workbooks, and a template library (instructions, examples, example
// tables) in a private install folder.

#include "plan/Plan.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace qv::test {

struct PlanFixtureOptions
{
    int chapters = 3;
    int sectionsPerChapter = 2;
    bool withLibrary = true; // instruction and example files for every key
};

class PlanFixture
{
public:
    explicit PlanFixture(const PlanFixtureOptions &options = PlanFixtureOptions());

    // The saved plan document ("Acme.bpl") and its folder ("AcmeB").
    QString documentPath() const { return m_documentPath; }
    QString planFolder() const;
    QString installFolder() const { return m_install.path(); }
    QString root() const { return m_root.path(); }

    // The section key of chapter c, section s ("0102").
    static QString keyOf(int chapter, int section);
    // The plain text the fixture wrote into that section's file.
    static QString textOf(int chapter, int section);

    // Writes an RTF file with the given body text.
    static void writeRtf(const QString &path, const QString &text);

private:
    QTemporaryDir m_root;
    QTemporaryDir m_install;
    QString m_documentPath;
};

} // namespace qv::test
