#pragma once
// Nobody sits at a bench: every message is answered with OK, counted and the last one kept;
// every other question is declined.
#include "platform/prompt.h"

#include <QString>
#include <QStringList>

#include <cstdlib>

class BenchPrompt final : public Prompt::DecliningHandler
{
public:
    int messages = 0;
    QString last;
    Prompt::Answer message(const QString& text, Prompt::Buttons, Prompt::Icon) override
    {
        ++messages;
        last = text;
        return Prompt::Answer::Ok;
    }
    [[noreturn]] void exitProgram(int code) override { std::exit(code); }
};
