// The dispatcher into the GLib main context keeps every dispatcher's
// promises, and once closed takes no more work.
#ifdef VELORA_GTK

#include <glib.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "gtk/GtkSide.h"
#include "gtk/GtkUiThreadDispatcher.h"
#include "platform/UiThreadDispatcherContract.h"

namespace velora::platform::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Gtk, UiThreadDispatcherContract, gtk::testing::GtkSide);

}  // namespace velora::platform::testing

namespace velora::gtk {
namespace {

// A worker waiting when the user-interface thread stops taking work returns
// without the work having run.
TEST(GtkUiThreadDispatcher, AWorkerWaitingWhenItClosesReturnsWithoutTheWork) {
    GtkUiThreadDispatcher dispatcher;
    std::atomic<bool> returned{false};
    bool result = true;
    bool ran = false;
    std::thread waiting([&] {
        result = dispatcher.RunOnUiThread([&] { ran = true; });
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    dispatcher.Close();
    waiting.join();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(result);
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    EXPECT_FALSE(ran);
}

// Queued before the close, not yet run: dropped; after it: refused.
TEST(GtkUiThreadDispatcher, QueuedWorkIsDroppedAndNewWorkRefusedOnceClosed) {
    GtkUiThreadDispatcher dispatcher;
    std::vector<std::string> ran;
    EXPECT_TRUE(dispatcher.PostToUiThread([&] { ran.push_back("first"); }));
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    EXPECT_EQ(ran, std::vector<std::string>{"first"});

    EXPECT_TRUE(dispatcher.PostToUiThread([&] { ran.push_back("late"); }));
    dispatcher.Close();
    EXPECT_FALSE(dispatcher.PostToUiThread([&] { ran.push_back("refused"); }));
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    EXPECT_EQ(ran, std::vector<std::string>{"first"});
}

}  // namespace
}  // namespace velora::gtk

#endif  // VELORA_GTK
