#pragma once
// A child process run for its figures. Linux charges a process's peak memory from the moment
// it was forked: a child started straight from a bench that holds a large project would
// report the bench's own memory as its peak. So the bench starts a fresh copy of itself
// ("--measure-child"), still small, which forks and runs the child, reaps it with wait4 and
// hands back the child's own wall time, CPU times, page faults and peak.
#include <QByteArray>
#include <QString>
#include <QStringList>

struct ChildRun
{
    bool started = false;
    bool exitedNormally = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    double wallMs = 0;
    double userMs = 0;
    double systemMs = 0;
    long minorFaults = 0;
    long peakKb = 0;

    bool succeeded() const { return started && exitedNormally && exitCode == 0; }
};

// Runs `program` with `arguments` and waits for it; a program that cannot be started exits
// with 127, as from a shell. A bench that calls this must begin its main() with
// MeasureChildIfAsked.
ChildRun RunChild(const QString& program, const QStringList& arguments);

// In the fresh copy RunChild starts: runs the child and writes its figures, then answers the
// copy's exit code (0). Otherwise answers -1 and the bench goes on.
int MeasureChildIfAsked(int argc, char** argv);
