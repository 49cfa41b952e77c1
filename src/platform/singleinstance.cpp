#include "singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <memory>

namespace {
std::unique_ptr<QLockFile> g_lock;
}

QString SingleInstanceLockPath(const QString& name)
{
    return QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock"));
}

bool AcquireSingleInstanceLock(const QString& name)
{
    if (g_lock && g_lock->isLocked())
        return true;
    auto lock = std::make_unique<QLockFile>(SingleInstanceLockPath(name));
    // Never treat a lock as stale by age: a long-running program keeps its lock. A lock whose
    // process is gone is still recognised and taken over by tryLock().
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    g_lock = std::move(lock);
    return true;
}

void ReleaseSingleInstanceLock()
{
    g_lock.reset();
}
