#include "compile/compiler/PlanSource.h"

#include "compile/CompileErrors.h"
#include "compile/ExportRecords.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qv::compiler {

namespace {

QString field(const QStringList &record, int index)
{
    return index < record.size() ? record.at(index) : QString();
}

void readCoverRecord(const QStringList &r, Cover &cover)
{
    cover.businessPlan = field(r, 1).compare(QLatin1String("m"), Qt::CaseInsensitive) != 0;
    cover.businessName = field(r, 2);
    cover.submitterName = field(r, 3);
    cover.street = field(r, 4);
    cover.city = field(r, 5);
    cover.state = field(r, 6);
    cover.zip = field(r, 7);
    cover.telephone = field(r, 8);
    cover.submittedOn = field(r, 9);
    cover.submittedTo = field(r, 10);
}

// "Field.txt" carries the same values under the answer file's tags.
Cover coverOfFieldFile(const QByteArray &bytes)
{
    Cover cover;
    for (const QStringList &r : compile::readExportRecords(bytes)) {
        const QString tag = field(r, 0);
        const QString value = field(r, 1);
        if (tag == QLatin1String("[TYPE]"))
            cover.businessPlan = value.compare(QLatin1String("M"), Qt::CaseInsensitive) != 0;
        else if (tag == QLatin1String("[FIELD1.5]"))
            cover.businessName = value;
        else if (tag == QLatin1String("[FIELD2.1]"))
            cover.submittedTo = value;
        else if (tag == QLatin1String("[FIELD2.2]"))
            cover.submittedOn = value;
        else if (tag == QLatin1String("[FIELD2.3]"))
            cover.submitterName = value;
        else if (tag == QLatin1String("[FIELD2.4]"))
            cover.street = value;
        else if (tag == QLatin1String("[FIELD2.5]"))
            cover.city = value;
        else if (tag == QLatin1String("[FIELD2.6]"))
            cover.state = value;
        else if (tag == QLatin1String("[FIELD2.7]"))
            cover.zip = value;
        else if (tag == QLatin1String("[FIELD2.8]"))
            cover.telephone = value;
    }
    return cover;
}

QByteArray readIfPresent(const QString &path)
{
    QFile file(platform::resolveExistingPath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString Cover::planTypeTitle() const
{
    return businessPlan ? QStringLiteral("Business Plan") : QStringLiteral("Marketing Plan");
}

QString tablePictureFile(const QString &recordName)
{
    const qsizetype dot = recordName.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? recordName : recordName.left(dot)).toUpper() + QStringLiteral(".WMF");
}

PlanSource parsePlanSource(const QByteArray &bpfiles, const QByteArray &fieldFile)
{
    PlanSource source;
    bool haveCover = false;
    for (const QStringList &r : compile::readExportRecords(bpfiles)) {
        const QString kind = field(r, 0);
        Section *section =
            source.chapters.empty() || source.chapters.back().sections.empty() ? nullptr
                                                                                : &source.chapters.back().sections.back();
        if (kind.compare(QLatin1String("cover"), Qt::CaseInsensitive) == 0) {
            readCoverRecord(r, source.cover);
            haveCover = true;
        } else if (kind == QLatin1String("Chapter")) {
            source.chapters.push_back({field(r, 1), {}});
        } else if (kind == QLatin1String("Section") && !source.chapters.empty()) {
            source.chapters.back().sections.push_back({field(r, 1), {}, {}});
        } else if (kind == QLatin1String("RTF") && section) {
            section->textFile = field(r, 1);
        } else if (kind == QLatin1String("Table") && section) {
            section->figures.push_back({Figure::Kind::Table, tablePictureFile(field(r, 1)), field(r, 2),
                                        field(r, 6) == QLatin1String("landscape")});
        } else if (kind == QLatin1String("Chart") && section) {
            section->figures.push_back(
                {Figure::Kind::Chart, field(r, 1), field(r, 2), field(r, 3) == QLatin1String("landscape")});
        } else {
            source.ignoredRecords << r.join(QLatin1Char(','));
        }
    }
    if (!haveCover)
        source.cover = coverOfFieldFile(fieldFile);
    return source;
}

PlanSource readPlanSource(const QString &folder)
{
    const QString planFolder = platform::withTrailingSeparator(folder);
    const QString list = platform::resolveExistingPath(planFolder + QStringLiteral("bpfiles.csv"));
    if (!QFileInfo(list).isFile())
        throw QvError(compile::kFileNotFound, QStringLiteral("Compiler"),
                      QStringLiteral("The plan folder %1 holds no compile files (bpfiles.csv). Use Compile Plan in the "
                                     "Plan Composer first.")
                          .arg(QDir::toNativeSeparators(folder)));
    QFile file(list);
    if (!file.open(QIODevice::ReadOnly))
        throw QvError(compile::kPermissionDenied, QStringLiteral("Compiler"),
                      QStringLiteral("%1 cannot be read: %2").arg(QDir::toNativeSeparators(list), file.errorString()));
    PlanSource source = parsePlanSource(file.readAll(), readIfPresent(planFolder + QStringLiteral("Field.txt")));
    source.folder = planFolder;
    source.planName = planNameOfFolder(planFolder);
    return source;
}

QString planDocumentOfFolder(const QString &folder)
{
    const QFileInfo info(QDir::cleanPath(folder));
    const QString name = info.fileName();
    if (name.size() < 2)
        return {};
    const QString base = name.left(name.size() - 1);
    const bool business = name.endsWith(QLatin1Char('B'), Qt::CaseInsensitive);
    const QString document = info.dir().filePath(base + (business ? QStringLiteral(".bpl") : QStringLiteral(".mpl")));
    return platform::existsIgnoringCase(document) ? platform::resolveExistingPath(document) : QString();
}

QString planNameOfFolder(const QString &folder)
{
    if (!planDocumentOfFolder(folder).isEmpty()) {
        const QString name = QFileInfo(QDir::cleanPath(folder)).fileName();
        return name.left(name.size() - 1);
    }
    const QString name = QFileInfo(QDir::cleanPath(folder)).fileName();
    return name.isEmpty() ? QStringLiteral("Plan") : name;
}

} // namespace qv::compiler
