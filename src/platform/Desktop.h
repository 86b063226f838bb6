#pragma once
// What the program asks of the desktop: screen and work-area sizes, user
// notices, the shell, start at log-on, and the connection state. (A
// downloaded installer is started by its verifier, which holds the file.)

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace velora::platform {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A window of another program, as the system names it (0: none).
using WindowHandle = std::uintptr_t;

// A call the user-interface thread makes later; dropping it before then
// cancels it. It may be dropped from within its own call.
class DelayedCall {
public:
    virtual ~DelayedCall() = default;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual int MonitorCount() const = 0;
    // Width and height of the first monitor, or of the screen when there is one.
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
    // The screen minus the taskbar.
    virtual Rect WorkArea() const = 0;

    // A message box with the caption and one OK button; returns when closed.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;

    // The shell's default action ("open" when verb is empty) on a URL or
    // file, with the application window as owner. Returns the shell's
    // result: greater than 32 means success.
    virtual std::intptr_t ShellOpen(const std::string& target, const std::string& verb) = 0;
    // Whether the service's installer (a Windows program) can be started
    // here to update the program; where it cannot, the user is sent to the
    // service's download page instead.
    virtual bool RunsInstallers() const { return true; }
    // Whether the start at log-on comes with logging in to the desktop
    // rather than with Windows: the options dialog's check box says so.
    virtual bool AutostartsAtLogIn() const { return false; }

    // Whether the program may find and place another program's window (the
    // system's browser). Where the window manager alone places windows, the
    // program leaves them where they appear.
    virtual bool CanPlaceOtherWindows() const { return true; }
    virtual WindowHandle ForegroundWindow() const = 0;
    virtual void MoveWindow(WindowHandle window, int x, int y, int width, int height) = 0;
    // Calls `work` on the user-interface thread once `milliseconds` have
    // passed; messages go on being handled meanwhile.
    [[nodiscard]] virtual std::unique_ptr<DelayedCall> CallLater(int milliseconds, std::function<void()> work) = 0;

    // The value `name` under the current user's Run key: written as a
    // string, or deleted. A key that cannot be opened leaves things as they are.
    virtual void SetRunValue(const std::string& name, const std::string& data) = 0;
    virtual void DeleteRunValue(const std::string& name) = 0;

    // The system's answer whether an Internet connection exists.
    virtual bool InternetConnected() const = 0;
};

}  // namespace velora::platform
