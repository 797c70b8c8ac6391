#include "apps/qvtool/Command.h"

#include "controls/spell/SpellChecker.h"

namespace
{

// One line per word: the word, a tab, then "ok" or its suggestions.
int spell(qvtool::Context &c)
{
    if (c.args.isEmpty()) {
        c.err << "usage: qvtool spell WORD...\n";
        return 2;
    }
    qv::spell::SpellChecker checker;
    if (!checker.openMainDictionary()) {
        c.err << checker.errorString() << "\n";
        return 1;
    }
    for (const QString &word : std::as_const(c.args)) {
        c.out << word << '\t';
        if (checker.isCorrect(word))
            c.out << "ok";
        else
            c.out << checker.suggestions(word, 5).join(QLatin1Char('|'));
        c.out << '\n';
    }
    return 0;
}

const qvtool::CommandRegistration registration("spell", "spell WORD...", spell);

} // namespace
