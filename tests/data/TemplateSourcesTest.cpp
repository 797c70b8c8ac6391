// Checks of the template library's sources: outline shapes, where the tables
// sit, and the instruction and example texts (presence, length, and that each
// kind's text is written for that kind).

#include "sourcereader/FigureCheck.h"
#include "sourcereader/SpellingList.h"
#include "sourcereader/TemplateSources.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <iostream>

using namespace qv::templates;

namespace {

const QString sourcesDir = QStringLiteral(QV_TEMPLATE_SOURCES_DIR);
const QStringList stages{QStringLiteral("New"), QStringLiteral("Exist")};

std::string str(const QString &text)
{
    return text.toStdString();
}

QString outlinePath(const QString &kind, const QString &stage)
{
    return sourcesDir + QStringLiteral("/outlines/BusPlan/") + kindFolder(kind) + QLatin1Char('/') + stage
           + QStringLiteral(".outline");
}

QString marketingOutlinePath()
{
    return sourcesDir + QStringLiteral("/outlines/MrktPlan/Common.outline");
}

Outline loadOutline(const QString &path)
{
    auto parsed = readOutline(path);
    EXPECT_TRUE(parsed.errors.isEmpty()) << str(parsed.errors.join(QLatin1Char('\n')));
    return parsed.value;
}

// The key files of a plan type, by key.
QMap<QString, QList<SourceText>> loadTexts(const QString &planType)
{
    QMap<QString, QList<SourceText>> result;
    const QDir dir(sourcesDir + QStringLiteral("/texts/") + planType);
    for (const auto &info : dir.entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        auto parsed = readTextFile(info.filePath());
        EXPECT_TRUE(parsed.errors.isEmpty()) << str(parsed.errors.join(QLatin1Char('\n')));
        result.insert(info.baseName(), parsed.value);
    }
    return result;
}

QString describe(const QString &key, const SourceText &text)
{
    return key + QLatin1Char(' ') + (text.role == TextRole::Instruction ? QStringLiteral("INST ") : QStringLiteral("EXAM "))
           + text.kind + (text.stages.isEmpty() ? QString() : QLatin1Char(' ') + text.stages.join(QLatin1Char(' ')));
}

bool hasInstruction(const QList<SourceText> &texts, const QString &kind)
{
    return std::any_of(texts.begin(), texts.end(), [&](const SourceText &text) {
        return text.role == TextRole::Instruction && text.kind == kind;
    });
}

bool hasExample(const QList<SourceText> &texts, const QString &kind, const QString &stage)
{
    return std::any_of(texts.begin(), texts.end(), [&](const SourceText &text) {
        return text.role == TextRole::Example && text.kind == kind
               && (stage.isEmpty() ? text.stages.isEmpty() : text.stages.contains(stage));
    });
}

// Stages whose outline of the kind holds the key.
QStringList stagesWithKey(const QString &kind, const QString &key)
{
    QStringList result;
    for (const auto &stage : stages)
        if (readOutline(outlinePath(kind, stage)).value.keys().contains(key))
            result << stage;
    return result;
}

double sharedFraction(const QStringList &mine, const QStringList &theirs)
{
    if (mine.isEmpty())
        return 0.0;
    const QSet<QString> other(theirs.begin(), theirs.end());
    int shared = 0;
    for (const auto &sentence : mine)
        if (other.contains(sentence))
            ++shared;
    return double(shared) / double(mine.size());
}

} // namespace

TEST(TemplateOutlines, BusinessPlanOutlinesHaveTheirShape)
{
    for (const auto &kind : kindNames()) {
        for (const auto &stage : stages) {
            const auto outline = loadOutline(outlinePath(kind, stage));
            SCOPED_TRACE(str(outline.path));
            EXPECT_TRUE(outline.businessPlan);
            EXPECT_EQ(outline.kind, kind);
            EXPECT_EQ(outline.stage, stage);
            EXPECT_GE(outline.chapters.size(), 9);
            EXPECT_GE(outline.sectionCount(), 30);
            const auto keys = outline.keys();
            EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size()) << "a key appears twice";
            const bool isNew = stage == QLatin1String("New");
            for (const auto &key : {QStringLiteral("STRT"), QStringLiteral("SFND")})
                EXPECT_EQ(keys.contains(key), isNew) << str(key);
            for (const auto &key : {QStringLiteral("HIST"), QStringLiteral("PERF"), QStringLiteral("RATI"), QStringLiteral("FUND")})
                EXPECT_EQ(keys.contains(key), !isNew) << str(key);
        }
    }
}

