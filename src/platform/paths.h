#pragma once
// Path helpers. The program builds its paths with "/" (JoinPath); when it splits a path it
// also accepts "\", so a path with Windows separators (a "lastPro" in an "ORVA.ini" written on
// Windows) splits into folder and file name too.
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
