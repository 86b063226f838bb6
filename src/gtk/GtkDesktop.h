#pragma once
// The desktop on Linux: monitors through GDK, message boxes through GTK,
// the desktop's URI handler for pages and files, start at log-on as an
// autostart entry, and the connection state from GNetworkMonitor.

#include "platform/Desktop.h"

namespace velora::gtk {

class GtkDesktop : public platform::Desktop {
public:
    // `configFolder`: the user's configuration folder, holding "autostart/".
    explicit GtkDesktop(std::string configFolder);

    int MonitorCount() const override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    platform::Rect WorkArea() const override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    // The desktop's default handler for the address (a file path is made a
    // file address first); 42 on success, 2 when nothing took it. The verb
    // has no meaning here.
    std::intptr_t ShellOpen(const std::string& target, const std::string& verb) override;
    // The service's installer is a Windows program.
    bool RunsInstallers() const override { return false; }
    // The autostart entry starts the program when the user logs in.
    bool AutostartsAtLogIn() const override { return true; }
    // The window manager places other programs' windows.
    bool CanPlaceOtherWindows() const override { return false; }
    platform::WindowHandle ForegroundWindow() const override { return 0; }
    void MoveWindow(platform::WindowHandle, int, int, int, int) override {}
    std::unique_ptr<platform::DelayedCall> CallLater(int milliseconds, std::function<void()> work) override;
    // The Run value of the program is its autostart entry; other names have
    // none on this desktop.
    void SetRunValue(const std::string& name, const std::string& data) override;
    void DeleteRunValue(const std::string& name) override;
    bool InternetConnected() const override;

    std::string AutostartFile() const;

private:
    std::string configFolder_;
};

}  // namespace velora::gtk