TEST(TemplateOutlines, EveryTemplateHasTheTablesPlanCreationCustomizes)
{
    const QStringList common{QStringLiteral("Tbl0301"), QStringLiteral("Tbl0302"), QStringLiteral("Tbl0303"),
                             QStringLiteral("Tbl0304")};
    for (const auto &kind : kindNames()) {
        const bool custom = kind == QLatin1String("Custom");
        for (const auto &stage : stages) {
            QStringList expected = common;
            if (custom)
                expected << QStringLiteral("Tbl0403") << QStringLiteral("Tbl0404") << QStringLiteral("Tbl0406")
                         << QStringLiteral("Tbl0903");
            else
                expected << QStringLiteral("Tbl0503") << QStringLiteral("Tbl0505") << QStringLiteral("Tbl0601")
                         << QStringLiteral("Tbl0802");
            if (stage == QLatin1String("Exist")) {
                for (int n = 3; n <= 6; ++n)
                    expected << (custom ? QStringLiteral("Tbl09%1").arg(n + 1, 2, 10, QLatin1Char('0'))
                                        : QStringLiteral("Tbl08%1").arg(n, 2, 10, QLatin1Char('0')));
            } else {
                expected << (custom ? QStringLiteral("Tbl0904") : QStringLiteral("Tbl0803")); // the first year by month
            }
            expected << QStringLiteral("Tbl1003"); // the appendix's sensitivity analysis
            auto actual = loadOutline(outlinePath(kind, stage)).tableNames();
            actual.sort();
            expected.sort();
            EXPECT_EQ(actual, expected) << str(kind + QLatin1Char(' ') + stage);
        }
    }
}

TEST(TemplateOutlines, MarketingPlanOutlineHasItsShapeAndTables)
{
    const auto outline = loadOutline(marketingOutlinePath());
    EXPECT_FALSE(outline.businessPlan);
    EXPECT_GE(outline.chapters.size(), 11);
    EXPECT_GE(outline.sectionCount(), 25);
    auto actual = outline.tableNames();
    actual.sort();
    QStringList expected{QStringLiteral("Tbl0103"), QStringLiteral("Tbl0404"), QStringLiteral("Tbl0601"),
                         QStringLiteral("Tbl0602"), QStringLiteral("Tbl1101"), QStringLiteral("Tbl1102")};
    for (int n = 1; n <= 8; ++n)
        expected << QStringLiteral("Tbl080%1").arg(n);
    expected.sort();
    EXPECT_EQ(actual, expected);
}

TEST(TemplateOutlines, EveryTableLandsInTheChapterAndSectionItsNameGives)
{
    QStringList paths{marketingOutlinePath()};
    for (const auto &kind : kindNames())
        for (const auto &stage : stages)
            paths << outlinePath(kind, stage);
    for (const auto &path : std::as_const(paths)) {
        const auto outline = loadOutline(path);
        for (const auto &chapter : outline.chapters)
            for (const auto &section : chapter.sections)
                for (const auto &table : section.tables) {
                    EXPECT_EQ(table.tableName().mid(3, 2).toInt(), chapter.number) << str(path + QLatin1Char(' ') + table.fileName);
                    EXPECT_EQ(table.tableName().mid(5, 2).toInt(), section.number) << str(path + QLatin1Char(' ') + table.fileName);
                }
    }
}

// The analysis keys of the business outlines, with the kind whose
// instructions each key's text file holds.
QMap<QString, QString> analysisKeys()
{
    QMap<QString, QString> result;
    for (const auto &kind : kindNames())
        for (const auto &stage : stages)
            if (const QString key = loadOutline(outlinePath(kind, stage)).analysisKey; !key.isEmpty())
                result.insert(key, kind);
    return result;
}

