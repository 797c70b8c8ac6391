#include "create/wizard/QuestionList.h"

#include "create/wizard/WizardAnswers.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace qv::wizard {

namespace {

const QString kDefaultPageTitle = QStringLiteral("Key figures");

std::optional<FigureKind> figureKindFromName(const QString &name)
{
    for (FigureKind kind :
         {FigureKind::Currency, FigureKind::Number, FigureKind::Integer, FigureKind::Percent, FigureKind::Text}) {
        if (name.compare(figureKindName(kind), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return std::nullopt;
}

std::optional<double> readLimit(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The number in what the user typed, without the currency sign, the percent
// sign and thousands separators that people type out of habit.
std::optional<double> readTypedNumber(const FigureQuestion &q, QString text)
{
    text.remove(QLatin1Char(' '));
    bool negative = false;
    if (text.startsWith(QLatin1Char('-'))) {
        negative = true;
        text.remove(0, 1);
    }
    if (q.kind == FigureKind::Currency && text.startsWith(QLatin1Char('$')))
        text.remove(0, 1);
    if (q.kind == FigureKind::Percent && text.endsWith(QLatin1Char('%')))
        text.chop(1);
    static const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
    if (text.contains(QLatin1Char(','))) {
        if (!grouped.match(text).hasMatch())
            return std::nullopt;
        text.remove(QLatin1Char(','));
    }
    static const QRegularExpression plain(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!plain.match(text).hasMatch())
        return std::nullopt;
    const double value = QLocale::c().toDouble(text);
    return negative ? -value : value;
}

int decimalsOf(const QString &typed)
{
    const int dot = typed.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return 0;
    int digits = 0;
    for (int i = dot + 1; i < typed.size() && typed.at(i).isDigit(); ++i)
        ++digits;
    return digits;
}

QString plainNumber(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString shownNumber(const FigureQuestion &q, double value)
{
    QLocale english(QLocale::English, QLocale::UnitedStates);
    const int decimals = (value == std::floor(value)) ? 0 : 2;
    const QString number = english.toString(std::fabs(value), 'f', decimals);
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    switch (q.kind) {
    case FigureKind::Currency:
        return sign + QLatin1Char('$') + number;
    case FigureKind::Percent:
        return sign + number + QLatin1Char('%');
    default:
        return sign + number;
    }
}

int maxDecimals(FigureKind kind)
{
    switch (kind) {
    case FigureKind::Currency:
    case FigureKind::Percent:
        return 2;
    case FigureKind::Integer:
        return 0;
    default:
        return 6;
    }
}

QString cleanText(const QString &typed)
{
    QString text;
    for (const QChar c : typed)
        text += (c.category() == QChar::Other_Control) ? QLatin1Char(' ') : c;
    return text.trimmed();
}

} // namespace

QString figureKindName(FigureKind kind)
{
    switch (kind) {
    case FigureKind::Currency:
        return QStringLiteral("currency");
    case FigureKind::Number:
        return QStringLiteral("number");
    case FigureKind::Integer:
        return QStringLiteral("integer");
    case FigureKind::Percent:
        return QStringLiteral("percent");
    case FigureKind::Text:
        return QStringLiteral("text");
    }
    return {};
}

bool isCellReference(const QString &cell)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,30}:[A-Za-z][1-9][0-9]{0,4}$"));
    return pattern.match(cell).hasMatch();
}

QuestionList QuestionList::parse(const QString &text)
{
    QuestionList list;
    // Cells already asked per kind and stage (kind * 2 + stage), to catch a
    // second question that would overwrite the first one's answer.
    QHash<QString, int> asked[kKindCount * 2];
    // Editors on other systems save a byte-order mark; it is not part of the
    // first heading.
    const QString body = text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    const QStringList lines = body.split(QLatin1Char('\n'));
    int lineNumber = 0;
    auto report = [&](const QString &what) {
        list.m_problems << QStringLiteral("line %1: %2").arg(lineNumber).arg(what);
    };
    for (const QString &raw : lines) {
        ++lineNumber;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;

        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']'))) {
                report(QStringLiteral("a heading must end with \"]\""));
                list.m_sections.append(Section{}); // its questions match nothing
                continue;
            }
            Section section;
            bool anyKind = false;
            bool good = true;
            const QStringList words =
                line.mid(1, line.size() - 2).split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
            for (const QString &word : words) {
                const int kind = kindFromAnswerName(word);
                if (kind >= 0) {
                    section.kinds[kind] = anyKind = true;
                } else if (word.compare(QLatin1String("All"), Qt::CaseInsensitive) == 0) {
                    for (bool &k : section.kinds)
                        k = true;
                    anyKind = true;
                } else if (word.compare(QLatin1String("New"), Qt::CaseInsensitive) == 0) {
                    section.newStage = true;
                } else if (word.compare(QLatin1String("Exist"), Qt::CaseInsensitive) == 0
                           || word.compare(QLatin1String("Existing"), Qt::CaseInsensitive) == 0) {
                    section.existStage = true;
                } else {
                    report(QStringLiteral("\"%1\" is neither a kind of business (Service, Manufacturing, "
                                          "Wholesale, Retail, Custom, All) nor a stage (New, Exist)")
                               .arg(word));
                    good = false;
                }
            }
            if (good && !anyKind) {
                report(QStringLiteral("the heading names no kind of business"));
                good = false;
            }
            if (!section.newStage && !section.existStage)
                section.newStage = section.existStage = true;
            if (!good)
                section = Section{};
            list.m_sections.append(section);
            continue;
        }

