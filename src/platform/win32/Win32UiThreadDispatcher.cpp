#include "platform/win32/Win32UiThreadDispatcher.h"

#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WindowClass.h"

namespace velora::platform {

namespace {
constexpr wchar_t kWindowClass[] = L"VeloraUiThreadDispatcher";
constexpr UINT kRunMessage = WM_APP + 0x2A1;
}  // namespace

Win32UiThreadDispatcher::Win32UiThreadDispatcher() : uiThreadId_(GetCurrentThreadId()) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    win32::RegisterWindowClass({.name = kWindowClass, .procedure = &WindowProc, .instance = instance});
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!window_) win32::ThrowLastError();
}

Win32UiThreadDispatcher::~Win32UiThreadDispatcher() {
    // Only its own thread may destroy the window; from elsewhere it is told to close.
    if (GetCurrentThreadId() == uiThreadId_)
        DestroyWindow(window_);
    else
        PostMessageW(window_, WM_CLOSE, 0, 0);
}

bool Win32UiThreadDispatcher::RunOnUiThread(const std::function<void()>& action) {
    if (GetCurrentThreadId() == uiThreadId_) {
        action();
        return true;
    }
    // Blocks until the user-interface thread, in its message loop, has run it;
    // 0 when the window is gone.
    return SendMessageW(window_, kRunMessage, 0, reinterpret_cast<LPARAM>(&action)) != 0;
}

LRESULT CALLBACK Win32UiThreadDispatcher::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunMessage) return DefWindowProcW(window, message, wParam, lParam);
    try {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
    } catch (...) {
        // The action reports its own failures; nothing crosses the window procedure.
    }
    return 1;
}

}  // namespace velora::platform
