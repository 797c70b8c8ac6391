#include "plan/Currency.h"

namespace qv::plan {

const std::vector<Currency> &currencies()
{
    static const std::vector<Currency> list{
        {0, QStringLiteral("USD"), QStringLiteral("US dollar"), QStringLiteral("$"), QStringLiteral("$")},
        {1, QStringLiteral("EUR"), QStringLiteral("Euro"), QStringLiteral("€"), QStringLiteral("[$€-2]")},
        {2, QStringLiteral("GBP"), QStringLiteral("Pound sterling"), QStringLiteral("£"), QStringLiteral("[$£-809]")},
        {3, QStringLiteral("CAD"), QStringLiteral("Canadian dollar"), QStringLiteral("C$"), QStringLiteral("[$C$-1009]")},
        {4, QStringLiteral("AUD"), QStringLiteral("Australian dollar"), QStringLiteral("A$"), QStringLiteral("[$A$-C09]")},
    };
    return list;
}

const Currency &currencyOfType(int type)
{
    for (const Currency &c : currencies())
        if (c.type == type)
            return c;
    return currencies().front();
}

const Currency *currencyOfCode(const QString &code)
{
    for (const Currency &c : currencies())
        if (c.code.compare(code.trimmed(), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

namespace {

// Walks a format code, handing each currency symbol (a bare "$" or a "[$sym-…]"
// tag with a symbol) to `symbol` and every other piece to `other`.
template <typename Symbol, typename Other>
void walkFormat(const QString &code, Symbol &&symbol, Other &&other)
{
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == u'"') {
            qsizetype end = code.indexOf(u'"', i + 1);
            if (end < 0) end = code.size() - 1;
            other(code.mid(i, end - i + 1));
            i = end;
        } else if (c == u'\\' && i + 1 < code.size()) {
            other(code.mid(i, 2));
            ++i;
        } else if (c == u'[') {
            qsizetype end = code.indexOf(u']', i);
            if (end < 0) end = code.size() - 1;
            const QString part = code.mid(i, end - i + 1);
            const bool currencyTag = part.startsWith(QStringLiteral("[$")) && part.size() > 3 && part.at(2) != u'-'
                                     && part.at(2) != u']';
            if (currencyTag) symbol(part);
            else other(part);
            i = end;
        } else if (c == u'$') {
            symbol(QString(c));
        } else {
            other(QString(c));
        }
    }
}

} // namespace

bool isCurrencyFormat(const QString &formatCode)
{
    bool found = false;
    walkFormat(formatCode, [&](const QString &) { found = true; }, [](const QString &) {});
    for (const Currency &c : currencies())
        found = found || (c.symbol.size() == 1 && c.symbol != QLatin1String("$") && formatCode.contains(c.symbol));
    return found;
}

QString withCurrency(const QString &formatCode, const Currency &currency)
{
    QString out;
    walkFormat(formatCode, [&](const QString &) { out += currency.formatToken; }, [&](const QString &piece) { out += piece; });
    return out;
}

QString currencyFormat(const Currency &currency) { return currency.formatToken + QStringLiteral("#,##0.00"); }

} // namespace qv::plan
