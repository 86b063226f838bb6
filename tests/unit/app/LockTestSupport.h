#pragma once
// Contests of several threads for the instance list's lock, used with the
// lock over test doubles and over the real kernel objects.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "app/uAppInstances.h"

struct LockRun {
    int overlaps = 0;  // times a thread found another one inside
    int counted = 0;   // increments of an unguarded counter
};

// Each thread takes the lock (`lockFor(thread)`: all stand for one lock)
// twice, nested, `rounds` times, and counts inside.
inline LockRun RunLockContest(const std::function<velora::app::InstanceLock&(int)>& lockFor, int threads,
                              int rounds) {
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    int counted = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            velora::app::InstanceLock& lock = lockFor(t);
            for (int round = 0; round < rounds; ++round) {
                lock.Enter();
                lock.Enter();
                if (++inside != 1) ++overlaps;
                const int seen = counted;
                std::this_thread::yield();
                counted = seen + 1;
                --inside;
                lock.Leave();
                lock.Leave();
            }
        });
    }
    for (auto& worker : workers) worker.join();
    return {overlaps.load(), counted};
}

// The calling thread holds the lock twice through `ownerLock`; another
// thread asks for it through `waiterLock` and must get it only after both
// levels were left.
inline void ExpectWaiterBlockedUntilFullyLeft(velora::app::InstanceLockParts& ownerParts,
                                              velora::app::InstanceLock& ownerLock,
                                              velora::app::InstanceLock& waiterLock) {
    using velora::app::LockField;
    ownerLock.Enter();
    ownerLock.Enter();
    std::atomic<bool> entered{false};
    std::thread waiter([&] {
        waiterLock.Enter();
        entered = true;
        waiterLock.Leave();
    });
    // The waiter has announced itself once the lock count shows it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (ownerParts.Read(LockField::LockCount) != 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(ownerParts.Read(LockField::LockCount), 3u);
    EXPECT_EQ(ownerParts.Read(LockField::Recursion), 2u);

    ownerLock.Leave();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(entered);

    ownerLock.Leave();
    waiter.join();
    EXPECT_TRUE(entered);
    EXPECT_EQ(ownerParts.Read(LockField::LockCount), 0u);
    EXPECT_EQ(ownerParts.Read(LockField::OwnerThread), 0u);
}
