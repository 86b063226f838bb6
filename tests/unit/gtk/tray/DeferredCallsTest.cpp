// Work for later runs in its turn, not at once, and not after its owner went.
#ifdef VELORA_GTK

#include "gtk/tray/DeferredCalls.h"

#include <glib.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "gtk/tray/PrivateBus.h"

namespace velora::gtk {

TEST(DeferredCalls, RunInTurnAndNotAfterTheirOwnerWent) {
    std::vector<std::string> ran;
    auto calls = std::make_unique<DeferredCalls>();
    calls->Later([&ran] { ran.push_back("first"); });
    calls->Later([&ran, &calls] {
        ran.push_back("second");
        calls.reset();
    });
    calls->Later([&ran] { ran.push_back("third"); });
    EXPECT_TRUE(ran.empty());
    testing::PrivateBus::RunPending();
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
}

}  // namespace velora::gtk

#endif  // VELORA_GTK
