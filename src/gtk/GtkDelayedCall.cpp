#include "gtk/GtkDelayedCall.h"

#include <glib.h>

#include <utility>

#include "gtk/controls/GtkWidgetPeer.h"

namespace velora::gtk {

namespace {

class TimeoutCall final : public platform::DelayedCall {
public:
    TimeoutCall(int milliseconds, std::function<void()> work) : work_(std::move(work)) {
        source_ = g_timeout_add(static_cast<guint>(milliseconds > 0 ? milliseconds : 0), &Run, this);
    }
    ~TimeoutCall() override {
        if (source_) g_source_remove(source_);
    }
    TimeoutCall(const TimeoutCall&) = delete;
    TimeoutCall& operator=(const TimeoutCall&) = delete;

private:
    static gboolean Run(gpointer data) {
        auto* call = static_cast<TimeoutCall*>(data);
        call->source_ = 0;
        // Taken out first: the call may drop this object.
        std::function<void()> work = std::move(call->work_);
        Guarded(work);
        return G_SOURCE_REMOVE;
    }

    std::function<void()> work_;
    guint source_ = 0;
};

}  // namespace

std::unique_ptr<platform::DelayedCall> CallOnTimeout(int milliseconds, std::function<void()> work) {
    return std::make_unique<TimeoutCall>(milliseconds, std::move(work));
}

}  // namespace velora::gtk
