#include "compile/CompileExport.h"

#include "compile/ExportText.h"
#include "compile/FolderTables.h"
#include "compile/StagedFiles.h"
#include "plan/Plan.h"
#include "platform/Paths.h"
#include "platform/Services.h"

namespace qv::compile {

namespace {

const QString kField = QStringLiteral("Field.txt");
const QString kChapters = QStringLiteral("Chapters.txt");
const QString kSections = QStringLiteral("Sections.txt");
const QString kFiles = QStringLiteral("files.txt");
const QString kBpFiles = QStringLiteral("bpfiles.csv");

enum FileKind : int { SectionText = 1, TableFile = 2, GraphPicture = 3 };

bool isExported(const plan::Section &section)
{
    return !section.textFileName().isEmpty() && section.status() != plan::Exclude;
}

QByteArray coverRecord(const plan::Plan &plan)
{
    const plan::Submitter &submitter = plan.submitter();
    const plan::Address &address = submitter.address();
    return ExportRecord()
        .text(QStringLiteral("cover"))
        .text(plan.planInfo().isBusinessPlan() ? QStringLiteral("b") : QStringLiteral("m"))
        .text(plan.planInfo().businessName())
        .text(address.name())
        .text(address.street())
        .text(address.city())
        .text(address.state())
        .text(address.zip())
        .text(address.telephone())
        .variant(submitter.submissionDate())
        .text(submitter.submittedTo())
        .line();
}

// The records of one exported section, its tables and their graphs.
struct SectionRecords
{
    int chapter;
    int section;
    ExportTexts &out;

    ExportRecord numbered() const
    {
        ExportRecord record;
        record.number(chapter).number(section);
        return record;
    }

    void text(const plan::Section &s)
    {
        out.bpfiles += ExportRecord().text(QStringLiteral("Section")).text(s.name()).line();
        out.bpfiles += ExportRecord().text(QStringLiteral("RTF")).text(s.textFileName()).line();
        out.sections += numbered().text(s.name()).line();
        out.files += numbered().number(SectionText).text(s.textFileName()).text(QString()).number(0).number(0)
                         .number(0).number(0).line();
    }

    void table(const plan::Table &t, const TableMeasurement &m)
    {
        out.bpfiles += ExportRecord()
                           .text(QStringLiteral("Table"))
                           .text(t.pictureFileName())
                           .text(t.displayName())
                           .number(m.lastRow)
                           .number(m.lastCol)
                           .number(m.height)
                           .text(m.orientationName())
                           .line();
        out.files += numbered()
                         .number(TableFile)
                         .text(t.excelFileName())
                         .text(t.displayName())
                         .number(m.lastRow)
                         .number(m.lastCol)
                         .number(m.height)
                         .number(m.orientationCode())
                         .line();
        if (!t.hasGraph())
            return;
        out.bpfiles += ExportRecord()
                           .text(QStringLiteral("Chart"))
                           .text(t.graphPictureFileName())
                           .text(t.graphTitle())
                           .text(m.orientationName())
                           .line();
        out.files += numbered().number(GraphPicture).text(t.graphPictureFileName()).text(t.graphTitle()).number(0)
                         .number(0).number(0).number(0).line();
    }
};

} // namespace

QByteArray fieldFile(const plan::Plan &plan)
{
    const plan::Submitter &submitter = plan.submitter();
    const plan::Address &address = submitter.address();
    auto tag = [](const char *name) { return ExportRecord().text(QString::fromLatin1(name)); };
    QByteArray out;
    out += tag("[TYPE]").text(plan.planInfo().isBusinessPlan() ? QStringLiteral("B") : QStringLiteral("M")).line();
    out += tag("[FIELD1.5]").text(plan.planInfo().businessName()).line();
    out += tag("[FIELD2.1]").text(submitter.submittedTo()).line();
    out += tag("[FIELD2.2]").variant(submitter.submissionDate()).line();
    out += tag("[FIELD2.3]").text(address.name()).line();
    out += tag("[FIELD2.4]").text(address.street()).line();
    out += tag("[FIELD2.5]").text(address.city()).line();
    out += tag("[FIELD2.6]").text(address.state()).line();
    out += tag("[FIELD2.7]").text(address.zip()).line();
    out += tag("[FIELD2.8]").text(address.telephone()).line();
    return out;
}

ExportTexts exportTexts(const plan::Plan &plan, const TableConverter &convert)
{
    ExportTexts out;
    out.field = fieldFile(plan);
    out.bpfiles = coverRecord(plan);
    int chapterNumber = 1;
    for (const auto &chapter : plan.outline().chapters()) {
        int sectionNumber = 0;
        for (const auto &section : chapter->sections()) {
            if (!isExported(*section))
                continue;
            if (sectionNumber == 0)
                out.bpfiles += ExportRecord().text(QStringLiteral("Chapter")).text(chapter->name()).line();
            ++sectionNumber;
            platform::clock().processEvents();
            SectionRecords records{chapterNumber, sectionNumber, out};
            records.text(*section);
            for (const auto &table : section->tables())
                if (!table->fileName().isEmpty())
                    records.table(*table, convert(*table));
        }
        if (sectionNumber > 0)
            out.chapters += ExportRecord().number(chapterNumber).text(chapter->name()).line();
        ++chapterNumber;
    }
    return out;
}

void stageExport(const plan::Plan &plan, FolderTables &tables, StagedFiles &staged, const PrintConversions &conversions)
{
    const ExportTexts texts = exportTexts(plan, [&](const plan::Table &table) {
        return convertTable(tables.table(table.fileName()), staged.stagingPath(table.excelFileName()), conversions);
    });
    staged.write(kField, texts.field);
    staged.write(kChapters, texts.chapters);
    staged.write(kSections, texts.sections);
    staged.write(kFiles, texts.files);
    staged.write(kBpFiles, texts.bpfiles);
}

} // namespace qv::compile
