#include "composer/PlanLock.h"

#include "platform/Paths.h"

#include <QLockFile>

namespace qv::composer {

PlanLock::PlanLock() = default;

PlanLock::~PlanLock() = default;

QString PlanLock::fileName()
{
    return QStringLiteral(".quorvex.lock");
}

bool PlanLock::take(const QString &planFolder, const QString &planName, QString &refusal)
{
    release();
    auto lock = std::make_unique<QLockFile>(platform::joinPath(planFolder, fileName()));
    // A lock is stale only when its process is gone (QLockFile checks the
    // process on this host), never merely because it is old: a plan may
    // stay open for days.
    lock->setStaleLockTime(0);
    bool taken = lock->tryLock(0);
    // A program killed between making the lock file and writing its name
    // into it leaves a lock that names nobody. Qt removes it only when no
    // live process holds the file's system lock, so a lock being taken
    // this very moment is left alone.
    qint64 pid = 0;
    QString host, program;
    if (!taken && lock->error() == QLockFile::LockFailedError && !lock->getLockInfo(&pid, &host, &program)
        && lock->removeStaleLockFile())
        taken = lock->tryLock(0);
    if (taken) {
        m_lock = std::move(lock);
        m_folder = planFolder;
        return true;
    }
    // A folder that takes no lock file (read-only media, a missing folder)
    // cannot be written by anyone else either: the plan opens unlocked.
    if (lock->error() != QLockFile::LockFailedError)
        return true;
    if (lock->getLockInfo(&pid, &host, &program))
        refusal = QStringLiteral("The plan \"%1\" is already open in another Quorvex window (%2, process %3 on %4).\r\n\r\n"
                                 "Close it there first; a plan is written by one window at a time.")
                      .arg(planName, program.isEmpty() ? QStringLiteral("Quorvex") : program)
                      .arg(pid)
                      .arg(host);
    else
        refusal = QStringLiteral("The plan \"%1\" is already open in another Quorvex window.").arg(planName);
    return false;
}

void PlanLock::release()
{
    if (m_lock)
        m_lock->unlock();
    m_lock.reset();
    m_folder.clear();
}

} // namespace qv::composer
