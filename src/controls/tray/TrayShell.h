#pragma once
// What the tray icon needs of the system: the shell's notification area, the
// timers and the popup menu on the icon's hidden window, and the few things
// it does to the application's window. The rules of when to do what are in
// TrayIconLogic; the Windows side does the calls.

#include <string>

#include "component/Events.h"
#include "controls/TrayIcon.h"

namespace velora::controls {

// The file version (major, minor) of the shell's library.
struct ShellVersion {
    int major = 0;
    int minor = 0;
    // From 5.0 on the shell takes longer tips, knows the set-version call and
    // reports right clicks as context-menu notifications.
    bool IsAtLeast5() const { return major >= 5; }
};

struct TrayPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TrayPoint&) const = default;
};

// Which image the icon shows.
enum class TrayImageSource { ImageListEntry, Icon, ApplicationIcon };
struct TrayImage {
    TrayImageSource source = TrayImageSource::ApplicationIcon;
    int index = 0;  // the image-list entry, for ImageListEntry
    TIcon icon;     // for Icon
    bool operator==(const TrayImage&) const = default;
};

// Shell_NotifyIcon operations and the flags saying which fields count.
enum class TrayOperation { Add = 0, Modify = 1, Delete = 2 };
inline constexpr unsigned kTrayFlagMessage = 1;
inline constexpr unsigned kTrayFlagIcon = 2;
inline constexpr unsigned kTrayFlagTip = 4;

// The notification record the shell is handed, beside the fixed parts (the
// hidden window, icon id 1 and the callback message).
struct TrayRecord {
    TrayImage image;
    std::string tip;
    int version = 0;  // 3 on shells from 5.0 on
};

// The timers on the hidden window.
inline constexpr int kAnimationTimer = 1;
inline constexpr int kBalloonTimer = 2;
inline constexpr int kClickTimer = 3;

// The callback message and the events it carries as its second parameter.
inline constexpr unsigned kTrayCallbackMessage = 0x0401;
namespace tray_event {
inline constexpr unsigned kContextMenu = 0x007B;
inline constexpr unsigned kMouseMove = 0x0200;
inline constexpr unsigned kLeftDown = 0x0201, kLeftUp = 0x0202, kLeftDoubleClick = 0x0203;
inline constexpr unsigned kRightDown = 0x0204, kRightUp = 0x0205, kRightDoubleClick = 0x0206;
inline constexpr unsigned kMiddleDown = 0x0207, kMiddleUp = 0x0208, kMiddleDoubleClick = 0x0209;
inline constexpr unsigned kKeySelect = 0x0401;
}  // namespace tray_event

class TrayShell {
public:
    virtual ~TrayShell() = default;

    // Add, modify or delete the icon; false when the shell refuses.
    virtual bool NotifyIcon(TrayOperation operation, unsigned flags, const TrayRecord& record) = 0;
    // The set-version call (operation 4) with the record's version.
    virtual bool SetIconVersion(const TrayRecord& record) = 0;
    virtual ShellVersion Version() const = 0;

    // Timer n of the hidden window; starting a running one restarts it.
    virtual void StartTimer(int timer, unsigned intervalMs) = 0;
    virtual void StopTimer(int timer) = 0;
    virtual unsigned DoubleClickTime() const = 0;
    virtual TrayPoint CursorPosition() const = 0;
    virtual component::TShiftState ShiftState() const = 0;

    // Makes the hidden window the foreground window, so the menu closes when
    // the user clicks elsewhere.
    virtual void MakeHiddenWindowForeground() = 0;
    // Shows the menu at `at` and waits until it closes; the entry the user
    // chose, if any. Its click is the caller's business.
    virtual TMenuItem* TrackPopupMenu(TPopupMenu& menu, TrayPoint at) = 0;
    // Posts the null message to the hidden window.
    virtual void PostNullMessage() = 0;

    // Every message to the application's window passes the tray icon first;
    // a minimise command reaches TrayIconLogic::ApplicationMinimizing.
    virtual void InstallApplicationHook() = 0;
    virtual void RemoveApplicationHook() = 0;
    // Keeps the main window from showing when the message loop starts and
    // hides the application's window (its taskbar button) without the
    // system's minimise animation.
    virtual void HideApplicationWindow() = 0;
    virtual bool ApplicationMinimized() const = 0;
    virtual void MinimizeApplication() = 0;
    // The caption animation from the main window toward the notification area.
    virtual void AnimateMainWindowToTray() = 0;
    // Asks to be left out of the task list, where the system offers that.
    virtual void RegisterServiceProcess() = 0;
};

}  // namespace velora::controls
