#pragma once

// One writer per plan: while a plan is open, a lock file in its folder says
// so, naming the process that holds it. A second program (or window) that
// opens the same plan is refused with that name; a lock left by a program
// that crashed is taken over, since its process no longer runs.

#include <QString>

#include <memory>

class QLockFile;

namespace qv::composer {

class PlanLock
{
public:
    PlanLock();
    ~PlanLock();
    PlanLock(const PlanLock &) = delete;
    PlanLock &operator=(const PlanLock &) = delete;

    // Takes the lock of the plan whose folder is given, letting go of any
    // plan held before. False, with the reason in `refusal`, only when
    // another live program holds it; a folder that cannot hold a lock file
    // gives true without a lock.
    bool take(const QString &planFolder, const QString &planName, QString &refusal);
    void release();
    bool held() const { return m_lock != nullptr; }
    const QString &folder() const { return m_folder; }

    // The lock file's name in a plan folder.
    static QString fileName();

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_folder;
};

} // namespace qv::composer
