#include "platform/Services.h"

#include "platform/Application.h"
#include "platform/Paths.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <cstdio>

namespace qv::platform {

namespace {

class ConsoleMessageBoxes final : public MessageBoxes
{
public:
    Answer show(QObject *, const Message &message) override
    {
        const QString title = message.title.isEmpty() ? applicationTitle() : message.title;
        std::fprintf(stderr, "%s: %s\n", title.toLocal8Bit().constData(), message.text.toLocal8Bit().constData());
        switch (message.buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::OkCancel: return message.defaultButton == 0 ? Answer::Ok : Answer::Cancel;
        case Buttons::YesNo:
        case Buttons::YesNoCancel: return message.defaultButton == 0 ? Answer::Yes : Answer::No;
        case Buttons::RetryCancel: return Answer::Cancel;
        case Buttons::AbortRetryIgnore: return Answer::Abort;
        }
        return Answer::Cancel;
    }
};

class NoDialogs final : public FileDialogs, public ColorDialogs, public FontDialogs
{
public:
    std::optional<QString> openFile(QObject *, const FileRequest &) override { return std::nullopt; }
    std::optional<QString> saveFile(QObject *, const FileRequest &) override { return std::nullopt; }
    std::optional<QString> chooseFolder(QObject *, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QColor> chooseColor(QObject *, const QColor &) override { return std::nullopt; }
    std::optional<QFont> chooseFont(QObject *, const QFont &) override { return std::nullopt; }
};

class DetachedProcesses final : public Processes
{
public:
    bool startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder) override
    {
        return QProcess::startDetached(resolveInstalledProgram(program), arguments, workingFolder);
    }
};

// xdg-open and xdg-mime, the desktop's own way to open things.
class DesktopShell final : public Shell
{
public:
    bool open(QObject *, const QString &target, const QString &parameters) override
    {
        if (!parameters.isEmpty())
            return QProcess::startDetached(resolveInstalledProgram(target), QProcess::splitCommand(parameters));
        const QUrl url = target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
            return false;
        return QDesktopServices::openUrl(url);
    }

    QString associatedProgram(const QString &file) override
    {
        if (!QFileInfo::exists(file))
            return QString();
        const QString mime = runTool(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"), file});
        if (mime.isEmpty())
            return QString();
        const QString desktopFile =
            runTool(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mime});
        if (desktopFile.isEmpty())
            return QString();
        return programOfDesktopEntry(desktopFile);
    }

    QString findProgram(const QStringList &candidates) override
    {
        for (const QString &name : candidates) {
            const QString found = QStandardPaths::findExecutable(name);
            if (!found.isEmpty())
                return found;
        }
        return QString();
    }

private:
    static QString runTool(const QString &tool, const QStringList &arguments)
    {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return QString();
        QProcess process;
        process.start(tool, arguments);
        if (!process.waitForFinished(5000)) {
            process.kill();
            return QString();
        }
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    }

    // The program named by the Exec line of a desktop entry.
    static QString programOfDesktopEntry(const QString &entry)
    {
        const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
        for (const QString &folder : folders) {
            QFile file(joinPath(folder, entry));
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
                continue;
            while (!file.atEnd()) {
                const QString line = QString::fromUtf8(file.readLine()).trimmed();
                if (!line.startsWith(QLatin1String("Exec=")))
                    continue;
                const QStringList words = QProcess::splitCommand(line.mid(5));
                if (words.isEmpty())
                    return QString();
                const QString found = QStandardPaths::findExecutable(words.first());
                return found.isEmpty() ? words.first() : found;
            }
        }
        return QString();
    }
};

class BuiltInPrinters final : public Printers
{
public:
    QStringList printerNames() override { return {QStringLiteral("Print to PDF")}; }
    QString defaultPrinter() override { return QStringLiteral("Print to PDF"); }
    QStringList printerFonts() override { return {}; }
};

class SystemClipboard final : public Clipboard
{
public:
    bool clear() override
    {
        if (QClipboard *c = board())
            c->clear();
        return board() != nullptr;
    }
    QString text() override { return board() ? board()->text() : QString(); }
    bool setText(const QString &text) override
    {
        if (!board())
            return false;
        board()->setText(text);
        return true;
    }
    QImage image() override { return board() ? board()->image() : QImage(); }
    bool setImage(const QImage &image) override
    {
        if (!board())
            return false;
        board()->setImage(image);
        return true;
    }
    const QMimeData *mimeData() override { return board() ? board()->mimeData() : nullptr; }
    bool setMimeData(QMimeData *data) override
    {
        if (!board()) {
            delete data;
            return false;
        }
        board()->setMimeData(data);
        return true;
    }

private:
    static QClipboard *board()
    {
        return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
    }
};

class SystemClock final : public Clock
{
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
    void pause(int milliseconds) override
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds) {
            if (QCoreApplication::instance())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(10);
        }
    }
    void processEvents() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
};

