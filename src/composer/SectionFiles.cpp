#include "composer/SectionFiles.h"

#include "controls/richtext/Rtf.h"
#include "plan/FileNames.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"
#include "plan/WorkingCopies.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace qv::composer {

QString nextSectionFileName(const QString &planFolder)
{
    for (int n = 1; n <= 99999; ++n) {
        const QString name = QStringLiteral("Ans%1.rtf").arg(n, 5, 10, QLatin1Char('0'));
        const QString workingCopy = plan::withExtension(name, plan::kTextWorkingExtension);
        if (!platform::existsIgnoringCase(platform::joinPath(planFolder, name))
            && !platform::existsIgnoringCase(platform::joinPath(planFolder, workingCopy)))
            return name;
    }
    return QString();
}

QByteArray newSectionFileText(const QString &fontName, int fontSize)
{
    // The file declares no code page for its font table, so readers take the
    // name as Latin-1.
    QByteArray text;
    text += "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}"
            "{\\f2\\froman ";
    text += fontName.trimmed().toLatin1();
    text += ";}}\r\n";
    text += "{\\colortbl\\red0\\green0\\blue0;}\r\n";
    text += "\\deflang1033\\pard\\plain\\f2\\fs" + QByteArray::number(fontSize * 2) + "\r\n";
    text += "\\par }\r\n";
    return text;
}

QString createSectionTextFile(plan::Section &section, const QString &fontName, int fontSize)
{
    const QString folder = section.folder();
    if (folder.isEmpty())
        return QStringLiteral("The section belongs to no saved plan.");
    // A plan document may arrive without its folder (copied alone, or its
    // folder removed): the folder is made, never a text lost for want of it.
    if (!QDir().mkpath(folder))
        return QStringLiteral("The plan folder %1 could not be made.").arg(folder);
    const QString name = nextSectionFileName(folder);
    if (name.isEmpty())
        return QStringLiteral("The plan folder holds no free section file name.");
    const QString failure = platform::writeFileAtomically(platform::joinPath(folder, name),
                                                          newSectionFileText(fontName, fontSize));
    if (!failure.isEmpty())
        return failure;
    section.setPrimaryTextFileName(name);
    plan::noteNewSectionText(folder, section, name);
    return QString();
}

QString instructionFilePath(const plan::Plan &plan, const QString &sectionKey)
{
    if (sectionKey.isEmpty())
        return QString();
    return platform::joinPath(plan::ModEnglish::GetInstructionFolder(plan.planInfo()),
                              plan::ModEnglish::InstructionFileName(sectionKey));
}

QString exampleFilePath(const plan::Plan &plan, const QString &sectionKey)
{
    if (sectionKey.isEmpty())
        return QString();
    return platform::joinPath(plan::ModEnglish::GetExampleFolder(plan.planInfo()),
                              plan::ModEnglish::ExampleFileName(sectionKey));
}

QString exampleTablePath(const plan::Plan &plan, const QString &tableName)
{
    if (tableName.isEmpty())
        return QString();
    return platform::joinPath(plan::ModEnglish::GetExampleFolder(plan.planInfo()),
                              plan::ModEnglish::ExampleTableFileName(tableName));
}

QString writeSectionText(const QTextDocument &document, const QString &path)
{
    return platform::writeFileAtomically(path, rtf::writeSectionRtf(document));
}

} // namespace qv::composer
