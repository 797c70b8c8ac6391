#include "TemplateSources.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace qv::templates {

const QStringList &kindNames()
{
    static const QStringList names{QStringLiteral("Service"), QStringLiteral("Manufacturing"),
                                   QStringLiteral("Wholesale"), QStringLiteral("Retail"),
                                   QStringLiteral("Custom")};
    return names;
}

QString kindFolder(const QString &kindName)
{
    static const QStringList folders{QStringLiteral("Service"), QStringLiteral("Manuf"),
                                     QStringLiteral("Whlesale"), QStringLiteral("Retail"),
                                     QStringLiteral("Custom")};
    const auto index = kindNames().indexOf(kindName);
    return index < 0 ? QString() : folders.at(index);
}

int Outline::sectionCount() const
{
    int count = 0;
    for (const auto &chapter : chapters)
        count += int(chapter.sections.size());
    return count;
}

QStringList Outline::keys() const
{
    QStringList result;
    for (const auto &chapter : chapters)
        for (const auto &section : chapter.sections)
            result << section.key;
    return result;
}

QStringList Outline::tableNames() const
{
    QStringList result;
    for (const auto &chapter : chapters)
        for (const auto &section : chapter.sections)
            for (const auto &table : section.tables)
                result << table.tableName();
    return result;
}

namespace {

bool readLines(const QString &path, QStringList &lines, QStringList &errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors << path + QStringLiteral(": cannot be read");
        return false;
    }
    lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (auto &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return true;
}

QStringList fields(const QString &text)
{
    QStringList result = text.split(QLatin1Char('|'));
    for (auto &field : result)
        field = field.trimmed();
    return result;
}

int statusNumber(const QString &text)
{
    if (text == QLatin1String("In Progress"))
        return 0;
    if (text == QLatin1String("Complete"))
        return 1;
    if (text == QLatin1String("Exclude"))
        return 2;
    return -1;
}

} // namespace

