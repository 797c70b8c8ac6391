#pragma once

// RTF in and out of QTextDocument.

#include <QByteArray>
#include <QString>

#include <memory>

class QTextDocument;

namespace qv::rtf {

struct ReadResult
{
    std::unique_ptr<QTextDocument> document; // what could be read; never null
    QString error;                           // empty when the whole input was read
};

// Reads RTF source into a new document.
ReadResult readRtf(const QByteArray &rtf);

// Writes a document as RTF.
QByteArray writeRtf(const QTextDocument &document);

} // namespace qv::rtf
