#pragma once

#include <QStringList>
#include <QTextStream>

namespace qv::templates {

// "qvlibgen check <set folder> [--example <Kind>] [--print <Table>]...":
// reads and calculates one set of table definitions and reports every
// problem; returns the exit status (1 on any problem).
int runCheck(const QStringList &arguments, QTextStream &out, QTextStream &err);

// "qvlibgen figures <data folder> [--agreed]": compares the figures the
// example texts quote in their tables with the example tables; prints each
// differing figure (status 1) and each figure no table row holds, for a
// person to confirm.
int runFigures(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace qv::templates
