#pragma once
// The tray icon on Windows: a hidden message window of class
// "TTrayMessageWindow" that receives the shell's notifications, the timers
// and "TaskbarCreated", the Shell_NotifyIcon calls and the popup menu. What
// to do when is TrayIconLogic's; the notifications reach it through
// TrayMessageMapper, and the application's window is TrayApplicationWindow's.

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string_view>

#include "controls/tray/TrayIconLogic.h"
#include "win32/Win32ControlPeer.h"
#include "win32/raii/Icons.h"
#include "win32/raii/UniqueWindow.h"
#include "win32/tray/ShellVersion.h"
#include "win32/tray/TrayApplicationWindow.h"
#include "win32/tray/TrayMessages.h"

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

    HWND MessageWindow() const { return window_.Get(); }
    const controls::TrayIconLogic& Logic() const { return logic_; }
    const TrayApplicationWindow& ApplicationWindow() const { return applicationWindow_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    UniqueWindow CreateMessageWindow();
    HICON ApplicationIcon() const;
    // The icon to show, loaded at the size the notification area asks for;
    // the peer keeps it until another one is needed.
    HICON IconFor(const controls::TrayImage& image);
    bool Notify(DWORD operation, UINT flags, const controls::TrayRecord& record);

    bool AddIcon(const controls::TrayRecord& record) override;
    void ShowImage(const controls::TrayRecord& record) override;
    void ShowTip(const controls::TrayRecord& record) override;
    void RemoveIcon() override;
    controls::TrayTipRules TipRules() const override { return TipRulesFor(shell_); }
    void StartTimer(controls::TrayTimer timer, unsigned intervalMs) override;
    void StopTimer(controls::TrayTimer timer) override;
    unsigned DoubleClickTime() const override;
    controls::TMenuItem* ShowMenu(controls::TPopupMenu& menu, controls::TrayPoint at) override;

    HINSTANCE instance_;
    HWND applicationWindowHandle_;
    ShellVersion shell_;
    UINT taskbarCreated_;
    UniqueWindow window_;
    OwnedIcon icon_;
    int iconResource_ = 0;
    UINT iconDpi_ = 0;
    controls::TrayIconLogic logic_;
    TrayMessageMapper messages_;
    TrayApplicationWindow applicationWindow_;
};

// For the form's window: the peer of a TTrayIcon; nullptr for any other
// component.
std::unique_ptr<Win32ControlPeer> CreateTrayIconPeer(component::TComponent& component, Win32PeerContext& context);

}  // namespace velora::win32
