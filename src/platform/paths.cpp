#include "paths.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

int LastSeparator(const QString& path)
{
    return qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

}  // namespace

QString GetModulePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    // Before the application object exists (or in a tool without one).
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

QString GetFileNameOfPath(const QString& path)
{
    const int i = LastSeparator(path);
    return i < 0 ? path : path.mid(i + 1);
}

QString GetFolderOfPath(const QString& path)
{
    const int i = LastSeparator(path);
    return i < 0 ? QString() : path.left(i);
}

QString JoinPath(const QString& a, const QString& b)
{
    if (a.isEmpty())
        return b;
    if (a.endsWith(QLatin1Char('/')) || a.endsWith(QLatin1Char('\\')))
        return a + b;
    return a + QLatin1Char('/') + b;
}
