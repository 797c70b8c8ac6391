#pragma once

// Runs the opening area's own modal dialogs. Tests put a runner in place
// that answers the dialog instead of entering its event loop.

#include <functional>

class QDialog;

namespace qv::create
{

using ModalRunner = std::function<int(QDialog &dialog)>;

// Shows the dialog modal and returns its result.
int runModal(QDialog &dialog);
// nullptr goes back to QDialog::exec.
void setModalRunner(ModalRunner runner);

} // namespace qv::create
