#pragma once
// What plan creation reports while it works. The progress window shows it;
// qvtool prints it or stays quiet. Creation never touches a widget itself.
#include <QString>

namespace qv::create {

class CreationProgress
{
public:
    virtual ~CreationProgress() = default;
    // The status line: the window shows the application title, ": " and text.
    virtual void showStatus(const QString &text) = 0;
    // The detail line, already trimmed.
    virtual void showDetail(const QString &text) = 0;
    // Shows the progress bar with the given maximum, at 0.
    virtual void startProgress(int maximum) = 0;
    virtual void advanceProgress() = 0;
    // Lets the window system repaint and handle input between steps.
    virtual void yieldToWindowSystem() = 0;
    // True once the user closed the progress window; creation then stops
    // reporting (the window unloads at the next detail line).
    virtual bool isClosed() const = 0;
};

// Reports nothing: for callers without a window.
class SilentProgress : public CreationProgress
{
public:
    void showStatus(const QString &) override {}
    void showDetail(const QString &) override {}
    void startProgress(int) override {}
    void advanceProgress() override {}
    void yieldToWindowSystem() override {}
    bool isClosed() const override { return false; }
};

} // namespace qv::create
