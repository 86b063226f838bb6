#pragma once

#include "platform/Desktop.h"

namespace velora::win32 {

// Screen metrics, message boxes, the shell, the Run key and the connection
// state through the Windows API.
class Win32Desktop final : public platform::Desktop {
public:
    int MonitorCount() const override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    platform::Rect WorkArea() const override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    std::intptr_t ShellOpen(const std::string& target, const std::string& verb) override;
    platform::WindowHandle ForegroundWindow() const override;
    void MoveWindow(platform::WindowHandle window, int x, int y, int width, int height) override;
    std::unique_ptr<platform::DelayedCall> CallLater(int milliseconds, std::function<void()> work) override;
    void SetRunValue(const std::string& name, const std::string& data) override;
    void DeleteRunValue(const std::string& name) override;
    bool InternetConnected() const override;
};

}  // namespace velora::win32
