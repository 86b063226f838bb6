#include "win32/Win32TrayIcon.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win32/ErrorDisplay.h"
#include "win32/Win32FormPeer.h"
#include "win32/ProgramIcon.h"
#include "win32/ScreenDensity.h"
#include "win32/SystemErrorText.h"
#include "win32/SystemFunction.h"
#include "win32/WideText.h"
#include "win32/Win32Application.h"
#include "win32/WindowClass.h"
#include "win32/controls/NativePopupMenu.h"
#include "controls/Menus.h"

namespace velora::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TTrayMessageWindow";
constexpr UINT kIconId = 1;

// The shell library's DllGetVersion answers with the major and minor number
// of its file version.
controls::ShellVersion ReadShellVersion() {
    controls::ShellVersion version;
    if (auto getVersion = FindFunction<DLLGETVERSIONPROC>(L"shell32.dll", "DllGetVersion")) {
        DLLVERSIONINFO info{};
        info.cbSize = sizeof info;
        if (SUCCEEDED(getVersion(&info))) {
            version.major = static_cast<int>(info.dwMajorVersion);
            version.minor = static_cast<int>(info.dwMinorVersion);
        }
    }
    return version;
}

// The application window's subclass: every message passes here first, and a
// minimise command goes to the tray icons that watch for it before the
// window's own procedure sees it.
struct ApplicationHook {
    HWND window = nullptr;
    WNDPROC previous = nullptr;
    std::vector<controls::TrayIconLogic*> watchers;
};

ApplicationHook& TheApplicationHook() {
    static ApplicationHook hook;
    return hook;
}

LRESULT CALLBACK ApplicationHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ApplicationHook& hook = TheApplicationHook();
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
        try {
            const std::vector<controls::TrayIconLogic*> watchers = hook.watchers;
            for (controls::TrayIconLogic* logic : watchers) logic->ApplicationMinimizing();
        } catch (...) {
            ShowException(std::current_exception());
        }
    }
    if (!hook.previous) return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(hook.previous, window, message, wParam, lParam);
}

void WatchApplicationWindow(HWND window, controls::TrayIconLogic& logic) {
    ApplicationHook& hook = TheApplicationHook();
    // Still subclassed from an earlier watcher (or someone subclassed on top
    // of us, so it could not be undone): hooking again would loop.
    if (hook.window != window) {
        hook.window = window;
        hook.previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ApplicationHookProc)));
    }
    hook.watchers.push_back(&logic);
}

void UnwatchApplicationWindow(controls::TrayIconLogic& logic) {
    ApplicationHook& hook = TheApplicationHook();
    std::erase(hook.watchers, &logic);
    if (!hook.watchers.empty() || !hook.window) return;
    const bool oursOnTop = IsWindow(hook.window) && GetWindowLongPtrW(hook.window, GWLP_WNDPROC) ==
                                                        reinterpret_cast<LONG_PTR>(&ApplicationHookProc);
    if (oursOnTop) SetWindowLongPtrW(hook.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.previous));
    if (oursOnTop || !IsWindow(hook.window)) hook = ApplicationHook{};
}

}  // namespace

Win32TrayIconPeer::Win32TrayIconPeer(controls::TTrayIcon& tray, Win32PeerContext& context)
    : Win32TrayIconPeer(tray, context.application, &context.formPeer) {}

Win32TrayIconPeer::Win32TrayIconPeer(controls::TTrayIcon& tray, Win32Application& application,
                                     const Win32FormPeer* formPeer)
    : instance_(application.Instance()),
      applicationWindow_(application.Handle()),
      formPeer_(formPeer),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      window_(CreateMessageWindow()),
      logic_(tray, *this) {
    // Only now may the window's messages reach the logic.
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    logic_.Loaded();
}

