#pragma once

// Shared helpers of the composer window tests.

#include "composer/SectionFiles.h"
#include "composer/frmMain.h"
#include "controls/richtextview/TextEditor.h"
#include "FakePlatform.h"
#include "PlanFixture.h"
#include "TestFiles.h"
#include "shell/CurrentPlan.h"
#include "support/gui/frmAdvise.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace qv::test {

inline QString nodeKey(const QTreeWidgetItem *node)
{
    return node ? node->data(0, Qt::UserRole).toString() : QString();
}

inline QString nodeImage(const QTreeWidgetItem *node)
{
    return node ? node->data(0, Qt::UserRole + 3).toString() : QString();
}

inline QStringList filesIn(const QString &folder, const QString &pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

// A composer with the fixture's plan open; `prepare` may change the plan's
// files before the composer opens it.
struct OpenComposer
{
    explicit OpenComposer(const PlanFixtureOptions &options = PlanFixtureOptions(),
                          const std::function<void(PlanFixture &)> &prepare = {})
        : fixture(options)
    {
        if (prepare)
            prepare(fixture);
        shell::replaceCurrentPlan();
        // Advice pop-ups are recorded (by kind) and answered with OK.
        support::frmAdvise::setRunner([this](support::frmAdvise &advice) {
            advised.append(advice.kind());
            advice.accept();
        });
        window = std::make_unique<composer::frmMain>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        opened = window->OpenPlan(fixture.documentPath());
    }
    ~OpenComposer()
    {
        window->unload();
        window.reset();
        shell::releaseCurrentPlan();
        support::frmAdvise::setRunner(nullptr);
    }
    QList<int> advised; // the kinds of the advice shown
    template <class T> T *child(const char *name) const { return window->findChild<T *>(QLatin1String(name)); }
    QTreeWidget *tree() const { return child<QTreeWidget>("tvwOutline"); }
    richtext::TextEditor *editor() const { return child<richtext::TextEditor>("rtfWorkArea"); }
    void select(const QString &key) const { tree()->setCurrentItem(window->nodeOfKey(key)); }
    void type(const QString &text) const
    {
        QTextCursor cursor = editor()->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text);
    }

    // Rewrites the first section's instructions behind the composer's back;
    // the helper shows "Revised advice" once it reloads them.
    void reviseFirstInstructions() const
    {
        PlanFixture::writeRtf(composer::instructionFilePath(*shell::currentPlan(), PlanFixture::keyOf(1, 1)),
                              QStringLiteral("Revised advice"));
    }
    // The focus goes to `other` and comes back to the composer.
    void visitAndReturn(QWidget &other) const
    {
        window->winId();
        other.winId();
        emit qApp->focusWindowChanged(other.windowHandle());
        emit qApp->focusWindowChanged(window->windowHandle());
    }

    PlanFixture fixture;
    std::unique_ptr<composer::frmMain> window;
    bool opened = false;
};

} // namespace qv::test
