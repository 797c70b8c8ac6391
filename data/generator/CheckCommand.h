#pragma once

#include <QStringList>
#include <QTextStream>

namespace qv::templates {

// "qvlibgen check <set folder> [--example <Kind>] [--print <Table>]...":
// reads and calculates one set of table definitions and reports every
// problem; returns the exit status (1 on any problem).
int runCheck(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace qv::templates
