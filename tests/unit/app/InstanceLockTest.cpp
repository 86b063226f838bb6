#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "app/uAppInstances.h"
#include "app/LockTestSupport.h"

using namespace velora::app;

namespace {

// The lock's shared block as std::atomic values and its auto-reset event as
// a condition variable.
class ThreadLockParts final : public InstanceLockParts {
public:
    std::uint32_t Read(LockField field) override { return At(field).load(); }
    void Write(LockField field, std::uint32_t value) override { At(field).store(value); }
    std::uint32_t CompareExchange(LockField field, std::uint32_t expected, std::uint32_t desired) override {
        At(field).compare_exchange_strong(expected, desired);
        return expected;
    }
    std::uint32_t Increment(LockField field) override { return ++At(field); }
    std::uint32_t Decrement(LockField field) override { return --At(field); }
    std::uint32_t CurrentThreadId() override {
        static std::atomic<std::uint32_t> lastId{0};
        thread_local const std::uint32_t id = ++lastId;
        return id;
    }
    void WaitForEvent() override {
        std::unique_lock<std::mutex> hold(mutex_);
        changed_.wait(hold, [this] { return signalled_; });
        signalled_ = false;
    }
    void SignalEvent() override {
        {
            std::lock_guard<std::mutex> hold(mutex_);
            signalled_ = true;
        }
        changed_.notify_one();
    }

private:
    std::atomic<std::uint32_t>& At(LockField field) { return block_[static_cast<std::size_t>(field)]; }

    std::array<std::atomic<std::uint32_t>, 4> block_{};
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};

}  // namespace

TEST(InstanceLock, ExcludesOtherThreadsAndNestsForTheOwner) {
    for (const std::uint32_t spinCount : {0u, kInstanceLockSpinCount}) {
        SCOPED_TRACE(spinCount);
        ThreadLockParts parts;
        parts.Write(LockField::SpinCount, spinCount);
        InstanceLock lock(parts);
        const LockRun run = RunLockContest([&](int) -> InstanceLock& { return lock; }, 4, 400);
        EXPECT_EQ(run.overlaps, 0);
        EXPECT_EQ(run.counted, 4 * 400);
        EXPECT_EQ(parts.Read(LockField::LockCount), 0u);
        EXPECT_EQ(parts.Read(LockField::OwnerThread), 0u);
        EXPECT_EQ(parts.Read(LockField::Recursion), 0u);
    }
}

TEST(InstanceLock, WaiterGetsTheLockWhenTheOwnerLeftEveryLevel) {
    ThreadLockParts parts;
    InstanceLock lock(parts);
    ExpectWaiterBlockedUntilFullyLeft(parts, lock, lock);
}
