#pragma once
// The text markup of the instruction and example sources (data/README.md,
// "Texts") turned into a rich-text document for the RTF writer.

#include <QString>

#include <memory>

class QTextDocument;

namespace qv::templates {

// Headings, paragraphs, bullet and numbered lists, bold and italic, and
// simple tables whose first row is the heading row.
std::unique_ptr<QTextDocument> markupDocument(const QString &markup);

} // namespace qv::templates
