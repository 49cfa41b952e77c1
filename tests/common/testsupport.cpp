#include "testsupport.h"

#include <QFileInfo>
#include <QFile>
#include <QProcess>

PythonResult RunPython(const QString& script, const QStringList& args)
{
    PythonResult r;
    QProcess p;
    QStringList all{QStringLiteral("-c"), script};
    all += args;
    // The distribution's interpreter is the one python3-openpyxl is installed for; a python3 that
    // comes first on PATH (pyenv, a virtualenv) may not have it.
    const QString debianPython = QStringLiteral("/usr/bin/python3");
    p.start(QFileInfo::exists(debianPython) ? debianPython : QStringLiteral("python3"), all);
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

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
