#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::unique_ptr<QLockFile> g_lock;

// A folder below the temporary folder that only this user owns and writes; empty when it
// cannot be had (someone else made it, or it is a link).
QString PrivateTempFolder()
{
    const QString path =
        QDir(QDir::tempPath()).filePath(QStringLiteral("sevrin-%1").arg(::getuid()));
    const QByteArray native = QFile::encodeName(path);
    ::mkdir(native.constData(), 0700);
    struct stat sb{};
    if (::lstat(native.constData(), &sb) != 0 || !S_ISDIR(sb.st_mode) || sb.st_uid != ::getuid() ||
        (sb.st_mode & 0022) != 0)
        return QString();
    return path;
}

}  // namespace

QString SingleInstanceLockPath(const QString& name)
{
    const QString runtime = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(name + QStringLiteral(".lock"));
    const QString own = PrivateTempFolder();
    if (!own.isEmpty())
        return QDir(own).filePath(name + QStringLiteral(".lock"));
    // Still one lock per user, in the shared temporary folder.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("%1-%2.lock").arg(name).arg(::getuid()));
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
