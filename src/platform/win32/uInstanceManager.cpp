#include "platform/win32/uInstanceManager.h"

#include <cstring>
#include <exception>
#include <stdexcept>

#include "app/InstanceHandOver.h"
#include "platform/win32/ErrorDisplay.h"

namespace velora::win32 {


namespace {

constexpr char kClassName[] = "TInstanceManager";
// Also the mutex's name; without a namespace prefix both belong to the log-on.
constexpr char kInstanceName[] = "veloraTray";
constexpr DWORD kHandOverWaitMs = 5000;

HWND instanceWindow = nullptr;
// Open until the process ends, so the mutex exists while any instance runs.
HANDLE instanceMutex = nullptr;

[[noreturn]] void FailWith(DWORD error) { throw std::runtime_error(LastErrorText(error)); }

LRESULT CALLBACK ReceiveHandOver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    // The command line handed over is not looked at: every second start gets
    // the same reaction.
    try {
        app::ReceiveSecondInstance();
    } catch (...) {
        ShowException(std::current_exception());
    }
    return 1;
}

// The mutex is given back on every way out of the check, a failure included,
// so that a failed start does not leave it abandoned for the next one.
class MutexRelease {
public:
    explicit MutexRelease(HANDLE mutex) : mutex_(mutex) {}
    ~MutexRelease() { ReleaseMutex(mutex_); }
    MutexRelease(const MutexRelease&) = delete;
    MutexRelease& operator=(const MutexRelease&) = delete;

private:
    HANDLE mutex_;
};

// Sends this process's command line to the running instance and waits for
// its answer, however long it takes. True when the instance took it over.
bool HandOverCommandLine() {
    const HWND running = FindWindowA(kClassName, kInstanceName);
    if (!running) FailWith(GetLastError());
    char* commandLine = GetCommandLineA();
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(std::strlen(commandLine));
    data.lpData = commandLine;
    return SendMessageA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) > 0;
}

}  // namespace

InstanceCheck RunInstanceCheck(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ReceiveHandOver;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) FailWith(GetLastError());

    SetLastError(ERROR_SUCCESS);
    instanceMutex = CreateMutexA(nullptr, TRUE, kInstanceName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another instance runs; it holds the mutex while it creates its window.
        bool handed = true;
        MutexRelease release(instanceMutex);
        // A time-out or a mutex abandoned by an instance that died: end
        // without handing over.
        if (WaitForSingleObject(instanceMutex, kHandOverWaitMs) == WAIT_OBJECT_0) handed = HandOverCommandLine();
        return handed ? InstanceCheck::HandedOver : InstanceCheck::GoOn;
    }

    // The first instance: owns the mutex since its creation until the window
    // exists, so later starts find the window once they get the mutex.
    MutexRelease release(instanceMutex);
    instanceWindow =
        CreateWindowExA(0, kClassName, kInstanceName, 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!instanceWindow) FailWith(GetLastError());
    return InstanceCheck::GoOn;
}

HWND InstanceWindow() { return instanceWindow; }

void DestroyInstanceWindow() {
    if (instanceWindow) DestroyWindow(instanceWindow);
    instanceWindow = nullptr;
}

}  // namespace velora::win32
