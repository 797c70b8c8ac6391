#include "create/wizard/AnswerFile.h"

#include "create/wizard/QuestionList.h"
#include "create/wizard/WizardLimits.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUuid>

namespace qv::wizard {

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
    lines.add(QStringLiteral("[PLAN]"), business ? QStringLiteral("Business") : QStringLiteral("Marketing"));
    if (!a.replaceDocument.isEmpty())
        lines.add(QStringLiteral("[REPLACE]"), a.replaceDocument);
    // The header: creation makes the plan folder once these have arrived.
    lines.add(QStringLiteral("[FIELD1.4]"), a.documentPath);
    lines.add(QStringLiteral("[FIELD1.1]"), kindAnswerName(a.kind));
    if (business)
        lines.add(QStringLiteral("[FIELD1.2]"), a.newBusiness ? QStringLiteral("New") : QStringLiteral("Existing"));

    lines.add(QStringLiteral("[FIELD1.5]"), a.businessName);
    const Submission &s = a.submission;
    lines.add(QStringLiteral("[FIELD2.1]"), s.submittedTo);
    lines.add(QStringLiteral("[FIELD2.2]"), s.date);
    lines.add(QStringLiteral("[FIELD2.3]"), s.name);
    lines.add(QStringLiteral("[FIELD2.4]"), s.street);
    lines.add(QStringLiteral("[FIELD2.5]"), s.city);
    lines.add(QStringLiteral("[FIELD2.6]"), s.state);
    lines.add(QStringLiteral("[FIELD2.7]"), s.zip);
    lines.add(QStringLiteral("[FIELD2.8]"), s.phone);

    lines.add(QStringLiteral("[FIELD1.6]"), a.firstYear);
    lines.add(QStringLiteral("[FIELD3A.X]"), a.month);
    lines.add(QStringLiteral("[FIELD3.1]"), a.projectedYears);

    if (business && a.hasBusinessCounts) {
        const BusinessCounts &c = a.businessCounts;
        lines.add(QStringLiteral("[FIELD3.2]"), c.products);
        lines.add(QStringLiteral("[FIELD3.3]"), c.advertisingMedia);
        lines.add(QStringLiteral("[FIELD3.4]"), c.segments);
        lines.add(QStringLiteral("[FIELD3.5]"), c.markets);
    }
    if (!business && a.hasMarketingCounts) {
        const MarketingCounts &c = a.marketingCounts;
        lines.add(QStringLiteral("[FIELD3.2]"), c.products);
        lines.add(QStringLiteral("[FIELD3.3]"), c.publicRelations);
        lines.add(QStringLiteral("[FIELD3.4]"), c.salesPromotions);
        lines.add(QStringLiteral("[FIELD3.5]"), c.advertisingMedia);
        lines.add(QStringLiteral("[FIELD3.6]"), c.markets);
        lines.add(QStringLiteral("[FIELD3.7]"), c.events);
        lines.add(QStringLiteral("[FIELD3.8]"), c.directCampaigns);
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
