#pragma once
// Hands work to the user-interface thread through a hidden message-only
// window: the calling thread sends it a message, which the user-interface
// thread handles from its message loop while the sender waits.

#include <windows.h>

#include "platform/UiThreadDispatcher.h"

namespace velora::platform {

class Win32UiThreadDispatcher : public UiThreadDispatcher {
public:
    // On the user-interface thread. Throws std::runtime_error with the
    // system's text when the window cannot be created.
    Win32UiThreadDispatcher();
    // Destroyed on another thread, the window is asked to close itself.
    ~Win32UiThreadDispatcher() override;
    Win32UiThreadDispatcher(const Win32UiThreadDispatcher&) = delete;
    Win32UiThreadDispatcher& operator=(const Win32UiThreadDispatcher&) = delete;

    bool RunOnUiThread(const std::function<void()>& action) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    DWORD uiThreadId_ = 0;
};

}  // namespace velora::platform
