#include "LibraryGenerator.h"

#include "sourcereader/TableDefinition.h"
#include "sourcereader/TemplateSources.h"
#include "sourcereader/TextMarkup.h"

#include "controls/chart/ChartFile.h"
#include "controls/richtext/Rtf.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "plan/FileNames.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "plan/PlanBuilder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace qv::templates {

namespace {

const QStringList stages{QStringLiteral("New"), QStringLiteral("Exist")};
const QStringList commonKinds{QStringLiteral("Service"), QStringLiteral("Manufacturing"),
                              QStringLiteral("Wholesale"), QStringLiteral("Retail")};

class Writer
{
public:
    Writer(QString root, GenerationReport &report) : m_root(std::move(root)), m_report(report) {}

    void write(const QString &relativePath, const QByteArray &bytes)
    {
        const QString path = m_root + u'/' + relativePath;
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QString failure = platform::writeFileAtomically(path, bytes);
        if (!failure.isEmpty()) {
            m_report.errors << path + QStringLiteral(": ") + failure;
            return;
        }
        ++m_report.files;
        m_report.bytes += bytes.size();
    }

    void writeWorkbook(const QString &relativePath, const workbook::Workbook &book)
    {
        const QString path = m_root + u'/' + relativePath;
        QDir().mkpath(QFileInfo(path).absolutePath());
        try {
            book.write(path);
            ++m_report.files;
            m_report.bytes += QFileInfo(path).size();
        } catch (const QvError &error) {
            m_report.errors << error.description();
        }
    }

private:
    QString m_root;
    GenerationReport &m_report;
};

QByteArray planDocument(const Outline &outline)
{
    plan::PlanBuilder builder(outline.businessPlan ? plan::BusinessPlan : plan::MarketingPlan);
    if (outline.businessPlan) {
        builder.kind(int(kindNames().indexOf(outline.kind)));
        builder.newBusiness(outline.stage == QLatin1String("New"));
    }
    for (const auto &chapter : outline.chapters) {
        builder.chapter(chapter.name);
        for (const auto &section : chapter.sections) {
            builder.section(section.name, section.key, QString(), qint16(section.status));
            for (const auto &table : section.tables)
                builder.table(table.fileName, table.displayName, table.hasGraph);
        }
    }
    if (!outline.analysisKey.isEmpty()) {
        plan::Profile &profile = builder.plan().profile();
        profile.setAnalysis(true);
        profile.setAnalysisTitle(outline.analysisTitle);
        profile.setAnalysisFileName(outline.analysisKey + QStringLiteral(".vts"));
        profile.setExampleKey(outline.analysisKey);
    }
    builder.plan().setTemplate(true);
    return builder.plan().documentBytes();
}

void writeOutlines(const QString &sources, Writer &writer, GenerationReport &report)
{
    for (const QString &kind : kindNames()) {
        for (const QString &stage : stages) {
            const QString folder = kindFolder(kind);
            const auto outline = readOutline(sources + QStringLiteral("/outlines/BusPlan/%1/%2.outline").arg(folder, stage));
            report.errors << outline.errors;
            if (outline.errors.isEmpty())
                writer.write(QStringLiteral("BusPlan/%1/%2/default.~pl").arg(folder, stage), planDocument(outline.value));
        }
    }
    const auto marketing = readOutline(sources + QStringLiteral("/outlines/MrktPlan/Common.outline"));
    report.errors << marketing.errors;
    if (marketing.errors.isEmpty())
        writer.write(QStringLiteral("MrktPlan/Common/default.~pl"), planDocument(marketing.value));
}

void writeTexts(const QString &sources, Writer &writer, GenerationReport &report)
{
    for (const QString &planType : {QStringLiteral("BusPlan"), QStringLiteral("MrktPlan")}) {
        const QDir dir(sources + QStringLiteral("/texts/") + planType);
        const auto files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
        for (const QString &file : files) {
            const QString key = QFileInfo(file).completeBaseName();
            const auto texts = readTextFile(dir.filePath(file));
            report.errors << texts.errors;
            for (const auto &text : texts.value) {
                const QByteArray rtf = rtf::writeRtf(*markupDocument(text.body));
                const QString kind = kindFolder(text.kind);
                if (text.role == TextRole::Instruction) {
                    writer.write(QStringLiteral("%1/%2/Instr/INST%3.rtf").arg(planType, kind, key), rtf);
                } else if (planType == QLatin1String("MrktPlan")) {
                    writer.write(QStringLiteral("MrktPlan/%1/Example/EXAM%2.rtf").arg(kind, key), rtf);
                } else {
                    for (const QString &stage : text.stages)
                        writer.write(QStringLiteral("BusPlan/%1/%2/Example/EXAM%3.rtf").arg(kind, stage, key), rtf);
                }
            }
        }
    }
}

// An example table is shown on its own, outside its set, where a link to
// another table would read #REF!: its links become the values they gave.
void freezeLinks(workbook::Workbook &book)
{
    struct Frozen
    {
        int row, col;
        workbook::Value value;
    };
    const workbook::CellRange all{1, 1, workbook::maxRows, workbook::maxColumns};
    for (int sheet = 0; sheet < book.sheetCount(); ++sheet) {
        std::vector<Frozen> frozen;
        book.sheetData(sheet).forEachCell(all, [&](int row, int col, const workbook::Cell &cell) {
            if (cell.formula >= 0 && book.formulaCell(cell.formula).text.contains(u'['))
                frozen.push_back({row, col, book.formulaCell(cell.formula).result});
        });
        book.setActiveSheet(sheet);
        for (const auto &cell : frozen)
            book.setValue(cell.row, cell.col, cell.value);
    }
    book.setActiveSheet(0);
}

// A table's example lies in the kind's example folder ("TPL0503.vts"); an
// analysis's in the tables folder beside the analysis ("TPLANRT.vts"),
// where the analysis window looks for it.
QString examplePath(const TableSetPlace &place, const QString &kind, const TableDefinition &table)
{
    if (table.isAnalysis())
        return place.tables + QStringLiteral("/TPL") + table.name + QStringLiteral(".vts");
    return place.exampleFolder(kind) + QStringLiteral("/TPL") + table.name.mid(3) + QStringLiteral(".vts");
}

// The predefined graphs of a set: graphs/<set>/<table>.vtc, written as the
// table's chart file into the tables folder and, for every kind with an
// example of the table, as the example's chart beside the example table.
void writeGraphs(const QString &sources, const TableSetPlace &place, const TableSet &set, Writer &writer,
                 GenerationReport &report)
{
    const QString folder = sources + QStringLiteral("/graphs/") + place.source.mid(QStringLiteral("tables/").size());
    const QDir dir(folder);
    for (const QString &file : dir.entryList({QStringLiteral("*.vtc")}, QDir::Files, QDir::Name)) {
        const QString path = dir.filePath(file);
        const QString tableName = QFileInfo(file).completeBaseName();
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly)) {
            report.errors << path + QStringLiteral(": cannot be read");
            continue;
        }
        const QByteArray bytes = in.readAll();
        try {
            chart::parseChartFile(bytes);
        } catch (const QvError &error) {
            report.errors << path + QStringLiteral(": ") + error.description();
            continue;
        }
        const TableDefinition *table = set.find(tableName);
        if (!table) {
            report.errors << path + QStringLiteral(": the set has no table ") + tableName;
            continue;
        }
        writer.write(place.tables + u'/' + plan::chartFileNameOf(tableName), bytes);
        for (const QString &kind : place.kinds)
            if (table->hasExample(kind))
                writer.write(place.exampleFolder(kind) + QStringLiteral("/TPL") + tableName.mid(3) + QStringLiteral(".vtc"),
                             bytes);
    }
}

