#include "compile/TablePictures.h"

#include "compile/CompileSetup.h"
#include "compile/ExportRecords.h"
#include "compile/FolderTables.h"
#include "controls/metafile/MetafilePaintDevice.h"
#include "controls/workbook/SheetRenderer.h"
#include "controls/workbook/Workbook.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/Services.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <cmath>

namespace qv::compile {

namespace {

constexpr int kPictureDpi = 96;
constexpr int kTableKind = 2;

// Draws the range of the prepared workbook into a metafile.
QString drawTable(const workbook::Workbook &book, const workbook::CellRange &range, const QString &path)
{
    const workbook::SheetRenderer renderer(book, book.activeSheet(), kPictureDpi / 1440.0);
    const QSizeF size = renderer.size(range);
    if (size.width() < 1 || size.height() < 1)
        return QStringLiteral("the table shows no cells");
    // One unit more than the cells, so the outline border's right and bottom edges show.
    metafile::MetafilePaintDevice picture(QSize(int(std::ceil(size.width())) + 1, int(std::ceil(size.height())) + 1),
                                          kPictureDpi);
    QPainter painter(&picture);
    renderer.paint(painter, range, QPointF(0, 0));
    painter.end();
    return picture.save(path);
}

} // namespace

QString tablePictureName(const QString &excelName)
{
    const qsizetype dot = excelName.indexOf(QLatin1String(".xls"), 0, Qt::CaseInsensitive);
    return (dot < 0 ? excelName : excelName.left(dot)).toUpper() + QStringLiteral(".WMF");
}

QStringList convertListedTables(const QString &planFolder, const PrintConversions &conversions,
                                const std::function<void(const QString &excelName)> &failed)
{
    const QString folder = platform::withTrailingSeparator(planFolder);
    QFile list(platform::resolveExistingPath(folder + QStringLiteral("files.txt")));
    if (!list.open(QIODevice::ReadOnly))
        return {};
    QStringList written;
    FolderTables tables(folder);
    for (const ListedFile &record : readFilesList(list.readAll())) {
        platform::clock().processEvents();
        if (record.kind != kTableKind || record.fileName.isEmpty())
            continue;
        const QString excel = platform::resolveExistingPath(folder + record.fileName);
        if (!QFileInfo(excel).isFile())
            continue;
        QString why;
        try {
            // The copy came from the table's workbook of the same name.
            const QString table = QFileInfo(excel).completeBaseName() + QStringLiteral(".vts");
            workbook::Workbook &book = tables.table(table);
            TableMeasurement measurement;
            measurement.lastRow = qint16(record.lastRow);
            measurement.lastCol = qint16(record.lastCol);
            prepareForCompiling(book, measurement, conversions);
            const QString picture = tablePictureName(record.fileName);
            why = measurement.isEmpty() ? QStringLiteral("the table is empty")
                                        : drawTable(book, measurement.range(), folder + picture);
            if (why.isEmpty())
                written << picture;
        } catch (const QvError &error) {
            why = error.description();
        }
        if (!why.isEmpty() && failed)
            failed(record.fileName);
    }
    return written;
}

bool ConvertTables(const std::function<void()> &beforeMessage)
{
    const QString folder = compileFolder();
    if (folder.isEmpty()) {
        if (beforeMessage)
            beforeMessage();
        platform::msgBox(nullptr, QStringLiteral("Plan to compile is not located"));
        return false;
    }
    convertListedTables(folder, PrintConversions::fromPreferences(), [](const QString &excelName) {
        platform::msgBox(nullptr, QStringLiteral("Error retrieving file: ") + excelName);
    });
    return true;
}

} // namespace qv::compile
