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
    // UTF-8 result lines: kind and key first, fields separated by one tab. They reach stdout
    // only when the command succeeds: a failed run prints no half a result.
    QTextStream& out;
    // What went wrong, or a warning: a line per message. main() writes everything said during
    // the run as one stderr line with the driver's prefix (CalcDiagnostics).
    QTextStream& err;
};

// Returns the process exit code: 0 on success, 1 when something the command needs is missing
// or unreadable or a result could not be stored (after a line on ctx.err). A command that
// fails leaves every file as it found it.
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

// A list whose workbook holds more rows than the list takes: the rows past the limit are not
// computed (and stay in the file). Says so on ctx.err; the run still succeeds.
void WarnRowLimit(CalcContext& ctx, const QString& workbookPath, int limit);
