#include "calcdiagnostics.h"

#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>

namespace {

const QString kPrefix = QStringLiteral("sevrin-calc:");

// A message as one trimmed line without a prefix of ours ("sevrin-calc:" from a command,
// "Sevrin:" from the console seam).
QString Clean(QString text)
{
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    text.replace(breaks, QStringLiteral(" "));
    text = text.trimmed();
    for (const QString& prefix : {kPrefix, QStringLiteral("Sevrin:")}) {
        if (text.startsWith(prefix)) {
            text = text.mid(prefix.size()).trimmed();
            break;
        }
    }
    return text;
}

}  // namespace

CalcDiagnostics::CalcDiagnostics() : m_stream(&m_buffer) {}

void CalcDiagnostics::takeStream()
{
    m_stream.flush();
    const QString written = m_buffer;
    m_buffer.clear();
    m_stream.seek(0);
    for (const QString& l : written.split(QLatin1Char('\n')))
        keep(l);
}

void CalcDiagnostics::keep(const QString& message)
{
    const QString text = Clean(message);
    if (!text.isEmpty() && !m_messages.contains(text))
        m_messages << text;
}

void CalcDiagnostics::add(const QString& message)
{
    takeStream();  // what a command wrote before this message comes first
    keep(message);
}

QString CalcDiagnostics::line()
{
    takeStream();
    if (m_messages.isEmpty())
        return QString();
    return kPrefix + QLatin1Char(' ') + m_messages.join(QStringLiteral("; "));
}

void CalcDiagnostics::writeToStderr()
{
    const QString l = line();
    if (l.isEmpty())
        return;
    std::fputs((l + QLatin1Char('\n')).toUtf8().constData(), stderr);
    std::fflush(stderr);
}

Prompt::Answer CalcPromptHandler::message(const QString& text, Prompt::Buttons buttons,
                                          Prompt::Icon)
{
    m_diag.add(text);
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return Prompt::Answer::Ok;
    case Prompt::Buttons::YesNo:
        return Prompt::Answer::No;
    case Prompt::Buttons::OkCancel:
    case Prompt::Buttons::YesNoCancel:
        return Prompt::Answer::Cancel;
    }
    return Prompt::Answer::Cancel;
}

void CalcPromptHandler::exitProgram(int code)
{
    std::fflush(stdout);
    m_diag.writeToStderr();
    std::exit(code);
}
