#include "viewer/CompiledPlan.h"

#include "plan/ModEnglish.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "resources/ResText.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qv::viewer {

namespace {

constexpr int kFileNotFound = 612;
constexpr int kMaximumPrintDpi = 300;

QString kindTitle(const QString &baseName)
{
    for (int kind = 0; kind <= 4; ++kind)
        if (baseName.compare(plan::ModEnglish::KindFolderName(kind), Qt::CaseInsensitive) == 0)
            return plan::ModEnglish::BusinessKindName(kind);
    return baseName;
}

QString stageTitle(const QString &folderName)
{
    if (folderName.compare(QLatin1String("New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("new business");
    if (folderName.compare(QLatin1String("Existing"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("existing business");
    return QString();
}

bool samePath(const QString &a, const QString &b)
{
    const QFileInfo left(a), right(b);
    if (left.exists() && right.exists())
        return left.canonicalFilePath() == right.canonicalFilePath();
    return QDir::cleanPath(left.absoluteFilePath()) == QDir::cleanPath(right.absoluteFilePath());
}

} // namespace

QString loadFailureText(const QString &path, QPdfDocument::Error error)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    switch (error) {
    case QPdfDocument::Error::None:
        return QString();
    case QPdfDocument::Error::FileNotFound:
        return GetResText(kFileNotFound) + QStringLiteral(" \r\n") + shownPath;
    case QPdfDocument::Error::IncorrectPassword:
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        return QStringLiteral("The compiled plan is locked with a password and cannot be shown:\r\n") + shownPath;
    case QPdfDocument::Error::InvalidFileFormat:
    case QPdfDocument::Error::DataNotYetAvailable:
    case QPdfDocument::Error::Unknown:
        break;
    }
    return QStringLiteral("The compiled plan cannot be shown: the file is damaged or is not a compiled plan.\r\n") +
           shownPath + QStringLiteral("\r\n\r\nCompile the plan again to make a new one.");
}

QString viewerTitle(const ViewerRequest &request)
{
    const QFileInfo file(request.file);
    if (!request.sample)
        return file.fileName();
    QString title = QStringLiteral("Sample ") +
                    (request.typefield.isEmpty() ? QStringLiteral("Plan") : request.typefield);
    if (file.fileName().isEmpty())
        return title;
    title += QStringLiteral(": ") + kindTitle(file.completeBaseName());
    const QString stage = stageTitle(file.dir().dirName());
    if (!stage.isEmpty())
        title += QStringLiteral(", ") + stage;
    return title;
}

QString companionDocument(const QString &pdfPath)
{
    const QFileInfo pdf(pdfPath);
    const QString odt = platform::resolveExistingPath(pdf.dir().filePath(pdf.completeBaseName() + QStringLiteral(".odt")));
    return QFileInfo(odt).isFile() ? odt : QString();
}

QString copyFileName(const QString &source)
{
    return QFileInfo(source).completeBaseName() + QStringLiteral(".pdf");
}

Result<QStringList> saveCopy(const QString &source, const QString &target)
{
    const QString activity = QStringLiteral("Saving a copy as ") + QDir::toNativeSeparators(target);
    if (samePath(source, target))
        return Failure{0, QStringLiteral("The copy cannot take the place of the plan it copies."), activity};
    if (const QString error = platform::copyFileAtomically(source, target); !error.isEmpty())
        return Failure{0, error, activity};
    QStringList written{target};
    const QString odt = companionDocument(source);
    if (!odt.isEmpty()) {
        const QFileInfo copy(target);
        const QString odtCopy = copy.dir().filePath(copy.completeBaseName() + QStringLiteral(".odt"));
        if (const QString error = platform::copyFileAtomically(odt, odtCopy); !error.isEmpty())
            return Failure{0, error, QStringLiteral("Saving a copy as ") + QDir::toNativeSeparators(odtCopy)};
        written << odtCopy;
    }
    return written;
}

bool printPages(QPdfDocument &document, QPagedPaintDevice &device, int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, document.pageCount() - 1);
    if (first > last)
        return true;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int dpi = std::min(device.logicalDpiX(), kMaximumPrintDpi);
    const QRect sheet = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const bool sheetLandscape = sheet.width() > sheet.height();
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            return false;
        const QSizeF points = document.pagePointSize(page);
        const bool pageLandscape = points.width() > points.height();
        const bool turn = pageLandscape != sheetLandscape;
        const QSize pixels(int(std::lround(points.width() * dpi / 72.0)), int(std::lround(points.height() * dpi / 72.0)));
        const QImage image = document.render(page, pixels);
        const QSizeF placed = turn ? QSizeF(pixels.height(), pixels.width()) : QSizeF(pixels);
        const qreal scale = std::min(sheet.width() / placed.width(), sheet.height() / placed.height());
        const QSizeF drawn = placed * scale;
        painter.save();
        // Centred on the sheet's printable area (the painter's origin).
        painter.translate((sheet.width() - drawn.width()) / 2.0, (sheet.height() - drawn.height()) / 2.0);
        if (turn) {
            painter.translate(drawn.width(), 0);
            painter.rotate(90);
        }
        painter.scale(scale, scale);
        painter.drawImage(QPointF(0, 0), image);
        painter.restore();
    }
    return painter.end();
}

} // namespace qv::viewer