TEST(TemplateTexts, EveryTextFileBelongsToAnOutlineKey)
{
    QSet<QString> businessKeys;
    for (const auto &kind : kindNames())
        for (const auto &stage : stages)
            for (const auto &key : loadOutline(outlinePath(kind, stage)).keys())
                businessKeys << key;
    for (const auto &key : analysisKeys().keys())
        businessKeys << key;
    auto marketingKeys = loadOutline(marketingOutlinePath()).keys();
    if (const QString key = loadOutline(marketingOutlinePath()).analysisKey; !key.isEmpty())
        marketingKeys << key;
    for (const auto &key : loadTexts(QStringLiteral("BusPlan")).keys())
        EXPECT_TRUE(businessKeys.contains(key)) << str(key);
    for (const auto &key : loadTexts(QStringLiteral("MrktPlan")).keys())
        EXPECT_TRUE(marketingKeys.contains(key)) << str(key);
}

TEST(TemplateTexts, MarkersSuitTheirPlanTypeAndAppearOnce)
{
    for (const auto &planType : {QStringLiteral("BusPlan"), QStringLiteral("MrktPlan")}) {
        const auto files = loadTexts(planType);
        for (auto it = files.begin(); it != files.end(); ++it) {
            QSet<QString> seen;
            for (const auto &text : it.value()) {
                if (text.role == TextRole::Example) {
                    EXPECT_EQ(text.stages.isEmpty(), planType == QLatin1String("MrktPlan")) << str(describe(it.key(), text));
                }
                const QStringList stageSlots = text.stages.isEmpty() ? QStringList{QString()} : text.stages;
                for (const auto &slot : stageSlots) {
                    const QString id = describe(it.key(), text).section(QLatin1Char(' '), 0, 2) + QLatin1Char(' ') + slot;
                    EXPECT_FALSE(seen.contains(id)) << "written twice: " << str(id);
                    seen << id;
                }
            }
        }
    }
}

TEST(TemplateTexts, EveryTextIsBetween150And500WordsWithSoundMarkup)
{
    for (const auto &planType : {QStringLiteral("BusPlan"), QStringLiteral("MrktPlan")}) {
        const auto files = loadTexts(planType);
        for (auto it = files.begin(); it != files.end(); ++it) {
            for (const auto &text : it.value()) {
                const int words = wordCount(text.body);
                // An analysis's instructions go through every measure it shows.
                const int most = analysisKeys().contains(it.key()) ? 800 : 500;
                EXPECT_GE(words, 150) << str(describe(it.key(), text));
                EXPECT_LE(words, most) << str(describe(it.key(), text));
                const auto problems = markupProblems(text.body);
                EXPECT_TRUE(problems.isEmpty()) << str(describe(it.key(), text)) << ": " << str(problems.join(QStringLiteral(", ")));
            }
        }
    }
}

TEST(TemplateTexts, KindsShareAtMostAFifthOfAText)
{
    for (const auto &planType : {QStringLiteral("BusPlan"), QStringLiteral("MrktPlan")}) {
        const auto files = loadTexts(planType);
        for (auto it = files.begin(); it != files.end(); ++it) {
            const auto &texts = it.value();
            for (const auto &mine : texts) {
                for (const auto &theirs : texts) {
                    if (mine.kind == theirs.kind || mine.role != theirs.role)
                        continue;
                    const bool sameStage = mine.stages.isEmpty() || theirs.stages.isEmpty()
                                           || std::any_of(mine.stages.begin(), mine.stages.end(),
                                                          [&](const QString &s) { return theirs.stages.contains(s); });
                    if (!sameStage && mine.role == TextRole::Example)
                        continue;
                    const double fraction = sharedFraction(sentences(mine.body), sentences(theirs.body));
                    EXPECT_LE(fraction, 0.2) << str(describe(it.key(), mine)) << " shares " << fraction * 100
                                             << "% of its sentences with " << str(theirs.kind);
                }
            }
        }
    }
}