void writeTables(const QString &sources, Writer &writer, GenerationReport &report)
{
    for (const auto &place : tableSetPlaces()) {
        const QString folder = sources + u'/' + place.source;
        if (!QFileInfo(folder).isDir()) {
            report.notes << QStringLiteral("%1: not written yet, skipped").arg(place.source);
            continue;
        }
        const auto set = readTableSet(folder);
        report.errors << set.errors;
        if (!set.errors.isEmpty())
            continue;
        {
            workbook::WorkbookSet books;
            loadTableSet(set.value, books);
            for (const auto *book : books.books())
                writer.writeWorkbook(place.tables + u'/' + book->title() + QStringLiteral(".vts"), *book);
        }
        for (const QString &kind : place.kinds) {
            workbook::WorkbookSet books;
            loadTableSet(set.value, books, kind);
            for (const auto &table : set.value.tables)
                if (table.hasExample(kind))
                    freezeLinks(*books.find(table.name));
            for (const auto &table : set.value.tables)
                if (table.hasExample(kind))
                    writer.writeWorkbook(examplePath(place, kind, table), *books.find(table.name));
        }
        writeGraphs(sources, place, set.value, writer, report);
    }
}

void writeQuestions(const QString &sources, Writer &writer, GenerationReport &report)
{
    const QDir dir(sources + QStringLiteral("/questions"));
    const auto files = dir.entryList({QStringLiteral("*.questions")}, QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        report.notes << QStringLiteral("questions: none written yet, no wizard question list");
        return;
    }
    QByteArray list;
    for (const QString &file : files) {
        QFile in(dir.filePath(file));
        if (!in.open(QIODevice::ReadOnly)) {
            report.errors << in.fileName() + QStringLiteral(": cannot be read");
            continue;
        }
        QByteArray content = in.readAll();
        content.replace("\r\n", "\n");
        if (!content.isEmpty() && !content.endsWith('\n'))
            content += '\n';
        list += content;
    }
    writer.write(QStringLiteral("BusPlan/wizard-questions.txt"), list);
}

