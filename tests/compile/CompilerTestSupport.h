#pragma once

// Running the outside programs the compiler tests check their output with
// (poppler's pdftotext, pdfinfo, pdffonts, pdfimages; LibreOffice).

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace qv::test {

struct ProgramRun
{
    bool started = false;
    int status = -1;
    QString out;
    QString err;
};

inline QString findProgram(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

inline ProgramRun runProgram(const QString &name, const QStringList &arguments, int timeoutMs = 120000)
{
    ProgramRun run;
    const QString program = findProgram(name);
    if (program.isEmpty())
        return run;
    QProcess process;
    process.start(program, arguments);
    run.started = process.waitForStarted(10000);
    if (!run.started || !process.waitForFinished(timeoutMs))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// pdftotext's text of the whole file, or of one page (from 1).
inline QString pdfText(const QString &pdf, int page = 0)
{
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << pdf << QStringLiteral("-");
    return runProgram(QStringLiteral("pdftotext"), args).out;
}

} // namespace qv::test
