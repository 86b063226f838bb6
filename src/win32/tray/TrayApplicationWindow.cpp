#include "win32/tray/TrayApplicationWindow.h"

#include <algorithm>
#include <vector>

#include "controls/Form.h"
#include "win32/ErrorDisplay.h"
#include "win32/SystemFunction.h"
#include "win32/Win32FormPeer.h"

namespace velora::win32 {

namespace {

// The application window's subclass: every message passes here first, and a
// minimise command goes to the tray icons that watch for it before the
// window's own procedure sees it.
struct ApplicationHook {
    HWND window = nullptr;
    WNDPROC previous = nullptr;
    std::vector<TrayApplicationWindow*> watchers;
};

ApplicationHook& TheApplicationHook() {
    static ApplicationHook hook;
    return hook;
}

LRESULT CALLBACK ApplicationHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ApplicationHook& hook = TheApplicationHook();
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
        try {
            const std::vector<TrayApplicationWindow*> watchers = hook.watchers;
            for (TrayApplicationWindow* watcher : watchers) watcher->ApplicationMinimizing();
        } catch (...) {
            ShowException(std::current_exception());
        }
    }
    if (!hook.previous) return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(hook.previous, window, message, wParam, lParam);
}

void WatchApplicationWindow(HWND window, TrayApplicationWindow& watcher) {
    ApplicationHook& hook = TheApplicationHook();
    // Still subclassed from an earlier watcher (or someone subclassed on top
    // of us, so it could not be undone): hooking again would loop.
    if (hook.window != window) {
        hook.window = window;
        hook.previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ApplicationHookProc)));
    }
    hook.watchers.push_back(&watcher);
}

void UnwatchApplicationWindow(TrayApplicationWindow& watcher) {
    ApplicationHook& hook = TheApplicationHook();
    std::erase(hook.watchers, &watcher);
    if (!hook.watchers.empty() || !hook.window) return;
    const bool oursOnTop = IsWindow(hook.window) && GetWindowLongPtrW(hook.window, GWLP_WNDPROC) ==
                                                        reinterpret_cast<LONG_PTR>(&ApplicationHookProc);
    if (oursOnTop) SetWindowLongPtrW(hook.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.previous));
    if (oursOnTop || !IsWindow(hook.window)) hook = ApplicationHook{};
}

// Only Windows versions of long ago have the function; elsewhere the process
// stays in the task list.
void RegisterServiceProcess() {
    using Function = DWORD(WINAPI*)(DWORD processId, DWORD type);
    static const Function registerServiceProcess = FindFunction<Function>(L"kernel32.dll", "RegisterServiceProcess");
    if (registerServiceProcess) registerServiceProcess(GetCurrentProcessId(), 1);
}

}  // namespace

TrayApplicationWindow::TrayApplicationWindow(HWND applicationWindow, const Win32FormPeer* formPeer,
                                             const controls::TrayIconLogic& logic)
    : applicationWindow_(applicationWindow), formPeer_(formPeer), logic_(logic) {}

TrayApplicationWindow::~TrayApplicationWindow() {
    if (watching_) UnwatchApplicationWindow(*this);
}

void TrayApplicationWindow::Loaded() {
    const controls::TTrayIcon* tray = logic_.Tray();
    if (tray == nullptr) return;
    ActiveChanged();
    const controls::TTrayVisibilities visibility = tray->Visibility();
    if (!visibility.Contains(controls::tvVisibleTaskBar)) {
        HideApplicationWindow();
        hiddenSinceStart_ = true;
    }
    if (!visibility.Contains(controls::tvVisibleTaskList)) RegisterServiceProcess();
}

void TrayApplicationWindow::ActiveChanged() {
    const controls::TTrayIcon* tray = logic_.Tray();
    const bool wanted = tray != nullptr && tray->Active();
    if (wanted == watching_) return;
    if (wanted) {
        WatchApplicationWindow(applicationWindow_, *this);
    } else {
        UnwatchApplicationWindow(*this);
    }
    watching_ = wanted;
}

void TrayApplicationWindow::ApplicationMinimizing() {
    controls::TTrayIcon* tray = logic_.Tray();
    if (tray == nullptr) return;
    if (tray->Visibility().Contains(controls::tvAutoHide) && tray->Active()) HideToTray(*tray);
}

// With the application hidden since the start (the program's case) only the
// application's window is hidden again; the minimise that follows is the
// application window's own.
void TrayApplicationWindow::HideToTray(controls::TTrayIcon& tray) {
    controls::TTrayVisibilities visibility = tray.Visibility();
    if (!hiddenSinceStart_ && IsIconic(applicationWindow_) == FALSE) {
        auto* mainWindow = dynamic_cast<controls::TForm*>(tray.Owner());
        if (tray.Snap() && mainWindow != nullptr) {
            if (visibility.Contains(controls::tvAnimateToTray)) AnimateMainWindowToTray();
            mainWindow->Hide();
        }
        ShowWindow(applicationWindow_, SW_MINIMIZE);
    }
    HideApplicationWindow();
    visibility.Exclude(controls::tvVisibleTaskBar);
    tray.SetVisibility(visibility);
}

// The start-up never shows the main window on its own and the program has
// no stay-on-top windows, so what is left is to hide the application's
// window (its taskbar button) without the minimise animation. A window that
// is not shown has no button to hide: activating it would only take the
// activation for an invisible window (and start the input method's
// machinery for it, a good part of the start's CPU under Wine).
void TrayApplicationWindow::HideApplicationWindow() {
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

// The caption animation from the main window toward the notification area.
void TrayApplicationWindow::AnimateMainWindowToTray() {
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    HWND notificationArea = taskbar ? FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr) : nullptr;
    const HWND formWindow = formPeer_ ? formPeer_->Handle() : nullptr;
    if (!formWindow || !notificationArea) return;
    RECT from{}, to{};
    GetWindowRect(formWindow, &from);
    GetWindowRect(notificationArea, &to);
    DrawAnimatedRects(formWindow, IDANI_CAPTION, &from, &to);
}

}  // namespace velora::win32
