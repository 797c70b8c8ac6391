#pragma once

// Which installed programs can show a finished sample plan, and how the
// program-choice dialog presents them. Word and Word Pro keep their install
// records in the registry (none on this platform); the compiled-plan viewer
// counts as installed when it can be created.

#include <QString>

#include <array>

namespace qv::create
{

// The program the user chose; the numbers are the dialog's choice values.
enum class SampleProgram : int { None = 0, WordPro = 1, Word = 2, VantorCompiler = 3 };

// "lwp", "doc", "cpd", or empty text for no choice: the sample file to open.
QString GetExtension(SampleProgram program);

bool LookForWord();
bool LookForWord2000();
bool LookForWord97();
bool LookForWordPro();
bool LookForVantorCompiler();

// Which of the three were found, indexed by the choice value less one.
struct SampleProgramsFound {
    bool wordPro = false;
    bool word = false;
    bool vantorCompiler = false;
    int count() const { return int(wordPro) + int(word) + int(vantorCompiler); }
};
SampleProgramsFound findSamplePrograms();

// The dialog's arrangement for what was found.
struct ProgramChoiceLayout {
    QString label;
    bool labelCentred = false;
    // Word Pro, Word, Vantor Compiler, in choice order.
    std::array<bool, 3> optionVisible{};
    bool okCancelVisible = true;
    bool returnButtonVisible = false;
    // The choice made before the user acts: the one program when only one
    // was found.
    SampleProgram preselected = SampleProgram::None;
};
ProgramChoiceLayout programChoiceLayout(const SampleProgramsFound &found);

// The texts the dialog shows.
QString noProgramFoundText();
QString oneProgramFoundText(SampleProgram program);
QString chooseProgramText();

} // namespace qv::create
