#include "testsupport.h"

#include <QFileInfo>
#include <QProcess>

PythonResult RunPython(const QString& script, const QStringList& args)
{
    PythonResult r;
    QProcess p;
    QStringList all{QStringLiteral("-c"), script};
    all += args;
    // The system's python3 carries the Debian packages (openpyxl); a python3 found first on
    // PATH (a version manager's shim) may not.
    const QString system = QStringLiteral("/usr/bin/python3");
    p.start(QFileInfo::exists(system) ? system : QStringLiteral("python3"), all);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("python3 timed out or did not start");
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
