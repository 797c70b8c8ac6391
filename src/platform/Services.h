#pragma once

// The program's seams to the desktop. Every message box, file, colour and font
// dialog, program start, shell open, clock, printer list, clipboard access and
// sound goes through one of these interfaces, so that tests can put a scripted
// fake in place of the real one (tests/common/FakePlatform.h).

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QObject;
class QMimeData;

namespace qv::platform {

// ---- Message boxes -------------------------------------------------------
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct Message
{
    QString text;
    QString title; // empty: the application title
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 0; // index into the buttons, 0 the first
};

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual Answer show(QObject *owner, const Message &message) = 0;
};

// ---- File, folder, colour and font dialogs ----------------------------------
struct FileRequest
{
    QString title;
    QString folder;   // start folder
    QString fileName; // proposed name
    // Filter pairs as the dialogs have always taken them:
    // "Business Plans (*.bpl)|*.bpl|All Files (*.*)|*.*".
    QString filter;
    int filterIndex = 1;  // 1-based
    bool overwritePrompt = true;
};

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<QString> openFile(QObject *owner, const FileRequest &request) = 0;
    virtual std::optional<QString> saveFile(QObject *owner, const FileRequest &request) = 0;
    virtual std::optional<QString> chooseFolder(QObject *owner, const QString &title, const QString &start) = 0;
};

class ColorDialogs
{
public:
    virtual ~ColorDialogs() = default;
    virtual std::optional<QColor> chooseColor(QObject *owner, const QColor &initial) = 0;
};

class FontDialogs
{
public:
    virtual ~FontDialogs() = default;
    virtual std::optional<QFont> chooseFont(QObject *owner, const QFont &initial) = 0;
};

// ---- Programs, the shell, printers ---------------------------------------------
class Processes
{
public:
    virtual ~Processes() = default;
    // Starts a program shown normally; false when it could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &workingFolder = QString()) = 0;
};

class Shell
{
public:
    virtual ~Shell() = default;
    // The shell's "open" on a file, a folder or an address; with parameters,
    // the file is a program started with them.
    virtual bool open(QObject *owner, const QString &target, const QString &parameters = QString()) = 0;
    // The program that opens the file, or empty text.
    virtual QString associatedProgram(const QString &file) = 0;
    // The first of the named programs found on the PATH, or empty text.
    virtual QString findProgram(const QStringList &candidates) = 0;
};

class Printers
{
public:
    virtual ~Printers() = default;
    virtual QStringList printerNames() = 0;
    virtual QString defaultPrinter() = 0;
    virtual QStringList printerFonts() = 0; // the fonts printing can use
};

// ---- Clipboard, clock, sound -----------------------------------------------------
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual bool clear() = 0;
    virtual QString text() = 0;
    virtual bool setText(const QString &text) = 0;
    virtual QImage image() = 0;
    virtual bool setImage(const QImage &image) = 0;
    // Rich content (HTML and tab-separated text of a table, RTF of a text).
    virtual const QMimeData *mimeData() = 0;
    virtual bool setMimeData(QMimeData *data) = 0; // takes ownership
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() = 0;
    // Waits, letting pending window messages run meanwhile.
    virtual void pause(int milliseconds) = 0;
    // Lets pending window messages run once.
    virtual void processEvents() = 0;
};

class Sound
{
public:
    virtual ~Sound() = default;
    virtual void beep() = 0;
};

// ---- The current set ---------------------------------------------------------------
struct Services
{
    std::shared_ptr<MessageBoxes> messageBoxes;
    std::shared_ptr<FileDialogs> fileDialogs;
    std::shared_ptr<ColorDialogs> colorDialogs;
    std::shared_ptr<FontDialogs> fontDialogs;
    std::shared_ptr<Processes> processes;
    std::shared_ptr<Shell> shell;
    std::shared_ptr<Printers> printers;
    std::shared_ptr<Clipboard> clipboard;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<Sound> sound;
};

// The services in force. Until a program installs its desktop services, the
// set is the console one: messages go to standard error and dialogs answer
// Cancel, which is right for the command-line tool.
Services &services();
// Replaces the services that are set in `replacement`; unset ones stay.
void installServices(const Services &replacement);
// Back to the console set.
void resetServices();

MessageBoxes &messageBoxes();
FileDialogs &fileDialogs();
ColorDialogs &colorDialogs();
FontDialogs &fontDialogs();
Processes &processes();
Shell &shell();
Printers &printers();
Clipboard &clipboard();
Clock &clock();
Sound &sound();

// One call for the common message box; an empty title means the
// application title.
Answer msgBox(QObject *owner, const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
              const QString &title = QString());

// "Program Files (*.exe)|*.exe" to Qt's "Program Files (*.exe)" form, one
// filter per line.
QString toQtFilter(const QString &pipeFilter);

// A program the install folder holds: "X.exe" resolves to "X" when "X.exe" is
// absent; either spelling found without regard to case.
QString resolveInstalledProgram(const QString &path);

} // namespace qv::platform
