#pragma once
// The application's window as the tray icon treats it on Windows: its
// taskbar button hidden from the start and the process left out of the task
// list as the icon's Visibility asks, and while the icon is active a hook on
// the window that hides the program to the tray when it is minimised.

#include <windows.h>

#include "controls/tray/TrayIconLogic.h"

namespace velora::win32 {

class Win32FormPeer;

class TrayApplicationWindow {
public:
    // `formPeer` (may be null) is the main window's, asked for its window
    // when it is needed.
    TrayApplicationWindow(HWND applicationWindow, const Win32FormPeer* formPeer,
                          const controls::TrayIconLogic& logic);
    ~TrayApplicationWindow();
    TrayApplicationWindow(const TrayApplicationWindow&) = delete;
    TrayApplicationWindow& operator=(const TrayApplicationWindow&) = delete;

    // The form is built and the logic has placed the icon.
    void Loaded();
    // The icon's Active changed: the hook follows it.
    void ActiveChanged();
    // The application's window got the system command to minimise; it is
    // passed on to its normal handling afterwards.
    void ApplicationMinimizing();

    bool HiddenSinceStart() const { return hiddenSinceStart_; }
    bool Watching() const { return watching_; }

private:
    void HideApplicationWindow();
    void HideToTray(controls::TTrayIcon& tray);
    void AnimateMainWindowToTray();

    HWND applicationWindow_;
    const Win32FormPeer* formPeer_;
    const controls::TrayIconLogic& logic_;
    bool watching_ = false;
    bool hiddenSinceStart_ = false;
};

}  // namespace velora::win32
