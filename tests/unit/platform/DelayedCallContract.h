#pragma once
// What every delayed call on the user-interface thread promises: it runs
// once, from this thread's loop, not before its time; dropped before then it
// never runs; it may drop its own handle and ask for the next one. A test
// file of an implementation instantiates the suite with its side (see
// UiThreadDispatcherContract.h, plus a static CallLater):
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(Name, DelayedCallContract, Side);

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Desktop.h"

namespace velora::platform::testing {

template <typename Side>
class DelayedCallContract : public ::testing::Test {
protected:
    using Clock = std::chrono::steady_clock;

    // Runs this thread's loop until `finished` says so or `limit` passed.
    template <typename Finished>
    static void RunLoopUntil(Finished finished, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        const auto deadline = Clock::now() + limit;
        while (!finished() && Clock::now() < deadline) {
            Side::RunQueuedWork();
            if (!finished()) Side::WaitForWork();
        }
    }
};

TYPED_TEST_SUITE_P(DelayedCallContract);

TYPED_TEST_P(DelayedCallContract, RunsOnceFromTheLoopNotBeforeItsTimeAndInTheOrderOfTheDelays) {
    std::vector<int> ran;
    const auto asked = DelayedCallContract<TypeParam>::Clock::now();
    auto later = TypeParam::CallLater(120, [&] { ran.push_back(120); });
    auto sooner = TypeParam::CallLater(20, [&] { ran.push_back(20); });
    EXPECT_TRUE(ran.empty()) << "ran before the loop did";
    this->RunLoopUntil([&] { return ran.size() == 2; });
    EXPECT_GE(DelayedCallContract<TypeParam>::Clock::now() - asked, std::chrono::milliseconds(100));
    EXPECT_EQ(ran, (std::vector<int>{20, 120}));
    // Neither runs again; dropping a call that ran is harmless.
    this->RunLoopUntil([] { return false; }, std::chrono::milliseconds(150));
    EXPECT_EQ(ran.size(), 2u);
    later.reset();
    sooner.reset();
}

TYPED_TEST_P(DelayedCallContract, DroppedBeforeItsTimeItNeverRunsAndOthersStillDo) {
    bool droppedRan = false;
    bool keptRan = false;
    auto dropped = TypeParam::CallLater(30, [&] { droppedRan = true; });
    auto kept = TypeParam::CallLater(60, [&] { keptRan = true; });
    dropped.reset();
    this->RunLoopUntil([&] { return keptRan; });
    this->RunLoopUntil([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_TRUE(keptRan);
    EXPECT_FALSE(droppedRan);
}

// The way a wait in rounds uses it: each round drops its own handle and
// asks for the next; the last one drops it and asks for none.
TYPED_TEST_P(DelayedCallContract, ACallMayDropItsOwnHandleAndAskForTheNext) {
    std::unique_ptr<DelayedCall> pending;
    int rounds = 0;
    std::function<void()> round = [&] {
        ++rounds;
        if (rounds < 3) {
            pending = TypeParam::CallLater(10, round);
        } else {
            pending.reset();
        }
    };
    pending = TypeParam::CallLater(10, round);
    this->RunLoopUntil([&] { return rounds == 3; });
    this->RunLoopUntil([] { return false; }, std::chrono::milliseconds(80));
    EXPECT_EQ(rounds, 3);
    EXPECT_EQ(pending, nullptr);
}

REGISTER_TYPED_TEST_SUITE_P(DelayedCallContract, RunsOnceFromTheLoopNotBeforeItsTimeAndInTheOrderOfTheDelays,
                            DroppedBeforeItsTimeItNeverRunsAndOthersStillDo, ACallMayDropItsOwnHandleAndAskForTheNext);

}  // namespace velora::platform::testing
