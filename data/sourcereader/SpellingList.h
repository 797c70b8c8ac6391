#pragma once
// The US spelling list (data/us-english): British forms the library must not
// use, each with the US form that replaces it.

#include "sourcereader/TemplateSources.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

namespace qv::templates {

struct SpellingPair
{
    QString british; // a word or a phrase, lower case
    QString us;
};

struct SpellingFind
{
    int line = 0; // 1-based line of the text
    QString found; // as the text writes it
    QString us;
};

class SpellingList
{
public:
    static Parsed<SpellingList> read(const QString &path);

    int size() const { return int(m_pairs.size()); }
    // Every British form in the text, whole words only, without regard to case.
    QList<SpellingFind> britishForms(const QString &text) const;

private:
    QList<SpellingPair> m_pairs;
    QRegularExpression m_pattern;
};

} // namespace qv::templates
