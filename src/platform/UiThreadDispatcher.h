#pragma once
// Hands work from another thread to the user-interface thread, which runs it
// from its message loop while the calling thread waits.

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
};

}  // namespace velora::platform
