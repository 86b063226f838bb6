#pragma once
// Work for the main loop's next idle moment: what a D-Bus call starts runs
// once the call has been answered (it may show a message box or a menu), and
// never after its owner has gone.

#include <functional>
#include <memory>

namespace velora::gtk {

class DeferredCalls {
public:
    DeferredCalls() = default;
    ~DeferredCalls() { *alive_ = false; }
    DeferredCalls(const DeferredCalls&) = delete;
    DeferredCalls& operator=(const DeferredCalls&) = delete;

    // An exception of `action` goes to the error display.
    void Later(std::function<void()> action);

private:
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace velora::gtk
