// Time value of money and depreciation, with Excel's sign conventions:
// money paid out is negative.

#include "controls/workbook/FunctionSupport.h"

#include <cmath>

namespace qv::workbook::functions {

namespace {

// Reads argument i as a number, or the default when it is missing.
struct NumberArgs
{
    NumberArgs(Args a, const EvaluationContext &context) : args(a), c(context) {}
    Args args;
    const EvaluationContext &c;
    Value failure;
    bool ok = true;

    double get(std::size_t i, double fallback = 0)
    {
        if (i >= args.size() || (!args[i].isReference() && args[i].value.isEmpty()))
            return fallback;
        if (!ok) return 0;
        auto n = numberArg(args[i], c, failure);
        if (!n) { ok = false; return 0; }
        return *n;
    }
};

double futureValue(double rate, double nper, double pmt, double pv, double type)
{
    if (rate == 0) return -(pv + pmt * nper);
    const double growth = std::pow(1 + rate, nper);
    return -(pv * growth + pmt * (1 + rate * type) * (growth - 1) / rate);
}

double payment(double rate, double nper, double pv, double fv, double type)
{
    if (rate == 0) return -(pv + fv) / nper;
    const double growth = std::pow(1 + rate, nper);
    return -(pv * growth + fv) * rate / ((1 + rate * type) * (growth - 1));
}

double interestPayment(double rate, double per, double nper, double pv, double fv, double type)
{
    const double pmt = payment(rate, nper, pv, fv, type);
    if (type != 0) {
        if (per == 1) return 0;
        return (futureValue(rate, per - 2, pmt, pv, 1) - pmt) * rate;
    }
    return futureValue(rate, per - 1, pmt, pv, 0) * rate;
}

Value pv(Args args, const EvaluationContext &c)
{
    NumberArgs a{args, c};
    const double rate = a.get(0), nper = a.get(1), pmt = a.get(2), fv = a.get(3), type = a.get(4) != 0;
    if (!a.ok) return a.failure;
    if (rate == 0) return number(-(pmt * nper + fv));
    const double growth = std::pow(1 + rate, nper);
    return number(-(fv + pmt * (1 + rate * type) * (growth - 1) / rate) / growth);
}

Value fv(Args args, const EvaluationContext &c)
{
    NumberArgs a{args, c};
    const double rate = a.get(0), nper = a.get(1), pmt = a.get(2), pv = a.get(3), type = a.get(4) != 0;
    if (!a.ok) return a.failure;
    return number(futureValue(rate, nper, pmt, pv, type));
}

Value pmt(Args args, const EvaluationContext &c)
{
    NumberArgs a{args, c};
    const double rate = a.get(0), nper = a.get(1), pv = a.get(2), fv = a.get(3), type = a.get(4) != 0;
    if (!a.ok) return a.failure;
    if (nper == 0) return error(ErrorCode::Num);
    return number(payment(rate, nper, pv, fv, type));
}

Value nper(Args args, const EvaluationContext &c)
{
    NumberArgs a{args, c};
    const double rate = a.get(0), pmt = a.get(1), pv = a.get(2), fv = a.get(3), type = a.get(4) != 0;
    if (!a.ok) return a.failure;
    if (rate == 0) {
        if (pmt == 0) return error(ErrorCode::Num);
        return number(-(pv + fv) / pmt);
    }
    const double top = pmt * (1 + rate * type) - fv * rate;
    const double bottom = pmt * (1 + rate * type) + pv * rate;
    if (bottom == 0 || top / bottom <= 0 || rate <= -1) return error(ErrorCode::Num);
    return number(std::log(top / bottom) / std::log(1 + rate));
}

Value rate(Args args, const EvaluationContext &c)
{
    NumberArgs a{args, c};
    const double n = a.get(0), pmt = a.get(1), pv = a.get(2), fv = a.get(3), type = a.get(4) != 0;
    double r = a.get(5, 0.1);
    if (!a.ok) return a.failure;
    if (n <= 0) return error(ErrorCode::Num);
    auto f = [&](double x) {
        if (std::fabs(x) < 1e-12) return pv + pmt * n + fv;
        const double g = std::pow(1 + x, n);
        return pv * g + pmt * (1 + x * type) * (g - 1) / x + fv;
    };
    for (int i = 0; i < 100; ++i) {
        const double y = f(r);
        const double h = std::max(1e-7, std::fabs(r) * 1e-7);
        const double slope = (f(r + h) - f(r - h)) / (2 * h);
        if (slope == 0 || !std::isfinite(slope)) break;
        const double next = r - y / slope;
        if (!std::isfinite(next) || next <= -1) break;
        if (std::fabs(next - r) < 1e-12) return number(next);
        r = next;
    }
    if (std::fabs(f(r)) < 1e-7) return number(r);
    return error(ErrorCode::Num);
}

Value ipmt(Args args, const EvaluationContext &c)
{
    NumberArgs a{args, c};
    const double rate = a.get(0), per = a.get(1), nper = a.get(2), pv = a.get(3), fv = a.get(4), type = a.get(5) != 0;
    if (!a.ok) return a.failure;
    if (per < 1 || per > nper || nper <= 0) return error(ErrorCode::Num);
    return number(interestPayment(rate, per, nper, pv, fv, type));
}

Value ppmt(Args args, const EvaluationContext &c)
{
    NumberArgs a{args, c};
    const double rate = a.get(0), per = a.get(1), nper = a.get(2), pv = a.get(3), fv = a.get(4), type = a.get(5) != 0;
    if (!a.ok) return a.failure;
    if (per < 1 || per > nper || nper <= 0) return error(ErrorCode::Num);
    return number(payment(rate, nper, pv, fv, type) - interestPayment(rate, per, nper, pv, fv, type));
}

Value npv(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto r = numberArg(args[0], c, failure);
    if (!r) return failure;
    if (*r == -1) return error(ErrorCode::DivideByZero);
    std::vector<double> values;
    if (auto f = collectNumbers(args.subspan(1), c, values)) return *f;
    double total = 0;
    for (std::size_t i = 0; i < values.size(); ++i)
        total += values[i] / std::pow(1 + *r, double(i + 1));
    return number(total);
}

Value irr(Args args, const EvaluationContext &c)
{
    std::vector<double> values;
    if (auto f = collectNumbers(args.first(1), c, values)) return *f;
    NumberArgs a{args, c};
    double r = a.get(1, 0.1);
    if (!a.ok) return a.failure;
    bool positive = false, negative = false;
    for (double v : values) { positive |= v > 0; negative |= v < 0; }
    if (!positive || !negative) return error(ErrorCode::Num);
    for (int i = 0; i < 100; ++i) {
        double value = 0, slope = 0;
        for (std::size_t k = 0; k < values.size(); ++k) {
            const double d = std::pow(1 + r, double(k));
            value += values[k] / d;
            slope -= double(k) * values[k] / (d * (1 + r));
        }
        if (slope == 0 || !std::isfinite(slope)) break;
        const double next = r - value / slope;
        if (!std::isfinite(next) || next <= -1) break;
        if (std::fabs(next - r) < 1e-12) return number(next);
        r = next;
    }
    return error(ErrorCode::Num);
}

Value sln(Args args, const EvaluationContext &c)
{
    NumberArgs a{args, c};
    const double cost = a.get(0), salvage = a.get(1), life = a.get(2);
    if (!a.ok) return a.failure;
    if (life == 0) return error(ErrorCode::DivideByZero);
    return number((cost - salvage) / life);
}

Value ddb(Args args, const EvaluationContext &c)
{
    NumberArgs a{args, c};
    const double cost = a.get(0), salvage = a.get(1), life = a.get(2), period = a.get(3), factor = a.get(4, 2);
    if (!a.ok) return a.failure;
    if (cost < 0 || salvage < 0 || life <= 0 || period <= 0 || period > life || factor <= 0)
        return error(ErrorCode::Num);
    const double rate = factor / life, periods = std::ceil(period);
    const auto periodDepreciation = [&](double prior) {
        return std::min((cost - prior) * rate, std::max(0.0, cost - salvage - prior));
    };
    // A schedule of months or years is walked period by period. A longer one
    // (a life given in days over centuries, or a mistyped life) takes the
    // depreciation before the period in closed form: a walk of billions of
    // periods would freeze the sheet.
    constexpr double longestWalk = 10000;
    if (periods <= longestWalk) {
        double prior = 0, depreciation = 0;
        for (int p = 1; p <= int(periods); ++p) {
            depreciation = periodDepreciation(prior);
            prior += depreciation;
        }
        return number(depreciation);
    }
    // Until it reaches the salvage value the book value shrinks by the rate
    // each period; after that it stays at salvage. A rate of 1 or more
    // reaches salvage in the first period.
    const double floor = std::max(0.0, cost - salvage);
    const double prior = rate >= 1 ? floor : std::min(cost * (1 - std::pow(1 - rate, periods - 1)), floor);
    return number(periodDepreciation(prior));
}

const Definition definitions[] = {
    {"PMT", 3, 5, pmt},   {"PV", 3, 5, pv},     {"FV", 3, 5, fv},     {"NPV", 2, -1, npv},
    {"IRR", 1, 2, irr},   {"RATE", 3, 6, rate}, {"NPER", 3, 5, nper}, {"IPMT", 4, 6, ipmt},
    {"PPMT", 4, 6, ppmt}, {"SLN", 3, 3, sln},   {"DDB", 4, 5, ddb},
};

} // namespace

std::span<const Definition> financialFunctions()
{
    return definitions;
}

} // namespace qv::workbook::functions
