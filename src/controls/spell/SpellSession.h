#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextCursor>

class QTextDocument;

namespace qv::spell
{

class SpellChecker;

// One check of a document: walks its misspelled words from the start, one at
// a time, and carries out what the user decides for each. The spelling
// dialog is a thin face on this.
class SpellSession
{
public:
    SpellSession(QTextDocument *document, SpellChecker &checker);

    // Moves to the next misspelled word, replacing on the way the words the
    // user chose to change everywhere. False when the end is reached.
    bool findNext();
    bool atEnd() const { return m_word.isNull(); }

    // The misspelled word found last, selected in the document.
    QTextCursor wordCursor() const { return m_word; }
    QString word() const;
    // The paragraph around the word (at most a few dozen characters either
    // side) and where the word sits in it.
    QString context() const;
    int wordOffsetInContext() const;
    QStringList suggestions() const;

    // Each decision leaves the session at the word; findNext() moves on.
    void ignore();
    void ignoreAll();
    void change(const QString &replacement);
    void changeAll(const QString &replacement);
    // Returns the reason on failure, else empty text.
    QString addToDictionary();

    int changesMade() const { return m_changes; }

private:
    void replaceWord(QTextCursor &cursor, const QString &replacement);
    int contextStart() const;

    QTextDocument *m_document;
    SpellChecker &m_checker;
    QTextCursor m_next; // where the search goes on
    QTextCursor m_word; // the current word, or null
    QHash<QString, QString> m_changeAll;
    int m_changes = 0;
};

} // namespace qv::spell
