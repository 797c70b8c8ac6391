#pragma once

// Scripted stand-ins for the desktop services. Every test runs with these
// installed (see TestMain.cpp): no test opens a real dialog, starts a real
// program, or touches the real user settings.

#include "platform/Services.h"

#include <QDateTime>
#include <QList>
#include <QMimeData>
#include <QPair>
#include <QStringList>

#include <deque>
#include <memory>

namespace qv::test {

class FakeMessageBoxes final : public platform::MessageBoxes
{
public:
    platform::Answer show(QObject *owner, const platform::Message &message) override;
    // The answers to give, in order; when none is left, the first button's.
    void setNextAnswer(platform::Answer answer) { answers.push_back(answer); }
    QList<platform::Message> shown;
    std::deque<platform::Answer> answers;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
};

class FakeDialogs final : public platform::FileDialogs, public platform::ColorDialogs, public platform::FontDialogs
{
public:
    std::optional<QString> openFile(QObject *, const platform::FileRequest &request) override;
    std::optional<QString> saveFile(QObject *, const platform::FileRequest &request) override;
    std::optional<QString> chooseFolder(QObject *, const QString &, const QString &) override;
    std::optional<QColor> chooseColor(QObject *, const QColor &) override;
    std::optional<QFont> chooseFont(QObject *, const QFont &) override;

    // An empty optional answers Cancel.
    void setNextFileName(std::optional<QString> name) { fileNames.push_back(std::move(name)); }
    void setNextColor(std::optional<QColor> color) { colors.push_back(color); }
    void setNextFont(std::optional<QFont> font) { fonts.push_back(std::move(font)); }

    std::deque<std::optional<QString>> fileNames;
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<QFont>> fonts;
    QList<platform::FileRequest> requests;
};

class FakeProcesses final : public platform::Processes
{
public:
    bool startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder) override;
    struct Start
    {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };
    QList<Start> started;
    bool succeed = true;
};

class FakeShell final : public platform::Shell
{
public:
    bool open(QObject *, const QString &target, const QString &parameters) override;
    QString associatedProgram(const QString &file) override;
    QString findProgram(const QStringList &candidates) override;
    QList<QPair<QString, QString>> opened; // target, parameters
    QStringList lookedUp;                  // files asked about
    QString associated;                    // the answer to associatedProgram
    QString foundProgram;                  // the answer to findProgram
    bool succeed = true;
};

class FakePrinters final : public platform::Printers
{
public:
    QStringList printerNames() override { return names; }
    QString defaultPrinter() override { return names.isEmpty() ? QString() : names.first(); }
    QStringList printerFonts() override { return fonts; }
    QStringList names{QStringLiteral("Print to PDF")};
    QStringList fonts{QStringLiteral("Times New Roman"), QStringLiteral("Arial")};
};

class FakeClipboard final : public platform::Clipboard
{
public:
    bool clear() override;
    QString text() override { return m_text; }
    bool setText(const QString &text) override;
    QImage image() override { return m_image; }
    bool setImage(const QImage &image) override;
    const QMimeData *mimeData() override { return m_data.get(); }
    bool setMimeData(QMimeData *data) override;
    bool failClear = false;
    bool failSet = false;
    int clears = 0;

private:
    QString m_text;
    QImage m_image;
    std::unique_ptr<QMimeData> m_data;
};

// Time stands still until a pause or advance moves it; pauses return at once.
class FakeClock final : public platform::Clock
{
public:
    QDateTime now() override { return current; }
    void pause(int milliseconds) override;
    void processEvents() override { ++eventRuns; }
    void advance(qint64 milliseconds) { current = current.addMSecs(milliseconds); }
    QDateTime current = QDateTime(QDate(2026, 1, 15), QTime(9, 30, 0));
    QList<int> pauses;
    int eventRuns = 0;
};

class FakeSound final : public platform::Sound
{
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

// The fakes in force for the running test, freshly made for each test.
struct FakePlatform
{
    std::shared_ptr<FakeMessageBoxes> messages = std::make_shared<FakeMessageBoxes>();
    std::shared_ptr<FakeDialogs> dialogs = std::make_shared<FakeDialogs>();
    std::shared_ptr<FakeProcesses> processes = std::make_shared<FakeProcesses>();
    std::shared_ptr<FakeShell> shell = std::make_shared<FakeShell>();
    std::shared_ptr<FakePrinters> printers = std::make_shared<FakePrinters>();
    std::shared_ptr<FakeClipboard> clipboard = std::make_shared<FakeClipboard>();
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    std::shared_ptr<FakeSound> sound = std::make_shared<FakeSound>();

    void install();
};

// The current test's fakes (reinstalled before every test by TestMain).
FakePlatform &fakes();

// A fresh, empty per-user config folder for the current test.
QString testConfigFolder();

} // namespace qv::test
