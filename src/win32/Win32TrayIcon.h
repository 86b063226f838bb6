#pragma once
// The tray icon on Windows: a hidden message window of class
// "TTrayMessageWindow" that receives the shell's notifications, the timers
// and "TaskbarCreated", the Shell_NotifyIcon calls, the popup menu, and the
// hook on the application's window. What to do when is TrayIconLogic's.

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string_view>

#include "win32/Win32ControlPeer.h"
#include "win32/raii/Icons.h"
#include "controls/tray/TrayIconLogic.h"

namespace velora::win32 {

class Win32TrayIconPeer final : public Win32ControlPeer, private controls::TrayShell {
public:
    // Creates the hidden window and, since the form is built by now, puts the
    // icon in place as the component's values ask. The form's own window may
    // come later (with the form's first showing).
    Win32TrayIconPeer(controls::TTrayIcon& tray, Win32PeerContext& context);
    // The same for a tray icon whose main window is `formPeer`'s (may be null).
    Win32TrayIconPeer(controls::TTrayIcon& tray, Win32Application& application, const Win32FormPeer* formPeer);
    ~Win32TrayIconPeer() override;
    Win32TrayIconPeer(const Win32TrayIconPeer&) = delete;
    Win32TrayIconPeer& operator=(const Win32TrayIconPeer&) = delete;

    // No child window on the form.
    HWND Handle() const override { return nullptr; }
    void PropertyChanged(std::string_view property) override;

    HWND MessageWindow() const { return window_; }
    const controls::TrayIconLogic& Logic() const { return logic_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateMessageWindow();
    HICON ApplicationIcon() const;
    // The icon to show, loaded at the size the notification area asks for;
    // the peer keeps it until another one is needed.
    HICON IconFor(const controls::TrayImage& image);

    bool NotifyIcon(controls::TrayOperation operation, unsigned flags, const controls::TrayRecord& record) override;
    bool SetIconVersion(const controls::TrayRecord& record) override;
    controls::ShellVersion Version() const override;
    void StartTimer(int timer, unsigned intervalMs) override;
    void StopTimer(int timer) override;
    unsigned DoubleClickTime() const override;
    controls::TrayPoint CursorPosition() const override;
    component::TShiftState ShiftState() const override;
    void MakeHiddenWindowForeground() override;
    controls::TMenuItem* TrackPopupMenu(controls::TPopupMenu& menu, controls::TrayPoint at) override;
    void PostNullMessage() override;
    void InstallApplicationHook() override;
    void RemoveApplicationHook() override;
    void HideApplicationWindow() override;
    bool ApplicationMinimized() const override;
    void MinimizeApplication() override;
    void AnimateMainWindowToTray() override;
    void RegisterServiceProcess() override;

    HINSTANCE instance_;
    HWND applicationWindow_;
    // The main window's, asked for its window when it is needed.
    const Win32FormPeer* formPeer_;
    UINT taskbarCreated_;
    HWND window_;
    OwnedIcon icon_;
    int iconResource_ = 0;
    UINT iconDpi_ = 0;
    controls::TrayIconLogic logic_;
};

// For the form's window: the peer of a TTrayIcon; nullptr for any other
// component.
std::unique_ptr<Win32ControlPeer> CreateTrayIconPeer(component::TComponent& component, Win32PeerContext& context);

}  // namespace velora::win32
