#include "create/opening/SamplePrograms.h"

#include "create/opening/RegistryLookup.h"
#include "create/opening/SampleViewer.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

namespace qv::create
{

namespace
{

// The word-processor templates a compiled sample needs, in the install
// folder's "Compile" folder.
bool compileTemplateExists(const QString &name)
{
    return platform::existsIgnoringCase(
        platform::joinPath(platform::Folders::installFolder(), QStringLiteral("Compile/") + name));
}

QString programPath(const QString &key)
{
    return registryLookup().value(RegistryRoot::LocalMachine, key, QStringLiteral("Path"));
}

QString programName(SampleProgram program)
{
    switch (program) {
    case SampleProgram::WordPro: return QStringLiteral("Word Pro");
    case SampleProgram::Word: return QStringLiteral("Word");
    case SampleProgram::VantorCompiler: return QStringLiteral("Vantor Compiler");
    case SampleProgram::None: break;
    }
    return QString();
}

} // namespace

QString GetExtension(SampleProgram program)
{
    switch (program) {
    case SampleProgram::WordPro: return QStringLiteral("lwp");
    case SampleProgram::Word: return QStringLiteral("doc");
    case SampleProgram::VantorCompiler: return QStringLiteral("cpd");
    case SampleProgram::None: break;
    }
    return QString();
}

bool LookForWord()
{
    return compileTemplateExists(QStringLiteral("BPLAN.DOC")) && (LookForWord97() || LookForWord2000());
}

bool LookForWord2000()
{
    const QString folder = programPath(QStringLiteral("SOFTWARE\\Microsoft\\Office\\9.0\\Word\\InstallRoot"));
    return !folder.isEmpty() && platform::existsIgnoringCase(platform::joinPath(folder, QStringLiteral("winword.exe")));
}

bool LookForWord97()
{
    return !programPath(QStringLiteral("SOFTWARE\\Microsoft\\Office\\8.0\\Word\\InstallRoot")).isEmpty();
}

bool LookForWordPro()
{
    QString folder = programPath(QStringLiteral("SOFTWARE\\Lotus\\WordPro\\97.0"));
    if (folder.isEmpty())
        folder = programPath(QStringLiteral("SOFTWARE\\Lotus\\WordPro\\98.0"));
    return !folder.isEmpty() && compileTemplateExists(QStringLiteral("BPLAN.LWP"));
}

bool LookForVantorCompiler()
{
    return isSampleViewerRegistered(kSampleViewerProgId);
}

SampleProgramsFound findSamplePrograms()
{
    return SampleProgramsFound{LookForWordPro(), LookForWord(), LookForVantorCompiler()};
}

QString noProgramFoundText()
{
    return QStringLiteral(
        "\nUnable to find a valid program to compile the plan.\n\nSelect OK to return back to Plan Composer");
}

QString oneProgramFoundText(SampleProgram program)
{
    return QStringLiteral("\n\nYour plan will be compiled using ") + programName(program);
}

QString chooseProgramText()
{
    return QStringLiteral("Select one of the following programs to view the sample plan:");
}

ProgramChoiceLayout programChoiceLayout(const SampleProgramsFound &found)
{
    ProgramChoiceLayout layout;
    const std::array<bool, 3> present{found.wordPro, found.word, found.vantorCompiler};
    switch (found.count()) {
    case 0:
        layout.label = noProgramFoundText();
        layout.labelCentred = true;
        layout.okCancelVisible = false;
        layout.returnButtonVisible = true;
        break;
    case 1:
        // The one program is chosen already; its option has nothing to offer.
        for (int i = 0; i < 3; ++i)
            if (present[i])
                layout.preselected = SampleProgram(i + 1);
        layout.label = oneProgramFoundText(layout.preselected);
        break;
    default:
        layout.label = chooseProgramText();
        layout.optionVisible = present;
        // The first one is chosen to start with, so OK always has an answer.
        for (int i = 2; i >= 0; --i)
            if (present[i])
                layout.preselected = SampleProgram(i + 1);
        break;
    }
    return layout;
}

} // namespace qv::create
