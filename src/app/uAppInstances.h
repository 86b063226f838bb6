#pragma once
// The list of the running processes of one program file, kept in memory that
// those processes share: a further process of the same file brings the first
// one's application window to the front and ends. Here are the names of the
// shared objects, the layout of the list, the lock that guards it and the
// check itself; the kernel objects behind them belong to the platform
// (AppInstancesSystem, InstanceLockParts).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velora::app {

// ---- Names of the shared objects --------------------------------------------

// "AppInst" + the program's full path in ANSI capitals with every "\" made
// "_": one list per program file, and kernel object names take no backslash.
std::string InstanceListId(std::string_view programPath);
std::string InstanceListMapName(std::string_view listId);      // listId + "_Map"
std::string InstanceListLockName(std::string_view listId);     // listId + "_Otx"
std::string InstanceLockEventName(std::string_view lockName);  // "Lock_Event_" + lockName
std::string InstanceLockBlockName(std::string_view lockName);  // "Lock_MMF_" + lockName
std::string InstanceListMessageName(std::string_view listId);  // listId + "_Msg"

// ---- The shared list --------------------------------------------------------

inline constexpr std::size_t kInstanceListBytes = 1032;
inline constexpr std::size_t kInstanceListCapacity = 257;

// The list over its shared block: offset 0 the maximum number of instances
// (16 bits, 0 = not yet set), offset 2 the number of listed processes
// (16 bits), from offset 4 the process ids (32 bits each) in the order they
// were listed. Another process may have written anything into the block, so
// every access stays inside it whatever the stored number says.
class InstanceListBlock {
public:
    // `block` must hold at least kInstanceListBytes bytes.
    explicit InstanceListBlock(std::span<std::byte> block);

    std::uint16_t Maximum() const;
    std::uint16_t Count() const;
    // The id at that position; 0 beyond the number of listed processes.
    std::uint32_t IdAt(std::size_t position) const;

    // Sets the maximum when it is still 0 and enters the id at the end of the
    // list, even when the list is already at its maximum. True when the
    // process was within the maximum. A full block takes no further id.
    bool Register(std::uint32_t processId, std::uint16_t maximum);
    // Removes the first occurrence of the id; the later ids move down. False
    // when the id is not listed.
    bool Unregister(std::uint32_t processId);

private:
    std::size_t StoredCount() const;
    void SetCount(std::uint16_t count);
    void SetIdAt(std::size_t position, std::uint32_t processId);

    std::span<std::byte> block_;
};

// ---- The lock ---------------------------------------------------------------

// The four 32-bit values of the lock's shared block, in this order.
enum class LockField : std::size_t { SpinCount = 0, LockCount = 1, OwnerThread = 2, Recursion = 3 };

// What the lock needs of the system: atomic operations on its shared block,
// the id of the calling thread (never 0) and its auto-reset event.
class InstanceLockParts {
public:
    virtual ~InstanceLockParts() = default;
    virtual std::uint32_t Read(LockField field) = 0;
    virtual void Write(LockField field, std::uint32_t value) = 0;
    // Atomically: the field becomes `desired` when it holds `expected`.
    // Returns the value it held.
    virtual std::uint32_t CompareExchange(LockField field, std::uint32_t expected, std::uint32_t desired) = 0;
    // Atomically; both return the new value.
    virtual std::uint32_t Increment(LockField field) = 0;
    virtual std::uint32_t Decrement(LockField field) = 0;
    virtual std::uint32_t CurrentThreadId() = 0;
    // Waits until the event is signalled; the event resets itself.
    virtual void WaitForEvent() = 0;
    virtual void SignalEvent() = 0;
};

// A lock shared between processes, re-entrant for the thread that holds it.
// Waiters that lost the race sleep on the event; the leaving owner wakes one
// of them when the lock count shows that someone waits.
class InstanceLock {
public:
    explicit InstanceLock(InstanceLockParts& parts) : parts_(parts) {}
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    void Enter();
    void Leave();

private:
    void BecomeOwner(std::uint32_t thread);

    InstanceLockParts& parts_;
};

inline constexpr std::uint32_t kInstanceLockSpinCount = 4000;

// ---- The check --------------------------------------------------------------

// The two events of the list's registered window message (first parameter;
// the second is the process id concerned).
enum class InstanceEvent : std::uint32_t { Listed = 1, Left = 2 };

// What the list needs of the system.
class AppInstancesSystem {
public:
    virtual ~AppInstancesSystem() = default;
    // Creates or opens the lock, under it the shared block (zero-filled when
    // it is new), and registers the window message. False when the system
    // refuses; the program then goes on without the list.
    virtual bool OpenList() = 0;
    virtual std::uint32_t OwnProcessId() const = 0;
    virtual void LockList() = 0;
    virtual void UnlockList() = 0;
    // The shared block (kInstanceListBytes), once the list is open.
    virtual std::span<std::byte> ListBlock() = 0;
    // Restores that process's application window when it is minimised and
    // brings it to the front.
    virtual void ActivateProcess(std::uint32_t processId) = 0;
    // Hands the registered message to the thread of that process's
    // application window and to every window of that thread.
    virtual void NotifyProcess(std::uint32_t processId, InstanceEvent event, std::uint32_t value) = 0;
};

class TAppInstances {
public:
    explicit TAppInstances(AppInstancesSystem& system) : system_(system) {}
    TAppInstances(const TAppInstances&) = delete;
    TAppInstances& operator=(const TAppInstances&) = delete;

    // Lists this process. Returns nothing when it may run, or the exit code
    // it has to end with when more than `maximum` processes of the program
    // file run (the first of them has been brought to the front).
    std::optional<int> EnsureSingleInstance(std::uint16_t maximum);

    bool Opened() const { return opened_; }
    // Enters this process in the list; true when it is within the maximum.
    bool RegisterInstance(std::uint16_t maximum);
    // At the end of the process: this process leaves the list and the others
    // are told so. Nothing happens when the list was never opened.
    void UnregisterInstance();
    // Brings the application window of the process at that list position to
    // the front.
    void ActivateInstance(std::size_t position);
    // Tells every listed process, in list order.
    void BroadcastInstanceEvent(InstanceEvent event, std::uint32_t value);

private:
    AppInstancesSystem& system_;
    bool opened_ = false;
};

}  // namespace velora::app