Win32TrayIconPeer::~Win32TrayIconPeer() {
    logic_.Destroy();
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

HWND Win32TrayIconPeer::CreateMessageWindow() {
    // Registered once per process; a class of that name with another window
    // procedure (left by another module) is replaced.
    RegisterWindowClass({.name = kWindowClass, .procedure = &Win32TrayIconPeer::WindowProc, .instance = instance_});
    // A hidden top-level window rather than a message-only one: the shell's
    // broadcasts ("TaskbarCreated", the end of the session) reach only those.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance_, nullptr);
    if (!window) ThrowLastError();
    return window;
}

void Win32TrayIconPeer::PropertyChanged(std::string_view property) { logic_.PropertyChanged(property); }

LRESULT CALLBACK Win32TrayIconPeer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* peer = reinterpret_cast<Win32TrayIconPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!peer) return DefWindowProcW(window, message, wParam, lParam);
    // The window is hidden: the error box has no owner.
    return HandleShowingErrors(nullptr, [&] { return peer->HandleMessage(message, wParam, lParam); });
}

LRESULT Win32TrayIconPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == controls::kTrayCallbackMessage) {
        logic_.Notify(LOWORD(lParam));
        return 0;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        logic_.TaskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_TIMER: logic_.TimerFired(static_cast<int>(wParam)); return 0;
        case WM_QUERYENDSESSION: return logic_.QueryEndSession() ? 1 : 0;
        case WM_ENDSESSION: logic_.EndSession(wParam != 0); return 0;
        default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

HICON Win32TrayIconPeer::ApplicationIcon() const {
    // The icon the application window's class carries: the program's own.
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(applicationWindow_, GCLP_HICON));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

HICON Win32TrayIconPeer::IconFor(const controls::TrayImage& image) {
    // The program's forms carry no image lists, so an image-list entry shows
    // the application's icon as well.
    const bool ownResource =
        image.source == controls::TrayImageSource::Icon && image.icon.source == controls::TIconSource::Resource;
    const int resourceId = ownResource ? image.icon.resourceId : kProgramIconId;
    // The notification area draws its icons at the small-icon size of the
    // taskbar's screen, where the hidden window stands too.
    const UINT dpi = WindowDpi(window_);
    if (!icon_ || iconResource_ != resourceId || iconDpi_ != dpi) {
        icon_ = LoadIconForDpi(instance_, resourceId, SM_CXSMICON, dpi);
        iconResource_ = resourceId;
        iconDpi_ = dpi;
    }
    return icon_ ? icon_.Get() : ApplicationIcon();
}

bool Win32TrayIconPeer::NotifyIcon(controls::TrayOperation operation, unsigned flags,
                                   const controls::TrayRecord& record) {
    NOTIFYICONDATAW data{};
    // The record as shells from 5.0 on know it (a tip of 128 characters and
    // the version field), without the later fields the program does not use:
    // the wide form of the 488-byte record, which every later shell accepts.
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = controls::kTrayCallbackMessage;
    data.hIcon = IconFor(record.image);
    const std::wstring tip = Widen(record.tip);
    const size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
    std::copy_n(tip.begin(), length, data.szTip);
    data.uVersion = static_cast<UINT>(record.version);
    const DWORD message = operation == controls::TrayOperation::Add      ? NIM_ADD
                          : operation == controls::TrayOperation::Modify ? NIM_MODIFY
                                                                   : NIM_DELETE;
    return Shell_NotifyIconW(message, &data) != FALSE;
}

bool Win32TrayIconPeer::SetIconVersion(const controls::TrayRecord& record) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window_;
    data.uID = kIconId;
    data.uVersion = static_cast<UINT>(record.version);
    return Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

controls::ShellVersion Win32TrayIconPeer::Version() const {
    static const controls::ShellVersion version = ReadShellVersion();
    return version;
}

void Win32TrayIconPeer::StartTimer(int timer, unsigned intervalMs) {
    SetTimer(window_, static_cast<UINT_PTR>(timer), intervalMs, nullptr);
}

void Win32TrayIconPeer::StopTimer(int timer) { KillTimer(window_, static_cast<UINT_PTR>(timer)); }

unsigned Win32TrayIconPeer::DoubleClickTime() const { return GetDoubleClickTime(); }

controls::TrayPoint Win32TrayIconPeer::CursorPosition() const {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

component::TShiftState Win32TrayIconPeer::ShiftState() const {
    component::TShiftState shift;
    const auto add = [&shift](int key, component::TShiftFlag flag) {
        if (GetKeyState(key) < 0) shift.Include(flag);
    };
    add(VK_SHIFT, component::ssShift);
    add(VK_MENU, component::ssAlt);
    add(VK_CONTROL, component::ssCtrl);
    add(VK_LBUTTON, component::ssLeft);
    add(VK_RBUTTON, component::ssRight);
    add(VK_MBUTTON, component::ssMiddle);
    return shift;
}

void Win32TrayIconPeer::MakeHiddenWindowForeground() { SetForegroundWindow(window_); }

controls::TMenuItem* Win32TrayIconPeer::TrackPopupMenu(controls::TPopupMenu& menu, controls::TrayPoint at) {
    const NativePopupMenu native(menu.Items());
    if (!native.Handle()) return nullptr;
    const UINT command = static_cast<UINT>(
        ::TrackPopupMenu(native.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr));
    return native.ItemOfCommand(command);
}

void Win32TrayIconPeer::PostNullMessage() { PostMessageW(window_, WM_NULL, 0, 0); }

void Win32TrayIconPeer::InstallApplicationHook() { WatchApplicationWindow(applicationWindow_, logic_); }

void Win32TrayIconPeer::RemoveApplicationHook() { UnwatchApplicationWindow(logic_); }

// The start-up never shows the main window on its own and the program has
// no stay-on-top windows, so what is left is to hide the application's
// window (its taskbar button) without the minimise animation. A window that
// is not shown has no button to hide: activating it would only take the
// activation for an invisible window (and start the input method's
// machinery for it, a good part of the start's CPU under Wine).
void Win32TrayIconPeer::HideApplicationWindow() {
    if (!IsWindowVisible(applicationWindow_)) return;
    SetActiveWindow(applicationWindow_);
    ANIMATIONINFO animation{};
    animation.cbSize = sizeof animation;
    SystemParametersInfoW(SPI_GETANIMATION, sizeof animation, &animation, 0);
    const bool animated = animation.iMinAnimate != 0;
    if (animated) {
        animation.iMinAnimate = 0;
        SystemParametersInfoW(SPI_SETANIMATION, sizeof animation, &animation, 0);
    }
    ShowWindow(applicationWindow_, SW_HIDE);
    if (animated) {
        animation.iMinAnimate = 1;
        SystemParametersInfoW(SPI_SETANIMATION, sizeof animation, &animation, 0);
    }
}

bool Win32TrayIconPeer::ApplicationMinimized() const { return IsIconic(applicationWindow_) != FALSE; }

void Win32TrayIconPeer::MinimizeApplication() { ShowWindow(applicationWindow_, SW_MINIMIZE); }

void Win32TrayIconPeer::AnimateMainWindowToTray() {
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    HWND notificationArea = taskbar ? FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr) : nullptr;
    const HWND formWindow = formPeer_ ? formPeer_->Handle() : nullptr;
    if (!formWindow || !notificationArea) return;
    RECT from{}, to{};
    GetWindowRect(formWindow, &from);
    GetWindowRect(notificationArea, &to);
    DrawAnimatedRects(formWindow, IDANI_CAPTION, &from, &to);
}

// Only Windows versions of long ago have the function; elsewhere the process
// stays in the task list.
void Win32TrayIconPeer::RegisterServiceProcess() {
    using Function = DWORD(WINAPI*)(DWORD processId, DWORD type);
    static const Function registerServiceProcess = FindFunction<Function>(L"kernel32.dll", "RegisterServiceProcess");
    if (registerServiceProcess) registerServiceProcess(GetCurrentProcessId(), 1);
}

std::unique_ptr<Win32ControlPeer> CreateTrayIconPeer(component::TComponent& component, Win32PeerContext& context) {
    auto* tray = dynamic_cast<controls::TTrayIcon*>(&component);
    if (!tray) return nullptr;
    return std::make_unique<Win32TrayIconPeer>(*tray, context);
}

}  // namespace velora::win32
