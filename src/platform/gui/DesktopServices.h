#pragma once

#include <QString>

#include <memory>

class QObject;
class QPrinter;

namespace qv::platform {

// Print and page-setup dialogs (they need Qt's printing module, which the
// libraries without windows do not link).
struct PrintRequest
{
    bool allowSelection = false;
    bool allowPageRange = true;
    int copies = 1;
};

class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    // Asks where and how to print; false when the user cancelled.
    virtual bool print(QObject *owner, QPrinter &printer, const PrintRequest &request) = 0;
    virtual bool pageSetup(QObject *owner, QPrinter &printer) = 0;
};

PrintDialogs &printDialogs();
void installPrintDialogs(std::shared_ptr<PrintDialogs> dialogs);

// Installs the real desktop services (Qt dialogs, CUPS printers, the
// system beep) in place of the console ones. Programs with windows call it
// once after creating their QApplication.
void installDesktopServices();

} // namespace qv::platform
