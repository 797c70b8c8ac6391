#pragma once

namespace qv::support
{

// The mouse pointer codes windows pass to SetCursor.
enum class MousePointer {
    Default = 0,
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    Size = 5,
    SizeNESW = 6,
    SizeNS = 7,
    SizeNWSE = 8,
    SizeWE = 9,
    UpArrow = 10,
    Hourglass = 11,
    NoDrop = 12,
    ArrowHourglass = 13,
    ArrowQuestion = 14,
    SizeAll = 15,
};

// Holds a pointer shape (usually the hourglass) for the life of a scope.
// The pointer in force when the guard was made comes back on Restore or,
// at the latest, when the guard goes out of scope; guards nest.
class CWaitCursor
{
public:
    CWaitCursor() = default;
    // Made and set at once: CWaitCursor wait(MousePointer::Hourglass).
    explicit CWaitCursor(MousePointer pointer);
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;

    void SetCursor(MousePointer pointer);
    void SetCursor(int pointerCode) { SetCursor(static_cast<MousePointer>(pointerCode)); }
    void Restore();

private:
    bool m_holding = false; // whether this guard pushed an override cursor
};

} // namespace qv::support
