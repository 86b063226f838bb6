#pragma once
// Hands work from the download engine's workers to the user-interface thread:
// the work goes into the GLib main context of that thread, whose loop (the
// program's, a modal dialog's or a message box's) runs it, while the worker
// waits or, for queued work, goes on.

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/UiThreadDispatcher.h"

typedef struct _GMainContext GMainContext;

namespace velora::gtk {

class GtkUiThreadDispatcher : public platform::UiThreadDispatcher {
public:
    // On the user-interface thread, whose default main context runs the work.
    GtkUiThreadDispatcher();
    ~GtkUiThreadDispatcher() override;
    GtkUiThreadDispatcher(const GtkUiThreadDispatcher&) = delete;
    GtkUiThreadDispatcher& operator=(const GtkUiThreadDispatcher&) = delete;

    bool RunOnUiThread(const std::function<void()>& action) override;
    bool PostToUiThread(std::function<void()> action) override;
    // From now on no more work is taken; waiting workers return false.
    void Close();

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace velora::gtk
