#pragma once

// Runs the installed qvtool as a user would, for the tests of its commands.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace qv::test {

struct ToolRun
{
    int status = -1;
    QString out;
    QString err;
};

// Runs qvtool with its own config folder and no runtime folder, so that its
// output is checked the way a script would see it.
inline ToolRun qvtool(const QStringList &arguments, const QString &configFolder)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QV_INSTALL_DIR "/qvtool"), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace qv::test
