#pragma once
// The prompt seam backed by widgets: message boxes captioned "Sevrin", the desktop's file and
// folder pickers, the default program for a file or address, and the program's own small
// dialogs. Installed by the program at start-up.
#include "platform/prompt.h"

class CWidgetPrompt final : public Prompt::Handler
{
public:
    Prompt::Answer message(const QString& text, Prompt::Buttons buttons, Prompt::Icon icon) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString pickFolder(const QString& title, const QString& startFolder) override;
    bool openWithDefault(const QString& pathOrUrl) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool inputText(const QString& caption, const QString& label, QString& text) override;
    bool confirmRun(const QString& text) override;
    [[noreturn]] void exitProgram(int code) override;
};