// Puts the finished tree in place of the old one.
QString swapIn(const QString &fresh, const QString &target)
{
    const QString old = target + QStringLiteral(".old");
    QDir(old).removeRecursively();
    if (QFileInfo::exists(target) && !QDir().rename(target, old))
        return QStringLiteral("cannot move the old library %1 aside").arg(target);
    if (!QDir().rename(fresh, target)) {
        QDir().rename(old, target);
        return QStringLiteral("cannot put the new library in place at %1").arg(target);
    }
    QDir(old).removeRecursively();
    return {};
}

} // namespace

QString TableSetPlace::exampleFolder(const QString &kind) const
{
    const QString folder = kindFolder(kind);
    if (source.startsWith(QLatin1String("tables/MrktPlan")))
        return QStringLiteral("MrktPlan/%1/Example").arg(folder);
    const QString stage = source.endsWith(QLatin1String("-New")) ? QStringLiteral("New") : QStringLiteral("Exist");
    return QStringLiteral("BusPlan/%1/%2/Example").arg(folder, stage);
}

const QList<TableSetPlace> &tableSetPlaces()
{
    static const QList<TableSetPlace> places{
        {QStringLiteral("tables/BusPlan/Common-New"), QStringLiteral("BusPlan/Common/New/Tables"), commonKinds},
        {QStringLiteral("tables/BusPlan/Common-Exist"), QStringLiteral("BusPlan/Common/Exist/Tables"), commonKinds},
        {QStringLiteral("tables/BusPlan/Custom-New"), QStringLiteral("BusPlan/Custom/New/Tables"), {QStringLiteral("Custom")}},
        {QStringLiteral("tables/BusPlan/Custom-Exist"), QStringLiteral("BusPlan/Custom/Exist/Tables"), {QStringLiteral("Custom")}},
        {QStringLiteral("tables/MrktPlan/Common"), QStringLiteral("MrktPlan/Common/Tables"), kindNames()},
    };
    return places;
}

GenerationReport generateLibrary(const QString &sourceFolder, const QString &dataOut)
{
    GenerationReport report;
    const QString target = QDir(dataOut).absoluteFilePath(QStringLiteral("ENG"));
    const QString fresh = target + QStringLiteral(".new");
    QDir(fresh).removeRecursively();
    if (!QDir().mkpath(fresh)) {
        report.errors << fresh + QStringLiteral(": cannot be made");
        return report;
    }
    Writer writer(fresh, report);
    writeOutlines(sourceFolder, writer, report);
    writeTexts(sourceFolder, writer, report);
    writeTables(sourceFolder, writer, report);
    writeQuestions(sourceFolder, writer, report);
    if (!report.errors.isEmpty()) {
        QDir(fresh).removeRecursively();
        return report;
    }
    const QString failure = swapIn(fresh, target);
    if (!failure.isEmpty())
        report.errors << failure;
    return report;
}

} // namespace qv::templates
