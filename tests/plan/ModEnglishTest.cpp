// The template library's paths for every plan type, kind and stage.

#include "plan/ModEnglish.h"

#include "platform/Folders.h"

#include <gtest/gtest.h>

using namespace qv::plan;
using namespace qv::plan::ModEnglish;

namespace {

const QString kInstall = QStringLiteral("/opt/Quorvex");

PlanInfo info(int type, int kind, bool isNew = true)
{
    PlanInfo i;
    i.setPlanType(type);
    i.setBusinessKind(kind);
    i.setNewBusiness(isNew);
    return i;
}

QString S(const char *text)
{
    return QString::fromUtf8(text);
}

const char *const kKinds[] = {"Service/", "Manuf/", "Whlesale/", "Retail/", "Custom/"};

} // namespace

TEST(ModEnglish, MarketingPlanOfKindRetail)
{
    const PlanInfo retail = info(MarketingPlan, Retail);
    EXPECT_EQ(GetExampleFolder(retail, kInstall), S("/opt/Quorvex/Data/ENG/MrktPlan/Retail/Example/"));
    EXPECT_EQ(TemplatePlanDocumentPath(retail, kInstall), S("/opt/Quorvex/Data/ENG/MrktPlan/Common/default.~pl"));
    EXPECT_EQ(GetTablesFolder(retail, kInstall), S("/opt/Quorvex/Data/ENG/MrktPlan/Common/Tables/"));
}

TEST(ModEnglish, BusinessPlanOfKindWholesaleForAnExistingBusiness)
{
    const PlanInfo wholesale = info(BusinessPlan, Wholesale, false);
    EXPECT_EQ(GetTemplateFolder(wholesale, kInstall), S("/opt/Quorvex/Data/ENG/BusPlan/Whlesale/Exist/"));
    EXPECT_EQ(GetInstructionFolder(wholesale, kInstall), S("/opt/Quorvex/Data/ENG/BusPlan/Whlesale/Instr/"));
    EXPECT_EQ(GetTablesFolder(wholesale, kInstall), S("/opt/Quorvex/Data/ENG/BusPlan/Common/Exist/Tables/"));
    EXPECT_EQ(TemplatePlanDocumentPath(wholesale, kInstall),
              S("/opt/Quorvex/Data/ENG/BusPlan/Whlesale/Exist/default.~pl"));
}

TEST(ModEnglish, BusinessPlanOfKindCustomForANewBusiness)
{
    EXPECT_EQ(GetTablesFolder(info(BusinessPlan, Custom, true), kInstall),
              S("/opt/Quorvex/Data/ENG/BusPlan/Custom/New/Tables/"));
    EXPECT_EQ(GetTablesFolder(info(BusinessPlan, Custom, false), kInstall),
              S("/opt/Quorvex/Data/ENG/BusPlan/Custom/Exist/Tables/"));
}

TEST(ModEnglish, AnInstallFolderEndingInASeparatorGetsNoSecond)
{
    EXPECT_EQ(GetDataFolder(info(BusinessPlan, Service), S("/opt/Quorvex/")), S("/opt/Quorvex/Data/ENG/BusPlan/"));
    EXPECT_EQ(GetDataFolder(info(BusinessPlan, Service), S("/opt/Quorvex")), S("/opt/Quorvex/Data/ENG/BusPlan/"));
}

