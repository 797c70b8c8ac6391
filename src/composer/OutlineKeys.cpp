#include "composer/OutlineKeys.h"

#include <QStringList>

namespace qv::composer {

QString chapterKey(int chapter)
{
    return QStringLiteral("%1.%2").arg(QLatin1String(kRootKey)).arg(chapter);
}

QString sectionKey(int chapter, int section)
{
    return QStringLiteral("%1.%2").arg(chapterKey(chapter)).arg(section);
}

namespace {

// A position written as digits only, no sign and no leading zero.
int positionNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 9 || text.startsWith(QLatin1Char('0')))
        return 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    return text.toInt();
}

} // namespace

OutlinePosition positionOfKey(const QString &key)
{
    const QStringList parts = key.split(QLatin1Char('.'));
    if (parts.isEmpty() || parts.size() > 3 || parts.first() != QLatin1String(kRootKey))
        return {};
    OutlinePosition position;
    if (parts.size() >= 2) {
        position.chapter = positionNumber(parts.at(1));
        if (position.chapter == 0)
            return {};
    }
    if (parts.size() == 3) {
        position.section = positionNumber(parts.at(2));
        if (position.section == 0)
            return {};
    }
    return position;
}

int chapterNumberOfKey(const QString &key)
{
    // Searching from the fifth character skips the root's own name.
    const qsizetype dot = key.indexOf(QLatin1Char('.'), 4);
    if (dot < 0)
        return 0;
    const qsizetype next = key.indexOf(QLatin1Char('.'), dot + 1);
    return positionNumber(key.mid(dot + 1, next < 0 ? -1 : next - dot - 1));
}

QString outlineNumber(const OutlinePosition &position)
{
    if (position.chapter == 0)
        return QString();
    if (position.section == 0)
        return QString::number(position.chapter);
    return QStringLiteral("%1.%2").arg(position.chapter).arg(position.section);
}

} // namespace qv::composer
