#pragma once

#include "controls/workbook/CellFormat.h"

#include <QString>

#include <functional>

#include <memory>
#include <optional>

class QWidget;

namespace qv::workbook {

enum class PasteKind { All, Values, Formats };

struct FindRequest
{
    QString text;
    bool matchCase = false;
};

// The view's own small dialogs. Tests put scripted answers in their place,
// as they do for the platform's dialogs, so no test runs a modal loop.
class ViewDialogs
{
public:
    virtual ~ViewDialogs() = default;
    virtual std::optional<QString> askNumberFormat(QWidget *owner, const QString &current) = 0;
    virtual std::optional<double> askRowHeight(QWidget *owner, double points) = 0;
    virtual std::optional<double> askColumnWidth(QWidget *owner, double characters) = 0;
    virtual std::optional<FindRequest> askFind(QWidget *owner, const FindRequest &last) = 0;
    virtual std::optional<PasteKind> askPasteSpecial(QWidget *owner) = 0;
    // Format, Cells: the change to make to each selected cell. Scripted
    // dialogs that do not answer it cancel.
    using FormatChange = std::function<void(CellFormat &)>;
    virtual std::optional<FormatChange> askFormatCells(QWidget *, const CellFormat &) { return std::nullopt; }
};

ViewDialogs &viewDialogs();
void setViewDialogs(std::shared_ptr<ViewDialogs> dialogs); // nullptr restores the real ones

} // namespace qv::workbook
