// Plan documents: what the program writes reopens identically; what it
// cannot read is refused with a reason, leaving the plan as it was.

#include "PlanTestSupport.h"

#include "plan/Plan.h"
#include "plan/PlanBuilder.h"
#include "plan/PlanDocument.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <limits>

using namespace qv::plan;
using namespace qv::plan::test;

namespace {

class PlanDocumentTest : public ::testing::Test
{
protected:
    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // A plan opened as the composer opens one.
    std::unique_ptr<Plan> opened(const QString &file, bool expectSuccess = true)
    {
        auto plan = std::make_unique<Plan>();
        plan->Initialise(QStringLiteral("B"), QStringLiteral("M"));
        plan->planInfo().setPlanType(file.endsWith(QLatin1String("mpl")) ? MarketingPlan : BusinessPlan);
        plan->setFilePath(file);
        EXPECT_EQ(plan->Open(), expectSuccess) << qPrintable(plan->lastError());
        return plan;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(PlanDocumentTest, ADocumentWrittenByTheProgramReopensIdentically)
{
    auto plan = PlanBuilder::sized(12, 80, 60);
    plan->setFilePath(path("Acme.bpl"));
    plan->Save();
    auto reopened = opened(path("Acme.bpl"));
    EXPECT_TRUE(reopened->content().sameContent(plan->content()));
    EXPECT_EQ(reopened->name(), QStringLiteral("Acme business plan"));
    EXPECT_EQ(reopened->outline().tableCount(), 60);
    // Saving the reopened plan writes the very same bytes.
    EXPECT_EQ(reopened->documentBytes(), readBytes(path("Acme.bpl")));
    EXPECT_FALSE(reopened->modified());
}

TEST_F(PlanDocumentTest, EveryValueSurvivesTheRoundTrip)
{
    PlanContent content;
    content.title = QStringLiteral("Ünïcödé \"quoted\" \\ back\tslash\nnew line \x01");
    content.info.setPlanType(MarketingPlan);
    content.info.setBusinessKind(-7);
    content.info.setNewBusiness(false);
    content.info.setBusinessName(QStringLiteral("日本語 business"));
    content.profile.setProjectedYears(2147483647);
    content.profile.setMarketingCount(4, -2147483647 - 1);
    content.profile.setFirstYearDate(QDate(2000, 2, 29));
    content.profile.setMonth(12);
    content.profile.setAnalysisFileName(QStringLiteral("Analysis.vts"));
    content.submitter.setSubmissionDate(QVariant(0.1));
    content.submitter.address().setFax(QStringLiteral("555"));
    auto chapter = content.outline.chapters().Add(std::make_shared<Chapter>(QString()));
    auto section = chapter->sections().Add(std::make_shared<Section>(QStringLiteral("S")));
    section->setStatus(-32768);
    content.outline.chapters().Add(std::make_shared<Chapter>(QStringLiteral("Empty chapter")));

    for (const QVariant &date : {QVariant(), QVariant(QStringLiteral("1/2/1999")), QVariant(qlonglong(36000)),
                                 QVariant(true), QVariant(1e300), QVariant(-0.5)}) {
        content.submitter.setSubmissionDate(date);
        PlanContent back;
        QString reason;
        ASSERT_TRUE(PlanDocument::read(PlanDocument::write(content), back, reason)) << qPrintable(reason);
        EXPECT_TRUE(back.sameContent(content)) << qPrintable(date.toString());
    }
}

TEST_F(PlanDocumentTest, TheDocumentIsReadableJsonWithFormatAndVersionFirst)
{
    auto plan = PlanBuilder().businessName(QStringLiteral("Acme")).section(QStringLiteral("Summary")).take();
    const QByteArray bytes = plan->documentBytes();
    EXPECT_TRUE(bytes.startsWith("{\n  \"format\": \"quorvex-plan\",\n  \"version\": 1,\n"));
    EXPECT_TRUE(bytes.endsWith("}\n"));
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(json.object().value(QLatin1String("planInfo")).toObject().value(QLatin1String("businessName")).toString(),
              QStringLiteral("Acme"));
}

TEST_F(PlanDocumentTest, OpenTakesThePlanTypeFromTheCallerNotTheDocument)
{
    auto plan = PlanBuilder(MarketingPlan).take();
    plan->setFilePath(path("odd.bpl"));
    plan->Save();
    EXPECT_EQ(opened(path("odd.bpl"))->planInfo().planType(), BusinessPlan);
}

TEST_F(PlanDocumentTest, ATemplateKeepsThePlansOwnBusiness)
{
    // The library's default.~pl: outline and profile defaults, no business.
    auto templ = PlanBuilder(MarketingPlan).kind(Custom).businessName(QStringLiteral("Ignored"))
                     .chapter(QStringLiteral("Products")).section(QStringLiteral("Lines"), QStringLiteral("0801"))
                     .table(QStringLiteral("Tbl0801.vts"), QStringLiteral("Product lines"))
                     .take();
    templ->profile().setAnalysis(true);
    templ->setTemplate(true);
    templ->setFilePath(path("default.~pl"));
    templ->Save();
    EXPECT_FALSE(readBytes(path("default.~pl")).contains("Ignored"));
    EXPECT_FALSE(QFileInfo::exists(path("defaultM"))); // a template has no plan folder

    // Plan creation: the wizard's answers first, then the copied template.
    Plan plan;
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan.planInfo().setPlanType(MarketingPlan);
    plan.planInfo().setBusinessKind(Retail);
    plan.planInfo().setBusinessName(QStringLiteral("Acme"));
    plan.submitter().setSubmittedTo(QStringLiteral("Bank"));
    ASSERT_TRUE(writeBytes(path("Acme.mpl"), readBytes(path("default.~pl"))));
    plan.setFilePath(path("Acme.mpl"));
    ASSERT_TRUE(plan.Open()) << qPrintable(plan.lastError());
    EXPECT_EQ(plan.planInfo().businessKind(), Retail);
    EXPECT_EQ(plan.planInfo().businessName(), QStringLiteral("Acme"));
    EXPECT_EQ(plan.submitter().submittedTo(), QStringLiteral("Bank"));
    EXPECT_TRUE(plan.profile().analysis());
    EXPECT_EQ(plan.outline().chapters().item(1)->sections().item(1)->tables().item(1)->name(),
              QStringLiteral("Tbl0801"));
    // Saved, it is a plan of its own.
    EXPECT_FALSE(plan.isTemplate());
    plan.Save();
    EXPECT_TRUE(readBytes(path("Acme.mpl")).contains("Acme"));
    EXPECT_FALSE(readBytes(path("Acme.mpl")).contains("\"template\""));
}

// ---- Refused documents ---------------------------------------------------------------

namespace {

struct Refused
{
    const char *what;
    QByteArray bytes;
    const char *reasonContains;
};

QByteArray validDocument()
{
    auto plan = PlanBuilder::sized(2, 3, 2);
    return plan->documentBytes();
}

QByteArray manyItems(const char *list, const char *item, int count)
{
    QByteArray bytes = R"({"format": "quorvex-plan", "version": 1, ")" + QByteArray(list) + "\": [";
    for (int i = 0; i < count; ++i)
        bytes += (i ? "," : "") + QByteArray(item);
    return bytes + "]}";
}

QByteArray withReplaced(const char *from, const char *to)
{
    QByteArray bytes = validDocument();
    EXPECT_TRUE(bytes.contains(from)) << from;
    return bytes.replace(from, to);
}

} // namespace

TEST_F(PlanDocumentTest, RefusedDocumentsLeaveThePlanAsItWas)
{
    const QByteArray valid = validDocument();
    const std::vector<Refused> cases = {
        {"empty", QByteArray(), "empty"},
        {"blank", QByteArray("  \n\t"), "empty"},
        {"truncated", valid.left(valid.size() / 2), "damaged or incomplete"},
        {"one byte short", valid.left(valid.size() - 2), "damaged or incomplete"},
        {"not JSON", QByteArray("{\\rtf1\\ansi hello}"), "damaged or incomplete"},
        {"binary", QByteArray("\x00\x01\x02\xff\xfe", 5), "damaged or incomplete"},
        {"a list", QByteArray("[1, 2, 3]"), "not a Quorvex plan"},
        {"another format", QByteArray(R"({"format": "spreadsheet", "version": 1})"), "not a Quorvex plan"},
        {"no version", QByteArray(R"({"format": "quorvex-plan"})"), "version"},
        {"version as text", QByteArray(R"({"format": "quorvex-plan", "version": "1"})"), "version"},
        {"fractional version", QByteArray(R"({"format": "quorvex-plan", "version": 1.5})"), "version"},
        {"newer version", QByteArray(R"({"format": "quorvex-plan", "version": 2, "chapters": []})"), "newer version"},
        {"far newer version", QByteArray(R"({"format": "quorvex-plan", "version": 99})"), "document version 99"},
        {"escaping file name", withReplaced("\"Ans00001.rtf\"", "\"../../etc/passwd\""), "chapter 1, section 1"},
        {"absolute table file", withReplaced("\"Tbl0101.vts\"", "\"/tmp/evil.vts\""), "table 1"},
        {"backslash in graph file", withReplaced("\"Grf0101.vtc\"", "\"..\\\\x.vtc\""), "not a file name"},
        {"key with a separator", withReplaced("\"0101\"", "\"../0101\""), "not a file name"},
        {"analysis file escaping", withReplaced("\"Analysis.vts\"", "\"../Analysis.vts\""), "profile"},
        {"table without file", withReplaced("\"file\": \"Tbl0101.vts\"", "\"file\": \"\""), "must name its"},
        {"status out of range", withReplaced("\"status\": 0", "\"status\": 40000"), "status"},
        {"status as text", withReplaced("\"status\": 0", "\"status\": \"0\""), "status"},
        {"month out of range", withReplaced("\"month\": 7", "\"month\": 13"), "month"},
        {"number beyond 32 bits", withReplaced("\"projectedYears\": 3", "\"projectedYears\": 1e300"), "projectedYears"},
        {"number beyond doubles", withReplaced("\"projectedYears\": 3", "\"projectedYears\": 1e400"), "damaged"},
        {"fractional count", withReplaced("\"projectedYears\": 3", "\"projectedYears\": 2.5"), "projectedYears"},
        {"bad date", withReplaced("\"1999-01-01\"", "\"1999-02-30\""), "firstYearDate"},
        {"chapters not a list", withReplaced("\"chapters\": [", "\"chapters\": {\"x\": [") + "}", "damaged"},
        {"chapter not an object", QByteArray(R"({"format": "quorvex-plan", "version": 1, "chapters": [7]})"),
         "chapter 1"},
        {"sections not a list",
         QByteArray(R"({"format": "quorvex-plan", "version": 1, "chapters": [{"sections": "x"}]})"), "sections"},
        {"flag as number", withReplaced("\"newBusiness\": true", "\"newBusiness\": 1"), "newBusiness"},
        {"submission date object", withReplaced("\"March 3, 2026\"", "{}"), "submissionDate"},
        {"too many marketing counts", withReplaced("\"marketingCounts\": [", "\"marketingCounts\": [1, "),
         "marketingCounts"},
        {"deep nesting", QByteArray(20000, '['), "damaged or incomplete"},
        {"too many chapters", manyItems("chapters", "{}", PlanDocument::kMaxItemsPerList + 1), "more than 10000"},
        {"too many items", manyItems("chapters", R"({"sections": [{}, {}, {}, {}, {}, {}, {}, {}, {}, {}]})", 9500),
         "more than 100000"},
    };

    for (const Refused &refused : cases) {
        SCOPED_TRACE(refused.what);
        // A plan that already holds its own document.
        auto plan = PlanBuilder::sized(1, 2, 1);
        plan->setFilePath(path("Mine.bpl"));
        plan->Save();
        plan->setModified(true);
        const QByteArray before = plan->documentBytes();

        ASSERT_TRUE(writeBytes(path("Bad.bpl"), refused.bytes));
        plan->setFilePath(path("Bad.bpl"));
        EXPECT_FALSE(plan->Open());
        EXPECT_TRUE(plan->lastError().contains(QString::fromUtf8(refused.reasonContains), Qt::CaseInsensitive))
            << qPrintable(plan->lastError());
        EXPECT_EQ(plan->documentBytes(), before);
        EXPECT_TRUE(plan->modified());
        // The plan is still bound to its own document, not to the bad one.
        EXPECT_EQ(plan->fullPath(), path("Mine.bpl"));
        EXPECT_EQ(readBytes(path("Bad.bpl")), refused.bytes);
    }
}

TEST_F(PlanDocumentTest, MissingAndUnreadableDocumentsAreRefused)
{
    auto plan = std::make_unique<Plan>();
    plan->setFilePath(path("Missing.bpl"));
    EXPECT_FALSE(plan->Open());
    EXPECT_TRUE(plan->lastError().contains(QLatin1String("does not exist")));
    // A fresh plan keeps the path it was given (plan creation saves there).
    EXPECT_EQ(plan->fullPath(), path("Missing.bpl"));

    QDir(m_dir.path()).mkdir(QStringLiteral("Folder.bpl"));
    plan->setFilePath(path("Folder.bpl"));
    EXPECT_FALSE(plan->Open());
    EXPECT_TRUE(plan->lastError().contains(QLatin1String("folder")));

    Plan unnamed;
    EXPECT_FALSE(unnamed.Open());
    EXPECT_FALSE(unnamed.lastError().isEmpty());
}

TEST_F(PlanDocumentTest, OversizedDocumentsAreRefusedUnread)
{
    QFile file(path("Huge.bpl"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(PlanDocument::kMaxSize + 10)); // sparse: costs no disk
    file.close();
    auto plan = std::make_unique<Plan>();
    plan->setFilePath(path("Huge.bpl"));
    EXPECT_FALSE(plan->Open());
    EXPECT_TRUE(plan->lastError().contains(QLatin1String("too large")));
}

TEST_F(PlanDocumentTest, UnknownMembersAndMissingOnesAreTolerated)
{
    const QByteArray minimal = R"({"format": "quorvex-plan", "version": 1, "future": {"x": 1},
        "chapters": [{"name": "Only", "sections": [{"name": "S", "tables": [{"file": "Tbl0101.vts"}]}]}]})";
    ASSERT_TRUE(writeBytes(path("Min.bpl"), "\xEF\xBB\xBF" + minimal));
    auto plan = opened(path("Min.bpl"));
    ASSERT_EQ(plan->outline().chapters().count(), 1);
    const auto &section = plan->outline().chapters().item(1)->sections().item(1);
    EXPECT_EQ(section->status(), InProgress);
    EXPECT_TRUE(section->textFileName().isEmpty());
    EXPECT_EQ(section->tables().item(1)->fileName(), QStringLiteral("Tbl0101.vts"));
    EXPECT_EQ(plan->name(), QStringLiteral("Min"));
}

TEST_F(PlanDocumentTest, OpeningReplacesTheWholeOutlineButKeepsTheOutlineObject)
{
    auto first = PlanBuilder().chapter(QStringLiteral("First")).section(QStringLiteral("S")).take();
    first->setFilePath(path("First.bpl"));
    first->Save();
    auto second = PlanBuilder::sized(3, 4, 2);
    second->setFilePath(path("Second.bpl"));
    second->Save();

    Plan plan;
    plan.setFilePath(path("Second.bpl"));
    ASSERT_TRUE(plan.Open());
    PlanOutline *outline = &plan.outline();
    auto oldSection = plan.outline().chapters().item(1)->sections().item(1);
    plan.setFilePath(path("First.bpl"));
    ASSERT_TRUE(plan.Open());
    EXPECT_EQ(&plan.outline(), outline);
    EXPECT_EQ(plan.outline().chapters().count(), 1);
    EXPECT_TRUE(oldSection->folder().isEmpty()); // detached from the plan
    EXPECT_EQ(plan.outline().chapters().item(1)->sections().item(1)->folder(),
              QDir::cleanPath(path("FirstB")) + QLatin1Char('/'));
}

TEST_F(PlanDocumentTest, WhatIsReadIsWhatASaveWritesBack)
{
    // Texts JSON can spell but UTF-8 cannot, and a template that names a
    // business anyway, read as a save would write them.
    const QByteArray odd = R"({"format": "quorvex-plan", "version": 1, "template": true, "title": "a\ud800b",
        "planInfo": {"planType": 1, "businessKind": 3, "businessName": "x"},
        "submitter": {"submittedTo": "Bank"}})";
    PlanContent content;
    QString reason;
    ASSERT_TRUE(PlanDocument::read(odd, content, reason)) << qPrintable(reason);
    EXPECT_EQ(content.title.size(), 3);
    EXPECT_FALSE(content.title.at(1).isSurrogate());
    EXPECT_EQ(content.info.businessKind(), Service);
    EXPECT_EQ(content.info.planType(), MarketingPlan);
    EXPECT_TRUE(content.submitter.submittedTo().isEmpty());
    PlanContent again;
    ASSERT_TRUE(PlanDocument::read(PlanDocument::write(content), again, reason));
    EXPECT_TRUE(again.sameContent(content));
}

