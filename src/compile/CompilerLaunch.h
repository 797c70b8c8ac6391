#pragma once

// The checks before compiling and the start of the compiler: the
// stand-alone compiler in the program folder, else Word Pro's "BPlan.lwp".

#include <QString>

#include <functional>

class QObject;

namespace qv::compile {

// The text shown when the machine has no printer.
QString noPrinterMessage();

// True when a printer and the table converter are installed; otherwise
// says what is missing (critical icon) and returns false.
bool CheckCompileReady();

// Chooses the compiler, runs the table conversion (`convertTables`, which
// shows its own messages) and starts the compiler. False, with a message,
// when there is no compiler, the conversion could not start or the compiler
// did not start.
bool LaunchCompiler(QObject *owner, const std::function<bool()> &convertTables);

} // namespace qv::compile
