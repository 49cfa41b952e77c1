#include "prompt.h"

#include <cstdio>
#include <cstdlib>

namespace Prompt {

namespace {

// Without a GUI (tools, core tests that install nothing): messages go to stderr, every
// question is answered no/cancel, and an exit ends the process.
class ConsoleHandler final : public DecliningHandler
{
public:
    Answer message(const QString& text, Buttons buttons, Icon) override
    {
        std::fprintf(stderr, "Sevrin: %s\n", text.toUtf8().constData());
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::YesNoCancel:
            return Answer::Cancel;
        }
        return Answer::Cancel;
    }
    [[noreturn]] void exitProgram(int code) override
    {
        std::fflush(stdout);
        std::fflush(stderr);
        std::exit(code);
    }
};

std::unique_ptr<Handler>& Slot()
{
    static std::unique_ptr<Handler> handler = std::make_unique<ConsoleHandler>();
    return handler;
}

}  // namespace

void SetHandler(std::unique_ptr<Handler> handler)
{
    Slot() = handler ? std::move(handler) : std::make_unique<ConsoleHandler>();
}

Handler* CurrentHandler()
{
    return Slot().get();
}

Answer Message(const QString& text, Buttons buttons, Icon icon)
{
    return CurrentHandler()->message(text, buttons, icon);
}

QString OpenFile(const QString& title, const QString& folder, const QString& filter)
{
    return CurrentHandler()->openFile(title, folder, filter);
}

QString PickFolder(const QString& title, const QString& startFolder)
{
    return CurrentHandler()->pickFolder(title, startFolder);
}

bool OpenWithDefault(const QString& pathOrUrl)
{
    return CurrentHandler()->openWithDefault(pathOrUrl);
}

bool StartProgram(const QString& program, const QStringList& arguments)
{
    return CurrentHandler()->startProgram(program, arguments);
}

bool InputText(const QString& caption, const QString& label, QString& text)
{
    return CurrentHandler()->inputText(caption, label, text);
}

bool ConfirmRun(const QString& text)
{
    return CurrentHandler()->confirmRun(text);
}

void ExitProgram(int code)
{
    CurrentHandler()->exitProgram(code);
    // A handler must not return from exitProgram; if one does, end anyway.
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(code);
}

}  // namespace Prompt
