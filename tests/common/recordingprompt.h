#pragma once
// A prompt handler for tests: records every message and request, answers from queues, and
// turns an exit into a Prompt::ProgramExit exception so start-up roads can be followed
// in-process.
#include "platform/prompt.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

class RecordingPrompt final : public Prompt::Handler
{
public:
    // Installs a fresh recorder as the program's handler; the pointer stays valid until the
    // next SetHandler.
    static RecordingPrompt* Install();

    // What was asked.
    QStringList messages;
    QList<Prompt::Buttons> messageButtons;
    QList<Prompt::Icon> messageIcons;
    QStringList openFileRequests;  // folder and filter of each file-open request, joined by "|"
    QStringList openedWithDefault;
    QStringList startedPrograms;  // program and arguments joined by blanks
    QStringList inputLabels;
    QStringList confirmTexts;
    QList<int> exitCodes;

    // Answers, taken from the front. Without a queued answer: a message answers Ok for an OK
    // box and Cancel/No otherwise; pickers answer empty; input and confirmation cancel.
    std::deque<Prompt::Answer> messageAnswers;
    std::deque<QString> openFileAnswers;
    std::deque<QString> pickFolderAnswers;
    std::deque<std::optional<QString>> inputAnswers;  // nullopt = cancelled
    std::deque<bool> confirmAnswers;
    bool openWithDefaultResult = true;

    Prompt::Answer message(const QString& text, Prompt::Buttons buttons, Prompt::Icon icon) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString pickFolder(const QString& title, const QString& startFolder) override;
    bool openWithDefault(const QString& pathOrUrl) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool inputText(const QString& caption, const QString& label, QString& text) override;
    bool confirmRun(const QString& text) override;
    [[noreturn]] void exitProgram(int code) override;
};
