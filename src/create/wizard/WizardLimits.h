#pragma once

// How far each answer may go. The counts follow the template tables: a
// business plan's product table holds ten products, its segment, market and
// media tables six rows; a marketing plan's tables hold ten rows each. A
// count at the table's size hides nothing.

#include "create/wizard/WizardAnswers.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace qv::wizard {

struct Range
{
    int min;
    int max;
    bool contains(int value) const { return value >= min && value <= max; }
};

namespace limits {
inline constexpr Range kFirstYear{1950, 2099};
inline constexpr Range kMonth{1, 12};
inline constexpr Range kProjectedYears{1, 5};

inline constexpr Range kBusinessProducts{1, 10};
inline constexpr Range kBusinessAdvertisingMedia{1, 6};
inline constexpr Range kSegments{1, 6};
inline constexpr Range kBusinessMarkets{1, 6};

inline constexpr Range kMarketingProducts{1, 10};
inline constexpr Range kMarketingItems{1, 10}; // rows of each of the four promotion budgets
inline constexpr Range kMarketingAdvertisingMedia{1, 10};
inline constexpr Range kMarketingMarkets{1, 10};

// Text answers end up in single table cells and on the title page.
inline constexpr int kBusinessNameLength = 80;
inline constexpr int kSubmissionLength = 80;
inline constexpr int kStateLength = 30;
inline constexpr int kZipLength = 12;
inline constexpr int kPhoneLength = 30;
} // namespace limits

// Each check returns an empty text when the answer is fine, else a sentence
// for the user saying what to change.
QString checkRange(int value, Range range, const QString &what);
QString checkBusinessName(const QString &name);
QString checkDocumentPath(const QString &path, PlanType type);
QString checkZip(const QString &zip);
QString checkPhone(const QString &phone);

// The patterns the zip code and telephone fields accept as typed (an empty
// field is allowed: the details are optional).
QRegularExpression zipPattern();
QRegularExpression phonePattern();

// The chosen document path with the plan type's extension (appended unless
// it is already there, in any case) and without surrounding blanks.
QString withDocumentExtension(const QString &path, PlanType type);

// Every problem of a complete set of answers; empty when they can be written.
QStringList checkAnswers(const WizardAnswers &answers);

} // namespace qv::wizard
