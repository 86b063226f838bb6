#pragma once
// A desktop that records what the program asks of it.

#include <map>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace velora::fakes {

class FakeDesktop : public platform::Desktop {
public:
    struct Move {
        platform::WindowHandle window;
        int x, y, width, height;
    };

    int MonitorCount() const override { return monitors; }
    int ScreenWidth() const override { return screenWidth; }
    int ScreenHeight() const override { return screenHeight; }
    platform::Rect WorkArea() const override { return workArea; }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + ": " + text);
    }
    std::intptr_t ShellOpen(const std::string& target, const std::string& verb) override {
        opened.push_back(verb.empty() ? target : verb + " " + target);
        return shellResult;
    }
    bool CanPlaceOtherWindows() const override { return placesWindows; }
    bool RunsInstallers() const override { return runsInstallers; }
    bool AutostartsAtLogIn() const override { return autostartsAtLogIn; }
    platform::WindowHandle ForegroundWindow() const override {
        const size_t i = foregroundQueries++;
        return i < foreground.size() ? foreground[i] : (foreground.empty() ? 0 : foreground.back());
    }
    void MoveWindow(platform::WindowHandle window, int x, int y, int width, int height) override {
        moves.push_back({window, x, y, width, height});
    }
    void Pause(int milliseconds) override { pauses.push_back(milliseconds); }
    void SetRunValue(const std::string& name, const std::string& data) override { runValues[name] = data; }
    void DeleteRunValue(const std::string& name) override { runValues.erase(name); }
    bool InternetConnected() const override { return connected; }

    int monitors = 1;
    int screenWidth = 1024;
    int screenHeight = 768;
    platform::Rect workArea{0, 0, 1024, 740};
    std::intptr_t shellResult = 42;
    std::vector<platform::WindowHandle> foreground;  // answers in turn; the last repeats
    mutable size_t foregroundQueries = 0;
    bool placesWindows = true;
    bool runsInstallers = true;
    bool autostartsAtLogIn = false;
    bool connected = true;

    std::vector<std::string> messages;
    std::vector<std::string> opened;
    std::vector<Move> moves;
    std::vector<int> pauses;
    std::map<std::string, std::string> runValues;
};

}  // namespace velora::fakes
