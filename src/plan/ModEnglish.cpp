#include "plan/ModEnglish.h"
#include "plan/PlanRules.h"

#include "platform/Folders.h"

namespace qv::plan::ModEnglish {

namespace {

constexpr const char *kKindFolders[] = {kServiceFolder, kManufacturingFolder, kWholesaleFolder, kRetailFolder,
                                        kCustomFolder};
constexpr const char *kKindNames[] = {"Service", "Manufacturing", "Wholesale", "Retail", "Custom"};
constexpr int kKindCount = 5;

bool isKind(int kind)
{
    return kind >= 0 && kind < kKindCount;
}

QString folderName(const char *name)
{
    return QLatin1String(name);
}

QString stageFolder(const PlanInfo &info)
{
    return folderName(info.newBusiness() ? kNewFolder : kExistFolder);
}

QString platformInstall()
{
    return platform::Folders::installFolder();
}

} // namespace

QString GetDataFolder(const PlanInfo &info, const QString &installFolder)
{
    QString path = installFolder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + folderName(kDataFolder) + folderName(kLanguageFolder)
           + folderName(info.isBusinessPlan() ? kBusinessPlanFolder : kMarketingPlanFolder);
}

QString GetKindFolder(const PlanInfo &info, const QString &installFolder)
{
    return GetDataFolder(info, installFolder) + KindFolder(info.businessKind());
}

QString GetTemplateFolder(const PlanInfo &info, const QString &installFolder)
{
    const QString kindFolder = GetKindFolder(info, installFolder);
    return info.isBusinessPlan() ? kindFolder + stageFolder(info) : kindFolder;
}

QString GetExampleFolder(const PlanInfo &info, const QString &installFolder)
{
    return GetTemplateFolder(info, installFolder) + folderName(kExampleFolder);
}

QString GetInstructionFolder(const PlanInfo &info, const QString &installFolder)
{
    return GetKindFolder(info, installFolder) + folderName(kInstructionFolder);
}

QString GetTablesFolder(const PlanInfo &info, const QString &installFolder)
{
    const QString data = GetDataFolder(info, installFolder);
    if (!info.isBusinessPlan())
        return data + folderName(kCommonFolder) + folderName(kTablesFolder);
    const char *group = info.businessKind() == Custom ? kCustomFolder : kCommonFolder;
    return data + folderName(group) + stageFolder(info) + folderName(kTablesFolder);
}

QString TemplatePlanDocumentFolder(const PlanInfo &info, const QString &installFolder)
{
    return info.isBusinessPlan() ? GetTemplateFolder(info, installFolder)
                                 : GetDataFolder(info, installFolder) + folderName(kCommonFolder);
}

QString TemplatePlanDocumentPath(const PlanInfo &info, const QString &installFolder)
{
    return TemplatePlanDocumentFolder(info, installFolder) + QLatin1String(kTemplatePlanDocument);
}

QString SamplePlanFolder(const PlanInfo &info, const QString &installFolder)
{
    const QString samples = GetDataFolder(info, installFolder) + folderName(kSamplesFolder);
    if (!info.isBusinessPlan())
        return samples;
    return samples + folderName(info.newBusiness() ? kNewSamplesFolder : kExistingSamplesFolder);
}

QString SamplePlanPath(const PlanInfo &info, const QString &extension, const QString &installFolder)
{
    return SamplePlanFolder(info, installFolder) + SamplePlanFileName(info.businessKind(), extension);
}

// The same, with the platform's install folder.
QString GetDataFolder(const PlanInfo &info) { return GetDataFolder(info, platformInstall()); }
QString GetKindFolder(const PlanInfo &info) { return GetKindFolder(info, platformInstall()); }
QString GetTemplateFolder(const PlanInfo &info) { return GetTemplateFolder(info, platformInstall()); }
QString GetExampleFolder(const PlanInfo &info) { return GetExampleFolder(info, platformInstall()); }
QString GetInstructionFolder(const PlanInfo &info) { return GetInstructionFolder(info, platformInstall()); }
QString GetTablesFolder(const PlanInfo &info) { return GetTablesFolder(info, platformInstall()); }
QString TemplatePlanDocumentFolder(const PlanInfo &info) { return TemplatePlanDocumentFolder(info, platformInstall()); }
QString TemplatePlanDocumentPath(const PlanInfo &info) { return TemplatePlanDocumentPath(info, platformInstall()); }
QString SamplePlanFolder(const PlanInfo &info) { return SamplePlanFolder(info, platformInstall()); }
QString SamplePlanPath(const PlanInfo &info, const QString &extension)
{
    return SamplePlanPath(info, extension, platformInstall());
}

QString KindFolder(int kind)
{
    return isKind(kind) ? folderName(kKindFolders[kind]) : QString();
}

QString KindFolderName(int kind)
{
    QString folder = KindFolder(kind);
    folder.chop(1);
    return folder;
}

int BusinessKindFromName(const QString &name)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (name.compare(QLatin1String(kKindNames[kind]), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return Service;
}

QString BusinessKindName(int kind)
{
    return isKind(kind) ? QLatin1String(kKindNames[kind]) : QString();
}

QString InstructionFileName(const QString &sectionKey)
{
    return QStringLiteral("INST") + sectionKey + QStringLiteral(".rtf");
}

QString ExampleFileName(const QString &sectionKey)
{
    return QStringLiteral("EXAM") + sectionKey + QStringLiteral(".rtf");
}

QString ExampleTableFileName(const QString &tableName)
{
    return QStringLiteral("TPL") + tableName.mid(3) + QStringLiteral(".vts");
}

QString ExampleChartFileName(const QString &tableName)
{
    return QStringLiteral("TPL") + tableName.mid(3) + QStringLiteral(".vtc");
}

QString TemplateTableFileName(const QString &tableName)
{
    return tableName + QStringLiteral(".vts");
}

QString AnalysisExampleFileName(const QString &exampleKey)
{
    return QStringLiteral("TPL") + exampleKey + QStringLiteral(".vts");
}

QString SamplePlanFileName(int kind, const QString &extension)
{
    return KindFolderName(kind) + QLatin1Char('.') + extension;
}

QString PlanTypeLetter(int planType)
{
    return planTypeLetter(planType);
}

QString PlanFolderOf(const QString &documentPath, const QString &letter)
{
    QString base = documentPath;
    const qsizetype dot = base.size() - 4;
    if (dot >= 0 && base.at(dot) == QLatin1Char('.') && base.lastIndexOf(QLatin1Char('/')) < dot)
        base.truncate(dot);
    return base + letter;
}

QString PlanFolderOfDocument(const QString &documentPath)
{
    const bool business = documentPath.right(3).compare(QLatin1String("bpl"), Qt::CaseInsensitive) == 0;
    return PlanFolderOf(documentPath, QLatin1String(business ? kBusinessPlanLetter : kMarketingPlanLetter));
}

int PlanTypeOfDocument(const QString &documentPath)
{
    return planTypeOfPath(documentPath);
}

} // namespace qv::plan::ModEnglish
