#pragma once
// Commands of the headless recalculation driver. Each command lives in its own cmd_<name>.cpp
// and registers itself with a file-scope CalcCommandRegistrar; main() has loaded the reference
// workbooks and the project (with its design conditions applied) before a command runs.
#include <QString>
#include <QTextStream>

struct CalcContext
{
    QString root;         // program folder (LIB/ below it)
    QString projectPath;  // the loaded project file
    QTextStream& out;     // UTF-8 result lines: kind and key first, fields separated by one tab
    QTextStream& err;     // one line naming what went wrong
};

// Returns the process exit code: 0 on success, 1 when something the command needs is missing
// or unreadable (after one line on ctx.err).
using CalcCommandFn = int (*)(CalcContext& ctx);

struct CalcCommandRegistrar
{
    CalcCommandRegistrar(const char* name, CalcCommandFn fn);
};

// The registered command of that name, or nullptr.
CalcCommandFn FindCalcCommand(const QString& name);
// Registered names, sorted (for the usage line).
QStringList CalcCommandNames();

// One output line: fields joined by tabs; tabs and line breaks inside a field become blanks so
// a field can never split a line.
void WriteCalcLine(QTextStream& out, const QStringList& fields);
