#pragma once
// Hands work to the user-interface thread through a hidden message-only
// window: a waiting caller sends it a message, which the user-interface
// thread handles from its message loop while the sender waits; queued work
// waits in a list of the window's, and one posted message at a time tells
// the window to run what is there.

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/UiThreadDispatcher.h"
#include "win32/raii/UniqueWindow.h"

namespace velora::win32 {

class Win32UiThreadDispatcher : public platform::UiThreadDispatcher {
public:
    // On the user-interface thread. Throws std::runtime_error with the
    // system's text when the window cannot be created.
    Win32UiThreadDispatcher();
    // Destroyed on another thread, the window is asked to close itself.
    ~Win32UiThreadDispatcher() override;
    Win32UiThreadDispatcher(const Win32UiThreadDispatcher&) = delete;
    Win32UiThreadDispatcher& operator=(const Win32UiThreadDispatcher&) = delete;

    bool RunOnUiThread(const std::function<void()>& action) override;
    bool PostToUiThread(std::function<void()> action) override;

private:
    // Shared by the dispatcher and its window, so that a window that
    // outlives the dispatcher (closed from another thread) still finds it.
    struct Queue {
        std::mutex mutex;
        std::deque<std::function<void()>> actions;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void RunQueued(const std::shared_ptr<Queue>& queue);

    UniqueWindow window_;
    DWORD uiThreadId_ = 0;
    std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
};

}  // namespace velora::win32
