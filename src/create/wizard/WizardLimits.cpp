#include "create/wizard/WizardLimits.h"

#include <QDir>
#include <QFileInfo>

namespace qv::wizard {

QString checkRange(int value, Range range, const QString &what)
{
    if (range.contains(value))
        return {};
    return QStringLiteral("%1 must be between %2 and %3.").arg(what).arg(range.min).arg(range.max);
}

QString checkBusinessName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Enter the name of the business.");
    if (trimmed.size() > limits::kBusinessNameLength)
        return QStringLiteral("The business name can have at most %1 characters.").arg(limits::kBusinessNameLength);
    return {};
}

namespace {
bool hasControlCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

// The nearest folder on the way up that exists: where a missing folder
// would be made.
QFileInfo nearestExistingFolder(QString path)
{
    QFileInfo info(path);
    while (!info.exists()) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath())
            break;
        info = QFileInfo(parent);
    }
    return info;
}
} // namespace

QString checkDocumentPath(const QString &path, PlanType type)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Choose a name and a folder for the plan document.");
    if (!QDir::isAbsolutePath(trimmed))
        return QStringLiteral("The plan document needs a full path, starting at the top folder.");
    if (hasControlCharacter(trimmed))
        return QStringLiteral("The plan document's name holds characters a file name cannot have.");
    const QFileInfo info(trimmed);
    const QString extension = QLatin1Char('.') + documentExtension(type);
    if (!info.fileName().endsWith(extension, Qt::CaseInsensitive))
        return QStringLiteral("The plan document's name must end in %1.").arg(extension);
    if (info.fileName().size() <= extension.size() || info.completeBaseName().trimmed().isEmpty())
        return QStringLiteral("Give the plan document a name.");
    if (info.isDir())
        return QStringLiteral("%1 is a folder; choose a name for the plan document.").arg(trimmed);
    const QFileInfo folder = nearestExistingFolder(info.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("The folder %1 cannot be used for the plan.").arg(info.absolutePath());
    if (!folder.isWritable())
        return QStringLiteral("You cannot save files in %1; choose another folder.").arg(folder.absoluteFilePath());
    return {};
}

QRegularExpression zipPattern()
{
    return QRegularExpression(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9 -]{0,%1}$").arg(limits::kZipLength - 1));
}

QRegularExpression phonePattern()
{
    return QRegularExpression(QStringLiteral("^[0-9+()./ -]{0,%1}$").arg(limits::kPhoneLength));
}

QString checkZip(const QString &zip)
{
    const QString trimmed = zip.trimmed();
    if (trimmed.isEmpty() || zipPattern().match(trimmed).hasMatch())
        return {};
    return QStringLiteral("A zip code has letters, digits, blanks and dashes only (at most %1).").arg(limits::kZipLength);
}

QString checkPhone(const QString &phone)
{
    const QString trimmed = phone.trimmed();
    if (trimmed.isEmpty() || phonePattern().match(trimmed).hasMatch())
        return {};
    return QStringLiteral("A telephone number has digits, blanks and + ( ) - . / only.");
}

QString withDocumentExtension(const QString &path, PlanType type)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return trimmed;
    const QString extension = QLatin1Char('.') + documentExtension(type);
    if (trimmed.endsWith(extension, Qt::CaseInsensitive))
        return trimmed;
    return trimmed + extension;
}

QStringList checkAnswers(const WizardAnswers &a)
{
    QStringList problems;
    auto add = [&problems](const QString &problem) {
        if (!problem.isEmpty())
            problems << problem;
    };
    add(checkDocumentPath(a.documentPath, a.planType));
    if (kindAnswerName(a.kind).isEmpty())
        problems << QStringLiteral("Choose the kind of business.");
    add(checkBusinessName(a.businessName));
    add(checkRange(a.firstYear, limits::kFirstYear, QStringLiteral("The first year")));
    add(checkRange(a.month, limits::kMonth, QStringLiteral("The month")));
    add(checkRange(a.projectedYears, limits::kProjectedYears, QStringLiteral("The number of projected years")));
    add(checkZip(a.submission.zip));
    add(checkPhone(a.submission.phone));
    if (a.hasBusinessCounts) {
        const BusinessCounts &c = a.businessCounts;
        add(checkRange(c.products, limits::kBusinessProducts, QStringLiteral("The number of products")));
        add(checkRange(c.advertisingMedia, limits::kBusinessAdvertisingMedia,
                       QStringLiteral("The number of advertising media")));
        add(checkRange(c.segments, limits::kSegments, QStringLiteral("The number of segments")));
        add(checkRange(c.markets, limits::kBusinessMarkets, QStringLiteral("The number of markets")));
    }
    if (a.hasMarketingCounts) {
        const MarketingCounts &c = a.marketingCounts;
        add(checkRange(c.products, limits::kMarketingProducts, QStringLiteral("The number of products")));
        add(checkRange(c.publicRelations, limits::kMarketingItems,
                       QStringLiteral("The number of public relations activities")));
        add(checkRange(c.salesPromotions, limits::kMarketingItems, QStringLiteral("The number of sales promotions")));
        add(checkRange(c.advertisingMedia, limits::kMarketingAdvertisingMedia,
                       QStringLiteral("The number of advertising media")));
        add(checkRange(c.markets, limits::kMarketingMarkets, QStringLiteral("The number of markets")));
        add(checkRange(c.events, limits::kMarketingItems, QStringLiteral("The number of trade shows and events")));
        add(checkRange(c.directCampaigns, limits::kMarketingItems,
                       QStringLiteral("The number of direct and online campaigns")));
    }
    return problems;
}

} // namespace qv::wizard
