#pragma once
// One running copy per user session: a lock file named after the instance name in the
// temporary folder (QDir::tempPath(), which follows TMPDIR). The lock is held until the
// process ends; if the process dies, the next start finds the lock's owner gone and takes it
// over.
#include <QString>

// True when this process now holds the lock (or already held it); false when another live
// process holds it.
bool AcquireSingleInstanceLock(const QString& name);
// Gives the lock up (tests that start the program several times in one process).
void ReleaseSingleInstanceLock();
// Where the lock file for `name` lives.
QString SingleInstanceLockPath(const QString& name);
