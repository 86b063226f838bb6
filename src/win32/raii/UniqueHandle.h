#pragma once
// Sole ownership of one handle of the system: closed exactly once, when the
// owner goes, is given a new handle or hands it on. A traits class names
// the handle's type, the value that means "none" (not always null: a file
// handle's is INVALID_HANDLE_VALUE) and the call that closes it.
//
//   struct Traits {
//       using Handle = ...;
//       static Handle Invalid() noexcept;
//       static bool Close(Handle handle) noexcept;  // false when the system refused
//   };
//
// Most handles are null when there is none: NullHandleTraits serves them,
// given the call that closes one as a function object.

#include <utility>

namespace velora::win32 {

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const noexcept { return handle_; }
    bool Valid() const noexcept { return handle_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return Valid(); }

    // Gives the handle up without closing it: the caller owns it now.
    [[nodiscard]] Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

    // Closes the handle held, if any, and takes `handle`. False when the
    // system refused to close the old one (it is let go all the same).
    bool Reset(Handle handle = Traits::Invalid()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        return old == Traits::Invalid() || Traits::Close(old);
    }

    // For the calls that hand a new handle out through a pointer: the handle
    // held so far is closed first.
    Handle* Receive() noexcept {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
};

// The traits of a handle that is null when there is none; `Closer()(handle)`
// closes it and answers whether the system did.
template <class HandleType, class Closer>
struct NullHandleTraits {
    using Handle = HandleType;
    static Handle Invalid() noexcept { return nullptr; }
    static bool Close(Handle handle) noexcept { return Closer()(handle); }
};

}  // namespace velora::win32
