#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace qv::platform {

// Every file the program writes goes through here: the content is written to
// a temporary file beside the target, checked, then renamed over it, so a
// crash at any moment leaves the old file or the new one, never a broken one.
// Returns an empty string on success, else the reason, and leaves the old
// file untouched.
QString writeFileAtomically(const QString &path, const QByteArray &content);

// The same for content produced by a writer function (which returns false,
// with a reason, to abandon the write).
QString writeFileAtomically(const QString &path, const std::function<bool(QIODevice &, QString &)> &writer);

// Replaces target with source atomically (a rename on one file system; a
// copy through a temporary file otherwise). Returns the reason on failure.
QString replaceFile(const QString &source, const QString &target);

// Copies source to target atomically.
QString copyFileAtomically(const QString &source, const QString &target);

// Makes the disk seem to fill up: once `bytes` more bytes have been written
// through this layer, every write fails as on a full disk, until called
// again with a negative count. The tests use it to show that no writer
// loses a file when the disk fills in the middle of a save.
void failWritesAfter(qint64 bytes);

} // namespace qv::platform
