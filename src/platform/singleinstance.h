#pragma once
// One running copy per user session: a lock file named after the instance name in the
// user's runtime folder (XDG_RUNTIME_DIR, private to the user and the login session), or,
// where there is none, in a folder of the user's own below the temporary folder. Two users,
// or one user on two sessions, do not block each other. The lock is held until the process
// ends; if the process dies, the next start finds the lock's owner gone and takes it over.
#include <QString>

// True when this process now holds the lock (or already held it); false when another live
// process holds it or the lock file cannot be made.
bool AcquireSingleInstanceLock(const QString& name);
// Gives the lock up (tests that start the program several times in one process).
void ReleaseSingleInstanceLock();
// Where the lock file for `name` lives.
QString SingleInstanceLockPath(const QString& name);
