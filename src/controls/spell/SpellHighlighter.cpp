#include "controls/spell/SpellHighlighter.h"

#include "controls/spell/SpellChecker.h"
#include "controls/spell/Words.h"

namespace qv::spell
{

SpellHighlighter::SpellHighlighter(QTextDocument *document) : QSyntaxHighlighter(document) {}

void SpellHighlighter::setChecker(SpellChecker *checker)
{
    m_checker = checker;
    rehighlight();
}

void SpellHighlighter::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    rehighlight();
}

void SpellHighlighter::highlightBlock(const QString &text)
{
    if (!m_active || !m_checker || !m_checker->hasDictionary())
        return;
    QTextCharFormat misspelled;
    misspelled.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    misspelled.setUnderlineColor(Qt::red);
    for (const WordSpan &span : findWords(text)) {
        if (!m_checker->isCorrect(text.mid(span.start, span.length)))
            setFormat(span.start, span.length, misspelled);
    }
}

} // namespace qv::spell
