#pragma once
// Nobody sits at a bench: every message is answered with OK, counted and the last one kept;
// every other question is declined.
#include "platform/prompt.h"

#include <QString>
#include <QStringList>

#include <cstdlib>

class BenchPrompt final : public Prompt::Handler
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
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString pickFolder(const QString&, const QString&) override { return {}; }
    bool openWithDefault(const QString&) override { return false; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
    bool inputText(const QString&, const QString&, QString&) override { return false; }
    bool confirmRun(const QString&) override { return false; }
    [[noreturn]] void exitProgram(int code) override { std::exit(code); }
};
