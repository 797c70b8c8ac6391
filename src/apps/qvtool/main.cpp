// qvtool: the command-line face of Quorvex's libraries, for scripting and checks.

#include "apps/qvtool/Command.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace qvtool {

namespace {
struct Entry
{
    std::string usage;
    CommandFunction function;
};

std::map<std::string, Entry> &registry()
{
    static std::map<std::string, Entry> commands;
    return commands;
}
} // namespace

CommandRegistration::CommandRegistration(const char *name, const char *usage, CommandFunction function)
{
    registry()[name] = Entry{usage, function};
}

QString formatBool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString formatNumber(double value)
{
    if (value == 0.0)
        value = 0.0; // negative zero prints as 0
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return QString::fromLatin1(buffer);
}

} // namespace qvtool

static int usage(QTextStream &err)
{
    err << "usage: qvtool COMMAND [ARGUMENTS]\ncommands:\n";
    for (const auto &[name, entry] : qvtool::registry())
        err << "  " << QString::fromStdString(entry.usage) << "\n";
    err.flush();
    return 2;
}

int main(int argc, char **argv)
{
    // Text documents and fonts need a GUI application; offscreen needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt warns on standard error without a runtime folder (scripts, CI); a
    // private one for the run keeps the output clean.
    QTemporaryDir runtimeFolder;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeFolder.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
    QGuiApplication app(argc, argv);

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage(err);
    const std::string name = args.takeFirst().toStdString();
    const auto found = qvtool::registry().find(name);
    if (found == qvtool::registry().end())
        return usage(err);
    qvtool::Context context{args, out, err};
    const int status = found->second.function(context);
    out.flush();
    err.flush();
    // Output lost to a full disk or a closed pipe is a failure, never a success.
    if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("qvtool: the output could not be written (the disk may be full).\n", stderr);
        return status == 0 ? 1 : status;
    }
    return status;
}
