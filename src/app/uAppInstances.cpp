#include "app/uAppInstances.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "text/Text.h"

namespace velora::app {

// ---- Names ------------------------------------------------------------------

std::string InstanceListId(std::string_view programPath) {
    return "AppInst" + text::ReplaceAll(text::AnsiUpperCase(programPath), "\\", "_");
}

std::string InstanceListMapName(std::string_view listId) { return std::string(listId) + "_Map"; }
std::string InstanceListLockName(std::string_view listId) { return std::string(listId) + "_Otx"; }
std::string InstanceLockEventName(std::string_view lockName) { return "Lock_Event_" + std::string(lockName); }
std::string InstanceLockBlockName(std::string_view lockName) { return "Lock_MMF_" + std::string(lockName); }
std::string InstanceListMessageName(std::string_view listId) { return std::string(listId) + "_Msg"; }

// ---- The shared list --------------------------------------------------------

namespace {
constexpr std::size_t kMaximumOffset = 0;
constexpr std::size_t kCountOffset = 2;
constexpr std::size_t kIdsOffset = 4;

// The block lies in shared memory at no particular alignment: copy, never cast.
template <class T>
T Load(std::span<const std::byte> block, std::size_t offset) {
    T value;
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

template <class T>
void Store(std::span<std::byte> block, std::size_t offset, T value) {
    std::memcpy(block.data() + offset, &value, sizeof value);
}
}  // namespace

InstanceListBlock::InstanceListBlock(std::span<std::byte> block) : block_(block) {
    if (block.size() < kInstanceListBytes) throw std::length_error("instance list block too small");
}

std::uint16_t InstanceListBlock::Maximum() const { return Load<std::uint16_t>(block_, kMaximumOffset); }

std::uint16_t InstanceListBlock::Count() const { return Load<std::uint16_t>(block_, kCountOffset); }

std::size_t InstanceListBlock::StoredCount() const { return std::min<std::size_t>(Count(), kInstanceListCapacity); }

void InstanceListBlock::SetCount(std::uint16_t count) { Store(block_, kCountOffset, count); }

void InstanceListBlock::SetIdAt(std::size_t position, std::uint32_t processId) {
    Store(block_, kIdsOffset + position * sizeof(std::uint32_t), processId);
}

std::uint32_t InstanceListBlock::IdAt(std::size_t position) const {
    if (position >= StoredCount()) return 0;
    return Load<std::uint32_t>(block_, kIdsOffset + position * sizeof(std::uint32_t));
}

bool InstanceListBlock::Register(std::uint32_t processId, std::uint16_t maximum) {
    if (Maximum() == 0) Store(block_, kMaximumOffset, maximum);
    const std::uint16_t count = Count();
    const bool listed = count < Maximum();
    // The block has room for 257 ids; beyond that the id is not kept.
    if (count < kInstanceListCapacity) {
        SetIdAt(count, processId);
        SetCount(static_cast<std::uint16_t>(count + 1));
    }
    return listed;
}

bool InstanceListBlock::Unregister(std::uint32_t processId) {
    const std::size_t count = StoredCount();
    for (std::size_t position = 0; position < count; ++position) {
        if (IdAt(position) != processId) continue;
        for (std::size_t later = position + 1; later < count; ++later) SetIdAt(later - 1, IdAt(later));
        SetCount(static_cast<std::uint16_t>(count - 1));
        return true;
    }
    return false;
}

// ---- The lock ---------------------------------------------------------------

void InstanceLock::BecomeOwner(std::uint32_t thread) {
    parts_.Write(LockField::OwnerThread, thread);
    parts_.Write(LockField::Recursion, 1);
}

void InstanceLock::Enter() {
    const std::uint32_t thread = parts_.CurrentThreadId();
    // A spin count of 0 still makes one attempt.
    const std::uint32_t attempts = std::max<std::uint32_t>(parts_.Read(LockField::SpinCount), 1);
    for (std::uint32_t attempt = 0; attempt < attempts; ++attempt) {
        if (parts_.CompareExchange(LockField::LockCount, 0, 1) == 0) {
            BecomeOwner(thread);
            return;
        }
        if (parts_.Read(LockField::OwnerThread) == thread) {
            parts_.Increment(LockField::LockCount);
            parts_.Increment(LockField::Recursion);
            return;
        }
    }
    // Announce ourselves in the lock count: the owner then signals on leaving.
    if (parts_.Increment(LockField::LockCount) == 1) {
        BecomeOwner(thread);
    } else if (parts_.Read(LockField::OwnerThread) == thread) {
        parts_.Increment(LockField::Recursion);
    } else {
        parts_.WaitForEvent();
        BecomeOwner(thread);
    }
}

void InstanceLock::Leave() {
    if (parts_.Decrement(LockField::Recursion) > 0) {
        parts_.Decrement(LockField::LockCount);
        return;
    }
    parts_.Write(LockField::OwnerThread, 0);
    if (parts_.Decrement(LockField::LockCount) > 0) parts_.SignalEvent();
}

// ---- The check --------------------------------------------------------------

namespace {
class ListLock {
public:
    explicit ListLock(AppInstancesSystem& system) : system_(system) { system_.LockList(); }
    ~ListLock() { system_.UnlockList(); }
    ListLock(const ListLock&) = delete;
    ListLock& operator=(const ListLock&) = delete;

private:
    AppInstancesSystem& system_;
};
}  // namespace

std::optional<int> TAppInstances::EnsureSingleInstance(std::uint16_t maximum) {
    if (!opened_) opened_ = system_.OpenList();
    if (!opened_) return std::nullopt;
    if (RegisterInstance(maximum)) {
        BroadcastInstanceEvent(InstanceEvent::Listed, system_.OwnProcessId());
        return std::nullopt;
    }
    ActivateInstance(0);
    return 0;
}

bool TAppInstances::RegisterInstance(std::uint16_t maximum) {
    if (!opened_) return false;
    ListLock lock(system_);
    return InstanceListBlock(system_.ListBlock()).Register(system_.OwnProcessId(), maximum);
}

void TAppInstances::UnregisterInstance() {
    if (!opened_) return;
    {
        ListLock lock(system_);
        InstanceListBlock(system_.ListBlock()).Unregister(system_.OwnProcessId());
    }
    BroadcastInstanceEvent(InstanceEvent::Left, system_.OwnProcessId());
}

void TAppInstances::ActivateInstance(std::size_t position) {
    if (!opened_) return;
    std::uint32_t processId = 0;
    {
        ListLock lock(system_);
        processId = InstanceListBlock(system_.ListBlock()).IdAt(position);
    }
    if (processId != 0) system_.ActivateProcess(processId);
}

void TAppInstances::BroadcastInstanceEvent(InstanceEvent event, std::uint32_t value) {
    if (!opened_) return;
    ListLock lock(system_);
    const InstanceListBlock list(system_.ListBlock());
    for (std::size_t position = 0; position < list.Count() && position < kInstanceListCapacity; ++position)
        system_.NotifyProcess(list.IdAt(position), event, value);
}

}  // namespace velora::app
