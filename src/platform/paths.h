#pragma once
// Path helpers. The program builds its paths with "/" (JoinPath); when it splits a path it
// also accepts "\", so paths written by the Windows program (a "lastPro" in an old
// "ORVA.ini") still split into folder and file name.
#include <QString>

// Full path of the running executable.
QString GetModulePath();
// True when the file system knows the path (file or folder).
bool FileExists(const QString& path);
// Everything after the last separator; the whole text when there is none.
QString GetFileNameOfPath(const QString& path);
// Everything before the last separator; empty when there is none.
QString GetFolderOfPath(const QString& path);
// a + "/" + b, without doubling a separator that `a` already ends with; b alone when a is
// empty.
QString JoinPath(const QString& a, const QString& b);
