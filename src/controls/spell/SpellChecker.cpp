#include "controls/spell/SpellChecker.h"

#include "controls/spell/MainDictionary.h"

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <hunspell/hunspell.hxx>

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace qv::spell
{

namespace
{
// Hunspell spends noticeable time on absurd input; no real word is longer.
constexpr int kLongestWord = 100;
constexpr qsizetype kRememberedWords = 200000;
} // namespace

SpellChecker::SpellChecker() = default;
SpellChecker::~SpellChecker() = default;

QString SpellChecker::mainDictionaryName()
{
    return QStringLiteral("American.vtd");
}

QString SpellChecker::userDictionaryPath()
{
    return platform::joinPath(platform::Folders::userConfigFolder(), QStringLiteral("Corvane/User.dic"));
}

bool SpellChecker::openMainDictionary(const QString &name)
{
    closeMainDictionary();
    const QString path =
        QDir::isAbsolutePath(name)
            ? name
            : platform::resolveExistingPath(platform::joinPath(platform::Folders::systemFolder(), name));
    const HunspellFiles files = locateHunspellFiles(path);
    if (!files.error.isEmpty()) {
        m_error = files.error;
        return false;
    }
    m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(files.affix).constData(),
                                            QFile::encodeName(files.dictionary).constData());
    m_encoding = QByteArray::fromStdString(m_hunspell->get_dict_encoding());
    if (m_encoding.isEmpty() || !QStringEncoder(m_encoding.constData()).isValid())
        m_encoding = "UTF-8";
    m_error.clear();
    loadUserDictionary();
    return true;
}

void SpellChecker::closeMainDictionary()
{
    m_hunspell.reset();
    m_verdicts.clear();
}

std::string SpellChecker::encode(const QString &word) const
{
    QStringEncoder encoder(m_encoding.constData());
    const QByteArray bytes = encoder.encode(word);
    return encoder.hasError() ? std::string() : bytes.toStdString();
}

QString SpellChecker::decode(const std::string &word) const
{
    QStringDecoder decoder(m_encoding.constData());
    return decoder.decode(QByteArrayView(word.data(), qsizetype(word.size())));
}

bool SpellChecker::isCorrect(const QString &word) const
{
    if (!m_hunspell || word.isEmpty() || m_ignored.contains(word))
        return true;
    if (word.size() > kLongestWord)
        return false;
    if (const auto known = m_verdicts.constFind(word); known != m_verdicts.constEnd())
        return *known;
    const std::string encoded = encode(word);
    const bool correct = !encoded.empty() && m_hunspell->spell(encoded);
    if (m_verdicts.size() >= kRememberedWords)
        m_verdicts.clear();
    m_verdicts.insert(word, correct);
    return correct;
}

QStringList SpellChecker::suggestions(const QString &word, int limit) const
{
    QStringList found;
    if (!m_hunspell || word.isEmpty() || word.size() > kLongestWord)
        return found;
    const std::string encoded = encode(word);
    if (encoded.empty())
        return found;
    for (const std::string &s : m_hunspell->suggest(encoded)) {
        if (found.size() >= limit)
            break;
        found.append(decode(s));
    }
    return found;
}

void SpellChecker::ignoreAll(const QString &word)
{
    m_ignored.insert(word);
}

QString SpellChecker::addToUserDictionary(const QString &word)
{
    const QString clean = word.trimmed();
    if (clean.isEmpty() || clean.contains(QLatin1Char('\n')) || clean.size() > kLongestWord)
        return QStringLiteral("\"%1\" cannot be added to the dictionary.").arg(word);
    // Read afresh: another window may have added words since this one opened.
    QStringList words = readUserWords();
    if (!words.contains(clean)) {
        words.append(clean);
        // A new user's config folder may not exist yet.
        QDir().mkpath(QFileInfo(userDictionaryPath()).absolutePath());
        const QString error = platform::writeFileAtomically(
            userDictionaryPath(), (words.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        if (!error.isEmpty())
            return error;
    }
    if (m_hunspell)
        m_hunspell->add(encode(clean));
    m_verdicts.clear(); // hunspell now also knows the word's other cases
    return QString();
}

QStringList SpellChecker::readUserWords()
{
    QStringList words;
    QFile file(userDictionaryPath());
    if (!file.open(QIODevice::ReadOnly))
        return words; // no words added yet
    const QStringList lines = QString::fromUtf8(file.read(16 * 1024 * 1024)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && word.size() <= kLongestWord && !words.contains(word))
            words.append(word);
    }
    return words;
}

void SpellChecker::loadUserDictionary()
{
    for (const QString &word : readUserWords()) {
        const std::string encoded = encode(word);
        if (!encoded.empty())
            m_hunspell->add(encoded);
    }
}

} // namespace qv::spell
