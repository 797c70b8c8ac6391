#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace qv::platform {

QString writeFileAtomically(const QString &path, const std::function<bool(QIODevice &, QString &)> &writer)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QString reason;
    if (!writer(file, reason)) {
        file.cancelWriting();
        return reason.isEmpty() ? QStringLiteral("The file could not be written.") : reason;
    }
    if (file.error() != QFileDevice::NoError) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

QString writeFileAtomically(const QString &path, const QByteArray &content)
{
    return writeFileAtomically(path, [&content](QIODevice &device, QString &reason) {
        if (device.write(content) != content.size()) {
            reason = device.errorString();
            return false;
        }
        return true;
    });
}

QString replaceFile(const QString &source, const QString &target)
{
    if (!QFileInfo::exists(source))
        return QStringLiteral("File not found: ") + source;
    // rename(2) replaces the target in one step when both lie on one file system.
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0)
        return QString();
    QString error = copyFileAtomically(source, target);
    if (!error.isEmpty())
        return error;
    QFile::remove(source);
    return QString();
}

QString copyFileAtomically(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString() + QStringLiteral(": ") + source;
    return writeFileAtomically(target, [&in](QIODevice &out, QString &reason) {
        char buffer[65536];
        while (true) {
            const qint64 n = in.read(buffer, sizeof buffer);
            if (n < 0) {
                reason = in.errorString();
                return false;
            }
            if (n == 0)
                return true;
            if (out.write(buffer, n) != n) {
                reason = out.errorString();
                return false;
            }
        }
    });
}

} // namespace qv::platform