Parsed<Outline> readOutline(const QString &path)
{
    Parsed<Outline> result;
    auto &outline = result.value;
    outline.path = path;
    QStringList lines;
    if (!readLines(path, lines, result.errors))
        return result;
    static const QRegularExpression keyPattern(QStringLiteral("^[A-Z]{4}$"));
    static const QRegularExpression tablePattern(QStringLiteral("^Tbl\\d{4}\\.vts$"));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        const QString where = path + QLatin1Char(':') + QString::number(i + 1) + QStringLiteral(": ");
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const auto word = line.section(QLatin1Char(' '), 0, 0);
        const auto rest = line.section(QLatin1Char(' '), 1).trimmed();
        if (word == QLatin1String("plan")) {
            if (rest != QLatin1String("business") && rest != QLatin1String("marketing"))
                result.errors << where + QStringLiteral("plan is business or marketing");
            outline.businessPlan = rest == QLatin1String("business");
        } else if (word == QLatin1String("kind")) {
            if (!kindNames().contains(rest))
                result.errors << where + QStringLiteral("unknown kind ") + rest;
            outline.kind = rest;
        } else if (word == QLatin1String("stage")) {
            if (rest != QLatin1String("New") && rest != QLatin1String("Exist"))
                result.errors << where + QStringLiteral("stage is New or Exist");
            outline.stage = rest;
        } else if (word == QLatin1String("analysis")) {
            const auto parts = fields(rest);
            outline.analysisKey = parts.value(0);
            outline.analysisTitle = parts.value(1);
            if (parts.size() != 2 || outline.analysisTitle.isEmpty())
                result.errors << where + QStringLiteral("analysis <key> | <menu title>");
            if (!keyPattern.match(outline.analysisKey).hasMatch())
                result.errors << where + QStringLiteral("a key is four capital letters");
            if (!outline.chapters.isEmpty())
                result.errors << where + QStringLiteral("analysis belongs to the header, before the first chapter");
        } else if (word == QLatin1String("chapter")) {
            const auto parts = fields(rest);
            OutlineChapter chapter;
            chapter.number = parts.value(0).toInt();
            chapter.name = parts.value(1);
            if (parts.size() != 2 || chapter.name.isEmpty())
                result.errors << where + QStringLiteral("chapter <n> | <name>");
            if (chapter.number != outline.chapters.size() + 1)
                result.errors << where + QStringLiteral("chapter out of sequence");
            outline.chapters << chapter;
        } else if (word == QLatin1String("section")) {
            const auto parts = fields(rest);
            if (outline.chapters.isEmpty()) {
                result.errors << where + QStringLiteral("section before any chapter");
                continue;
            }
            auto &chapter = outline.chapters.last();
            OutlineSection section;
            section.chapter = parts.value(0).section(QLatin1Char('.'), 0, 0).toInt();
            section.number = parts.value(0).section(QLatin1Char('.'), 1, 1).toInt();
            section.key = parts.value(1);
            section.name = parts.value(2);
            section.status = statusNumber(parts.value(3));
            if (parts.size() != 4 || section.name.isEmpty())
                result.errors << where + QStringLiteral("section <c>.<n> | <key> | <name> | <status>");
            if (section.chapter != chapter.number || section.number != chapter.sections.size() + 1)
                result.errors << where + QStringLiteral("section out of sequence");
            if (!keyPattern.match(section.key).hasMatch())
                result.errors << where + QStringLiteral("a key is four capital letters");
            if (section.status < 0)
                result.errors << where + QStringLiteral("status is In Progress, Complete or Exclude");
            chapter.sections << section;
        } else if (word == QLatin1String("table")) {
            const auto parts = fields(rest);
            if (outline.chapters.isEmpty() || outline.chapters.last().sections.isEmpty()) {
                result.errors << where + QStringLiteral("table before any section");
                continue;
            }
            OutlineTable table;
            table.fileName = parts.value(0);
            table.displayName = parts.value(1);
            table.hasGraph = parts.value(2) == QLatin1String("graph");
            if (parts.size() < 2 || parts.size() > 3 || table.displayName.isEmpty()
                || (parts.size() == 3 && !table.hasGraph))
                result.errors << where + QStringLiteral("table <file> | <display name> [| graph]");
            if (!tablePattern.match(table.fileName).hasMatch())
                result.errors << where + QStringLiteral("a table file is Tbl<nnnn>.vts");
            outline.chapters.last().sections.last().tables << table;
        } else {
            result.errors << where + QStringLiteral("unknown line");
        }
    }
    if (outline.businessPlan && (outline.kind.isEmpty() || outline.stage.isEmpty()))
        result.errors << path + QStringLiteral(": a business plan outline names its kind and stage");
    return result;
}

Parsed<QList<SourceText>> readTextFile(const QString &path)
{
    Parsed<QList<SourceText>> result;
    QStringList lines;
    if (!readLines(path, lines, result.errors))
        return result;
    SourceText *current = nullptr;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (!line.startsWith(QLatin1Char('@'))) {
            if (current)
                current->body += line + QLatin1Char('\n');
            continue;
        }
        const QString where = path + QLatin1Char(':') + QString::number(i + 1) + QStringLiteral(": ");
        const auto words = line.mid(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        SourceText text;
        text.line = i + 1;
        text.kind = words.value(1);
        text.stages = words.mid(2);
        if (words.value(0) == QLatin1String("INST"))
            text.role = TextRole::Instruction;
        else if (words.value(0) == QLatin1String("EXAM"))
            text.role = TextRole::Example;
        else
            result.errors << where + QStringLiteral("a marker is @INST or @EXAM");
        if (!kindNames().contains(text.kind))
            result.errors << where + QStringLiteral("unknown kind ") + text.kind;
        for (const auto &stage : std::as_const(text.stages))
            if (stage != QLatin1String("New") && stage != QLatin1String("Exist"))
                result.errors << where + QStringLiteral("unknown stage ") + stage;
        if (text.role == TextRole::Instruction && !text.stages.isEmpty())
            result.errors << where + QStringLiteral("instructions do not depend on the stage");
        result.value << text;
        current = &result.value.last();
    }
    for (auto &text : result.value)
        text.body = text.body.trimmed() + QLatin1Char('\n');
    return result;
}

