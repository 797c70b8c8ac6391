#include "controls/workbook/ExcelCopy.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace qv::workbook;

namespace {

// A plan-like table: currency, percent, negatives in brackets, a month
// heading, a link to another table, an error, hidden lines, a merge.
void fillTable(Workbook &book)
{
    book.setEntry(1, 1, QStringLiteral("Sales"));
    book.setEntry(1, 2, QStringLiteral("$1,500.00"));
    book.setEntry(1, 3, QStringLiteral("=B1*2"));
    book.setNumberFormat(CellRange::cell(1, 3), QStringLiteral("$#,##0.00"));
    book.setEntry(2, 1, QStringLiteral("15%"));
    book.setEntry(2, 2, QStringLiteral("=SUM(B1:C1)*A2"));
    book.setEntry(2, 3, QStringLiteral("=-B2"));
    book.setNumberFormat(CellRange{2, 2, 2, 3}, QStringLiteral("#,##0;(#,##0)"));
    book.setEntry(3, 1, QStringLiteral("=[Other]Sheet1!A1+1"));
    book.setEntry(3, 2, QStringLiteral("6/1/2000"));
    book.setNumberFormat(CellRange::cell(3, 2), QStringLiteral("mmm yyyy"));
    book.setEntry(3, 3, QStringLiteral("=1/0"));
    book.setEntry(4, 1, QStringLiteral("hidden"));
    book.setRowsHidden(4, 4, true);
    book.setEntry(5, 1, QStringLiteral("TRUE"));
    book.setEntry(5, 2, QStringLiteral("=A1&\" total\""));
    book.setEntry(5, 3, QStringLiteral("=ROUND(1/3,4)"));
    book.setEntry(6, 1, QStringLiteral("Merged heading"));
    book.mergeCells(CellRange{6, 1, 6, 3});
    book.changeFormat(CellRange{1, 1, 1, 3}, [](CellFormat &f) {
        f.bold = true;
        f.hasFill = true;
        f.fillColor = 0xDDEEFF;
        f.bottom = {BorderStyle::Thin, 0};
    });
    book.setColumnsHidden(4, 4, true);
    book.setEntry(1, 4, QStringLiteral("beyond"));
    book.setMaxCol(3);
    book.setColumnWidth(1, 2400);
    book.setRowHeight(1, 400);
}

QStringList splitCsvLine(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') { field += u'"'; ++i; }
            else if (c == u'"') quoted = false;
            else field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

} // namespace

TEST(ExcelCopy, WritesAZipFileAtomically)
{
    QTemporaryDir dir;
    Workbook book;
    fillTable(book);
    const QString path = dir.filePath(QStringLiteral("Tbl0404.xls"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content");
    }
    book.writeExcelCopy(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2) == "PK");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{QStringLiteral("Tbl0404.xls")});
    EXPECT_THROW(book.writeExcelCopy(QStringLiteral("/nonexistent-folder/t.xls")), qv::QvError);
}

TEST(ExcelCopy, LibreOfficeShowsTheSameValues)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    WorkbookSet set;
    Workbook *other = set.create(QStringLiteral("Other"));
    other->setNumber(1, 1, 41);
    Workbook *book = set.create(QStringLiteral("Tbl0404"));
    fillTable(*book);
    const QString path = dir.filePath(QStringLiteral("Tbl0404.xls"));
    book->writeExcelCopy(path);

    QProcess lo;
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                       // UTF-8, US English, cells as shown.
                       QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,false,true"),
                       QStringLiteral("--outdir"), dir.filePath(QStringLiteral("out")), path});
    ASSERT_TRUE(lo.waitForFinished(110000));
    QFile csv(dir.filePath(QStringLiteral("out/Tbl0404.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << lo.readAllStandardError().constData();
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), book->lastRow());
    for (int r = 1; r <= book->lastRow(); ++r) {
        const QStringList fields = splitCsvLine(lines[r - 1].trimmed());
        ASSERT_EQ(fields.size(), book->lastCol()) << lines[r - 1].toStdString();
        for (int c = 1; c <= book->lastCol(); ++c) {
            // Merged cells show their text in the first cell only.
            const QString expected = book->mergeAt(r, c) && c > 1 ? QString() : book->text(r, c);
            EXPECT_EQ(fields[c - 1], expected) << "row " << r << " column " << c;
        }
    }
    EXPECT_EQ(book->text(3, 1), QStringLiteral("42"));
    EXPECT_EQ(book->text(2, 3), QStringLiteral("(675)"));
}

TEST(ExcelCopy, LibreOfficeCalculatesArrayConstantsAsWeDo)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    Workbook book;
    const char *formulas[] = {"=NPV(8%,{12000,15000,18000})", "=IRR({-70000,12000,15000,18000,21000,26000})",
                              "=SUMPRODUCT({1,2,3},{4,5,6})", "=VLOOKUP(2,{1,\"one\";2,\"two\"},2,FALSE)",
                              "=INDEX({1,2;3,4},2,2)+SUM({1,2;3,4}*2)"};
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(book.setEntry(i + 1, 1, QString::fromLatin1(formulas[i])));
    const QString path = dir.filePath(QStringLiteral("Arrays.xlsx"));
    book.writeExcelCopy(path);

    // A profile that makes LibreOffice calculate the copy afresh on loading,
    // so the figures below are its own and not the results we stored.
    const QString profile = dir.filePath(QStringLiteral("profile"));
    ASSERT_TRUE(QDir().mkpath(profile + QStringLiteral("/user")));
    QFile settings(profile + QStringLiteral("/user/registrymodifications.xcu"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
)");
    settings.close();
    QProcess lo;
    lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + profile, QStringLiteral("--headless"),
                       QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,false,false"),
                       QStringLiteral("--outdir"), dir.filePath(QStringLiteral("out")), path});
    ASSERT_TRUE(lo.waitForFinished(110000));
    QFile csv(dir.filePath(QStringLiteral("out/Arrays.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << lo.readAllStandardError().constData();
    QStringList lines;
    for (const QString &line : QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts))
        lines << splitCsvLine(line.trimmed()).value(0);
    ASSERT_EQ(lines.size(), 5);
    // LibreOffice shows a rate of return as a percentage, at full precision.
    for (QString &line : lines)
        if (line.endsWith(u'%'))
            line = QString::number(line.chopped(1).toDouble() / 100, 'g', 17);
    EXPECT_NEAR(lines[0].toDouble(), 38260.17, 0.005);
    EXPECT_NEAR(lines[1].toDouble(), 0.0866309480365316, 1e-15);
    EXPECT_EQ(lines[2], QStringLiteral("32"));
    EXPECT_EQ(lines[3], QStringLiteral("two"));
    for (int i = 0; i < 5; ++i) {
        if (i == 3) continue;
        EXPECT_NEAR(lines[i].toDouble(), book.number(i + 1, 1), 1e-9 * std::max(1.0, std::fabs(book.number(i + 1, 1)))) << formulas[i];
    }
}
