#pragma once

#include <QList>
#include <QString>

namespace qv::spell
{

// One word of a text: where it starts and how long it is.
struct WordSpan {
    int start = 0;
    int length = 0;
};

// The words of a text that are worth checking, in order: runs of letters
// (with inner apostrophes, as in "don't"), leaving out anything that holds a
// digit, such as "Q3" or "2nd".
QList<WordSpan> findWords(const QString &text);

} // namespace qv::spell
