#include "SpellTestSupport.h"

#include "controls/spell/MainDictionary.h"
#include "controls/spell/Words.h"

#include "platform/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using qv::spell::SpellChecker;

namespace
{
void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QStringList wordsOf(const QString &text)
{
    QStringList words;
    for (const auto &span : qv::spell::findWords(text))
        words.append(text.mid(span.start, span.length));
    return words;
}
} // namespace

TEST(Words, LettersAndInnerApostrophesMakeWordsAndDigitsRuleThemOut)
{
    EXPECT_EQ(wordsOf(QStringLiteral("Don't sell Q3 or 2nd-rate goods, caf\u00e9s!")),
              (QStringList{QStringLiteral("Don't"), QStringLiteral("sell"), QStringLiteral("or"),
                           QStringLiteral("rate"), QStringLiteral("goods"), QStringLiteral("caf\u00e9s")}));
    EXPECT_TRUE(wordsOf(QString()).isEmpty());
    EXPECT_TRUE(wordsOf(QStringLiteral(" , 1999 \u00a0")).isEmpty());
}

TEST(SpellChecker, KnownWordsPassAndMisspelledOnesGetSuggestions)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    EXPECT_TRUE(checker.hasDictionary());
    EXPECT_TRUE(checker.isCorrect(QStringLiteral("business")));
    EXPECT_TRUE(checker.isCorrect(QStringLiteral("Marketing")));
    EXPECT_FALSE(checker.isCorrect(QStringLiteral("recieve")));
    const QStringList suggestions = checker.suggestions(QStringLiteral("recieve"));
    EXPECT_TRUE(suggestions.contains(QStringLiteral("receive"))) << suggestions.join(QLatin1Char(',')).toStdString();
    EXPECT_LE(checker.suggestions(QStringLiteral("thier")).size(), 5);
    EXPECT_LE(checker.suggestions(QStringLiteral("thier"), 2).size(), 2);
}

TEST(SpellChecker, AbsurdInputIsMisspelledWithoutSuggestions)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    const QString huge(5000, QLatin1Char('x'));
    EXPECT_FALSE(checker.isCorrect(huge));
    EXPECT_TRUE(checker.suggestions(huge).isEmpty());
    EXPECT_TRUE(checker.isCorrect(QString()));
}

TEST(SpellChecker, IgnoreAllAcceptsTheWordForThisCheckerOnly)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    checker.ignoreAll(QStringLiteral("Quorvexian"));
    EXPECT_TRUE(checker.isCorrect(QStringLiteral("Quorvexian")));
    SpellChecker other;
    openInstalledDictionary(other);
    EXPECT_FALSE(other.isCorrect(QStringLiteral("Quorvexian")));
}

