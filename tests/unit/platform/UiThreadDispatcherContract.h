#pragma once
// What every dispatcher to the user-interface thread promises: work sent
// from a worker runs on that thread while the worker waits, queued work runs
// from the loop in its order, and queuing never waits. A test file of an
// implementation instantiates the suite with its side of the system (see
// HttpClientContract.h: the Dispatcher, RunQueuedWork and WaitForWork):
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(Name, UiThreadDispatcherContract, Side);

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/UiThreadDispatcher.h"

namespace velora::platform::testing {

template <typename Side>
class UiThreadDispatcherContract : public ::testing::Test {
protected:
    // Runs this thread's loop until `finished` says so (or the hang guard
    // gives up).
    template <typename Finished>
    static void RunLoopUntil(Finished finished) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!finished() && std::chrono::steady_clock::now() < deadline) {
            Side::RunQueuedWork();
            if (!finished()) Side::WaitForWork();
        }
    }

    std::shared_ptr<typename Side::Dispatcher> dispatcher = std::make_shared<typename Side::Dispatcher>();
    const std::thread::id uiThread = std::this_thread::get_id();
};

TYPED_TEST_SUITE_P(UiThreadDispatcherContract);

TYPED_TEST_P(UiThreadDispatcherContract, WorkSentFromAWorkerRunsOnTheUiThreadWhileTheWorkerWaits) {
    std::thread::id ranOn;
    std::atomic<bool> returned{false};
    bool result = false;
    std::thread worker([&] {
        result = this->dispatcher->RunOnUiThread([&] { ranOn = std::this_thread::get_id(); });
        returned = true;
    });
    this->RunLoopUntil([&] { return returned.load(); });
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(ranOn, this->uiThread);
}

TYPED_TEST_P(UiThreadDispatcherContract, QueuedWorkRunsInItsOrderFromTheLoop) {
    std::vector<std::string> ran;
    int offUiThread = 0;
    auto note = [&](const std::string& what) {
        offUiThread += std::this_thread::get_id() != this->uiThread;
        ran.push_back(what);
    };

    // Queued on the thread itself, it waits for the loop too.
    EXPECT_TRUE(this->dispatcher->PostToUiThread([&] { note("own"); }));
    EXPECT_TRUE(ran.empty());
    std::atomic<bool> sent{false};
    std::thread other([&] {
        for (int i = 1; i <= 3; ++i)
            EXPECT_TRUE(this->dispatcher->PostToUiThread([&, i] { note("queued " + std::to_string(i)); }));
        this->dispatcher->RunOnUiThread([&] { note("sent"); });
        sent = true;
    });
    this->RunLoopUntil([&] { return sent && ran.size() == 5; });
    other.join();

    // The waiting sender may overtake queued work, never the other way round.
    std::vector<std::string> queued;
    for (const std::string& what : ran)
        if (what != "sent") queued.push_back(what);
    EXPECT_EQ(queued, (std::vector<std::string>{"own", "queued 1", "queued 2", "queued 3"}));
    EXPECT_EQ(ran.size(), 5u);
    EXPECT_EQ(offUiThread, 0);
}

TYPED_TEST_P(UiThreadDispatcherContract, QueuingNeverWaitsForTheLoop) {
    std::vector<std::string> ran;
    std::vector<std::thread::id> threads;
    std::thread worker([&] {
        for (const char* what : {"1", "2", "3"})
            EXPECT_TRUE(this->dispatcher->PostToUiThread([&ran, &threads, what] {
                ran.push_back(what);
                threads.push_back(std::this_thread::get_id());
            }));
    });
    worker.join();  // before the loop has run anything
    EXPECT_TRUE(ran.empty());
    this->RunLoopUntil([&] { return ran.size() == 3; });
    EXPECT_EQ(ran, (std::vector<std::string>{"1", "2", "3"}));
    for (const std::thread::id id : threads) EXPECT_EQ(id, this->uiThread);
}

REGISTER_TYPED_TEST_SUITE_P(UiThreadDispatcherContract, WorkSentFromAWorkerRunsOnTheUiThreadWhileTheWorkerWaits,
                            QueuedWorkRunsInItsOrderFromTheLoop, QueuingNeverWaitsForTheLoop);

}  // namespace velora::platform::testing
