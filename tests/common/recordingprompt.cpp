#include "recordingprompt.h"

RecordingPrompt* RecordingPrompt::Install()
{
    auto handler = std::make_unique<RecordingPrompt>();
    RecordingPrompt* raw = handler.get();
    Prompt::SetHandler(std::move(handler));
    return raw;
}

Prompt::Answer RecordingPrompt::message(const QString& text, Prompt::Buttons buttons,
                                        Prompt::Icon icon)
{
    messages.append(text);
    messageButtons.append(buttons);
    messageIcons.append(icon);
    if (!messageAnswers.empty()) {
        const Prompt::Answer a = messageAnswers.front();
        messageAnswers.pop_front();
        return a;
    }
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return Prompt::Answer::Ok;
    case Prompt::Buttons::YesNo:
        return Prompt::Answer::No;
    default:
        return Prompt::Answer::Cancel;
    }
}

QString RecordingPrompt::openFile(const QString&, const QString& folder, const QString& filter)
{
    openFileRequests.append(folder + QLatin1Char('|') + filter);
    if (openFileAnswers.empty())
        return QString();
    QString a = openFileAnswers.front();
    openFileAnswers.pop_front();
    return a;
}

QString RecordingPrompt::pickFolder(const QString&, const QString&)
{
    if (pickFolderAnswers.empty())
        return QString();
    QString a = pickFolderAnswers.front();
    pickFolderAnswers.pop_front();
    return a;
}

bool RecordingPrompt::openWithDefault(const QString& pathOrUrl)
{
    openedWithDefault.append(pathOrUrl);
    return openWithDefaultResult;
}

bool RecordingPrompt::startProgram(const QString& program, const QStringList& arguments)
{
    startedPrograms.append((QStringList{program} + arguments).join(QLatin1Char(' ')));
    return true;
}

bool RecordingPrompt::inputText(const QString&, const QString& label, QString& text)
{
    inputLabels.append(label);
    if (inputAnswers.empty())
        return false;
    const std::optional<QString> a = inputAnswers.front();
    inputAnswers.pop_front();
    if (!a)
        return false;
    text = *a;
    return true;
}

bool RecordingPrompt::confirmRun(const QString& text)
{
    confirmTexts.append(text);
    if (confirmAnswers.empty())
        return false;
    const bool a = confirmAnswers.front();
    confirmAnswers.pop_front();
    return a;
}

void RecordingPrompt::exitProgram(int code)
{
    exitCodes.append(code);
    throw Prompt::ProgramExit{code};
}
