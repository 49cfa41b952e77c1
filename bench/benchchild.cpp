#include "benchchild.h"

#include <QFile>
#include <QTemporaryFile>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kMeasureFlag = "--measure-child";

double Ms(const timeval& t)
{
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

double NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

pid_t WaitFor(pid_t pid, int* status, rusage* ru)
{
    pid_t reaped = 0;
    do {
        reaped = wait4(pid, status, 0, ru);
    } while (reaped < 0 && errno == EINTR);
    return reaped;
}

}  // namespace

int MeasureChildIfAsked(int argc, char** argv)
{
    if (argc < 4 || std::strcmp(argv[1], kMeasureFlag) != 0)
        return -1;
    const char* resultPath = argv[2];
    const double start = NowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[3], argv + 3);
        _exit(127);
    }
    int status = 0;
    rusage ru{};
    const bool reaped = pid > 0 && WaitFor(pid, &status, &ru) == pid;
    const double wallMs = NowMs() - start;
    FILE* f = std::fopen(resultPath, "w");
    if (!f)
        return 1;
    const bool normal = reaped && WIFEXITED(status);
    std::fprintf(f, "%d %d %.3f %.3f %.3f %ld %ld\n", normal ? 1 : 0,
                 normal ? WEXITSTATUS(status) : -1, wallMs, Ms(ru.ru_utime), Ms(ru.ru_stime),
                 ru.ru_minflt, ru.ru_maxrss);
    return std::fclose(f) == 0 ? 0 : 1;
}

ChildRun RunChild(const QString& program, const QStringList& arguments)
{
    ChildRun run;
    // The child's output goes to files: a pipe would need reading while it runs.
    QTemporaryFile out, err, figures;
    if (!out.open() || !err.open() || !figures.open()) {
        run.err = "cannot make a temporary file for the child's output";
        return run;
    }
    std::vector<QByteArray> args{QFile::encodeName(QStringLiteral("/proc/self/exe")),
                                 QByteArray(kMeasureFlag), QFile::encodeName(figures.fileName()),
                                 QFile::encodeName(program)};
    for (const QString& a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out.handle(), 1);
    posix_spawn_file_actions_adddup2(&actions, err.handle(), 2);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.err = "cannot start a copy of the bench to run " + QFile::encodeName(program);
        return run;
    }
    int status = 0;
    rusage ru{};
    if (WaitFor(pid, &status, &ru) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        run.err = "the bench's copy could not run " + QFile::encodeName(program);
        return run;
    }
    const QList<QByteArray> f = figures.readAll().trimmed().split(' ');
    if (f.size() != 7) {
        run.err = "no figures from the run of " + QFile::encodeName(program);
        return run;
    }
    run.started = true;
    run.exitedNormally = f[0] == "1";
    run.exitCode = f[1].toInt();
    run.wallMs = f[2].toDouble();
    run.userMs = f[3].toDouble();
    run.systemMs = f[4].toDouble();
    run.minorFaults = f[5].toLong();
    run.peakKb = f[6].toLong();
    out.seek(0);
    err.seek(0);
    run.out = out.readAll();
    run.err = err.readAll();
    return run;
}