namespace {

// Markup removed, one line per block (heading, paragraph, list item, table row).
QStringList plainBlocks(const QString &markup)
{
    static const QRegularExpression listMark(QStringLiteral("^(- |\\d+\\. )"));
    static const QRegularExpression headingMark(QStringLiteral("^#{1,2} "));
    QStringList blocks;
    QString paragraph;
    const auto flush = [&] {
        if (!paragraph.trimmed().isEmpty())
            blocks << paragraph.trimmed();
        paragraph.clear();
    };
    for (QString line : markup.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty()) {
            flush();
        } else if (headingMark.match(line).hasMatch() || listMark.match(line).hasMatch()) {
            flush();
            line.remove(headingMark);
            line.remove(listMark);
            blocks << line;
        } else if (line.startsWith(QLatin1Char('|'))) {
            flush();
            if (!line.contains(QLatin1String("---")))
                blocks << line.split(QLatin1Char('|'), Qt::SkipEmptyParts).join(QLatin1String("; "));
        } else {
            paragraph += QLatin1Char(' ') + line;
        }
    }
    flush();
    for (auto &block : blocks) {
        block.replace(QLatin1String("\\*"), QLatin1String("\x01"));
        block.remove(QLatin1Char('*'));
        block.replace(QLatin1Char('\x01'), QLatin1Char('*'));
    }
    return blocks;
}

} // namespace

int wordCount(const QString &markup)
{
    static const QRegularExpression word(QStringLiteral("[\\p{L}\\p{N}$]"));
    int count = 0;
    for (const auto &block : plainBlocks(markup))
        for (const auto &token : block.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (token.contains(word))
                ++count;
    return count;
}

QStringList sentences(const QString &markup)
{
    // A sentence ends at ".", "!" or "?" followed by a blank; a decimal
    // point ($1.50) or an abbreviation without a following blank does not.
    static const QRegularExpression end(QStringLiteral("(?<=[.!?])\\s+(?=[A-Z\"(*])"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList result;
    for (const auto &block : plainBlocks(markup)) {
        for (QString sentence : block.split(end, Qt::SkipEmptyParts)) {
            sentence = sentence.toLower().replace(blanks, QStringLiteral(" ")).trimmed();
            while (!sentence.isEmpty() && QStringLiteral(".!?:;,\"'() ").contains(sentence.back()))
                sentence.chop(1);
            if (!sentence.isEmpty())
                result << sentence;
        }
    }
    return result;
}

QStringList markupProblems(const QString &markup)
{
    QStringList problems;
    const auto lines = markup.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        line.remove(QLatin1String("\\*"));
        const auto trimmed = line.trimmed();
        if (trimmed == QLatin1String("-") || trimmed == QLatin1String("#") || trimmed == QLatin1String("##"))
            problems << QStringLiteral("line %1: empty heading or list item").arg(i + 1);
        if (trimmed.startsWith(QLatin1String("- ")) || trimmed.startsWith(QLatin1String("* ")))
            line = trimmed.mid(2);
        if (line.count(QLatin1String("**")) % 2 != 0)
            problems << QStringLiteral("line %1: unbalanced **").arg(i + 1);
        if (QString(line).remove(QLatin1String("**")).count(QLatin1Char('*')) % 2 != 0)
            problems << QStringLiteral("line %1: unbalanced *").arg(i + 1);
    }
    return problems;
}

Parsed<Coverage> readCoverage(const QString &path)
{
    Parsed<Coverage> result;
    QStringList lines;
    if (!readLines(path, lines, result.errors))
        return result;
    for (int i = 0; i < lines.size(); ++i) {
        const auto line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const auto words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString where = path + QLatin1Char(':') + QString::number(i + 1) + QStringLiteral(": ");
        if (words.size() < 3 || (words.at(0) != QLatin1String("BusPlan") && words.at(0) != QLatin1String("MrktPlan"))) {
            result.errors << where + QStringLiteral("<BusPlan|MrktPlan> <KEY> <kind>...");
            continue;
        }
        auto &kinds = result.value[words.at(0)][words.at(1)];
        for (const auto &kind : words.mid(2)) {
            if (!kindNames().contains(kind))
                result.errors << where + QStringLiteral("unknown kind ") + kind;
            else if (!kinds.contains(kind))
                kinds << kind;
        }
    }
    return result;
}

} // namespace qv::templates
