#include "support/CWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace qv::support
{

namespace
{

Qt::CursorShape shapeOf(MousePointer pointer)
{
    switch (pointer) {
    case MousePointer::Cross: return Qt::CrossCursor;
    case MousePointer::IBeam: return Qt::IBeamCursor;
    case MousePointer::Size:
    case MousePointer::SizeAll: return Qt::SizeAllCursor;
    case MousePointer::SizeNESW: return Qt::SizeBDiagCursor;
    case MousePointer::SizeNS: return Qt::SizeVerCursor;
    case MousePointer::SizeNWSE: return Qt::SizeFDiagCursor;
    case MousePointer::SizeWE: return Qt::SizeHorCursor;
    case MousePointer::UpArrow: return Qt::UpArrowCursor;
    case MousePointer::Hourglass: return Qt::WaitCursor;
    case MousePointer::NoDrop: return Qt::ForbiddenCursor;
    case MousePointer::ArrowHourglass: return Qt::BusyCursor;
    case MousePointer::ArrowQuestion: return Qt::WhatsThisCursor;
    case MousePointer::Default:
    case MousePointer::Arrow: break;
    }
    return Qt::ArrowCursor;
}

bool haveScreen()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

CWaitCursor::CWaitCursor(MousePointer pointer)
{
    SetCursor(pointer);
}

CWaitCursor::~CWaitCursor()
{
    Restore();
}

void CWaitCursor::SetCursor(MousePointer pointer)
{
    if (!haveScreen())
        return;
    if (pointer == MousePointer::Default) {
        Restore();
        return;
    }
    const QCursor cursor(shapeOf(pointer));
    if (m_holding) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        m_holding = true;
    }
}

void CWaitCursor::Restore()
{
    if (!m_holding)
        return;
    m_holding = false;
    if (haveScreen())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace qv::support
