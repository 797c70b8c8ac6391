#include "controls/spell/Words.h"

#include <QTextBoundaryFinder>

namespace qv::spell
{

namespace
{
bool worthChecking(QStringView word)
{
    bool hasLetter = false;
    for (const QChar c : word) {
        if (c.isDigit())
            return false;
        hasLetter = hasLetter || c.isLetter();
    }
    return hasLetter;
}
} // namespace

QList<WordSpan> findWords(const QString &text)
{
    QList<WordSpan> words;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    int start = -1;
    while (finder.position() < text.size()) {
        const int at = finder.position();
        const auto reasons = finder.boundaryReasons();
        if (reasons & QTextBoundaryFinder::StartOfItem)
            start = at;
        if (finder.toNextBoundary() < 0)
            break;
        const int end = finder.position();
        if (start >= 0 && (finder.boundaryReasons() & QTextBoundaryFinder::EndOfItem)) {
            const QStringView word = QStringView(text).mid(start, end - start);
            if (worthChecking(word))
                words.append({start, end - start});
            start = -1;
        }
    }
    return words;
}

} // namespace qv::spell