TEST(ModEnglish, EveryTypeKindAndStage)
{
    for (int type : {0, 1, 2, -1}) {
        const bool business = type == BusinessPlan;
        const QString data = kInstall + S("/Data/ENG/") + S(business ? "BusPlan/" : "MrktPlan/");
        for (int kind = 0; kind < 5; ++kind) {
            for (bool isNew : {true, false}) {
                SCOPED_TRACE(QStringLiteral("type %1 kind %2 new %3").arg(type).arg(kind).arg(isNew).toStdString());
                const PlanInfo i = info(type, kind, isNew);
                const QString kindFolder = data + S(kKinds[kind]);
                const QString stage = S(isNew ? "New/" : "Exist/");
                const QString templ = business ? QString(kindFolder + stage) : kindFolder;
                EXPECT_EQ(GetDataFolder(i, kInstall), data);
                EXPECT_EQ(GetKindFolder(i, kInstall), kindFolder);
                EXPECT_EQ(GetTemplateFolder(i, kInstall), templ);
                EXPECT_EQ(GetExampleFolder(i, kInstall), templ + S("Example/"));
                EXPECT_EQ(GetInstructionFolder(i, kInstall), kindFolder + S("Instr/"));
                const QString group = S(kind == Custom ? "Custom/" : "Common/");
                const QString tables =
                    business ? QString(data + group + stage + S("Tables/")) : QString(data + S("Common/Tables/"));
                EXPECT_EQ(GetTablesFolder(i, kInstall), tables);
                EXPECT_EQ(TemplatePlanDocumentFolder(i, kInstall), business ? templ : QString(data + S("Common/")));
                const QString samples = data + S("Samples/") + (business ? S(isNew ? "New/" : "Existing/") : QString());
                EXPECT_EQ(SamplePlanFolder(i, kInstall), samples);
                QString kindName = S(kKinds[kind]);
                kindName.chop(1);
                EXPECT_EQ(SamplePlanPath(i, S("doc"), kInstall), samples + kindName + S(".doc"));
                for (const QString &path : {GetDataFolder(i, kInstall), GetKindFolder(i, kInstall),
                                            GetTemplateFolder(i, kInstall), GetExampleFolder(i, kInstall),
                                            GetInstructionFolder(i, kInstall), GetTablesFolder(i, kInstall),
                                            SamplePlanFolder(i, kInstall)})
                    EXPECT_TRUE(path.endsWith(QLatin1Char('/')) && !path.contains(S("//")));
            }
        }
    }
}

TEST(ModEnglish, AKindOutsideTheFiveAddsNothing)
{
    for (int kind : {-1, 5, 99}) {
        const PlanInfo business = info(BusinessPlan, kind, true);
        EXPECT_EQ(GetKindFolder(business, kInstall), S("/opt/Quorvex/Data/ENG/BusPlan/"));
        EXPECT_EQ(GetTemplateFolder(business, kInstall), S("/opt/Quorvex/Data/ENG/BusPlan/New/"));
        EXPECT_EQ(GetInstructionFolder(business, kInstall), S("/opt/Quorvex/Data/ENG/BusPlan/Instr/"));
        EXPECT_EQ(GetTablesFolder(business, kInstall), S("/opt/Quorvex/Data/ENG/BusPlan/Common/New/Tables/"));
        EXPECT_EQ(GetExampleFolder(info(MarketingPlan, kind), kInstall), S("/opt/Quorvex/Data/ENG/MrktPlan/Example/"));
        EXPECT_TRUE(KindFolder(kind).isEmpty());
        EXPECT_TRUE(BusinessKindName(kind).isEmpty());
    }
}

TEST(ModEnglish, SamplePlans)
{
    EXPECT_EQ(SamplePlanPath(info(BusinessPlan, Wholesale, true), S("doc"), kInstall),
              S("/opt/Quorvex/Data/ENG/BusPlan/Samples/New/Whlesale.doc"));
    EXPECT_EQ(SamplePlanPath(info(MarketingPlan, Retail), S("cpd"), kInstall),
              S("/opt/Quorvex/Data/ENG/MrktPlan/Samples/Retail.cpd"));
    EXPECT_EQ(SamplePlanPath(info(BusinessPlan, Manufacturing, false), S("lwp"), kInstall),
              S("/opt/Quorvex/Data/ENG/BusPlan/Samples/Existing/Manuf.lwp"));
}

TEST(ModEnglish, TheInstallFolderComesFromThePlatform)
{
    qv::platform::Folders::setInstallFolder(S("/srv/qv"));
    EXPECT_EQ(GetTablesFolder(info(MarketingPlan, Service)), S("/srv/qv/Data/ENG/MrktPlan/Common/Tables/"));
    EXPECT_EQ(GetDataFolder(info(BusinessPlan, Service)), S("/srv/qv/Data/ENG/BusPlan/"));
}

