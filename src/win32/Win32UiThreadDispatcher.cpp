#include "win32/Win32UiThreadDispatcher.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "win32/SystemErrorText.h"
#include "win32/WindowClass.h"

namespace velora::win32 {

namespace {
constexpr wchar_t kWindowClass[] = L"VeloraUiThreadDispatcher";
constexpr UINT kRunMessage = WM_APP + 0x2A1;
constexpr UINT kQueuedMessage = WM_APP + 0x2A2;
}  // namespace

Win32UiThreadDispatcher::Win32UiThreadDispatcher() : uiThreadId_(GetCurrentThreadId()) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    win32::RegisterWindowClass({.name = kWindowClass, .procedure = &WindowProc, .instance = instance});
    window_.Reset(CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
    if (!window_) win32::ThrowLastError();
    // The window's own reference, given up when it is destroyed.
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new std::shared_ptr<Queue>(queue_)));
}

Win32UiThreadDispatcher::~Win32UiThreadDispatcher() {
    // Only its own thread may destroy the window (the owner does); from
    // elsewhere it is told to close.
    if (GetCurrentThreadId() != uiThreadId_) PostMessageW(window_.Release(), WM_CLOSE, 0, 0);
}

bool Win32UiThreadDispatcher::RunOnUiThread(const std::function<void()>& action) {
    if (GetCurrentThreadId() == uiThreadId_) {
        action();
        return true;
    }
    // Blocks until the user-interface thread, in its message loop, has run it;
    // 0 when the window is gone.
    return SendMessageW(window_.Get(), kRunMessage, 0, reinterpret_cast<LPARAM>(&action)) != 0;
}

bool Win32UiThreadDispatcher::PostToUiThread(std::function<void()> action) {
    std::lock_guard lock(queue_->mutex);
    queue_->actions.push_back(std::move(action));
    // One message stands for everything queued until the window runs it.
    if (queue_->actions.size() > 1) return true;
    if (PostMessageW(window_.Get(), kQueuedMessage, 0, 0)) return true;
    queue_->actions.clear();  // the window is gone: nothing would run them
    return false;
}

void Win32UiThreadDispatcher::RunQueued(const std::shared_ptr<Queue>& queue) {
    std::deque<std::function<void()>> actions;
    {
        std::lock_guard lock(queue->mutex);
        actions.swap(queue->actions);
    }
    for (const std::function<void()>& action : actions) {
        try {
            action();
        } catch (...) {
            // The action reports its own failures; nothing crosses the window procedure.
        }
    }
}

LRESULT CALLBACK Win32UiThreadDispatcher::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kRunMessage:
            try {
                (*reinterpret_cast<const std::function<void()>*>(lParam))();
            } catch (...) {
                // The action reports its own failures; nothing crosses the window procedure.
            }
            return 1;
        case kQueuedMessage:
            if (auto* queue = reinterpret_cast<std::shared_ptr<Queue>*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
                // A copy: an action may end the dispatcher and with it the window.
                const std::shared_ptr<Queue> kept = *queue;
                RunQueued(kept);
            }
            return 0;
        case WM_NCDESTROY:
            delete reinterpret_cast<std::shared_ptr<Queue>*>(SetWindowLongPtrW(window, GWLP_USERDATA, 0));
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace velora::win32
