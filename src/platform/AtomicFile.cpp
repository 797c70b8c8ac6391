#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace qv::platform {

namespace {

std::atomic<qint64> writeBudget{-1}; // bytes left before the disk is "full"; negative: no limit

// Passes writes on to the file until the budget is spent, then fails them
// as a full disk would.
class BudgetedDevice : public QIODevice
{
public:
    explicit BudgetedDevice(QIODevice &file) : m_file(file) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        qint64 left = writeBudget.load();
        while (left >= 0) {
            const qint64 allowed = std::min(left, size);
            if (writeBudget.compare_exchange_weak(left, left - allowed)) {
                const qint64 written = allowed > 0 ? m_file.write(data, allowed) : 0;
                if (written == size)
                    return written;
                setErrorString(written < 0 ? m_file.errorString() : QStringLiteral("No space left on device"));
                m_failed = true;
                return -1;
            }
        }
        return m_file.write(data, size);
    }

public:
    bool failed() const { return m_failed; }

private:
    QIODevice &m_file;
    bool m_failed = false;
};

} // namespace

void failWritesAfter(qint64 bytes)
{
    writeBudget.store(bytes);
}

QString writeFileAtomically(const QString &path, const std::function<bool(QIODevice &, QString &)> &writer)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QString reason;
    BudgetedDevice budgeted(file);
    QIODevice &target = writeBudget.load() >= 0 ? static_cast<QIODevice &>(budgeted) : file;
    if (!writer(target, reason)) {
        file.cancelWriting();
        return reason.isEmpty() ? QStringLiteral("The file could not be written.") : reason;
    }
    // A writer that overlooked a failed write still gets no broken file.
    if (file.error() != QFileDevice::NoError || budgeted.failed()) {
        const QString error = budgeted.failed() ? budgeted.errorString() : file.errorString();
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
