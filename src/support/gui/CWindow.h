#pragma once

class QWidget;

namespace qv::support
{

// Window odd jobs: topmost placement, centring, and moving text between the
// active control and the clipboard. The edit commands raise QvError with
// the source "CApplication" and the numbers below.
class CWindow
{
public:
    static constexpr long kClearFailed = -2147220989; // 0x80040203
    static constexpr long kCopyFailed = -2147220988;  // 0x80040204
    static constexpr long kPasteFailed = -2147220987; // 0x80040205

    // Puts the window in the topmost band or takes it out, without moving,
    // sizing or activating it.
    static void OnTop(QWidget *window, bool onTop);
    // Centres the window on its screen, or over the second window when given.
    static void Center(QWidget *window, QWidget *over = nullptr);

    // The active control is the widget with the keyboard focus; line edits,
    // text edits, plain text edits and editable combo boxes take part.
    // Clears the clipboard, then puts the selected text on it.
    static void EditCopy();
    // As EditCopy, then removes the selected text.
    static void EditCut();
    // Replaces the selected text with the clipboard text.
    static void EditPaste();
};

} // namespace qv::support
