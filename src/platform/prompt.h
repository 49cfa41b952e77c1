#pragma once
// The one seam through which the program talks to the user and the desktop: message boxes,
// file and folder pickers, opening a file or address with its default program, starting a
// program, and the program's own small dialogs. The GUI installs a widget-backed handler at
// start-up; tests install one that records texts and answers.
#include <QString>
#include <QStringList>
#include <memory>

namespace Prompt {

enum class Icon { Exclamation, Information, Question, Error, None };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class Handler
{
public:
    virtual ~Handler() = default;
    // Message box with caption "Sevrin".
    virtual Answer message(const QString& text, Buttons buttons, Icon icon) = 0;
    // File-open dialog; empty text when cancelled. `filter` like "Project (*.pro)".
    virtual QString openFile(const QString& title, const QString& folder, const QString& filter) = 0;
    // Folder picker; empty text when cancelled.
    virtual QString pickFolder(const QString& title, const QString& startFolder) = 0;
    // Opens a file or URL with the desktop's default program.
    virtual bool openWithDefault(const QString& pathOrUrl) = 0;
    // Starts a program detached.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // One-line text prompt (CTextInputDlg): false when cancelled.
    virtual bool inputText(const QString& caption, const QString& label, QString& text) = 0;
    // One-line confirmation (CRunDlg, caption "실행"): true on "확인".
    virtual bool confirmRun(const QString& text) = 0;
    // Ends the process at once with this exit code (the early exits of start-up). Tests
    // replace it with one that throws ProgramExit so the road can be checked in-process.
    [[noreturn]] virtual void exitProgram(int code) = 0;
};

// A handler for a run nobody watches (the console, the driver, a bench): no picker, program
// or dialog is ever opened, and every such request is declined. Only the message and the exit
// are its own.
class DecliningHandler : public Handler
{
public:
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString pickFolder(const QString&, const QString&) override { return {}; }
    bool openWithDefault(const QString&) override { return false; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
    bool inputText(const QString&, const QString&, QString&) override { return false; }
    bool confirmRun(const QString&) override { return false; }
};

// What a test handler throws from exitProgram().
struct ProgramExit
{
    int code;
};

// Installs a handler (the previous one is dropped). Without one, messages go to stderr and
// every question is answered with Cancel/No/empty.
void SetHandler(std::unique_ptr<Handler> handler);
Handler* CurrentHandler();

// Shortcuts used throughout the program.
Answer Message(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::Exclamation);
QString OpenFile(const QString& title, const QString& folder, const QString& filter);
QString PickFolder(const QString& title, const QString& startFolder);
bool OpenWithDefault(const QString& pathOrUrl);
bool StartProgram(const QString& program, const QStringList& arguments = {});
bool InputText(const QString& caption, const QString& label, QString& text);
bool ConfirmRun(const QString& text);
[[noreturn]] void ExitProgram(int code);

}  // namespace Prompt
