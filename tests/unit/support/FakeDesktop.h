#pragma once
// A desktop that records what the program asks of it.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace velora::fakes {

class FakeDesktop : public platform::Desktop {
    struct Later {
        explicit Later(std::function<void()> call) : work(std::move(call)) {}
        std::function<void()> work;
        bool cancelled = false;
    };
    struct LaterHandle final : platform::DelayedCall {
        explicit LaterHandle(std::shared_ptr<Later> call) : call_(std::move(call)) {}
        ~LaterHandle() override { call_->cancelled = true; }
        std::shared_ptr<Later> call_;
    };

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
    std::unique_ptr<platform::DelayedCall> CallLater(int milliseconds, std::function<void()> work) override {
        delays.push_back(milliseconds);
        auto call = std::make_shared<Later>(std::move(work));
        later.push_back(call);
        return std::make_unique<LaterHandle>(call);
    }
    // Runs every call asked for and not cancelled, those they ask for too,
    // in order; answers how many ran.
    int RunDelayedCalls() {
        int ran = 0;
        for (size_t i = 0; i < later.size(); ++i) {
            const std::shared_ptr<Later> call = later[i];
            if (call->cancelled || !call->work) continue;
            auto work = std::move(call->work);
            call->work = nullptr;
            work();
            ++ran;
        }
        return ran;
    }
    size_t PendingDelayedCalls() const {
        size_t pending = 0;
        for (const auto& call : later) pending += !call->cancelled && call->work ? 1 : 0;
        return pending;
    }
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
    std::vector<std::shared_ptr<Later>> later;
    std::vector<int> delays;  // of every CallLater, in order
    std::map<std::string, std::string> runValues;
};

}  // namespace velora::fakes
