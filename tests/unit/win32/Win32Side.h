#pragma once
// The Windows side for the contracts of tests/unit/platform/: the WinInet
// client, the dispatcher through a hidden window, and this thread's message
// loop.
#ifdef _WIN32

#include <windows.h>

#include <functional>
#include <memory>

#include "win32/Win32DelayedCall.h"
#include "win32/Win32HttpClient.h"
#include "win32/Win32UiThreadDispatcher.h"

namespace velora::win32::testing {

struct Win32Side {
    using Dispatcher = Win32UiThreadDispatcher;
    static std::shared_ptr<platform::HttpClient> Client() { return std::make_shared<Win32HttpClient>(); }
    static void RunQueuedWork() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    static std::unique_ptr<platform::DelayedCall> CallLater(int milliseconds, std::function<void()> work) {
        return CallOnThreadTimer(milliseconds, std::move(work));
    }
    static void WaitForWork() { MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT); }
};

}  // namespace velora::win32::testing

#endif  // _WIN32
