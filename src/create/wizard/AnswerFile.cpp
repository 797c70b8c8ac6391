#include "create/wizard/AnswerFile.h"

#include "create/wizard/QuestionList.h"
#include "create/wizard/WizardLimits.h"
#include "plan/AnswerKeys.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUuid>

namespace qv::wizard {

namespace AnswerKey = plan::AnswerKey;

namespace {

QString singleLine(const QString &value)
{
    QString line;
    line.reserve(value.size());
    for (const QChar c : value)
        line += (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c.category() == QChar::Other_Control)
                    ? QLatin1Char(' ')
                    : c;
    return line.trimmed();
}

class Lines
{
public:
    void add(const QString &key, const QString &value) { m_text += key + QLatin1Char('=') + singleLine(value) + QLatin1Char('\n'); }
    void add(const QString &key, int value) { add(key, QString::number(value)); }
    QByteArray bytes() const { return m_text.toUtf8(); }

private:
    QString m_text;
};

} // namespace

QByteArray answerFileText(const WizardAnswers &a)
{
    const bool business = a.planType == PlanType::Business;
    Lines lines;
    lines.add(AnswerKey::kPlanType, business ? QStringLiteral("Business") : QStringLiteral("Marketing"));
    if (!a.replaceDocument.isEmpty())
        lines.add(AnswerKey::kReplace, a.replaceDocument);
    // The header: creation makes the plan folder once these have arrived.
    lines.add(AnswerKey::kDocumentPath, a.documentPath);
    lines.add(AnswerKey::kBusinessKind, kindAnswerName(a.kind));
    if (business)
        lines.add(AnswerKey::kBusinessStage, a.newBusiness ? QStringLiteral("New") : QStringLiteral("Existing"));

    lines.add(AnswerKey::kBusinessName, a.businessName);
    const Submission &s = a.submission;
    lines.add(AnswerKey::kSubmittedTo, s.submittedTo);
    lines.add(AnswerKey::kSubmissionDate, s.date);
    lines.add(AnswerKey::kSubmitterName, s.name);
    lines.add(AnswerKey::kStreet, s.street);
    lines.add(AnswerKey::kCity, s.city);
    lines.add(AnswerKey::kState, s.state);
    lines.add(AnswerKey::kZip, s.zip);
    lines.add(AnswerKey::kTelephone, s.phone);

    lines.add(AnswerKey::kFirstYear, a.firstYear);
    lines.add(AnswerKey::kFirstMonth, a.month);
    lines.add(AnswerKey::kProjectedYears, a.projectedYears);

    if (business && a.hasBusinessCounts) {
        const BusinessCounts &c = a.businessCounts;
        lines.add(AnswerKey::kBusinessProducts, c.products);
        lines.add(AnswerKey::kBusinessAdvertisingMedia, c.advertisingMedia);
        lines.add(AnswerKey::kBusinessSegments, c.segments);
        lines.add(AnswerKey::kBusinessMarkets, c.markets);
    }
    if (!business && a.hasMarketingCounts) {
        const MarketingCounts &c = a.marketingCounts;
        lines.add(AnswerKey::kMarketingProducts, c.products);
        lines.add(AnswerKey::kMarketingPublicRelations, c.publicRelations);
        lines.add(AnswerKey::kMarketingSalesPromotions, c.salesPromotions);
        lines.add(AnswerKey::kMarketingAdvertisingMedia, c.advertisingMedia);
        lines.add(AnswerKey::kMarketingMarkets, c.markets);
        lines.add(AnswerKey::kMarketingEvents, c.events);
        lines.add(AnswerKey::kMarketingDirectCampaigns, c.directCampaigns);
    }
    // Table cells last: creation queues them and writes them at the end.
    for (const CellAnswer &cell : a.cells) {
        const QString value = singleLine(cell.value);
        if (isCellReference(cell.cell) && !value.isEmpty())
            lines.add(cell.cell, value);
    }
    return lines.bytes();
}

WrittenAnswers writeAnswerFile(const QString &folder, const WizardAnswers &answers)
{
    const QStringList problems = checkAnswers(answers);
    if (!problems.isEmpty())
        return {QString(), problems.join(QLatin1Char('\n'))};
    if (!QDir().mkpath(folder))
        return {QString(), QStringLiteral("The folder %1 cannot be made.").arg(folder)};
    // A fresh name each time: two wizards may finish at once, and plan
    // creation deletes the file it has read.
    QString path;
    do {
        path = platform::joinPath(folder, QStringLiteral("quorvex-answers-%1.txt")
                                              .arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
    } while (QFileInfo::exists(path));
    const QString error = platform::writeFileAtomically(path, answerFileText(answers));
    if (!error.isEmpty())
        return {QString(), QStringLiteral("The answers could not be saved in %1: %2").arg(path, error)};
    return {path, QString()};
}

} // namespace qv::wizard
