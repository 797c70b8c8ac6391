#include "resources/ResText.h"

#include "platform/Error.h"

#include <QFile>
#include <QHash>

static void initQuorvexResources()
{
    Q_INIT_RESOURCE(strings);
}

namespace qv {

namespace {

// Lines of "id<TAB>text"; "#" starts a comment line. Texts are stored with
// their escapes as written ("\r", "\q").
QHash<int, QString> loadTable()
{
    initQuorvexResources();
    QHash<int, QString> table;
    QFile file(QStringLiteral(":/quorvex/strings.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (ok)
            table.insert(id, line.mid(tab + 1));
    }
    return table;
}

const QHash<int, QString> &table()
{
    static const QHash<int, QString> t = loadTable();
    return t;
}

QString trimLeadingBlanks(const QString &s)
{
    int i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

QString trimTrailingBlanks(const QString &s)
{
    int n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

QString replaceEach(QString text, const QString &sequence, const QString &replacement)
{
    for (int at = text.indexOf(sequence); at >= 0; at = text.indexOf(sequence))
        text = trimLeadingBlanks(text.left(at)) + replacement + trimTrailingBlanks(text.mid(at + sequence.size()));
    return text;
}

} // namespace

QString expandResEscapes(const QString &stored)
{
    QString text = replaceEach(stored, QStringLiteral("\\r"), QStringLiteral("\r\n"));
    text = replaceEach(text, QStringLiteral("\\t"), QStringLiteral("\t"));
    text = replaceEach(text, QStringLiteral("\\q"), QStringLiteral("\""));
    return replaceEach(text, QStringLiteral("\\\\"), QStringLiteral("\\"));
}

QString storedResText(int id)
{
    return table().value(id);
}

bool hasResText(int number)
{
    return table().contains(number + 1000);
}

QString GetResText(int number)
{
    const auto found = table().constFind(number + 1000);
    if (found == table().constEnd())
        throw QvError(326, QStringLiteral("modRes"),
                      QStringLiteral("Resource with identifier '%1' not found").arg(number + 1000));
    return expandResEscapes(*found);
}

QString withoutAccessKey(const QString &caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                plain += QLatin1Char('&');
            ++i;
            if (i < caption.size() && caption.at(i) != QLatin1Char('&'))
                plain += caption.at(i);
            continue;
        }
        plain += caption.at(i);
    }
    return plain;
}

} // namespace qv