        if (list.m_sections.isEmpty()) {
            report(QStringLiteral("questions and pages must follow a [kind stage] heading"));
            continue;
        }
        Section &section = list.m_sections.last();

        static const QRegularExpression pageLine(QStringLiteral("^page\\s*:"), QRegularExpression::CaseInsensitiveOption);
        if (const auto match = pageLine.match(line); match.hasMatch()) {
            const QString rest = line.mid(match.capturedLength());
            const int bar = rest.indexOf(QLatin1Char('|'));
            QuestionPage page;
            page.title = (bar < 0 ? rest : rest.left(bar)).trimmed();
            page.subtitle = bar < 0 ? QString() : rest.mid(bar + 1).trimmed();
            if (page.title.isEmpty()) {
                report(QStringLiteral("a page needs a title"));
                page.title = kDefaultPageTitle;
            }
            section.pages.append(page);
            continue;
        }

        // cell | kind | min..max | prompt | help
        QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() > 5)
            fields = fields.mid(0, 4) << QStringList(fields.mid(4)).join(QLatin1Char('|'));
        for (QString &f : fields)
            f = f.trimmed();
        if (fields.size() < 4) {
            report(QStringLiteral("a question needs at least 4 fields separated by \"|\" "
                                  "(cell | kind | minimum..maximum | prompt | help), found %1")
                       .arg(fields.size()));
            continue;
        }
        FigureQuestion q;
        q.line = lineNumber;
        q.cell = fields[0];
        if (!isCellReference(q.cell)) {
            report(QStringLiteral("\"%1\" is not a table cell such as Tbl0503:B4").arg(q.cell));
            continue;
        }
        const auto kind = figureKindFromName(fields[1]);
        if (!kind) {
            report(QStringLiteral("unknown value kind \"%1\" (expected currency, number, integer, percent or text)")
                       .arg(fields[1]));
            continue;
        }
        q.kind = *kind;
        const int dots = fields[2].indexOf(QStringLiteral(".."));
        const auto low = dots < 0 ? std::nullopt : readLimit(fields[2].left(dots));
        const auto high = dots < 0 ? std::nullopt : readLimit(fields[2].mid(dots + 2));
        if (!low || !high) {
            report(QStringLiteral("limits \"%1\" must read minimum..maximum, such as 0..250000").arg(fields[2]));
            continue;
        }
        if (*low > *high) {
            report(QStringLiteral("the minimum %1 is larger than the maximum %2").arg(*low).arg(*high));
            continue;
        }
        if (q.kind == FigureKind::Text && (*low < 0 || *high < 1)) {
            report(QStringLiteral("the limits of a text are its shortest and longest length, such as 1..60"));
            continue;
        }
        q.minimum = *low;
        q.maximum = *high;
        q.prompt = fields[3];
        if (q.prompt.isEmpty()) {
            report(QStringLiteral("the question for %1 has no prompt").arg(q.cell));
            continue;
        }
        q.help = fields.value(4);

        bool duplicate = false;
        const QString cellKey = q.cell.toUpper();
        for (int kindIndex = 0; kindIndex < kKindCount && !duplicate; ++kindIndex) {
            for (int stage = 0; stage < 2 && !duplicate; ++stage) {
                const bool inStage = stage == 0 ? section.newStage : section.existStage;
                if (!section.kinds[kindIndex] || !inStage)
                    continue;
                const int earlier = asked[kindIndex * 2 + stage].value(cellKey, 0);
                if (earlier) {
                    report(QStringLiteral("cell %1 is already asked on line %2 for %3 %4")
                               .arg(q.cell)
                               .arg(earlier)
                               .arg(kindAnswerName(kindIndex), stage == 0 ? QStringLiteral("New")
                                                                          : QStringLiteral("Exist")));
                    duplicate = true;
                }
            }
        }
        if (duplicate)
            continue;
        for (int kindIndex = 0; kindIndex < kKindCount; ++kindIndex) {
            if (!section.kinds[kindIndex])
                continue;
            if (section.newStage)
                asked[kindIndex * 2].insert(cellKey, lineNumber);
            if (section.existStage)
                asked[kindIndex * 2 + 1].insert(cellKey, lineNumber);
        }
        if (section.pages.isEmpty())
            section.pages.append(QuestionPage{kDefaultPageTitle, QString(), {}});
        section.pages.last().questions.append(q);
    }
    return list;
}

