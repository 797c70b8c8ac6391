#pragma once

// Where compiling finds what it needs: the plan folder it compiles (the
// "dir" setting that the compilers read), the table converter's entry in
// the machine registry, and the compiler program.

#include <QString>

namespace qv::compile {

// The settings store's application and section of the "dir" value; the
// compilers read it from there.
inline constexpr char kCompileApplication[] = "Corvane";
inline constexpr char kCompileSection[] = "QVRSCompile";
inline constexpr char kCompileFolderKey[] = "dir";

// The plan folder being compiled, with one trailing separator; empty when
// none was stored.
QString compileFolder();
// Stores the plan folder (its short form, which is the long form here) with
// one trailing separator.
void storeCompileFolder(const QString &planFolder);

// The machine registry's entries for this installation (written by the
// build and by installation; docs/platform.md).
inline constexpr char kInstallationKey[] = "SOFTWARE\\Corvane\\Quorvex\\8.0";
inline constexpr char kTableConverterKey[] = "SOFTWARE\\Corvane\\Quorvex\\8.0\\Table Converter";
inline constexpr char kInstalledToValue[] = "InstalledTo";

// The stand-alone compiler in the program folder ("compiler.exe", which is
// "compiler" here), or empty text when it is not installed.
QString installedCompiler();

} // namespace qv::compile
