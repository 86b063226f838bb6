#include "win32/Win32AppInstances.h"

#include <cstring>
#include <vector>

namespace velora::win32 {

namespace {

constexpr DWORD kLockBlockBytes = 4 * sizeof(LONG);

// A thread that never takes its messages must not keep this process from
// ending: posting is given up after about a second.
constexpr int kPostAttempts = 1000;

std::string RunningProgramPath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

// Makes the window the foreground window, attaching the input of the
// foreground window's thread to the window's thread when they differ, which
// the system requires before it lets another process take the foreground.
void BringToForeground(HWND target) {
    const HWND foreground = GetForegroundWindow();
    if (foreground == target) return;
    const DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
    const DWORD targetThread = GetWindowThreadProcessId(target, nullptr);
    if (foregroundThread != targetThread) {
        AttachThreadInput(foregroundThread, targetThread, TRUE);
        const bool brought = SetForegroundWindow(target) != FALSE;
        AttachThreadInput(foregroundThread, targetThread, FALSE);
        if (!brought) return;
    }
    SetForegroundWindow(target);
}

struct InstanceNotice {
    UINT message;
    WPARAM event;
    LPARAM value;
};

BOOL CALLBACK NotifyWindow(HWND window, LPARAM notice) {
    const auto* n = reinterpret_cast<const InstanceNotice*>(notice);
    SendNotifyMessageA(window, n->message, n->event, n->value);
    return TRUE;
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchApplicationWindow(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<WindowSearch*>(search);
    char className[64] = {};
    if (GetClassNameA(window, className, sizeof className) == 0 || std::strcmp(className, "TApplication") != 0)
        return TRUE;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s->processId) return TRUE;
    s->found = window;
    return FALSE;
}

}  // namespace

// ---- The lock ---------------------------------------------------------------

Win32InstanceLock::Win32InstanceLock(const std::string& lockName) {
    event_.Reset(CreateEventA(nullptr, FALSE, FALSE, app::InstanceLockEventName(lockName).c_str()));
    mapping_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kLockBlockBytes,
                                      app::InstanceLockBlockName(lockName).c_str()));
    // A new block of the paging file comes zero-filled: no owner, spin count 0.
    if (mapping_)
        block_.Reset(MapViewOfFile(mapping_.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, kLockBlockBytes));
    if (!IsOpen()) return;
    // Spinning only pays when the owner can run on another processor meanwhile.
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    if (info.dwNumberOfProcessors >= 2) Write(app::LockField::SpinCount, app::kInstanceLockSpinCount);
}

volatile LONG* Win32InstanceLock::Field(app::LockField field) const {
    return static_cast<volatile LONG*>(block_.Get()) + static_cast<std::size_t>(field);
}

std::uint32_t Win32InstanceLock::Read(app::LockField field) {
    return static_cast<std::uint32_t>(InterlockedCompareExchange(Field(field), 0, 0));
}

void Win32InstanceLock::Write(app::LockField field, std::uint32_t value) {
    InterlockedExchange(Field(field), static_cast<LONG>(value));
}

std::uint32_t Win32InstanceLock::CompareExchange(app::LockField field, std::uint32_t expected,
                                                 std::uint32_t desired) {
    return static_cast<std::uint32_t>(
        InterlockedCompareExchange(Field(field), static_cast<LONG>(desired), static_cast<LONG>(expected)));
}

std::uint32_t Win32InstanceLock::Increment(app::LockField field) {
    return static_cast<std::uint32_t>(InterlockedIncrement(Field(field)));
}

std::uint32_t Win32InstanceLock::Decrement(app::LockField field) {
    return static_cast<std::uint32_t>(InterlockedDecrement(Field(field)));
}

std::uint32_t Win32InstanceLock::CurrentThreadId() { return GetCurrentThreadId(); }

void Win32InstanceLock::WaitForEvent() { WaitForSingleObject(event_.Get(), INFINITE); }

void Win32InstanceLock::SignalEvent() { SetEvent(event_.Get()); }

// ---- The list ---------------------------------------------------------------

Win32AppInstances::Win32AppInstances() : Win32AppInstances(RunningProgramPath()) {}

Win32AppInstances::Win32AppInstances(std::string programPath) : listId_(app::InstanceListId(programPath)) {}

Win32AppInstances::~Win32AppInstances() { Close(); }

void Win32AppInstances::Close() {
    list_.Reset();
    mapping_.Reset();
    lock_.reset();
}

bool Win32AppInstances::OpenList() {
    if (list_) return true;
    lock_ = std::make_unique<Win32InstanceLock>(app::InstanceListLockName(listId_));
    if (!lock_->IsOpen()) {
        Close();
        return false;
    }
    // Under the lock, so that no other process reads the block before the
    // one that created it has cleared it.
    lock_->Enter();
    const HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                              static_cast<DWORD>(app::kInstanceListBytes),
                                              app::InstanceListMapName(listId_).c_str());
    const bool created = mapping && GetLastError() != ERROR_ALREADY_EXISTS;
    mapping_.Reset(mapping);
    if (mapping_)
        list_.Reset(MapViewOfFile(mapping_.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, app::kInstanceListBytes));
    if (list_ && created) std::memset(list_.Get(), 0, app::kInstanceListBytes);
    lock_->Leave();
    if (!list_) {
        Close();
        return false;
    }
    message_ = RegisterWindowMessageA(app::InstanceListMessageName(listId_).c_str());
    return true;
}

std::uint32_t Win32AppInstances::OwnProcessId() const { return GetCurrentProcessId(); }

void Win32AppInstances::LockList() {
    if (lock_) lock_->Enter();
}

void Win32AppInstances::UnlockList() {
    if (lock_) lock_->Leave();
}

std::span<std::byte> Win32AppInstances::ListBlock() {
    if (!list_) return {};
    return {static_cast<std::byte*>(list_.Get()), app::kInstanceListBytes};
}

HWND Win32AppInstances::ApplicationWindowOf(std::uint32_t processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(&MatchApplicationWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Win32AppInstances::ActivateProcess(std::uint32_t processId) {
    const HWND target = ApplicationWindowOf(processId);
    if (!target) return;
    if (IsIconic(target)) SendMessageA(target, WM_SYSCOMMAND, SC_RESTORE, 0);
    BringToForeground(target);
}

void Win32AppInstances::NotifyProcess(std::uint32_t processId, app::InstanceEvent event, std::uint32_t value) {
    if (message_ == 0) return;
    const HWND window = ApplicationWindowOf(processId);
    if (!window) return;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const InstanceNotice notice{message_, static_cast<WPARAM>(event), static_cast<LPARAM>(value)};
    for (int attempt = 0; attempt < kPostAttempts; ++attempt) {
        if (PostThreadMessageA(thread, notice.message, notice.event, notice.value)) break;
        if (GetLastError() == ERROR_INVALID_THREAD_ID) break;
        Sleep(1);
    }
    EnumThreadWindows(thread, &NotifyWindow, reinterpret_cast<LPARAM>(&notice));
}

}  // namespace velora::win32
