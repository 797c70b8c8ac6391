// The finished sample plans: every one the sample chooser can ask for is in
// the built library, reads as a compiled plan of its example company, and
// is made again with the same text from the same sources.

#include "FakePlatform.h"
#include "TestFiles.h"

#include "compile/samples/SamplePlans.h"
#include "plan/ModEnglish.h"
#include "platform/Error.h"
#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv;

namespace {

const QString kInstall = QStringLiteral(QV_INSTALL_DIR);
const QString kDemo = QStringLiteral(QV_TEST_DATA_DIR "/../../data/demo/");

struct Sample
{
    QString answers; // in data/demo
    int planType;
    int kind;
    bool newBusiness;
};

QList<Sample> allSamples()
{
    const QStringList folders{QStringLiteral("Service"), QStringLiteral("Manuf"), QStringLiteral("Whlesale"),
                              QStringLiteral("Retail"), QStringLiteral("Custom")};
    QList<Sample> samples;
    for (int kind = 0; kind < 5; ++kind) {
        samples.append({folders[kind] + QStringLiteral("-New.qa"), plan::BusinessPlan, kind, true});
        samples.append({folders[kind] + QStringLiteral("-Exist.qa"), plan::BusinessPlan, kind, false});
        samples.append({QStringLiteral("Marketing-") + folders[kind] + QStringLiteral(".qa"), plan::MarketingPlan, kind, true});
    }
    return samples;
}

QString samplePath(const Sample &sample)
{
    plan::PlanInfo info;
    info.setPlanType(sample.planType);
    info.setBusinessKind(sample.kind);
    info.setNewBusiness(sample.newBusiness);
    return plan::ModEnglish::SamplePlanPath(info, QStringLiteral("cpd"), kInstall);
}

QString answer(const QString &answersFile, const QString &key)
{
    const QByteArray text = test::readFile(answersFile);
    const QString prefix = QLatin1Char('[') + key + QStringLiteral("]=");
    for (const QString &line : QString::fromUtf8(text).split(QLatin1Char('\n')))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    return QString();
}

QString allText(QPdfDocument &document)
{
    QString text;
    for (int page = 0; page < document.pageCount(); ++page)
        text += document.getAllText(page).text() + QLatin1Char('\f');
    return text;
}

bool libraryBuilt()
{
    return QFileInfo(kInstall + QStringLiteral("/Data/ENG")).isDir();
}

} // namespace

TEST(SamplePlans, EveryAnswersFileNamesTheSampleItIsBuiltInto)
{
    for (const Sample &sample : allSamples()) {
        const plan::PlanInfo info = samples::sampleInfoOfAnswers(kDemo + sample.answers);
        EXPECT_EQ(info.planType(), sample.planType) << sample.answers.toStdString();
        EXPECT_EQ(info.businessKind(), sample.kind) << sample.answers.toStdString();
        if (sample.planType == plan::BusinessPlan) {
            EXPECT_EQ(info.newBusiness(), sample.newBusiness) << sample.answers.toStdString();
        }
    }
}

TEST(SamplePlans, EverySampleIsInTheBuiltLibraryAsACompiledPlanOfItsCompany)
{
    if (!libraryBuilt())
        GTEST_SKIP() << "the template library is not built";
    const QList<Sample> samples = allSamples();
    ASSERT_EQ(samples.size(), 15);
    for (const Sample &sample : samples) {
        const QString path = samplePath(sample);
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(QFileInfo(path).isFile());
        QPdfDocument document;
        ASSERT_EQ(document.load(path), QPdfDocument::Error::None);
        EXPECT_GE(document.pageCount(), 15);
        // The cover names the company and the plan type.
        // A long name may wrap on the cover.
        const QString cover = document.getAllText(0).text().simplified();
        const QString company = answer(kDemo + sample.answers, QStringLiteral("FIELD1.5"));
        ASSERT_FALSE(company.isEmpty());
        EXPECT_TRUE(cover.contains(company)) << cover.toStdString();
        EXPECT_TRUE(cover.contains(sample.planType == plan::BusinessPlan ? QStringLiteral("Business Plan")
                                                                         : QStringLiteral("Marketing Plan")))
            << cover.toStdString();
        // Every chapter is in the contents.
        QPdfBookmarkModel contents;
        contents.setDocument(&document);
        EXPECT_GE(contents.rowCount(), 6);
        // Sections carry their written text, not empty headings.
        EXPECT_GT(allText(document).size(), 40000);
    }
}

TEST(SamplePlans, TheSameSourcesMakeTheSameText)
{
    if (!libraryBuilt())
        GTEST_SKIP() << "the template library is not built";
    const Sample retail{QStringLiteral("Retail-New.qa"), plan::BusinessPlan, 3, true};
    QTemporaryDir folder;
    const QString again = folder.filePath(QStringLiteral("Retail.cpd"));
    platform::Folders::setInstallFolder(kInstall);
    const samples::SamplePlan made = samples::makeSamplePlan(kDemo + retail.answers, again);
    EXPECT_EQ(made.output, again);
    EXPECT_TRUE(made.notApplied.isEmpty()) << made.notApplied.join(u'\n').toStdString();
    EXPECT_TRUE(made.leftOut.isEmpty()) << made.leftOut.join(u'\n').toStdString();
    EXPECT_GT(made.sectionsWritten, 20);

    QPdfDocument built, remade;
    ASSERT_EQ(built.load(samplePath(retail)), QPdfDocument::Error::None);
    ASSERT_EQ(remade.load(again), QPdfDocument::Error::None);
    EXPECT_EQ(remade.pageCount(), built.pageCount());
    EXPECT_EQ(allText(remade), allText(built));
    // Nothing of the plan it was made from is left behind.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QStringLiteral("Retail.cpd")});
}

TEST(SamplePlans, AnswersThatCannotBeReadMakeNoSample)
{
    QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("Retail.cpd"));
    EXPECT_THROW(samples::makeSamplePlan(folder.filePath(QStringLiteral("missing.qa")), output), QvError);
    test::writeTestFile(folder.filePath(QStringLiteral("empty.qa")), "# nothing\n");
    EXPECT_THROW(samples::makeSamplePlan(folder.filePath(QStringLiteral("empty.qa")), output), QvError);
    EXPECT_FALSE(QFileInfo::exists(output));
}