QuestionList QuestionList::load(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QuestionList list;
        list.m_problems << QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return list;
    }
    return parse(QString::fromUtf8(file.readAll()));
}

QList<QuestionPage> QuestionList::pagesFor(int kind, bool newBusiness) const
{
    QList<QuestionPage> pages;
    if (kind < 0 || kind >= kKindCount)
        return pages;
    for (const Section &section : m_sections) {
        if (!section.kinds[kind] || !(newBusiness ? section.newStage : section.existStage))
            continue;
        for (const QuestionPage &page : section.pages) {
            if (!page.questions.isEmpty())
                pages.append(page);
        }
    }
    return pages;
}

QString checkFigure(const FigureQuestion &q, const QString &typed)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (q.kind == FigureKind::Text) {
        const int length = cleanText(trimmed).size();
        if (length < q.minimum || length > q.maximum)
            return QStringLiteral("Enter between %1 and %2 characters.").arg(q.minimum).arg(q.maximum);
        return {};
    }
    const auto value = readTypedNumber(q, trimmed);
    if (!value) {
        switch (q.kind) {
        case FigureKind::Currency:
            return QStringLiteral("Enter an amount, such as 1500 or $1,500.00.");
        case FigureKind::Percent:
            return QStringLiteral("Enter a percentage, such as 12.5.");
        case FigureKind::Integer:
            return QStringLiteral("Enter a whole number.");
        default:
            return QStringLiteral("Enter a number.");
        }
    }
    if (decimalsOf(trimmed) > maxDecimals(q.kind)) {
        return q.kind == FigureKind::Integer ? QStringLiteral("Enter a whole number.")
                                             : QStringLiteral("Use at most %1 decimals.").arg(maxDecimals(q.kind));
    }
    if (*value < q.minimum || *value > q.maximum)
        return QStringLiteral("Enter a value %1.").arg(describeLimits(q));
    return {};
}

QString figureAnswerValue(const FigureQuestion &q, const QString &typed)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty() || !checkFigure(q, trimmed).isEmpty())
        return {};
    if (q.kind == FigureKind::Text)
        return cleanText(trimmed);
    const double value = *readTypedNumber(q, trimmed);
    const QString number = plainNumber(value, maxDecimals(q.kind));
    switch (q.kind) {
    case FigureKind::Currency:
        return QLatin1Char('$') + number;
    case FigureKind::Percent:
        return number + QLatin1Char('%');
    default:
        return number;
    }
}

QString describeLimits(const FigureQuestion &q)
{
    if (q.kind == FigureKind::Text)
        return QStringLiteral("of %1 to %2 characters").arg(q.minimum).arg(q.maximum);
    return QStringLiteral("between %1 and %2").arg(shownNumber(q, q.minimum), shownNumber(q, q.maximum));
}

} // namespace qv::wizard
