#pragma once

// A canonical description of a QTextDocument for comparisons in tests: the
// structure, the text and every property the RTF layer keeps, with runs of
// equal format merged (QTextDocument splits fragments as it likes).

#include <QString>

class QTextDocument;
class QTextCharFormat;

namespace qv::test {

QString dumpDocument(const QTextDocument &document);
QString dumpCharFormat(const QTextDocument &document, const QTextCharFormat &format);

// The first fragment format in the document whose text contains the given text.
QTextCharFormat formatOfText(const QTextDocument &document, const QString &text);

} // namespace qv::test
