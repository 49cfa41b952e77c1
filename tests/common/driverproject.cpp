#include "driverproject.h"

#include "calcdriver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

DriverProject MakeDriverProject(const QString& dir, const QString& name)
{
    DriverProject p;
    p.root = dir + QStringLiteral("/root");
    p.project = dir + QLatin1Char('/') + name;
    p.ok = CopyProgramFolder(p.root) && QDir().mkpath(QFileInfo(p.project).absolutePath()) &&
           QFile::copy(p.root + QStringLiteral("/FORM/form.pro"), p.project) &&
           QFile(p.project).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return p;
}
