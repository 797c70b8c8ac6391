#pragma once

// What a wizard learns from the user, before it becomes an answer file.

#include <QList>
#include <QString>

namespace qv::wizard {

enum class PlanType { Business = 0, Marketing = 1 };

// The three wizard programs. A business plan "with figures" also asks the
// customization counts and the key figures of the question list.
enum class WizardKind { Business, BusinessWithFigures, Marketing };

PlanType planTypeOf(WizardKind kind);

// Business kinds in their numbering: 0 Service ... 4 Custom.
inline constexpr int kKindCount = 5;
inline constexpr int kCustomKind = 4;

// The kind's name as the answer file carries it ("Service" ... "Custom");
// empty for a number outside 0 to 4.
QString kindAnswerName(int kind);
// The kind number of an answer-file name, compared without regard to case;
// -1 when it is none of them.
int kindFromAnswerName(const QString &name);

// The kind's caption and description for the user, from the string table.
QString kindCaption(int kind);
QString kindDescription(int kind);

// Month 1 to 12, full and short names, from the string table.
QString monthName(int month);

// "Tbl0503:B4" and the value it receives, already formatted for the answer
// file ("$1500", "12%", "Acme").
struct CellAnswer
{
    QString cell;
    QString value;
};

struct Submission
{
    QString submittedTo;
    QString date; // as shown on the title page
    QString name;
    QString street;
    QString city;
    QString state;
    QString zip;
    QString phone;
};

// The customization counts of a business plan.
struct BusinessCounts
{
    int products = 0;
    int advertisingMedia = 0;
    int segments = 0;
    int markets = 0;
};

// The customization counts of a marketing plan: its products, its advertising
// media, its markets and the items of its four promotion budgets.
struct MarketingCounts
{
    int products = 0;
    int publicRelations = 0;   // Tbl0803, public relations activities
    int salesPromotions = 0;   // Tbl0804
    int advertisingMedia = 0;  // Tbl0805
    int markets = 0;           // Tbl0806
    int events = 0;            // Tbl0807, trade shows and events
    int directCampaigns = 0;   // Tbl0808, direct and online campaigns
};

struct WizardAnswers
{
    PlanType planType = PlanType::Business;
    QString documentPath; // absolute, with the plan type's extension
    // The existing plan the user agreed to replace (the document path), or empty.
    QString replaceDocument;
    int kind = 0;
    bool newBusiness = true; // business plans only
    QString businessName;
    int firstYear = 0;
    // Starting month of a new business, else the fiscal-year-end month.
    int month = 1;
    int projectedYears = 0;
    Submission submission;
    // Counts are written only when the wizard asked them.
    bool hasBusinessCounts = false;
    BusinessCounts businessCounts;
    bool hasMarketingCounts = false;
    MarketingCounts marketingCounts;
    QList<CellAnswer> cells;
};

// The plan document's extension without the dot: "bpl" or "mpl".
QString documentExtension(PlanType type);

} // namespace qv::wizard
