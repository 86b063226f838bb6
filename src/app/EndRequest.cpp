#include "app/EndRequest.h"

#include "app/Application.h"

namespace velora::app {

std::function<void()>& OnEndRequested() {
    static std::function<void()> hook;
    return hook;
}

void RequestEnd() {
    // A copy: the hook may replace itself while it runs.
    if (const auto hook = OnEndRequested()) {
        hook();
    } else if (Application) {
        Application->Terminate();
    }
}

}  // namespace velora::app
