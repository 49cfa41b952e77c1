#pragma once
// What the driver says on stderr. Scripts read it line by line, so whatever the sources wrote
// (a command's own lines on ctx.err, the loaders' message boxes with their two-line texts, a
// warning) leaves the driver as at most one line, "sevrin-calc: " first, when the run ends.
#include "platform/prompt.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

class CalcDiagnostics
{
public:
    CalcDiagnostics();
    CalcDiagnostics(const CalcDiagnostics&) = delete;
    CalcDiagnostics& operator=(const CalcDiagnostics&) = delete;

    // The stream commands write to (ctx.err); each line written is one message.
    QTextStream& stream() { return m_stream; }
    // One message; its line breaks become blanks.
    void add(const QString& message);
    // Everything said so far as one line without its end, "" when nothing was said. Messages
    // are joined with "; " and a prefix of ours that a source already wrote is not repeated.
    QString line();
    // Writes line() and a line end to the process's stderr when there is something to say.
    void writeToStderr();

private:
    void takeStream();
    void keep(const QString& message);

    QString m_buffer;
    QTextStream m_stream;
    QStringList m_messages;
};

// The driver's message seam: message boxes become messages of `diagnostics`, every question
// is answered no or cancel, and an early exit writes the line before it ends the process.
class CalcPromptHandler final : public Prompt::DecliningHandler
{
public:
    explicit CalcPromptHandler(CalcDiagnostics& diagnostics) : m_diag(diagnostics) {}

    Prompt::Answer message(const QString& text, Prompt::Buttons buttons, Prompt::Icon) override;
    [[noreturn]] void exitProgram(int code) override;

private:
    CalcDiagnostics& m_diag;
};
