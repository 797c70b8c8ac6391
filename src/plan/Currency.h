#pragma once
// The currencies a plan's tables can be shown in. The profile keeps the
// choice as a number (its currency type); the tables' currency formats carry
// the symbol, which a change of currency rewrites.
#include <QString>

#include <vector>

namespace qv::plan {

struct Currency
{
    int type;       // as the profile stores it
    QString code;   // ISO 4217: "USD"
    QString name;   // "US dollar"
    QString symbol; // as shown: "$", "€"
    // The symbol as a number format writes it: "$" itself, or a locale
    // currency tag ("[$€-2]") that spreadsheets show as its symbol.
    QString formatToken;
};

const std::vector<Currency> &currencies();
// Unknown types read as the US dollar, every plan's currency before a choice.
const Currency &currencyOfType(int type);
// The currency of an ISO code, case ignored; nullptr for an unknown code.
const Currency *currencyOfCode(const QString &code);

// True for a format that shows a currency symbol (of any of ours).
bool isCurrencyFormat(const QString &formatCode);
// The format with every currency symbol replaced by the currency's; quoted
// text and other bracketed parts are left as they are.
QString withCurrency(const QString &formatCode, const Currency &currency);
// The number-format button's currency format in that currency.
QString currencyFormat(const Currency &currency);

} // namespace qv::plan
