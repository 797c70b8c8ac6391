#pragma once

#include <QStringList>
#include <QTextStream>

namespace qvtool {

// One subcommand of qvtool. Each lives in a cmd_*.cpp file of its own and
// registers itself with a static CommandRegistration, so that areas add
// commands without touching the dispatcher.
struct Context
{
    QStringList args; // the words after the subcommand's name
    QTextStream &out;
    QTextStream &err;
};

using CommandFunction = int (*)(Context &);

struct CommandRegistration
{
    CommandRegistration(const char *name, const char *usage, CommandFunction function);
};

// Booleans print as true and false; numbers as C's %.15g (negative zero as 0).
QString formatBool(bool value);
QString formatNumber(double value);

} // namespace qvtool
