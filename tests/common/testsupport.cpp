#include "testsupport.h"

#include "app/core/companionworkbook.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

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
    if (!p.waitForFinished(kPatienceMs)) {
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

QString ShotsDir()
{
    QString dir = qEnvironmentVariable("SEVRIN_SHOTS_DIR");
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/sevrin-shots-%1").arg(::getuid());
    QDir().mkpath(dir);
    return dir;
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

QMap<QString, QByteArray> FolderSnapshot(const QString& dir)
{
    QMap<QString, QByteArray> entries;
    const QDir root(dir);
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        entries.insert(root.relativeFilePath(path),
                       info.isDir() ? QByteArrayLiteral("<folder>") : ReadFile(path));
    }
    return entries;
}

QStringList ChangedEntries(const QMap<QString, QByteArray>& before,
                           const QMap<QString, QByteArray>& after)
{
    QStringList changed;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const auto other = after.constFind(it.key());
        if (other == after.cend() || other.value() != it.value())
            changed << it.key();
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            changed << it.key();
    }
    changed.sort();
    return changed;
}

FileWritesRefused::FileWritesRefused()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_limit = limit.rlim_cur;
    // Ignored, the signal of a write past the limit turns into the write's error (EFBIG).
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileWritesRefused::~FileWritesRefused()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_limit);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_handler);
}

WorkbookWritesRefusedAfter::WorkbookWritesRefusedAfter(const QString& path, int allowed)
{
    auto opens = std::make_shared<int>(0);
    companion::SetWriteRefusal([path, allowed, opens, refused = m_refused](const QString& p) {
        if (p != path || ++*opens <= allowed)
            return false;
        ++*refused;
        return true;
    });
}

WorkbookWritesRefusedAfter::~WorkbookWritesRefusedAfter()
{
    companion::SetWriteRefusal({});
}
