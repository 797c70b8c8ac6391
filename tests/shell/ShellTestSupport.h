#pragma once

// A start-up world for the shell's window tests: a system folder holding the
// dictionary, no current plan, and no window left over afterwards.

#include "TestFiles.h"
#include "shell/CurrentPlan.h"
#include "shell/frmParent.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>

namespace qv::test
{

inline void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

inline QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows;
    const QWidgetList all = QApplication::topLevelWidgets();
    for (QWidget *w : all)
        if (w->isVisible())
            windows.append(w);
    return windows;
}

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(useSystemFolderWithDictionary(m_system));
        shell::releaseCurrentPlan();
    }

    void TearDown() override
    {
        const QWidgetList all = QApplication::topLevelWidgets();
        for (QWidget *w : all)
            w->close();
        processDeferredDeletes();
        for (QWidget *w : QApplication::topLevelWidgets())
            delete w;
        shell::frmParent::setWelcomeMenuDisplay(nullptr);
        shell::releaseCurrentPlan();
    }

    QTemporaryDir m_system;
};

} // namespace qv::test