// Every template that offers an analysis has its key's instructions for
// its kind and no more; the kinds' instructions are written for the kind
// (each in a file of its own key, so compared across the files).
TEST(TemplateTexts, EveryAnalysisHasInstructionsWrittenForItsKind)
{
    const auto keys = analysisKeys();
    ASSERT_EQ(keys.size(), 5) << "one analysis key for each kind";
    const auto texts = loadTexts(QStringLiteral("BusPlan"));
    QMap<QString, QStringList> sentencesOf; // kind -> the sentences of its instructions
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        const auto &file = texts.value(it.key());
        ASSERT_EQ(file.size(), 1) << str(it.key()) << ": one text, the instructions";
        EXPECT_EQ(file.first().role, TextRole::Instruction) << str(it.key());
        EXPECT_EQ(file.first().kind, it.value()) << str(it.key());
        sentencesOf.insert(it.value(), sentences(file.first().body));
    }
    for (auto mine = sentencesOf.cbegin(); mine != sentencesOf.cend(); ++mine)
        for (auto theirs = sentencesOf.cbegin(); theirs != sentencesOf.cend(); ++theirs)
            if (mine.key() != theirs.key()) {
                EXPECT_LE(sharedFraction(mine.value(), theirs.value()), 0.2)
                    << str(mine.key()) << " shares its analysis instructions with " << str(theirs.key());
            }
}

TEST(TemplateTexts, CoveredKeysHaveEveryTextTheLibraryNeeds)
{
    const auto coverage = readCoverage(sourcesDir + QStringLiteral("/coverage"));
    ASSERT_TRUE(coverage.errors.isEmpty()) << str(coverage.errors.join(QLatin1Char('\n')));
    const auto business = loadTexts(QStringLiteral("BusPlan"));
    const auto marketing = loadTexts(QStringLiteral("MrktPlan"));
    QStringList missing;

    QStringList businessKeys;
    for (const auto &kind : kindNames())
        for (const auto &stage : stages)
            for (const auto &key : loadOutline(outlinePath(kind, stage)).keys())
                if (!businessKeys.contains(key))
                    businessKeys << key;
    for (const auto &key : std::as_const(businessKeys)) {
        const auto covered = coverage.value.value(QStringLiteral("BusPlan")).value(key);
        for (const auto &kind : kindNames()) {
            const auto needed = stagesWithKey(kind, key);
            if (needed.isEmpty())
                continue;
            if (!covered.contains(kind)) {
                missing << QStringLiteral("BusPlan ") + key + QLatin1Char(' ') + kind;
                continue;
            }
            const auto texts = business.value(key);
            EXPECT_TRUE(hasInstruction(texts, kind)) << "BusPlan INST" << str(key) << ' ' << str(kind);
            for (const auto &stage : needed)
                EXPECT_TRUE(hasExample(texts, kind, stage)) << "BusPlan EXAM" << str(key) << ' ' << str(kind) << ' ' << str(stage);
        }
    }
    for (const auto &key : loadOutline(marketingOutlinePath()).keys()) {
        const auto covered = coverage.value.value(QStringLiteral("MrktPlan")).value(key);
        for (const auto &kind : kindNames()) {
            if (!covered.contains(kind)) {
                missing << QStringLiteral("MrktPlan ") + key + QLatin1Char(' ') + kind;
                continue;
            }
            const auto texts = marketing.value(key);
            EXPECT_TRUE(hasInstruction(texts, kind)) << "MrktPlan INST" << str(key) << ' ' << str(kind);
            EXPECT_TRUE(hasExample(texts, kind, QString())) << "MrktPlan EXAM" << str(key) << ' ' << str(kind);
        }
    }
    // Keys not yet written are listed, so the coverage file stays honest
    // about how far the library is.
    if (!missing.isEmpty())
        std::cout << "Texts not yet written (" << missing.size() << " key and kind pairs):\n  "
                  << str(missing.join(QStringLiteral("\n  "))) << std::endl;
}

