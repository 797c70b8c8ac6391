#pragma once

// The keys of a wizard-answers file ("[FIELD1.4]=/home/me/Acme.bpl"): the
// wizard writes them and plan creation reads them, both from here.

#include <QLatin1String>

namespace qv::plan::AnswerKey {

// The header: plan creation makes the plan folder once these have arrived.
inline constexpr QLatin1String kPlanType("[PLAN]"); // "Business" or "Marketing"
inline constexpr QLatin1String kDocumentPath("[FIELD1.4]");
inline constexpr QLatin1String kBusinessKind("[FIELD1.1]");
inline constexpr QLatin1String kBusinessStage("[FIELD1.2]"); // "New" or "Existing"
// The plan document the user agreed to replace (written by the wizards).
inline constexpr QLatin1String kReplace("[REPLACE]");

// The profile.
inline constexpr QLatin1String kBusinessName("[FIELD1.5]");
inline constexpr QLatin1String kFirstYear("[FIELD1.6]");
inline constexpr QLatin1String kFirstMonth("[FIELD3A.X]");
inline constexpr QLatin1String kProjectedYears("[FIELD3.1]");

// The submitter.
inline constexpr QLatin1String kSubmittedTo("[FIELD2.1]");
inline constexpr QLatin1String kSubmissionDate("[FIELD2.2]");
inline constexpr QLatin1String kSubmitterName("[FIELD2.3]");
inline constexpr QLatin1String kStreet("[FIELD2.4]");
inline constexpr QLatin1String kCity("[FIELD2.5]");
inline constexpr QLatin1String kState("[FIELD2.6]");
inline constexpr QLatin1String kZip("[FIELD2.7]");
inline constexpr QLatin1String kTelephone("[FIELD2.8]");

// The counts that customize a business plan's tables.
inline constexpr QLatin1String kBusinessProducts("[FIELD3.2]");
inline constexpr QLatin1String kBusinessAdvertisingMedia("[FIELD3.3]");
inline constexpr QLatin1String kBusinessSegments("[FIELD3.4]");
inline constexpr QLatin1String kBusinessMarkets("[FIELD3.5]");

// The counts that customize a marketing plan's tables.
inline constexpr QLatin1String kMarketingProducts("[FIELD3.2]");
inline constexpr QLatin1String kMarketingPublicRelations("[FIELD3.3]");
inline constexpr QLatin1String kMarketingSalesPromotions("[FIELD3.4]");
inline constexpr QLatin1String kMarketingAdvertisingMedia("[FIELD3.5]");
inline constexpr QLatin1String kMarketingMarkets("[FIELD3.6]");
inline constexpr QLatin1String kMarketingEvents("[FIELD3.7]");
inline constexpr QLatin1String kMarketingDirectCampaigns("[FIELD3.8]");

} // namespace qv::plan::AnswerKey
