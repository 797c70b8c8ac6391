// The wizard question list parser on arbitrary text: it must report, never
// crash, and every question it keeps must check and format its own limits.

#include "create/wizard/QuestionList.h"
#include "create/wizard/WizardAnswers.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qv::wizard;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QuestionList list = QuestionList::parse(text);
    for (int kind = -1; kind <= kKindCount; ++kind) {
        for (bool newBusiness : {true, false}) {
            for (const QuestionPage &page : list.pagesFor(kind, newBusiness)) {
                for (const FigureQuestion &q : page.questions) {
                    if (!isCellReference(q.cell))
                        __builtin_trap();
                    describeLimits(q);
                    // Every line of the input doubles as a typed answer.
                    for (const QString &line : text.split(QLatin1Char('\n')).mid(0, 4)) {
                        const bool fine = checkFigure(q, line).isEmpty();
                        const QString value = figureAnswerValue(q, line);
                        if (!fine && !value.isEmpty())
                            __builtin_trap();
                    }
                }
            }
        }
    }
    return 0;
}