class ConsoleSound final : public Sound
{
public:
    void beep() override {}
};

Services consoleServices()
{
    Services s;
    auto dialogs = std::make_shared<NoDialogs>();
    s.messageBoxes = std::make_shared<ConsoleMessageBoxes>();
    s.fileDialogs = dialogs;
    s.colorDialogs = dialogs;
    s.fontDialogs = dialogs;
    s.processes = std::make_shared<DetachedProcesses>();
    s.shell = std::make_shared<DesktopShell>();
    s.printers = std::make_shared<BuiltInPrinters>();
    s.clipboard = std::make_shared<SystemClipboard>();
    s.clock = std::make_shared<SystemClock>();
    s.sound = std::make_shared<ConsoleSound>();
    return s;
}

Services &current()
{
    static Services s = consoleServices();
    return s;
}

template <typename T>
void replaceIfSet(std::shared_ptr<T> &target, const std::shared_ptr<T> &value)
{
    if (value)
        target = value;
}

} // namespace

Services &services()
{
    return current();
}

void installServices(const Services &r)
{
    Services &s = current();
    replaceIfSet(s.messageBoxes, r.messageBoxes);
    replaceIfSet(s.fileDialogs, r.fileDialogs);
    replaceIfSet(s.colorDialogs, r.colorDialogs);
    replaceIfSet(s.fontDialogs, r.fontDialogs);
    replaceIfSet(s.processes, r.processes);
    replaceIfSet(s.shell, r.shell);
    replaceIfSet(s.printers, r.printers);
    replaceIfSet(s.clipboard, r.clipboard);
    replaceIfSet(s.clock, r.clock);
    replaceIfSet(s.sound, r.sound);
}

void resetServices()
{
    current() = consoleServices();
}

MessageBoxes &messageBoxes() { return *current().messageBoxes; }
FileDialogs &fileDialogs() { return *current().fileDialogs; }
ColorDialogs &colorDialogs() { return *current().colorDialogs; }
FontDialogs &fontDialogs() { return *current().fontDialogs; }
Processes &processes() { return *current().processes; }
Shell &shell() { return *current().shell; }
Printers &printers() { return *current().printers; }
Clipboard &clipboard() { return *current().clipboard; }
Clock &clock() { return *current().clock; }
Sound &sound() { return *current().sound; }

Answer msgBox(QObject *owner, const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    Message message;
    message.text = text;
    message.title = title;
    message.buttons = buttons;
    message.icon = icon;
    return messageBoxes().show(owner, message);
}

QString toQtFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString patterns = parts.at(i + 1).trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        else if (!description.contains(patterns))
            description = description.left(description.indexOf(QLatin1Char('('))).trimmed() +
                          QStringLiteral(" (") + patterns + QLatin1Char(')');
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}

QString resolveInstalledProgram(const QString &path)
{
    const QString resolved = resolveExistingPath(path);
    if (QFileInfo::exists(resolved))
        return resolved;
    if (path.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        const QString bare = resolveExistingPath(path.left(path.size() - 4));
        if (QFileInfo::exists(bare))
            return bare;
    }
    return path;
}

} // namespace qv::platform
