#include "platform/gui/DesktopServices.h"

#include "platform/Application.h"
#include "platform/Services.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace qv::platform {

namespace {

QWidget *ownerWidget(QObject *owner)
{
    if (auto *widget = qobject_cast<QWidget *>(owner))
        return widget;
    return QApplication::activeWindow();
}

class QtMessageBoxes final : public MessageBoxes
{
public:
    Answer show(QObject *owner, const Message &message) override
    {
        QMessageBox box(ownerWidget(owner));
        box.setWindowTitle(message.title.isEmpty() ? applicationTitle() : message.title);
        box.setText(message.text);
        switch (message.icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        }
        QList<QMessageBox::StandardButton> buttons;
        switch (message.buttons) {
        case Buttons::Ok: buttons = {QMessageBox::Ok}; break;
        case Buttons::OkCancel: buttons = {QMessageBox::Ok, QMessageBox::Cancel}; break;
        case Buttons::YesNo: buttons = {QMessageBox::Yes, QMessageBox::No}; break;
        case Buttons::YesNoCancel: buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
        case Buttons::RetryCancel: buttons = {QMessageBox::Retry, QMessageBox::Cancel}; break;
        case Buttons::AbortRetryIgnore: buttons = {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore}; break;
        }
        QMessageBox::StandardButtons set;
        for (auto b : buttons)
            set |= b;
        box.setStandardButtons(set);
        if (message.defaultButton >= 0 && message.defaultButton < buttons.size())
            box.setDefaultButton(buttons.at(message.defaultButton));
        switch (box.exec()) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Retry: return Answer::Retry;
        case QMessageBox::Abort: return Answer::Abort;
        case QMessageBox::Ignore: return Answer::Ignore;
        default: return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        }
    }
};

class QtDialogs final : public FileDialogs, public ColorDialogs, public FontDialogs
{
public:
    std::optional<QString> openFile(QObject *owner, const FileRequest &request) override
    {
        return run(owner, request, QFileDialog::AcceptOpen);
    }
    std::optional<QString> saveFile(QObject *owner, const FileRequest &request) override
    {
        return run(owner, request, QFileDialog::AcceptSave);
    }
    std::optional<QString> chooseFolder(QObject *owner, const QString &title, const QString &start) override
    {
        const QString folder = QFileDialog::getExistingDirectory(ownerWidget(owner), title, start);
        if (folder.isEmpty())
            return std::nullopt;
        return folder;
    }
    std::optional<QColor> chooseColor(QObject *owner, const QColor &initial) override
    {
        const QColor color = QColorDialog::getColor(initial, ownerWidget(owner));
        if (!color.isValid())
            return std::nullopt;
        return color;
    }
    std::optional<QFont> chooseFont(QObject *owner, const QFont &initial) override
    {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, ownerWidget(owner));
        if (!ok)
            return std::nullopt;
        return font;
    }

private:
    static std::optional<QString> run(QObject *owner, const FileRequest &request, QFileDialog::AcceptMode mode)
    {
        QFileDialog dialog(ownerWidget(owner), request.title, request.folder);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (!request.overwritePrompt)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        const QStringList filters = toQtFilter(request.filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            const int index = qBound(1, request.filterIndex, int(filters.size())) - 1;
            dialog.selectNameFilter(filters.at(index));
        }
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first();
    }
};

class QtPrinters final : public Printers
{
public:
    QStringList printerNames() override
    {
        QStringList names = QPrinterInfo::availablePrinterNames();
        names << builtIn();
        return names;
    }
    QString defaultPrinter() override
    {
        const QString name = QPrinterInfo::defaultPrinterName();
        return name.isEmpty() ? builtIn() : name;
    }
    QStringList printerFonts() override { return QFontDatabase::families(); }

private:
    static QString builtIn() { return QStringLiteral("Print to PDF"); }
};

class QtSound final : public Sound
{
public:
    void beep() override { QApplication::beep(); }
};

class QtPrintDialogs final : public PrintDialogs
{
public:
    bool print(QObject *owner, QPrinter &printer, const PrintRequest &request) override
    {
        printer.setCopyCount(request.copies);
        QPrintDialog dialog(&printer, ownerWidget(owner));
        dialog.setOption(QAbstractPrintDialog::PrintSelection, request.allowSelection);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, request.allowPageRange);
        return dialog.exec() == QDialog::Accepted;
    }
    bool pageSetup(QObject *owner, QPrinter &printer) override
    {
        QPageSetupDialog dialog(&printer, ownerWidget(owner));
        return dialog.exec() == QDialog::Accepted;
    }
};

std::shared_ptr<PrintDialogs> &currentPrintDialogs()
{
    static std::shared_ptr<PrintDialogs> dialogs = std::make_shared<QtPrintDialogs>();
    return dialogs;
}

} // namespace

PrintDialogs &printDialogs()
{
    return *currentPrintDialogs();
}

void installPrintDialogs(std::shared_ptr<PrintDialogs> dialogs)
{
    currentPrintDialogs() = dialogs ? std::move(dialogs) : std::make_shared<QtPrintDialogs>();
}

void installDesktopServices()
{
    Services s;
    auto dialogs = std::make_shared<QtDialogs>();
    s.messageBoxes = std::make_shared<QtMessageBoxes>();
    s.fileDialogs = dialogs;
    s.colorDialogs = dialogs;
    s.fontDialogs = dialogs;
    s.printers = std::make_shared<QtPrinters>();
    s.sound = std::make_shared<QtSound>();
    installServices(s);
}

} // namespace qv::platform