TEST(SpellChecker, AddedWordsPersistInTheUserDictionary)
{
    {
        SpellChecker checker;
        openInstalledDictionary(checker);
        EXPECT_FALSE(checker.isCorrect(QStringLiteral("Quorvex")));
        EXPECT_EQ(checker.addToUserDictionary(QStringLiteral("Quorvex")), QString());
        EXPECT_EQ(checker.addToUserDictionary(QStringLiteral("Vantorix")), QString());
        EXPECT_EQ(checker.addToUserDictionary(QStringLiteral("Quorvex")), QString()); // once is enough
        EXPECT_TRUE(checker.isCorrect(QStringLiteral("Quorvex")));
    }
    QFile file(SpellChecker::userDictionaryPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Quorvex\nVantorix\n"));
    EXPECT_TRUE(SpellChecker::userDictionaryPath().startsWith(qv::platform::Folders::userConfigFolder()));

    SpellChecker later;
    openInstalledDictionary(later);
    EXPECT_TRUE(later.isCorrect(QStringLiteral("Quorvex")));
    EXPECT_TRUE(later.isCorrect(QStringLiteral("Vantorix")));
}

TEST(SpellChecker, AddingWithoutADictionaryKeepsTheWordsAlreadyAdded)
{
    writeFile(SpellChecker::userDictionaryPath(), "Alphaword\n");
    SpellChecker closed;
    EXPECT_EQ(closed.addToUserDictionary(QStringLiteral("Betaword")), QString());
    QFile file(SpellChecker::userDictionaryPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Alphaword\nBetaword\n"));
}

TEST(SpellChecker, UnusableWordsAreNotAdded)
{
    SpellChecker checker;
    EXPECT_NE(checker.addToUserDictionary(QStringLiteral("  ")), QString());
    EXPECT_NE(checker.addToUserDictionary(QStringLiteral("two\nlines")), QString());
    EXPECT_FALSE(QFile::exists(SpellChecker::userDictionaryPath()));
}

TEST(SpellChecker, AMissingMainDictionaryIsReported)
{
    QTemporaryDir system;
    qv::platform::Folders::setSystemFolder(system.path());
    SpellChecker checker;
    EXPECT_FALSE(checker.openMainDictionary());
    EXPECT_FALSE(checker.hasDictionary());
    EXPECT_TRUE(checker.errorString().contains(QStringLiteral("American.vtd"))) << checker.errorString().toStdString();
    // Without a dictionary nothing is marked and nothing is suggested.
    EXPECT_TRUE(checker.isCorrect(QStringLiteral("recieve")));
    EXPECT_TRUE(checker.suggestions(QStringLiteral("recieve")).isEmpty());
}

TEST(SpellChecker, AMainDictionaryNamingAnAbsentHunspellDictionaryIsReported)
{
    QTemporaryDir system;
    qv::platform::Folders::setSystemFolder(system.path());
    writeFile(system.filePath(QStringLiteral("American.vtd")), "dictionary=xx_XX\nfolder=/usr/share/hunspell\n");
    SpellChecker checker;
    EXPECT_FALSE(checker.openMainDictionary());
    EXPECT_TRUE(checker.errorString().contains(QStringLiteral("xx_XX")));

    writeFile(system.filePath(QStringLiteral("American.vtd")), "# nothing named\n");
    EXPECT_FALSE(checker.openMainDictionary());
    writeFile(system.filePath(QStringLiteral("American.vtd")), "dictionary=../../etc/passwd\nfolder=.\n");
    EXPECT_FALSE(checker.openMainDictionary());
}

TEST(SpellChecker, TheMainDictionaryFindsItsHunspellFilesFromItsOwnFolder)
{
    QTemporaryDir system;
    qv::platform::Folders::setSystemFolder(system.path());
    QDir(system.path()).mkpath(QStringLiteral("dicts"));
    writeFile(system.filePath(QStringLiteral("dicts/tiny.aff")), "SET UTF-8\n");
    writeFile(system.filePath(QStringLiteral("dicts/tiny.dic")), "2\nplanning\nzebra\n");
    // Found whatever the case of its name, as every built name is.
    writeFile(system.filePath(QStringLiteral("AMERICAN.VTD")), "dictionary = tiny\nfolder=missing\nfolder=dicts\n");

    const auto files = qv::spell::locateHunspellFiles(system.filePath(QStringLiteral("AMERICAN.VTD")));
    EXPECT_EQ(files.error, QString());
    EXPECT_EQ(files.affix, system.filePath(QStringLiteral("dicts/tiny.aff")));

    SpellChecker checker;
    ASSERT_TRUE(checker.openMainDictionary()) << checker.errorString().toStdString();
    EXPECT_TRUE(checker.isCorrect(QStringLiteral("zebra")));
    EXPECT_FALSE(checker.isCorrect(QStringLiteral("business")));
}

TEST(SpellChecker, TheInstalledMainDictionaryNamesDebiansEnglishDictionary)
{
    const auto files =
        qv::spell::locateHunspellFiles(qv::platform::Folders::systemFolder() + QStringLiteral("American.vtd"));
    EXPECT_EQ(files.error, QString());
    EXPECT_TRUE(files.dictionary.endsWith(QStringLiteral("en_US.dic")));
}
