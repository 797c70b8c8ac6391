#pragma once

// Reading the text records of the compile files back: comma-separated
// fields, text between double quotes (which cannot hold a quote), numbers
// bare, lines ended by CR LF, code page 1252.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace qv::compile {

// The fields of one line; empty when the line is not a well-formed record
// (an unclosed quote, text after a closing quote).
QStringList splitExportRecord(const QString &line);

// Every well-formed, non-empty record of a file's bytes, in order.
std::vector<QStringList> readExportRecords(const QByteArray &bytes);

// One record of "files.txt".
struct ListedFile
{
    int chapter = 0;
    int section = 0;
    int kind = 0; // 1 section text, 2 table, 3 graph
    QString fileName;
    QString title;
    int lastRow = 0;
    int lastCol = 0;
    int height = 0;
    int orientation = 0;
};

// The records of a "files.txt" text; lines that are not nine fields are left out.
std::vector<ListedFile> readFilesList(const QByteArray &text);

} // namespace qv::compile