TEST_F(PlanDocumentTest, AByteOrderMarkFromAnEditorReadsAsTheSameDocument)
{
    PlanContent plain, marked;
    QString reason;
    ASSERT_TRUE(PlanDocument::read(validDocument(), plain, reason)) << qPrintable(reason);
    ASSERT_TRUE(PlanDocument::read("\xEF\xBB\xBF" + validDocument(), marked, reason)) << qPrintable(reason);
    EXPECT_TRUE(marked.sameContent(plain));
}

TEST(Submitter, KeepsTheSubmissionDateInAFormADocumentHolds)
{
    Submitter submitter;
    submitter.setSubmissionDate(QVariant(5));
    EXPECT_EQ(submitter.submissionDate().typeId(), QMetaType::LongLong);
    submitter.setSubmissionDate(QVariant(2.0));
    EXPECT_EQ(submitter.submissionDate(), QVariant(qlonglong(2)));
    submitter.setSubmissionDate(QVariant(2.5));
    EXPECT_EQ(submitter.submissionDate().typeId(), QMetaType::Double);
    submitter.setSubmissionDate(QVariant(QDate(1999, 3, 1)));
    EXPECT_EQ(submitter.submissionDate(), QVariant(QStringLiteral("1999-03-01")));
    submitter.setSubmissionDate(QVariant(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(submitter.submissionDate().typeId(), QMetaType::QString);
    submitter.setSubmissionDate(QVariant());
    EXPECT_FALSE(submitter.submissionDate().isValid());
}

TEST(Profile, HasFourMarketingCounts)
{
    Profile profile;
    profile.setMarketingCount(1, 3);
    profile.setMarketingCount(4, 9);
    profile.setMarketingCount(0, 7);
    profile.setMarketingCount(5, 7);
    EXPECT_EQ(profile.marketingCount(1), 3);
    EXPECT_EQ(profile.marketingCount(4), 9);
    EXPECT_EQ(profile.marketingCount(0), 0);
    EXPECT_EQ(profile.marketingCount(5), 0);
}
