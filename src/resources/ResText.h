#pragma once

#include <QString>

namespace qv {

// The string table's text for id number + 1000, with its escapes expanded
// (see expandResEscapes). An id the table lacks raises QvError 326, the
// resource loader's failure, which callers do not catch.
QString GetResText(int number);

// The caption without its access-key marks ("&Table" gives "Table"; "&&"
// stays one "&"), for texts that name a menu item in a sentence.
QString withoutAccessKey(const QString &caption);

// True when the table holds id number + 1000.
bool hasResText(int number);

// The stored text for a full id (1302), unexpanded; empty when absent.
QString storedResText(int id);

// Replaces, in this order, "\r" by CR LF, "\t" by a tab, "\q" by a double
// quote and "\\" by one backslash. Each occurrence, found from the start of
// the text again each time, joins the text before it (leading blanks
// trimmed) with the replacement and the text after it (trailing blanks
// trimmed), so a run of backslashes collapses to one.
QString expandResEscapes(const QString &stored);

} // namespace qv
