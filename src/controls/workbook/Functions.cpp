#include "controls/workbook/Functions.h"

#include "controls/workbook/FunctionSupport.h"

#include <QHash>
#include <QStringList>

#include <cmath>

namespace qv::workbook {

namespace functions {
std::span<const Definition> mathFunctions();
std::span<const Definition> financialFunctions();
std::span<const Definition> lookupFunctions();
std::span<const Definition> textFunctions();
} // namespace functions

namespace {

using namespace functions;

struct Library
{
    std::vector<Definition> definitions;
    QHash<QString, std::uint32_t> byName;

    Library()
    {
        for (auto part : {mathFunctions(), financialFunctions(), lookupFunctions(), textFunctions()})
            for (const Definition &d : part) {
                byName.insert(QString::fromLatin1(d.name), std::uint32_t(definitions.size()));
                definitions.push_back(d);
            }
    }
};

const Library &library()
{
    static const Library instance;
    return instance;
}

} // namespace

std::uint32_t findFunction(const QString &upperCaseName)
{
    return library().byName.value(upperCaseName, unknownFunction);
}

QString functionName(std::uint32_t index)
{
    const auto &defs = library().definitions;
    return index < defs.size() ? QString::fromLatin1(defs[index].name) : QString();
}

bool functionAccepts(std::uint32_t index, int argc)
{
    const auto &defs = library().definitions;
    if (index >= defs.size())
        return true;
    return argc >= defs[index].minArgs && (defs[index].maxArgs < 0 || argc <= defs[index].maxArgs);
}

Value callFunction(std::uint32_t index, std::span<const Operand> args, const EvaluationContext &context)
{
    const auto &defs = library().definitions;
    if (index >= defs.size() || !functionAccepts(index, int(args.size())))
        return Value::fromError(ErrorCode::Value);
    Value result = defs[index].function(args, context);
    if (result.isNumber() && !std::isfinite(result.number))
        return Value::fromError(ErrorCode::Num);
    return result;
}

QStringList functionNames()
{
    QStringList names;
    for (const auto &d : library().definitions)
        names << QString::fromLatin1(d.name);
    return names;
}

} // namespace qv::workbook
