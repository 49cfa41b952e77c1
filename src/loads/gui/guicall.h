#pragma once
// Runs a screen operation on the screen's own (GUI) thread. The report worker drives the
// calculation screens while its dialog is modal; widgets may only be touched on the GUI
// thread, so a call from the worker is queued there and the worker waits for it.
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <type_traits>
#include <utility>

template <typename F>
auto CallOnGuiThread(QObject* screen, F&& f) -> std::invoke_result_t<F>
{
    using R = std::invoke_result_t<F>;
    if (QThread::currentThread() == screen->thread())
        return f();
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(screen, std::forward<F>(f), Qt::BlockingQueuedConnection);
    } else {
        R result{};
        QMetaObject::invokeMethod(screen, std::forward<F>(f), Qt::BlockingQueuedConnection, &result);
        return result;
    }
}