TEST(TemplateTexts, ExamplesOnlyForStagesThatHaveTheSection)
{
    // An example for a stage whose outline lacks the section would never be shown.
    const auto business = loadTexts(QStringLiteral("BusPlan"));
    for (const auto &key : business.keys())
        for (const auto &text : business.value(key))
            for (const auto &stage : text.stages)
                EXPECT_TRUE(stagesWithKey(text.kind, key).contains(stage))
                    << str(describe(key, text)) << ": the " << str(stage) << " outline has no section " << str(key);
}

TEST(TemplateSourceReader, CountsWordsAndSplitsSentencesWithoutMarkup)
{
    const QString markup = QStringLiteral("## What to include\n\nCharge **$34 an hour** for care. Nights cost $1.50 more!\n"
                                          "- List *every* service\n- Give prices\n");
    EXPECT_EQ(wordCount(markup), 18);
    EXPECT_EQ(sentences(markup), (QStringList{QStringLiteral("what to include"), QStringLiteral("charge $34 an hour for care"),
                                              QStringLiteral("nights cost $1.50 more"), QStringLiteral("list every service"),
                                              QStringLiteral("give prices")}));
    EXPECT_TRUE(markupProblems(markup).isEmpty());
    EXPECT_FALSE(markupProblems(QStringLiteral("an **open emphasis\n")).isEmpty());
}

