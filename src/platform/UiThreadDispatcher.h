#pragma once
// Hands work from another thread to the user-interface thread, which runs it
// from its message loop: either while the calling thread waits, or queued
// while it goes on.

#include <functional>

namespace velora::platform {

class UiThreadDispatcher {
public:
    virtual ~UiThreadDispatcher() = default;

    // Runs `action` on the user-interface thread and returns once it has run;
    // called on that thread itself, runs it at once. Returns false without
    // running it when the user-interface thread takes no more requests.
    // `action` must not throw.
    virtual bool RunOnUiThread(const std::function<void()>& action) = 0;
    // Queues `action` for the user-interface thread's message loop and
    // returns at once, on that thread too. Queued actions run in the order
    // they came, though an action handed over with RunOnUiThread may run
    // before one queued earlier. Returns false, and drops the action, when
    // the user-interface thread takes no more requests. `action` must not throw.
    virtual bool PostToUiThread(std::function<void()> action) = 0;
};

}  // namespace velora::platform
