#include "calcdriver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

CalcRun Run(QProcess& p, const QStringList& args)
{
    CalcRun r;
    p.start(QStringLiteral(SEVRIN_CALC_EXE), args);
    if (!p.waitForFinished(120000)) {
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

CalcRun RunSevrinCalcUnprivileged(const QString& root, const QString& project,
                                  const QString& command)
{
    QProcess p;
    p.setChildProcessModifier([] {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(126);  // never run privileged by accident
    });
    return Run(p, {QStringLiteral("--root"), root, QStringLiteral("--project"), project, command});
}

CalcRun RunSevrinCalc(const QString& root, const QString& project, const QString& command)
{
    return RunSevrinCalcArgs({QStringLiteral("--root"), root, QStringLiteral("--project"),
                              project, command});
}

bool CopyProgramFolder(const QString& dir)
{
    const QString from = QStringLiteral(SEVRIN_PROGRAM_DIR);
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
