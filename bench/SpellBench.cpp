// Spelling a long plan: opening the dictionary, marking every misspelled
// word of a 500 KB text as the editor does when it loads it, and walking
// the misspelled words as the spelling dialog does.

#include "controls/spell/SpellChecker.h"
#include "controls/spell/SpellHighlighter.h"
#include "controls/spell/SpellSession.h"

#include "platform/Folders.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc > 1)
        qv::platform::Folders::setInstallFolder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir config; // Add must not touch the real user dictionary
    qv::platform::Folders::setUserConfigFolder(config.path());

    QElapsedTimer timer;
    timer.start();
    qv::spell::SpellChecker checker;
    if (!checker.openMainDictionary()) {
        std::fprintf(stderr, "%s\n", qPrintable(checker.errorString()));
        return 1;
    }
    std::printf("open American.vtd:            %6lld ms\n", timer.elapsed());

    const QString paragraph =
        QStringLiteral("Our company will sell handmade furniture to customers in the region; the markt grows by five "
                       "percent a year and our competiton is weak. We expect revenue of 2 million in year three, ");
    QString text;
    int paragraphs = 0;
    while (text.size() < 500 * 1024) {
        text += paragraph + QStringLiteral("with plan number %1 and quorvex%2 terms.\n")
                                .arg(paragraphs)
                                .arg(QChar(u'a' + paragraphs % 26));
        ++paragraphs;
    }
    QTextDocument document(text);
    std::printf("text: %d paragraphs, %lld characters\n", paragraphs, qlonglong(text.size()));

    timer.restart();
    qv::spell::SpellHighlighter highlighter(&document);
    highlighter.setChecker(&checker);
    std::printf("mark misspelled words:        %6lld ms\n", timer.elapsed());

    timer.restart();
    qv::spell::SpellSession session(&document, checker);
    int found = 0;
    while (session.findNext()) {
        ++found;
        session.ignoreAll();
    }
    std::printf("walk with Ignore All (%d):    %6lld ms\n", found, timer.elapsed());
    return 0;
}
