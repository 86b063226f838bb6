#include "win32/uInstanceManager.h"

#include <cstring>

#include "app/InstanceHandOver.h"
#include "win32/ErrorDisplay.h"
#include "win32/SystemErrorText.h"
#include "win32/WindowClass.h"
#include "win32/raii/KernelHandles.h"
#include "win32/raii/UniqueWindow.h"

namespace velora::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TInstanceManager";
// Also the mutex's name; without a namespace prefix both belong to the log-on.
constexpr wchar_t kInstanceName[] = L"veloraTray";
constexpr DWORD kHandOverWaitMs = 5000;

UniqueWindow instanceWindow;
// Open until the process ends, so the mutex exists while any instance runs.
KernelHandle instanceMutex;

LRESULT CALLBACK ReceiveHandOver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
    // The command line handed over is not looked at: every second start gets
    // the same reaction.
    HandleShowingErrors(nullptr, [] {
        app::ReceiveSecondInstance();
        return LRESULT{0};
    });
    return 1;
}

// Sends this process's command line to the running instance and waits for
// its answer, however long it takes. True when the instance took it over.
bool HandOverCommandLine() {
    const HWND running = FindWindowW(kClassName, kInstanceName);
    if (!running) ThrowLastError();
    char* commandLine = GetCommandLineA();
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(std::strlen(commandLine));
    data.lpData = commandLine;
    return SendMessageA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) > 0;
}

}  // namespace

InstanceCheck RunInstanceCheck(HINSTANCE instance) {
    RegisterWindowClass({.name = kClassName, .procedure = &ReceiveHandOver, .instance = instance});

    SetLastError(ERROR_SUCCESS);
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, kInstanceName);
    const DWORD creation = GetLastError();
    instanceMutex.Reset(mutex);
    if (creation == ERROR_ALREADY_EXISTS) {
        // Another instance runs; it holds the mutex while it creates its window.
        bool handed = true;
        // Given back on every way out, a failure included, so that a failed
        // start does not leave the mutex abandoned for the next one.
        MutexOwnership ownership(instanceMutex.Get());
        // A time-out or a mutex abandoned by an instance that died: end
        // without handing over.
        if (WaitForSingleObject(instanceMutex.Get(), kHandOverWaitMs) == WAIT_OBJECT_0) handed = HandOverCommandLine();
        return handed ? InstanceCheck::HandedOver : InstanceCheck::GoOn;
    }

    // The first instance: owns the mutex since its creation until the window
    // exists, so later starts find the window once they get the mutex.
    MutexOwnership ownership(instanceMutex.Get());
    instanceWindow.Reset(
        CreateWindowExW(0, kClassName, kInstanceName, 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
    if (!instanceWindow) ThrowLastError();
    return InstanceCheck::GoOn;
}

HWND InstanceWindow() { return instanceWindow.Get(); }

void DestroyInstanceWindow() {
    instanceWindow.Reset();
}

}  // namespace velora::win32