TEST(TemplateSourceReader, ReportsMalformedOutlineLines)
{
    const QString path = QDir::temp().filePath(QStringLiteral("qv-bad-outline.outline"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plan business\nkind Service\nstage New\nchapter 2 | Skipped one\n  section 2.1 | low | Name | Maybe\n"
               "    table Tbl05.vts | Sales\nnonsense\n");
    file.close();
    const auto parsed = readOutline(path);
    QFile::remove(path);
    EXPECT_EQ(parsed.errors.size(), 5) << str(parsed.errors.join(QLatin1Char('\n')));
}

TEST(TemplateDemo, AnswerFilesNameTheirTemplateAndOnlyItsTables)
{
    // A demo answer file is read line by line by plan creation: the header
    // keys must come first, and every cell answer must name a table and a
    // row that the template of that kind and stage really has.
    const QDir dir(sourcesDir + QStringLiteral("/demo"));
    const auto files = dir.entryInfoList({QStringLiteral("*.qa")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 15);
    static const QRegularExpression cellKey(QStringLiteral("^(TBL\\d{4}):([A-Z])(\\d+)$"));
    for (const auto &info : files) {
        SCOPED_TRACE(str(info.fileName()));
        QFile file(info.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList keys;
        QMap<QString, QString> values;
        for (const auto &raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const auto line = raw.trimmed();
            if (!line.contains(QLatin1Char('=')))
                continue;
            const auto key = line.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
            keys << key;
            values.insert(key, line.section(QLatin1Char('='), 1).trimmed());
        }
        const bool marketing = info.baseName().startsWith(QLatin1String("Marketing-"));
        const QStringList header = marketing
            ? QStringList{QStringLiteral("[PLAN]"), QStringLiteral("[FIELD1.4]"), QStringLiteral("[FIELD1.1]")}
            : QStringList{QStringLiteral("[PLAN]"), QStringLiteral("[FIELD1.4]"), QStringLiteral("[FIELD1.1]"), QStringLiteral("[FIELD1.2]")};
        EXPECT_EQ(keys.mid(0, header.size()), header);
        EXPECT_TRUE(values.value(QStringLiteral("[FIELD1.4]")).startsWith(QLatin1String("@MYPLANS@/")));
        const auto kind = values.value(QStringLiteral("[FIELD1.1]"));
        ASSERT_TRUE(kindNames().contains(kind)) << str(kind);
        const QString path = marketing ? marketingOutlinePath() : outlinePath(kind, values.value(QStringLiteral("[FIELD1.2]")));
        const auto tables = loadOutline(path).tableNames();
        for (const auto &key : std::as_const(keys)) {
            if (!key.contains(QLatin1Char(':')))
                continue;
            // Keys are compared in capitals, as plan creation reads them.
            const auto match = cellKey.match(key);
            ASSERT_TRUE(match.hasMatch()) << str(key);
            EXPECT_TRUE(tables.contains(match.captured(1), Qt::CaseInsensitive)) << str(key);
            EXPECT_GE(match.captured(3).toInt(), 1) << str(key);
        }
    }
}

TEST(TemplateSpelling, TheListFindsWholeWordsAndPhrasesInAnyCase)
{
    const QString path = QDir::temp().filePath(QStringLiteral("qv-us-english"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# comment\nlabour -> labor\ncar park -> parking lot\nprogramme -> program\nbroken line\n");
    file.close();
    const auto list = SpellingList::read(path);
    QFile::remove(path);
    ASSERT_EQ(list.errors.size(), 1);
    EXPECT_TRUE(list.errors.first().endsWith(QLatin1String(":5: expected \"british -> us\"")));
    const auto found = list.value.britishForms(QStringLiteral("Labour-intensive work\nthe public car\n park; a programmer; PROGRAMME"));
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found.at(0).line, 1);
    EXPECT_EQ(found.at(0).found, QStringLiteral("Labour"));
    EXPECT_EQ(found.at(0).us, QStringLiteral("labor"));
    EXPECT_EQ(found.at(1).line, 2);
    EXPECT_EQ(found.at(1).us, QStringLiteral("parking lot"));
    EXPECT_EQ(found.at(2).found, QStringLiteral("PROGRAMME"));
}

// Plans for US businesses applying for US loans: every library source and
// help page is written in US English.
TEST(TemplateSpelling, SourcesAndHelpUseUsSpelling)
{
    const auto list = SpellingList::read(sourcesDir + QStringLiteral("/us-english"));
    ASSERT_TRUE(list.errors.isEmpty()) << str(list.errors.join(QLatin1Char('\n')));
    ASSERT_GT(list.value.size(), 100);
    QStringList folders;
    for (const char *folder : {"texts", "companies", "outlines", "tables", "demo", "questions"})
        folders << sourcesDir + u'/' + QLatin1String(folder);
    folders << sourcesDir + QStringLiteral("/../src/resources/help");
    QStringList problems;
    int files = 0;
    for (const QString &folder : std::as_const(folders)) {
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << str(path);
            ++files;
            for (const auto &find : list.value.britishForms(QString::fromUtf8(file.readAll())))
                problems << QStringLiteral("%1:%2: \"%3\" is British; write \"%4\"")
                                .arg(QDir(sourcesDir + QStringLiteral("/..")).relativeFilePath(path))
                                .arg(find.line)
                                .arg(find.found, find.us);
        }
    }
    EXPECT_GT(files, 100);
    EXPECT_TRUE(problems.isEmpty()) << problems.size() << " British spellings:\n" << str(problems.join(QLatin1Char('\n')));
}

TEST(TemplateFigures, WrittenFiguresCarryTheRoundingTheTextUses)
{
    const auto thousands = parseFigure(QStringLiteral("$21,000"));
    ASSERT_TRUE(thousands);
    EXPECT_DOUBLE_EQ(thousands->value, 21000);
    EXPECT_DOUBLE_EQ(thousands->tolerance, 500);
    const auto exact = parseFigure(QStringLiteral("**$21,343**"));
    ASSERT_TRUE(exact);
    EXPECT_DOUBLE_EQ(exact->tolerance, 0.5);
    const auto negative = parseFigure(QStringLiteral("\u2212$153,000"));
    ASSERT_TRUE(negative);
    EXPECT_DOUBLE_EQ(negative->value, -153000);
    const auto percent = parseFigure(QStringLiteral("47.6%"));
    ASSERT_TRUE(percent);
    EXPECT_NEAR(percent->value, 0.476, 1e-12);
    EXPECT_NEAR(percent->tolerance, 0.0005, 1e-12);
    const auto million = parseFigure(QStringLiteral("$1.2 million"));
    ASSERT_TRUE(million);
    EXPECT_DOUBLE_EQ(million->value, 1.2e6);
    EXPECT_DOUBLE_EQ(million->tolerance, 50000);
    const auto times = parseFigure(QStringLiteral("2.4 times"));
    ASSERT_TRUE(times);
    EXPECT_DOUBLE_EQ(times->value, 2.4);
    EXPECT_FALSE(parseFigure(QStringLiteral("12")));        // a count, not a figure of the tables
    const auto ratio = parseFigure(QStringLiteral("1.85"));  // a ratio
    ASSERT_TRUE(ratio);
    EXPECT_NEAR(ratio->tolerance, 0.005, 1e-12);
    EXPECT_FALSE(parseFigure(QStringLiteral("May 2025")));
    EXPECT_FALSE(parseFigure(QString()));
}

TEST(TemplateFigures, TablesOfATextGiveLabelledFiguresWithTheirLines)
{
    EXPECT_EQ(yearKey(QStringLiteral("2027 actual")), QStringLiteral("2027"));
    EXPECT_EQ(yearKey(QStringLiteral("**Year 2**")), QStringLiteral("year 2"));
    EXPECT_EQ(yearKey(QStringLiteral("Amount")), QString());
    EXPECT_EQ(yearKey(QStringLiteral("Dec 2025")), QStringLiteral("2025"));
    EXPECT_EQ(yearKey(QStringLiteral("End of 2027")), QStringLiteral("2027"));
    EXPECT_EQ(yearKey(QStringLiteral("Purchases in 2028")), QString()); // another quantity than the row's
    const QStringList lines{QStringLiteral("@EXAM Retail New"),
                            QStringLiteral("Cash follows the seasons."),
                            QStringLiteral(""),
                            QStringLiteral("| | Year 1 | 2026 |"),
                            QStringLiteral("|---|---|---|"),
                            QStringLiteral("| Net profit | $21,000 | $85,000 |"),
                            QStringLiteral("| **Cash at end of year** | **$103,000** | n/a |"),
                            QStringLiteral(""),
                            QStringLiteral("| Uses | Amount |"),
                            QStringLiteral("| Stock | $190,000 |"),
                            QStringLiteral("| Year | Sales |"),
                            QStringLiteral("@EXAM Retail Exist")};
    const auto figures = quotedFigures(lines, 1, 10);
    ASSERT_EQ(figures.size(), 3);
    EXPECT_EQ(figures.at(0).line, 6);
    EXPECT_EQ(figures.at(0).label, QStringLiteral("Net profit"));
    EXPECT_EQ(figures.at(1).column, QStringLiteral("2026"));
    EXPECT_EQ(figures.at(1).year, QStringLiteral("year 2"));
    EXPECT_EQ(figures.at(2).line, 7);
    EXPECT_EQ(figures.at(2).label, QStringLiteral("Cash at end of year"));
    EXPECT_DOUBLE_EQ(figures.at(2).figure.value, 103000);
}

// A demo plan that rates competitors names the factors it rates, so the
// ratings never sit under the template's own factor names.
TEST(TemplateDemo, BusinessDemosNameTheCompetitionFactorsTheyRate)
{
    const QDir dir(sourcesDir + QStringLiteral("/demo"));
    static const QRegularExpression rating(QStringLiteral("^TBL0303:[B-F](\\d+)$"));
    for (const auto &info : dir.entryInfoList({QStringLiteral("*.qa")}, QDir::Files, QDir::Name)) {
        if (info.baseName().startsWith(QLatin1String("Marketing-")))
            continue;
        SCOPED_TRACE(str(info.fileName()));
        QFile file(info.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QSet<QString> keys;
        QSet<int> ratedRows;
        for (const auto &raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const auto key = raw.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
            keys.insert(key);
            if (const auto match = rating.match(key); match.hasMatch() && match.captured(1).toInt() >= 3 && match.captured(1).toInt() <= 12)
                ratedRows.insert(match.captured(1).toInt());
        }
        EXPECT_FALSE(ratedRows.isEmpty());
        for (const int row : std::as_const(ratedRows))
            EXPECT_TRUE(keys.contains(QStringLiteral("TBL0303:A%1").arg(row))) << "row " << row << " is rated but not named";
    }
}
