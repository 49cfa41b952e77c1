#pragma once
// Calls from the report worker onto the GUI thread. Widgets, message boxes and program starts
// belong to the GUI thread; the worker hands them over with a blocking queued call and waits
// for the answer. On the GUI thread itself (tests, or no worker) the call runs directly.
#include "platform/prompt.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <type_traits>
#include <utility>

template <class F>
auto CallOnGuiThread(F&& f) -> decltype(f())
{
    using R = decltype(f());
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return f();
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(app, std::forward<F>(f), Qt::BlockingQueuedConnection);
    } else {
        R result{};
        QMetaObject::invokeMethod(app, [&result, &f] { result = f(); },
                                  Qt::BlockingQueuedConnection);
        return result;
    }
}

// The prompt seam, reached from any thread.
namespace GuiPrompt {
inline Prompt::Answer Message(const QString& text, Prompt::Buttons buttons = Prompt::Buttons::Ok,
                              Prompt::Icon icon = Prompt::Icon::Exclamation)
{
    return CallOnGuiThread([&] { return Prompt::Message(text, buttons, icon); });
}
inline bool ConfirmRun(const QString& text)
{
    return CallOnGuiThread([&] { return Prompt::ConfirmRun(text); });
}
inline bool OpenWithDefault(const QString& path)
{
    return CallOnGuiThread([&] { return Prompt::OpenWithDefault(path); });
}
inline bool StartProgram(const QString& program, const QStringList& arguments)
{
    return CallOnGuiThread([&] { return Prompt::StartProgram(program, arguments); });
}
}  // namespace GuiPrompt
