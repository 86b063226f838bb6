#include "win32/Win32DelayedCall.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <utility>

#include "win32/ErrorDisplay.h"

namespace velora::win32 {

namespace {

// A thread timer's procedure gets nothing but the timer's id, and the system
// hands a killed timer's id out again: each call is also told apart by a
// number of its own, so a handle kept after its call cannot cancel a newer one.
struct PendingCall {
    std::uint64_t serial = 0;
    std::function<void()> work;
};

std::map<UINT_PTR, PendingCall>& PendingCalls() {
    static std::map<UINT_PTR, PendingCall> calls;
    return calls;
}

void CALLBACK RunPendingCall(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
    KillTimer(nullptr, timer);
    auto& calls = PendingCalls();
    const auto found = calls.find(timer);
    if (found == calls.end()) return;
    // Out of the table first: the call may drop its own handle or ask for the next.
    std::function<void()> work = std::move(found->second.work);
    calls.erase(found);
    HandleShowingErrors(nullptr, [&] {
        work();
        return LRESULT{0};
    });
}

class ThreadTimerCall final : public platform::DelayedCall {
public:
    ThreadTimerCall(UINT_PTR timer, std::uint64_t serial) : timer_(timer), serial_(serial) {}
    ~ThreadTimerCall() override {
        auto& calls = PendingCalls();
        const auto found = calls.find(timer_);
        if (found == calls.end() || found->second.serial != serial_) return;
        KillTimer(nullptr, timer_);
        calls.erase(found);
    }
    ThreadTimerCall(const ThreadTimerCall&) = delete;
    ThreadTimerCall& operator=(const ThreadTimerCall&) = delete;

private:
    UINT_PTR timer_;
    std::uint64_t serial_;
};

// Dropped at once: what a handle is when the system has no timer left.
class NoCall final : public platform::DelayedCall {};

}  // namespace

std::unique_ptr<platform::DelayedCall> CallOnThreadTimer(int milliseconds, std::function<void()> work) {
    static std::uint64_t lastSerial = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, static_cast<UINT>(milliseconds > 0 ? milliseconds : 0), &RunPendingCall);
    if (timer == 0) return std::make_unique<NoCall>();
    const std::uint64_t serial = ++lastSerial;
    PendingCalls()[timer] = PendingCall{serial, std::move(work)};
    return std::make_unique<ThreadTimerCall>(timer, serial);
}

}  // namespace velora::win32
