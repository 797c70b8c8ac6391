#pragma once

// Files the tests lay out and read back, and the system folder a window
// needs to start.

#include "platform/Folders.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qv::test {

// Fails the running test when the file cannot be written.
inline void writeTestFile(const QString &path, const QByteArray &bytes = QByteArray())
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// Empty when the file cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The start-up check looks for the spelling dictionary in the system folder;
// `folder` becomes a system folder that holds one.
inline void useSystemFolderWithDictionary(const QTemporaryDir &folder)
{
    ASSERT_TRUE(folder.isValid());
    writeTestFile(folder.filePath(QStringLiteral("American.vtd")), "dictionary");
    platform::Folders::setSystemFolder(folder.path());
}

} // namespace qv::test
