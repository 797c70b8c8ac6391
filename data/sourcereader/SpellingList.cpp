#include "SpellingList.h"

#include <QFile>

#include <algorithm>

namespace qv::templates {

Parsed<SpellingList> SpellingList::read(const QString &path)
{
    Parsed<SpellingList> result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        result.errors << path + QStringLiteral(": cannot read");
        return result;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList parts = line.split(QStringLiteral(" -> "));
        if (parts.size() != 2 || parts.at(0).trimmed().isEmpty() || parts.at(1).trimmed().isEmpty()) {
            result.errors << QStringLiteral("%1:%2: expected \"british -> us\"").arg(path).arg(i + 1);
            continue;
        }
        result.value.m_pairs.append({parts.at(0).trimmed().toLower(), parts.at(1).trimmed()});
    }
    // Longer forms first, so that a phrase wins over a word it starts with.
    auto pairs = result.value.m_pairs;
    std::stable_sort(pairs.begin(), pairs.end(), [](const auto &a, const auto &b) { return a.british.size() > b.british.size(); });
    QStringList alternatives;
    for (const auto &pair : pairs)
        alternatives << QRegularExpression::escape(pair.british).replace(QStringLiteral("\\ "), QStringLiteral("[\\s-]+"));
    result.value.m_pattern = QRegularExpression(QStringLiteral("(?<![A-Za-z])(%1)(?![A-Za-z])").arg(alternatives.join(u'|')),
                                                QRegularExpression::CaseInsensitiveOption);
    return result;
}

QList<SpellingFind> SpellingList::britishForms(const QString &text) const
{
    QList<SpellingFind> result;
    if (m_pairs.isEmpty())
        return result;
    auto it = m_pattern.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        const QString found = match.captured(1);
        const QString key = found.simplified().toLower();
        const auto pair = std::find_if(m_pairs.cbegin(), m_pairs.cend(), [&](const auto &p) { return p.british == key; });
        result.append({int(text.left(match.capturedStart(1)).count(u'\n')) + 1, found, pair != m_pairs.cend() ? pair->us : QString()});
    }
    return result;
}

} // namespace qv::templates
