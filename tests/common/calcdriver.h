#pragma once
// Runs the headless recalculation driver for golden-file tests.
#include <QString>
#include <QStringList>

struct CalcRun
{
    int exitCode = -1;
    QString out;  // stdout, UTF-8
    QString err;  // stderr, UTF-8
};

// sevrin-calc --root ROOT --project PROJECT COMMAND; gives up after kPatienceMs.
CalcRun RunSevrinCalc(const QString& root, const QString& project, const QString& command);
// sevrin-calc with exactly these arguments.
CalcRun RunSevrinCalcArgs(const QStringList& args);
// As RunSevrinCalc, where file permissions hold: a test running as root (which writes into
// read-only folders) runs the driver as the unprivileged user "nobody", so the files it must
// read have to be readable by others; any other user runs it as itself, whom read-only files
// and folders stop. The driver runs from a copy in a folder everyone may enter, so the build
// may lie anywhere (a home folder of mode 700); a root or project that "nobody" cannot reach
// fails the run with a message on `err`.
CalcRun RunSevrinCalcUnprivileged(const QString& root, const QString& project,
                                  const QString& command);
// Copies the build's program folder (LIB and FORM) into `dir` so a test can run the driver
// on a root it may change; true on success.
bool CopyProgramFolder(const QString& dir);

// As RunSevrinCalc, with every write to a file refused by the system (a file-size limit of
// zero, as a full disk refuses): a store fails whatever the files' permissions, also when the
// tests run as root, who writes through a read-only file.
CalcRun RunSevrinCalcRefusingWrites(const QString& root, const QString& project,
                                    const QString& command);
