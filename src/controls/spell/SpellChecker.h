#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

namespace qv::spell
{

// Checks words against the main dictionary, the user's own dictionary and
// the words ignored for this session.
class SpellChecker
{
public:
    SpellChecker();
    ~SpellChecker();
    SpellChecker(const SpellChecker &) = delete;
    SpellChecker &operator=(const SpellChecker &) = delete;

    // "American.vtd", the main dictionary the program opens.
    static QString mainDictionaryName();
    // The user's dictionary: one word a line, in the user config folder.
    static QString userDictionaryPath();

    // Opens a main dictionary file; a bare name is looked for in the system
    // folder. False, with errorString() saying why, when there is none; the
    // checker then has no dictionary and callers do not offer spelling.
    bool openMainDictionary(const QString &name = mainDictionaryName());
    void closeMainDictionary();
    bool hasDictionary() const { return m_hunspell != nullptr; }
    QString errorString() const { return m_error; }

    // True for a known, added or ignored word (and for any word while no
    // dictionary is open, so that nothing is marked without one).
    bool isCorrect(const QString &word) const;
    // Up to `limit` replacements, best first.
    QStringList suggestions(const QString &word, int limit = 5) const;

    // Accepts a word for the rest of this checker's life.
    void ignoreAll(const QString &word);
    // Accepts a word from now on, in every session: it is written to the
    // user dictionary. Returns the reason on failure, else empty text.
    QString addToUserDictionary(const QString &word);

private:
    std::string encode(const QString &word) const;
    QString decode(const std::string &word) const;
    void loadUserDictionary();
    static QStringList readUserWords();

    std::unique_ptr<Hunspell> m_hunspell;
    QByteArray m_encoding; // the dictionary's own encoding
    QString m_error;
    QSet<QString> m_ignored;
    // Texts repeat their words: each is asked of hunspell once.
    mutable QHash<QString, bool> m_verdicts;
};

} // namespace qv::spell
