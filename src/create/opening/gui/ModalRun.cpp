#include "create/opening/gui/ModalRun.h"

#include <QDialog>

namespace qv::create
{

namespace
{

ModalRunner &runner()
{
    static ModalRunner current;
    return current;
}

} // namespace

int runModal(QDialog &dialog)
{
    if (runner())
        return runner()(dialog);
    return dialog.exec();
}

void setModalRunner(ModalRunner newRunner)
{
    runner() = std::move(newRunner);
}

} // namespace qv::create
