#pragma once

// Shared helpers of the composer window tests.

#include "composer/frmMain.h"
#include "controls/richtextview/TextEditor.h"
#include "FakePlatform.h"
#include "PlanFixture.h"
#include "shell/CurrentPlan.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTreeWidget>

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

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A composer with the fixture's plan open.
struct OpenComposer
{
    explicit OpenComposer(const PlanFixtureOptions &options = PlanFixtureOptions()) : fixture(options)
    {
        shell::replaceCurrentPlan();
        window = std::make_unique<composer::frmMain>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        opened = window->OpenPlan(fixture.documentPath());
    }
    ~OpenComposer()
    {
        window->unload();
        window.reset();
        shell::releaseCurrentPlan();
    }
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

    PlanFixture fixture;
    std::unique_ptr<composer::frmMain> window;
    bool opened = false;
};

} // namespace qv::test
