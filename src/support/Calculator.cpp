#include "support/Calculator.h"

#include "platform/Services.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTextStream>

namespace qv::support
{

namespace
{

// The keys of the "[Desktop Entry]" group of one desktop file.
QHash<QString, QString> desktopEntry(const QString &path)
{
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    QTextStream in(&file);
    bool inEntry = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inEntry && equals > 0 && !line.startsWith(u'#'))
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}

bool isTrue(const QString &value) { return value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0; }

bool programExists(const QString &program)
{
    if (program.isEmpty())
        return false;
    if (QDir::isAbsolutePath(program))
        return QFileInfo(program).isExecutable();
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// The Exec line as a program and its arguments, without the field codes
// (%f, %u, ...) that stand for files the calculator is not given.
DesktopCommand commandOf(const QString &exec)
{
    QStringList words = QProcess::splitCommand(exec);
    QStringList arguments;
    for (const QString &word : words.mid(1)) {
        if (word.size() == 2 && word.at(0) == u'%')
            continue;
        arguments << QString(word).replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
    return words.isEmpty() ? DesktopCommand() : DesktopCommand{words.first(), arguments};
}

} // namespace

DesktopCommand findCalculator(const QStringList &folders)
{
    QSet<QString> seen; // desktop file ids: the first folder's entry hides later ones
    for (const QString &folder : folders) {
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        QStringList paths;
        while (it.hasNext())
            paths << it.next();
        paths.sort();
        for (const QString &path : paths) {
            const QString id = QDir(folder).relativeFilePath(path);
            if (seen.contains(id))
                continue;
            seen.insert(id);
            const QHash<QString, QString> entry = desktopEntry(path);
            const QStringList categories = entry.value(QStringLiteral("Categories")).split(u';', Qt::SkipEmptyParts);
            if (entry.value(QStringLiteral("Type")) != QLatin1String("Application")
                || !categories.contains(QStringLiteral("Calculator"))
                || isTrue(entry.value(QStringLiteral("NoDisplay"))) || isTrue(entry.value(QStringLiteral("Hidden"))))
                continue;
            const QString tryExec = entry.value(QStringLiteral("TryExec"));
            if (!tryExec.isEmpty() && !programExists(tryExec))
                continue;
            const DesktopCommand command = commandOf(entry.value(QStringLiteral("Exec")));
            if (programExists(command.program))
                return command;
        }
    }
    return {};
}

QStringList applicationFolders()
{
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

QString noCalculatorText()
{
    return QStringLiteral("No calculator is installed on this computer.\n\n"
                          "Install one with your system's software manager, for example the package "
                          "\"gnome-calculator\" (or \"kcalc\" on a KDE desktop), then choose Calculator again.");
}

bool StartCalculator(QObject *owner)
{
    const DesktopCommand command = findCalculator(applicationFolders());
    if (command.isEmpty()) {
        platform::msgBox(owner, noCalculatorText(), platform::Buttons::Ok, platform::Icon::Information);
        return false;
    }
    if (!platform::processes().startDetached(command.program, command.arguments)) {
        platform::msgBox(owner, QStringLiteral("The calculator could not be started: ") + command.program,
                         platform::Buttons::Ok, platform::Icon::Critical);
        return false;
    }
    return true;
}

} // namespace qv::support
