#include "FakePlatform.h"

namespace qv::test {

using platform::Answer;
using platform::Buttons;

platform::Answer FakeMessageBoxes::show(QObject *, const platform::Message &message)
{
    shown << message;
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (message.buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel: return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::Yes;
    case Buttons::RetryCancel: return Answer::Retry;
    case Buttons::AbortRetryIgnore: return Answer::Abort;
    }
    return Answer::Ok;
}

template <typename T>
static std::optional<T> takeNext(std::deque<std::optional<T>> &queue)
{
    if (queue.empty())
        return std::nullopt;
    std::optional<T> next = queue.front();
    queue.pop_front();
    return next;
}

std::optional<QString> FakeDialogs::openFile(QObject *, const platform::FileRequest &request)
{
    requests << request;
    return takeNext(fileNames);
}

std::optional<QString> FakeDialogs::saveFile(QObject *, const platform::FileRequest &request)
{
    requests << request;
    return takeNext(fileNames);
}

std::optional<QString> FakeDialogs::chooseFolder(QObject *, const QString &title, const QString &start)
{
    platform::FileRequest request;
    request.title = title;
    request.folder = start;
    requests << request;
    return takeNext(fileNames);
}

std::optional<QColor> FakeDialogs::chooseColor(QObject *, const QColor &)
{
    return takeNext(colors);
}

std::optional<QFont> FakeDialogs::chooseFont(QObject *, const QFont &)
{
    return takeNext(fonts);
}

bool FakeProcesses::startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    started << Start{program, arguments, workingFolder};
    return succeed;
}

bool FakeShell::open(QObject *, const QString &target, const QString &parameters)
{
    opened << qMakePair(target, parameters);
    return succeed;
}

QString FakeShell::associatedProgram(const QString &file)
{
    lookedUp << file;
    return associated;
}

QString FakeShell::findProgram(const QStringList &)
{
    return foundProgram;
}

bool FakeClipboard::clear()
{
    ++clears;
    if (failClear)
        return false;
    m_text.clear();
    m_image = QImage();
    m_data.reset();
    return true;
}

bool FakeClipboard::setText(const QString &text)
{
    if (failSet)
        return false;
    m_text = text;
    return true;
}

bool FakeClipboard::setImage(const QImage &image)
{
    if (failSet)
        return false;
    m_image = image;
    return true;
}

bool FakeClipboard::setMimeData(QMimeData *data)
{
    std::unique_ptr<QMimeData> owned(data);
    if (failSet)
        return false;
    m_text = owned->text();
    m_data = std::move(owned);
    return true;
}

void FakeClock::pause(int milliseconds)
{
    pauses << milliseconds;
    advance(milliseconds);
    ++eventRuns;
}

void FakePlatform::install()
{
    platform::Services s;
    s.messageBoxes = messages;
    s.fileDialogs = dialogs;
    s.colorDialogs = dialogs;
    s.fontDialogs = dialogs;
    s.processes = processes;
    s.shell = shell;
    s.printers = printers;
    s.clipboard = clipboard;
    s.clock = clock;
    s.sound = sound;
    platform::installServices(s);
}

} // namespace qv::test
