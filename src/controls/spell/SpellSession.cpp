#include "controls/spell/SpellSession.h"

#include "controls/spell/SpellChecker.h"
#include "controls/spell/Words.h"

#include <QTextBlock>
#include <QTextDocument>

namespace qv::spell
{

namespace
{
constexpr int kContextReach = 60;
} // namespace

SpellSession::SpellSession(QTextDocument *document, SpellChecker &checker)
    : m_document(document), m_checker(checker), m_next(document)
{
}

bool SpellSession::findNext()
{
    if (!m_word.isNull()) {
        m_next.setPosition(m_word.selectionEnd());
        m_word = QTextCursor();
    }
    QTextBlock block = m_document->findBlock(m_next.position());
    while (block.isValid()) {
        const int from = m_next.position() - block.position();
        const QString text = block.text();
        bool replaced = false;
        for (const WordSpan &span : findWords(text)) {
            if (span.start < from)
                continue;
            const QString word = text.mid(span.start, span.length);
            if (m_checker.isCorrect(word))
                continue;
            QTextCursor cursor(m_document);
            cursor.setPosition(block.position() + span.start);
            cursor.setPosition(block.position() + span.start + span.length, QTextCursor::KeepAnchor);
            const auto replacement = m_changeAll.constFind(word);
            if (replacement == m_changeAll.constEnd()) {
                m_word = cursor;
                return true;
            }
            replaceWord(cursor, *replacement);
            m_next.setPosition(cursor.selectionEnd());
            replaced = true; // the block's text changed: read it again from here
            break;
        }
        if (replaced)
            continue;
        block = block.next();
        if (block.isValid())
            m_next.setPosition(block.position());
    }
    m_next.movePosition(QTextCursor::End);
    return false;
}

QString SpellSession::word() const
{
    return m_word.isNull() ? QString() : m_word.selectedText();
}

int SpellSession::contextStart() const
{
    // Start at a word boundary, so that the context shows whole words.
    const QString text = m_word.block().text();
    const int word = m_word.selectionStart() - m_word.block().position();
    int start = qMax(0, word - kContextReach);
    if (start > 0) {
        const int space = int(text.indexOf(QLatin1Char(' '), start));
        start = space >= 0 && space < word ? space + 1 : start;
    }
    return start;
}

QString SpellSession::context() const
{
    if (m_word.isNull())
        return QString();
    const QString text = m_word.block().text();
    const int start = contextStart();
    const int end = qMin(int(text.size()), m_word.selectionEnd() - m_word.block().position() + kContextReach);
    return text.mid(start, end - start);
}

int SpellSession::wordOffsetInContext() const
{
    return m_word.isNull() ? -1 : m_word.selectionStart() - m_word.block().position() - contextStart();
}

QStringList SpellSession::suggestions() const
{
    return m_checker.suggestions(word());
}

void SpellSession::ignore()
{
    // Nothing to record: findNext() moves past the word.
}

void SpellSession::ignoreAll()
{
    m_checker.ignoreAll(word());
}

void SpellSession::change(const QString &replacement)
{
    if (!m_word.isNull())
        replaceWord(m_word, replacement);
}

void SpellSession::changeAll(const QString &replacement)
{
    if (m_word.isNull())
        return;
    m_changeAll.insert(word(), replacement);
    replaceWord(m_word, replacement);
}

QString SpellSession::addToDictionary()
{
    return m_word.isNull() ? QString() : m_checker.addToUserDictionary(word());
}

void SpellSession::replaceWord(QTextCursor &cursor, const QString &replacement)
{
    // insertText keeps the character format of the word it replaces.
    const int start = cursor.selectionStart();
    cursor.insertText(replacement);
    cursor.setPosition(start);
    cursor.setPosition(start + int(replacement.size()), QTextCursor::KeepAnchor);
    ++m_changes;
}

} // namespace qv::spell
