#pragma once

// The layout of the installed template library and of plan folders. Every
// other part of the program reaches the library through these functions;
// none joins library folder names itself.
//
// The functions take their choices from a PlanInfo (pass the current plan's
// at the moment of the call) and only build text: they never look at the
// disk, so a missing folder is the caller's to report. Every folder they
// return ends in "/". The library is looked up exactly as spelled here.

#include "plan/PlanInfo.h"

#include <QString>

namespace qv::plan::ModEnglish {

// Folder names, each with its trailing separator.
inline constexpr char kDataFolder[] = "Data/";
inline constexpr char kLanguageFolder[] = "ENG/";
inline constexpr char kBusinessPlanFolder[] = "BusPlan/";
inline constexpr char kMarketingPlanFolder[] = "MrktPlan/";
inline constexpr char kServiceFolder[] = "Service/";
inline constexpr char kManufacturingFolder[] = "Manuf/";
inline constexpr char kWholesaleFolder[] = "Whlesale/"; // spelled without the "o"
inline constexpr char kRetailFolder[] = "Retail/";
inline constexpr char kCustomFolder[] = "Custom/";
inline constexpr char kCommonFolder[] = "Common/";
inline constexpr char kNewFolder[] = "New/";
inline constexpr char kExistFolder[] = "Exist/";
inline constexpr char kExampleFolder[] = "Example/";
inline constexpr char kInstructionFolder[] = "Instr/";
inline constexpr char kTablesFolder[] = "Tables/";
inline constexpr char kSamplesFolder[] = "Samples/";
// A business plan's samples sit in "New/" or "Existing/" (not "Exist/").
inline constexpr char kNewSamplesFolder[] = "New/";
inline constexpr char kExistingSamplesFolder[] = "Existing/";

// The template plan document in a template folder.
inline constexpr char kTemplatePlanDocument[] = "default.~pl";

// The letters that end a plan folder's name.
inline constexpr char kBusinessPlanLetter[] = "B";
inline constexpr char kMarketingPlanLetter[] = "M";

// ---- Folders of the template library --------------------------------------------

// install + "/" (only when missing) + "Data/ENG/" + "BusPlan/" or "MrktPlan/".
// Without an install folder, the platform's install folder.
QString GetDataFolder(const PlanInfo &info, const QString &installFolder);
QString GetDataFolder(const PlanInfo &info);
// GetDataFolder + the kind folder; a kind outside 0 to 4 adds nothing.
QString GetKindFolder(const PlanInfo &info, const QString &installFolder);
QString GetKindFolder(const PlanInfo &info);
// Business plan: GetKindFolder + "New/" or "Exist/"; marketing plan:
// GetKindFolder.
QString GetTemplateFolder(const PlanInfo &info, const QString &installFolder);
QString GetTemplateFolder(const PlanInfo &info);
// GetTemplateFolder + "Example/".
QString GetExampleFolder(const PlanInfo &info, const QString &installFolder);
QString GetExampleFolder(const PlanInfo &info);
// GetKindFolder + "Instr/": instructions depend on the kind only.
QString GetInstructionFolder(const PlanInfo &info, const QString &installFolder);
QString GetInstructionFolder(const PlanInfo &info);
// Business plan: GetDataFolder + "Custom/" (kind Custom) or "Common/" +
// stage + "Tables/"; marketing plan: GetDataFolder + "Common/Tables/".
QString GetTablesFolder(const PlanInfo &info, const QString &installFolder);
QString GetTablesFolder(const PlanInfo &info);

// The folder that holds the template plan document: GetTemplateFolder for a
// business plan, GetDataFolder + "Common/" for a marketing plan (whatever
// its kind), and the document's full path.
QString TemplatePlanDocumentFolder(const PlanInfo &info, const QString &installFolder);
QString TemplatePlanDocumentFolder(const PlanInfo &info);
QString TemplatePlanDocumentPath(const PlanInfo &info, const QString &installFolder);
QString TemplatePlanDocumentPath(const PlanInfo &info);

// The sample plans' folder: GetDataFolder + "Samples/", then for a business
// plan "New/" or "Existing/"; and a sample's path for a viewer extension
// ("doc", "lwp" or "cpd").
QString SamplePlanFolder(const PlanInfo &info, const QString &installFolder);
QString SamplePlanFolder(const PlanInfo &info);
QString SamplePlanPath(const PlanInfo &info, const QString &extension, const QString &installFolder);
QString SamplePlanPath(const PlanInfo &info, const QString &extension);

// ---- Kinds --------------------------------------------------------------------

// The kind's folder ("Manuf/"), and its name without the separator
// ("Manuf"); empty for a kind outside 0 to 4.
QString KindFolder(int kind);
QString KindFolderName(int kind);
// The kind number of a kind name ("Service", "Manufacturing", "Wholesale",
// "Retail", "Custom"), compared without regard to case; any other text
// gives 0 (Service).
int BusinessKindFromName(const QString &name);
// The kind name of 0 to 4; empty for any other number.
QString BusinessKindName(int kind);

// ---- File names inside the library ----------------------------------------------

// "INST" + the section's key + ".rtf" in the instruction folder.
QString InstructionFileName(const QString &sectionKey);
// "EXAM" + the section's key + ".rtf" in the example folder.
QString ExampleFileName(const QString &sectionKey);
// "TPL" + the table name from its fourth character on + ".vts" in the
// example folder: table "Tbl0406" has TPL0406.vts.
QString ExampleTableFileName(const QString &tableName);
// The example table's graph: "TPL" + the table name from its fourth
// character + ".vtc".
QString ExampleChartFileName(const QString &tableName);
// The table name + ".vts" in the tables folder.
QString TemplateTableFileName(const QString &tableName);
// "TPL" + the profile's example key + ".vts": the analysis example.
QString AnalysisExampleFileName(const QString &exampleKey);
// The kind folder's name + "." + the viewer extension.
QString SamplePlanFileName(int kind, const QString &extension);

// ---- Plan folders -------------------------------------------------------------

// "B" for a business plan, "M" for any other type.
QString PlanTypeLetter(int planType);
// The document's path less its four-character extension (".bpl", ".mpl";
// a path without one is kept whole) followed by the letter; no trailing
// separator. "My Plans/Acme.bpl" with "B" gives "My Plans/AcmeB".
QString PlanFolderOf(const QString &documentPath, const QString &letter);
// The same with the letter chosen by the document's extension, as a plan
// document found on disk is judged: "B" for ".bpl" (any case), else "M".
QString PlanFolderOfDocument(const QString &documentPath);
// The plan type a document's name stands for: marketing when it ends in
// "mpl" (any case), business otherwise.
int PlanTypeOfDocument(const QString &documentPath);

} // namespace qv::plan::ModEnglish