TEST(ModEnglish, KindNames)
{
    EXPECT_EQ(BusinessKindFromName(S("RETAIL")), Retail);
    EXPECT_EQ(BusinessKindFromName(S("custom")), Custom);
    EXPECT_EQ(BusinessKindFromName(S("Manufacturing")), Manufacturing);
    EXPECT_EQ(BusinessKindFromName(S("wHoLeSaLe")), Wholesale);
    EXPECT_EQ(BusinessKindFromName(S("Service")), Service);
    EXPECT_EQ(BusinessKindFromName(S("Bakery")), Service);
    EXPECT_EQ(BusinessKindFromName(S("Manuf")), Service); // the folder name is not a kind name
    EXPECT_EQ(BusinessKindFromName(QString()), Service);
    EXPECT_EQ(BusinessKindFromName(S(" Retail")), Service);
    const char *names[] = {"Service", "Manufacturing", "Wholesale", "Retail", "Custom"};
    for (int kind = 0; kind < 5; ++kind) {
        EXPECT_EQ(BusinessKindName(kind), S(names[kind]));
        EXPECT_EQ(BusinessKindFromName(BusinessKindName(kind)), kind);
        EXPECT_EQ(KindFolder(kind), S(kKinds[kind]));
    }
    EXPECT_EQ(KindFolderName(Wholesale), S("Whlesale"));
}

TEST(ModEnglish, FileNamePatterns)
{
    EXPECT_EQ(ExampleTableFileName(S("Tbl0805")), S("TPL0805.vts"));
    EXPECT_EQ(ExampleTableFileName(S("Tbl0406")), S("TPL0406.vts"));
    EXPECT_EQ(ExampleTableFileName(S("Tb")), S("TPL.vts"));
    EXPECT_EQ(TemplateTableFileName(S("Tbl0406")), S("Tbl0406.vts"));
    EXPECT_EQ(InstructionFileName(S("0404")), S("INST0404.rtf"));
    EXPECT_EQ(ExampleFileName(S("0404")), S("EXAM0404.rtf"));
    EXPECT_EQ(AnalysisExampleFileName(S("ANAL")), S("TPLANAL.vts"));
    EXPECT_EQ(SamplePlanFileName(Custom, S("cpd")), S("Custom.cpd"));
    EXPECT_EQ(S(kTemplatePlanDocument), S("default.~pl"));
}

TEST(ModEnglish, PlanFolders)
{
    EXPECT_EQ(PlanFolderOf(S("/My Plans/Acme.bpl"), S("B")), S("/My Plans/AcmeB"));
    EXPECT_EQ(PlanFolderOf(S("/Plans/Acme.mpl"), S("M")), S("/Plans/AcmeM"));
    EXPECT_EQ(PlanFolderOf(S("/Plans/Acme"), S("B")), S("/Plans/AcmeB"));      // no extension to drop
    EXPECT_EQ(PlanFolderOf(S("/Pl.ans/Acme"), S("B")), S("/Pl.ans/AcmeB"));
    EXPECT_EQ(PlanFolderOfDocument(S("/Plans/Acme.BPL")), S("/Plans/AcmeB"));
    EXPECT_EQ(PlanFolderOfDocument(S("/Plans/Acme.mpl")), S("/Plans/AcmeM"));
    EXPECT_EQ(PlanTypeOfDocument(S("/Plans/Acme.MPL")), MarketingPlan);
    EXPECT_EQ(PlanTypeOfDocument(S("/Plans/Acme.bpl.mpl")), MarketingPlan);
    EXPECT_EQ(PlanTypeOfDocument(S("/Plans/Acme.txt")), BusinessPlan);
    EXPECT_EQ(PlanTypeLetter(BusinessPlan), S("B"));
    EXPECT_EQ(PlanTypeLetter(7), S("M"));
}
