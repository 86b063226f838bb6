#include "gtk/GtkUiThreadDispatcher.h"

#include <glib.h>

#include <thread>

namespace velora::gtk {

struct GtkUiThreadDispatcher::State {
    std::mutex mutex;
    std::condition_variable done;
    bool open = true;
    std::thread::id uiThread = std::this_thread::get_id();
    GMainContext* context = g_main_context_default();
};

namespace {

// One piece of work on its way; it keeps the state alive until it has run.
struct Job {
    std::shared_ptr<GtkUiThreadDispatcher::State> state;
    const std::function<void()>* action;
    bool finished = false;
    bool ran = false;
};

// Whether the dispatcher still takes work: read under its lock.
bool StillOpen(GtkUiThreadDispatcher::State& state) {
    std::lock_guard lock(state.mutex);
    return state.open;
}

gboolean RunJob(gpointer data) {
    auto* job = static_cast<Job*>(data);
    const bool open = StillOpen(*job->state);
    if (open) {
        try {
            (*job->action)();
        } catch (...) {
            // The action reports its own failures; nothing unwinds into GLib.
        }
    }
    std::lock_guard lock(job->state->mutex);
    job->ran = open;
    job->finished = true;
    job->state->done.notify_all();
    return G_SOURCE_REMOVE;
}

// Queued work: owned by its source, run only while the dispatcher is open.
struct QueuedJob {
    std::shared_ptr<GtkUiThreadDispatcher::State> state;
    std::function<void()> action;
};

gboolean RunQueuedJob(gpointer data) {
    auto* job = static_cast<QueuedJob*>(data);
    if (StillOpen(*job->state)) {
        try {
            job->action();
        } catch (...) {
            // Queued work must not throw; nothing unwinds into GLib.
        }
    }
    return G_SOURCE_REMOVE;
}

// Idle sources of one priority run in the order they were attached, which
// keeps queued work in order (and behind work handed over earlier).
void Attach(GMainContext* context, GSourceFunc run, gpointer data, GDestroyNotify free) {
    GSource* source = g_idle_source_new();
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    g_source_set_callback(source, run, data, free);
    g_source_attach(source, context);
    g_source_unref(source);
}

}  // namespace

GtkUiThreadDispatcher::GtkUiThreadDispatcher() : state_(std::make_shared<State>()) {}

GtkUiThreadDispatcher::~GtkUiThreadDispatcher() { Close(); }

void GtkUiThreadDispatcher::Close() {
    std::lock_guard lock(state_->mutex);
    state_->open = false;
    state_->done.notify_all();
}

bool GtkUiThreadDispatcher::RunOnUiThread(const std::function<void()>& action) {
    if (std::this_thread::get_id() == state_->uiThread) {
        action();
        return true;
    }
    auto job = std::make_shared<Job>();
    job->state = state_;
    job->action = &action;
    {
        std::lock_guard lock(state_->mutex);
        if (!state_->open) return false;
    }
    // The source holds its own reference to the job: the worker may stop
    // waiting (the dispatcher closed) before the loop ever runs it. (Not
    // g_main_context_invoke: while the user-interface thread is not inside
    // its loop, that runs the work at once on the calling thread.)
    Attach(
        state_->context,
        [](gpointer data) -> gboolean { return RunJob(static_cast<std::shared_ptr<Job>*>(data)->get()); },
        new std::shared_ptr<Job>(job), [](gpointer data) { delete static_cast<std::shared_ptr<Job>*>(data); });
    std::unique_lock lock(state_->mutex);
    state_->done.wait(lock, [&] { return job->finished || !state_->open; });
    return job->ran;
}

bool GtkUiThreadDispatcher::PostToUiThread(std::function<void()> action) {
    {
        std::lock_guard lock(state_->mutex);
        if (!state_->open) return false;
    }
    Attach(state_->context, &RunQueuedJob, new QueuedJob{state_, std::move(action)},
           [](gpointer data) { delete static_cast<QueuedJob*>(data); });
    return true;
}

}  // namespace velora::gtk
