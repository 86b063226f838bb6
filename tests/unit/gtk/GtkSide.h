#pragma once
// The Linux side for the contracts of tests/unit/platform/: the dispatcher
// into the GLib main context and this thread's main context; the HTTP
// client is the libcurl one, which the Linux program uses.
#ifdef VELORA_GTK

#include <glib.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "gtk/GtkDelayedCall.h"
#include "curl/CurlHttpClient.h"
#include "gtk/GtkUiThreadDispatcher.h"

namespace velora::gtk::testing {

struct GtkSide {
    using Dispatcher = GtkUiThreadDispatcher;
    static std::shared_ptr<platform::HttpClient> Client() { return std::make_shared<curl::CurlHttpClient>(); }
    static void RunQueuedWork() {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
    }
    static std::unique_ptr<platform::DelayedCall> CallLater(int milliseconds, std::function<void()> work) {
        return CallOnTimeout(milliseconds, std::move(work));
    }
    static void WaitForWork() { std::this_thread::sleep_for(std::chrono::milliseconds(5)); }
};

}  // namespace velora::gtk::testing

#endif  // VELORA_GTK
