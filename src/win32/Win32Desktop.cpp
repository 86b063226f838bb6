#include "win32/Win32Desktop.h"

#include <windows.h>
#include <shellapi.h>
#include <wininet.h>

#include "win32/WideText.h"
#include "win32/Win32DelayedCall.h"
#include "win32/Win32Application.h"
#include "win32/raii/OleOnDemand.h"
#include "win32/raii/RegistryKey.h"

namespace velora::win32 {

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

HWND ApplicationWindow() {
    auto* application = Win32Application::Current();
    return application ? application->Handle() : nullptr;
}

// The first monitor the system enumerates: the one whose size centres the
// main window when there are several.
SIZE FirstMonitorSize() {
    SIZE size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetSystemMetrics(SM_CMONITORS) < 2) return size;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT rect, LPARAM result) -> BOOL {
            *reinterpret_cast<SIZE*>(result) = {rect->right - rect->left, rect->bottom - rect->top};
            return FALSE;  // the first one is all we need
        },
        reinterpret_cast<LPARAM>(&size));
    return size;
}

}  // namespace

int Win32Desktop::MonitorCount() const { return GetSystemMetrics(SM_CMONITORS); }
int Win32Desktop::ScreenWidth() const { return FirstMonitorSize().cx; }
int Win32Desktop::ScreenHeight() const { return FirstMonitorSize().cy; }

platform::Rect Win32Desktop::WorkArea() const {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32Desktop::ShowMessage(const std::string& text, const std::string& caption) {
    MessageBoxW(ApplicationWindow(), Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
}

// The shell's handlers may need COM on the calling thread.
std::intptr_t Win32Desktop::ShellOpen(const std::string& target, const std::string& verb) {
    OleOnDemand::Ensure();
    const std::wstring wideVerb = Widen(verb);
    const HINSTANCE result = ShellExecuteW(ApplicationWindow(), verb.empty() ? nullptr : wideVerb.c_str(),
                                           Widen(target).c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<std::intptr_t>(result);
}

platform::WindowHandle Win32Desktop::ForegroundWindow() const {
    return reinterpret_cast<platform::WindowHandle>(GetForegroundWindow());
}

void Win32Desktop::MoveWindow(platform::WindowHandle window, int x, int y, int width, int height) {
    ::MoveWindow(reinterpret_cast<HWND>(window), x, y, width, height, TRUE);
}

std::unique_ptr<platform::DelayedCall> Win32Desktop::CallLater(int milliseconds, std::function<void()> work) {
    return CallOnThreadTimer(milliseconds, std::move(work));
}

void Win32Desktop::SetRunValue(const std::string& name, const std::string& data) {
    const RegistryKey key = CreateRegistryKey(HKEY_CURRENT_USER, kRunKey, KEY_SET_VALUE);
    if (!key) return;
    const std::wstring value = Widen(data);
    RegSetValueExW(key.Get(), Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void Win32Desktop::DeleteRunValue(const std::string& name) {
    const RegistryKey key = CreateRegistryKey(HKEY_CURRENT_USER, kRunKey, KEY_SET_VALUE);
    if (!key) return;
    RegDeleteValueW(key.Get(), Widen(name).c_str());  // a missing value is no error
}

bool Win32Desktop::InternetConnected() const {
    DWORD flags = 0;  // the kinds of connection are not looked at
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace velora::win32
