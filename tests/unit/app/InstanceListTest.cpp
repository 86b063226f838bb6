#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/uAppInstances.h"

using namespace velora::app;

namespace {

// A list block followed by guard bytes that must never change.
class GuardedBlock {
public:
    static constexpr std::size_t kGuard = 16;
    GuardedBlock() : bytes_(kInstanceListBytes + kGuard, std::byte{0}) {
        for (std::size_t i = kInstanceListBytes; i < bytes_.size(); ++i) bytes_[i] = std::byte{0xA5};
    }
    std::span<std::byte> Block() { return {bytes_.data(), kInstanceListBytes}; }
    bool GuardIntact() const {
        for (std::size_t i = kInstanceListBytes; i < bytes_.size(); ++i)
            if (bytes_[i] != std::byte{0xA5}) return false;
        return true;
    }
    template <class T>
    T At(std::size_t offset) const {
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof value);
        return value;
    }
    template <class T>
    void Put(std::size_t offset, T value) {
        std::memcpy(bytes_.data() + offset, &value, sizeof value);
    }

private:
    std::vector<std::byte> bytes_;
};

}  // namespace

TEST(InstanceListNames, FormedFromTheUpperCasedPath) {
    EXPECT_EQ(InstanceListId("C:\\Programme\\VELORA\\VELORADesktop.exe"),
              "AppInstC:_PROGRAMME_VELORA_VELORADESKTOP.EXE");
    // ANSI letters beyond ASCII are upper-cased too; a UNC path keeps its
    // leading pair as two underscores.
    EXPECT_EQ(InstanceListId("\\\\server\\B\xfcro\\a.exe"), "AppInst__SERVER_B\xdcRO_A.EXE");

    const std::string id = "AppInstC:_X.EXE";
    EXPECT_EQ(InstanceListMapName(id), "AppInstC:_X.EXE_Map");
    EXPECT_EQ(InstanceListMessageName(id), "AppInstC:_X.EXE_Msg");
    const std::string lock = InstanceListLockName(id);
    EXPECT_EQ(lock, "AppInstC:_X.EXE_Otx");
    EXPECT_EQ(InstanceLockEventName(lock), "Lock_Event_AppInstC:_X.EXE_Otx");
    EXPECT_EQ(InstanceLockBlockName(lock), "Lock_MMF_AppInstC:_X.EXE_Otx");
}

TEST(InstanceListBlock, RegisterKeepsTheLayoutAndTheFirstMaximum) {
    GuardedBlock memory;
    InstanceListBlock list(memory.Block());
    EXPECT_EQ(list.Maximum(), 0);
    EXPECT_EQ(list.IdAt(0), 0u);

    EXPECT_TRUE(list.Register(4711, 1));
    EXPECT_EQ(memory.At<std::uint16_t>(0), 1);
    EXPECT_EQ(memory.At<std::uint16_t>(2), 1);
    EXPECT_EQ(memory.At<std::uint32_t>(4), 4711u);

    // Over the maximum: not listed, but entered all the same; the maximum
    // stays the one set first.
    EXPECT_FALSE(list.Register(815, 5));
    EXPECT_EQ(list.Maximum(), 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(memory.At<std::uint32_t>(8), 815u);

    // Leftovers behind the listed ids are not ids.
    memory.Put<std::uint32_t>(12, 999);
    EXPECT_EQ(list.IdAt(2), 0u);
    EXPECT_EQ(list.IdAt(100000), 0u);
}

TEST(InstanceListBlock, UnregisterMovesTheLaterIdsDown) {
    GuardedBlock memory;
    InstanceListBlock list(memory.Block());
    for (std::uint32_t id : {10u, 20u, 30u, 40u}) list.Register(id, 4);

    EXPECT_TRUE(list.Unregister(20));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IdAt(0), 10u);
    EXPECT_EQ(list.IdAt(1), 30u);
    EXPECT_EQ(list.IdAt(2), 40u);
    EXPECT_EQ(list.IdAt(3), 0u);

    EXPECT_FALSE(list.Unregister(99));
    EXPECT_EQ(list.Count(), 3);

    EXPECT_TRUE(list.Unregister(40));
    EXPECT_TRUE(list.Unregister(10));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.IdAt(0), 30u);
    EXPECT_EQ(list.Maximum(), 4);
}

TEST(InstanceListBlock, NeverReachesBeyondTheBlock) {
    GuardedBlock memory;
    InstanceListBlock list(memory.Block());
    for (std::uint32_t i = 0; i < kInstanceListCapacity; ++i) list.Register(1000 + i, 1000);
    EXPECT_EQ(list.Count(), 257);
    EXPECT_EQ(list.IdAt(256), 1256u);

    // A full block takes no further id.
    EXPECT_TRUE(list.Register(5000, 1000));
    EXPECT_EQ(list.Count(), 257);
    EXPECT_EQ(list.IdAt(256), 1256u);
    EXPECT_TRUE(memory.GuardIntact());

    // A number written by someone else that exceeds the block.
    memory.Put<std::uint16_t>(2, 0xFFFF);
    EXPECT_EQ(list.IdAt(300), 0u);
    EXPECT_FALSE(list.Unregister(77));
    EXPECT_FALSE(list.Register(78, 1));
    EXPECT_TRUE(list.Unregister(1256));
    EXPECT_EQ(list.Count(), 256);
    EXPECT_TRUE(memory.GuardIntact());

    std::vector<std::byte> tooSmall(kInstanceListBytes - 1);
    EXPECT_THROW(InstanceListBlock{tooSmall}, std::length_error);
}
