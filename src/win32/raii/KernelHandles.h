#pragma once
// Owners of the kernel's objects: mutexes, events and file mappings (null
// when absent), files (INVALID_HANDLE_VALUE when absent), mapped views, and
// the ownership of a mutex taken by a wait or at its creation.

#include <windows.h>

#include "win32/raii/UniqueHandle.h"

namespace velora::win32 {

struct CloseKernelHandle {
    bool operator()(HANDLE handle) const noexcept { return CloseHandle(handle) != FALSE; }
};

struct UnmapView {
    bool operator()(void* view) const noexcept { return UnmapViewOfFile(view) != FALSE; }
};

// CreateFile answers INVALID_HANDLE_VALUE, not null, when it fails.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle handle) noexcept { return CloseKernelHandle()(handle); }
};

// A mutex, event, file mapping, process or thread.
using KernelHandle = UniqueHandle<NullHandleTraits<HANDLE, CloseKernelHandle>>;
using FileHandle = UniqueHandle<FileHandleTraits>;
// A view of a file mapping (MapViewOfFile).
using MappedView = UniqueHandle<NullHandleTraits<void*, UnmapView>>;

// Gives a mutex this thread owns back on every way out of a scope, a
// failure included, so that it is never left abandoned for the next waiter.
class MutexOwnership {
public:
    explicit MutexOwnership(HANDLE mutex) noexcept : mutex_(mutex) {}
    ~MutexOwnership() {
        if (mutex_) ReleaseMutex(mutex_);
    }
    MutexOwnership(const MutexOwnership&) = delete;
    MutexOwnership& operator=(const MutexOwnership&) = delete;

private:
    HANDLE mutex_;
};

}  // namespace velora::win32
