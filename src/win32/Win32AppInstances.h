#pragma once
// The kernel objects behind the list of running processes of one program
// file: the lock's event and shared block, the shared list, the registered
// window message, and the application windows of the listed processes.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/uAppInstances.h"
#include "win32/raii/KernelHandles.h"

namespace velora::win32 {

// The list's lock: the auto-reset event "Lock_Event_<name>" and the 16-byte
// block "Lock_MMF_<name>", opened by every process that uses the lock.
class Win32InstanceLock final : public app::InstanceLockParts {
public:
    explicit Win32InstanceLock(const std::string& lockName);
    Win32InstanceLock(const Win32InstanceLock&) = delete;
    Win32InstanceLock& operator=(const Win32InstanceLock&) = delete;

    // False when the system refused one of the two objects.
    bool IsOpen() const { return block_.Valid() && event_.Valid(); }
    void Enter() { lock_.Enter(); }
    void Leave() { lock_.Leave(); }

    std::uint32_t Read(app::LockField field) override;
    void Write(app::LockField field, std::uint32_t value) override;
    std::uint32_t CompareExchange(app::LockField field, std::uint32_t expected, std::uint32_t desired) override;
    std::uint32_t Increment(app::LockField field) override;
    std::uint32_t Decrement(app::LockField field) override;
    std::uint32_t CurrentThreadId() override;
    void WaitForEvent() override;
    void SignalEvent() override;

private:
    volatile LONG* Field(app::LockField field) const;

    KernelHandle event_;
    KernelHandle mapping_;
    MappedView block_;
    app::InstanceLock lock_{*this};
};

class Win32AppInstances : public app::AppInstancesSystem {
public:
    // The list of the running program file.
    Win32AppInstances();
    // The list of any program file (the tests use paths of their own).
    explicit Win32AppInstances(std::string programPath);
    ~Win32AppInstances() override;
    Win32AppInstances(const Win32AppInstances&) = delete;
    Win32AppInstances& operator=(const Win32AppInstances&) = delete;

    const std::string& ListId() const { return listId_; }
    // The registered window message, 0 before the list is open.
    UINT Message() const { return message_; }

    bool OpenList() override;
    std::uint32_t OwnProcessId() const override;
    void LockList() override;
    void UnlockList() override;
    std::span<std::byte> ListBlock() override;
    void ActivateProcess(std::uint32_t processId) override;
    void NotifyProcess(std::uint32_t processId, app::InstanceEvent event, std::uint32_t value) override;

    // The first top-level window of class "TApplication" that belongs to the
    // process, in the system's window order; nullptr when there is none.
    static HWND ApplicationWindowOf(std::uint32_t processId);

private:
    void Close();

    std::string listId_;
    std::unique_ptr<Win32InstanceLock> lock_;
    KernelHandle mapping_;
    MappedView list_;
    UINT message_ = 0;
};

}  // namespace velora::win32
