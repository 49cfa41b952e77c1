#include "calcdriver.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

CalcRun Run(const QString& program, const QStringList& args)
{
    CalcRun r;
    QProcess p;
    p.start(program, args);
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
    return Run(QStringLiteral(SEVRIN_CALC_EXE), args);
}

CalcRun RunSevrinCalc(const QString& root, const QString& project, const QString& command)
{
    return RunSevrinCalcArgs({QStringLiteral("--root"), root, QStringLiteral("--project"),
                              project, command});
}

CalcRun RunSevrinCalcRefusingWrites(const QString& root, const QString& project,
                                    const QString& command)
{
    // The signal a write past the limit raises is ignored, so the write fails with EFBIG
    // instead of ending the process; both settings pass to the driver through exec. Output
    // goes through pipes, which the limit does not touch.
    const QString script = QStringLiteral("trap '' XFSZ; ulimit -f 0 && exec \"$0\" \"$@\"");
    return Run(QStringLiteral("/bin/sh"),
               {QStringLiteral("-c"), script, QStringLiteral(SEVRIN_CALC_EXE),
                QStringLiteral("--root"), root, QStringLiteral("--project"), project, command});
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
