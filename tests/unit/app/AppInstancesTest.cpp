#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

#include "app/uAppInstances.h"

using namespace velora::app;

namespace {

struct Notice {
    std::uint32_t processId;
    InstanceEvent event;
    std::uint32_t value;
    bool operator==(const Notice&) const = default;
};

// One process of the program; several of them share one list block.
class FakeProcess final : public AppInstancesSystem {
public:
    FakeProcess(std::array<std::byte, kInstanceListBytes>& shared, std::uint32_t processId)
        : shared_(shared), processId_(processId) {}

    bool OpenList() override {
        ++opens;
        return openSucceeds;
    }
    std::uint32_t OwnProcessId() const override { return processId_; }
    void LockList() override { ++lockDepth; }
    void UnlockList() override { --lockDepth; }
    std::span<std::byte> ListBlock() override {
        EXPECT_GT(lockDepth, 0) << "list used outside its lock";
        return shared_;
    }
    void ActivateProcess(std::uint32_t processId) override { activated.push_back(processId); }
    void NotifyProcess(std::uint32_t processId, InstanceEvent event, std::uint32_t value) override {
        EXPECT_GT(lockDepth, 0) << "broadcast outside the lock";
        notices.push_back({processId, event, value});
    }

    bool openSucceeds = true;
    int opens = 0;
    int lockDepth = 0;
    std::vector<std::uint32_t> activated;
    std::vector<Notice> notices;

private:
    std::array<std::byte, kInstanceListBytes>& shared_;
    std::uint32_t processId_;
};

}  // namespace

TEST(AppInstances, FirstProcessIsListedAndFurtherOnesActivateItAndEnd) {
    std::array<std::byte, kInstanceListBytes> shared{};
    FakeProcess first(shared, 100), second(shared, 200), third(shared, 300);
    TAppInstances firstList(first), secondList(second), thirdList(third);

    EXPECT_EQ(firstList.EnsureSingleInstance(1), std::nullopt);
    EXPECT_EQ(first.notices, (std::vector<Notice>{{100, InstanceEvent::Listed, 100}}));
    EXPECT_TRUE(first.activated.empty());

    EXPECT_EQ(secondList.EnsureSingleInstance(1), std::optional<int>(0));
    EXPECT_EQ(second.activated, std::vector<std::uint32_t>{100});
    EXPECT_TRUE(second.notices.empty());

    // A larger maximum asked for later does not change the stored one.
    EXPECT_EQ(thirdList.EnsureSingleInstance(3), std::optional<int>(0));
    EXPECT_EQ(third.activated, std::vector<std::uint32_t>{100});

    // The stopped processes are entered all the same, in order.
    InstanceListBlock list(shared);
    EXPECT_EQ(list.Maximum(), 1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IdAt(1), 200u);
    EXPECT_EQ(list.IdAt(2), 300u);

    // Leaving: the others keep their order and are told.
    secondList.UnregisterInstance();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IdAt(0), 100u);
    EXPECT_EQ(list.IdAt(1), 300u);
    EXPECT_EQ(second.notices, (std::vector<Notice>{{100, InstanceEvent::Left, 200}, {300, InstanceEvent::Left, 200}}));
    EXPECT_EQ(second.lockDepth, 0);
}

TEST(AppInstances, ListOpenedOnceAndOnlyWhenTheSystemAllows) {
    std::array<std::byte, kInstanceListBytes> shared{};
    FakeProcess refused(shared, 100);
    refused.openSucceeds = false;
    TAppInstances refusedList(refused);
    EXPECT_EQ(refusedList.EnsureSingleInstance(1), std::nullopt);
    EXPECT_FALSE(refusedList.Opened());
    refusedList.UnregisterInstance();
    EXPECT_TRUE(refused.notices.empty());
    EXPECT_EQ(InstanceListBlock(shared).Count(), 0);

    FakeProcess process(shared, 100);
    TAppInstances list(process);
    list.UnregisterInstance();  // never opened: nothing to leave, nobody told
    EXPECT_EQ(process.opens, 0);
    EXPECT_TRUE(process.notices.empty());
    EXPECT_EQ(list.EnsureSingleInstance(2), std::nullopt);
    EXPECT_EQ(list.EnsureSingleInstance(2), std::nullopt);
    EXPECT_EQ(process.opens, 1);
    EXPECT_EQ(InstanceListBlock(shared).Count(), 2);

    // Not found in the list (someone else changed it): the others are told
    // all the same.
    std::array<std::byte, kInstanceListBytes> other{};
    FakeProcess lost(other, 500);
    TAppInstances lostList(lost);
    lostList.EnsureSingleInstance(1);
    InstanceListBlock otherList(other);
    otherList.Unregister(500);
    otherList.Register(600, 1);
    lost.notices.clear();
    lostList.UnregisterInstance();
    EXPECT_EQ(otherList.Count(), 1);
    EXPECT_EQ(lost.notices, (std::vector<Notice>{{600, InstanceEvent::Left, 500}}));

    // A position beyond the list names no process.
    lostList.ActivateInstance(5);
    EXPECT_TRUE(lost.activated.empty());
}
