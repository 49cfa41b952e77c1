#include "calcdriver.h"
#include "testpaths.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

CalcRun Run(QProcess& p, const QStringList& args, const QString& exe = CalcExe())
{
    CalcRun r;
    p.start(exe, args);
    if (!p.waitForStarted(kPatienceMs)) {
        r.err = QStringLiteral("cannot start %1: %2").arg(exe, p.errorString());
        p.kill();
        p.waitForFinished();
        return r;
    }
    if (!p.waitForFinished(kPatienceMs)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

}  // namespace

CalcRun RunSevrinCalcArgs(const QStringList& args)
{
    QProcess p;
    return Run(p, args);
}

namespace {

// The first folder from "/" down to `path` (a folder) that a user who is neither its owner nor
// in its group cannot pass through, or empty when others may enter every one of them.
QString FolderClosedToOthers(const QString& path)
{
    QString dir = QFileInfo(path).absoluteFilePath();
    QStringList chain;
    for (; !dir.isEmpty() && dir != QLatin1String("/"); dir = QFileInfo(dir).absolutePath())
        chain.prepend(dir);
    chain.prepend(QStringLiteral("/"));
    for (const QString& d : chain) {
        struct stat sb {};
        if (::stat(QFile::encodeName(d).constData(), &sb) != 0 || !(sb.st_mode & S_IXOTH))
            return d;
    }
    return QString();
}

// A folder everyone may enter for the driver's copy: the temporary folder, or /tmp when the
// temporary folder lies below one closed to others.
QString SharedTempBase()
{
    const QString temp = QDir::tempPath();
    return FolderClosedToOthers(temp).isEmpty() ? temp : QStringLiteral("/tmp");
}

// The driver as an unprivileged user can start it wherever the build lies (a checkout in a home
// folder of mode 700, which "nobody" cannot enter): a copy in a folder everyone may enter, made
// once per test process and removed at its end. The driver links the build's libraries
// statically (no run path into the build), so the executable alone is enough. Empty, with
// `error` set, when the copy cannot be made.
QString SharedDriver(QString* error)
{
    static QTemporaryDir dir(SharedTempBase() + QStringLiteral("/sevrin-calc-XXXXXX"));
    static const QString exe = [] {
        const QString target = dir.filePath(QStringLiteral("sevrin-calc"));
        const auto readExecute = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                 QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        if (!dir.isValid() || !QFile::setPermissions(dir.path(), readExecute | QFile::WriteOwner) ||
            !QFile::copy(CalcExe(), target) ||
            !QFile::setPermissions(target, readExecute))
            return QString();
        return target;
    }();
    if (exe.isEmpty())
        *error = QStringLiteral("cannot copy %1 into a folder everyone may enter (%2)")
                     .arg(CalcExe(), dir.path());
    return exe;
}

}  // namespace

CalcRun RunSevrinCalcUnprivileged(const QString& root, const QString& project,
                                  const QString& command)
{
    CalcRun failed;
    const QString exe = SharedDriver(&failed.err);
    if (exe.isEmpty())
        return failed;
    if (::geteuid() == 0) {
        // "nobody" has to reach the program folder, the project and the driver's copy.
        for (const QString& folder : {root, QFileInfo(project).absolutePath(), QFileInfo(exe).absolutePath()}) {
            const QString closed = FolderClosedToOthers(folder);
            if (!closed.isEmpty()) {
                failed.err = QStringLiteral("the unprivileged user cannot reach %1: %2 is closed to "
                                            "others (set TMPDIR to a folder everyone may enter)")
                                 .arg(folder, closed);
                return failed;
            }
        }
    }
    QProcess p;
    p.setWorkingDirectory(QFileInfo(exe).absolutePath());
    p.setChildProcessModifier([] {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(126);  // never run privileged by accident
    });
    return Run(p, {QStringLiteral("--root"), root, QStringLiteral("--project"), project, command}, exe);
}

CalcRun RunSevrinCalc(const QString& root, const QString& project, const QString& command)
{
    return RunSevrinCalcArgs({QStringLiteral("--root"), root, QStringLiteral("--project"),
                              project, command});
}

bool CopyProgramFolder(const QString& dir)
{
    const QString from = ProgramDir();
    for (const char* sub : {"LIB", "FORM"}) {
        const QDir src(from + QLatin1Char('/') + QLatin1String(sub));
        if (!QDir().mkpath(dir + QLatin1Char('/') + QLatin1String(sub)))
            return false;
        for (const QString& name : src.entryList(QDir::Files)) {
            const QString target = dir + QLatin1Char('/') + QLatin1String(sub) + QLatin1Char('/') + name;
            QFile::remove(target);
            if (!QFile::copy(src.filePath(name), target))
                return false;
        }
    }
    return true;
}

CalcRun RunSevrinCalcRefusingWrites(const QString& root, const QString& project,
                                    const QString& command)
{
    QProcess p;
    p.setChildProcessModifier([] {
        // Ignored, the signal of a write past the limit turns into the write's error (EFBIG);
        // both settings pass to the driver through exec. Its output goes through pipes, which
        // the limit does not touch.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 0;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(126);  // never run with writes allowed by accident
    });
    return Run(p, {QStringLiteral("--root"), root, QStringLiteral("--project"), project, command});
}
