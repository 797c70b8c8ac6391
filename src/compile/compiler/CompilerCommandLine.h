#pragma once

// The compiler's command line and exit codes, which scripts rely on:
//   compiler [--dir FOLDER] [--pdf FILE] [--odt FILE] [--quiet]
// and the quiet run that `compiler --quiet` and `qvtool compile` share.

#include "compile/compiler/PlanCompiler.h"

#include <QStringList>
#include <QTextStream>

#include <optional>

namespace qv::compiler {

enum ExitCode : int {
    kCompiled = 0,        // every listed file is in the document
    kFailed = 1,          // nothing was written
    kUsage = 2,           // the command line was wrong
    kCompiledLeftOut = 3, // written, but listed files were left out (named on standard error)
    kCancelled = 4,       // the user cancelled; nothing was written
};

struct CompilerOptions
{
    CompileRequest request;
    bool quiet = false;
    bool help = false;
};

QString compilerUsage();

// The options of the arguments (without the program name); nothing, with
// the reason, for a wrong command line. Without --dir the folder is left
// empty: the caller reads the "dir" setting.
std::optional<CompilerOptions> parseCompilerArguments(const QStringList &arguments, QString *error);

// Compiles without windows, printing the files written on `out` and what
// failed or was left out on `err`, each line starting with `program` + ": ".
int compileQuietly(const CompileRequest &request, const QString &program, QTextStream &out, QTextStream &err);

// The exit code of a finished compile.
int exitCodeOf(const CompileResult &result);

} // namespace qv::compiler
