#pragma once
// One counted reference to a COM object: AddRef when a reference is shared,
// Release exactly once when it goes.

#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace velora::win32 {

template <class Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Shares the object: a reference of its own.
    explicit ComPtr(Interface* object) noexcept : object_(object) {
        if (object_) object_->AddRef();
    }
    // Takes over a reference the caller holds already: a new object's first
    // one, or one a call handed out.
    static ComPtr Adopt(Interface* object) noexcept {
        ComPtr owner;
        owner.object_ = object;
        return owner;
    }

    ComPtr(const ComPtr& other) noexcept : ComPtr(other.object_) {}
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    Interface* Get() const noexcept { return object_; }
    Interface* operator->() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    void Reset() noexcept {
        if (Interface* old = std::exchange(object_, nullptr)) old->Release();
    }
    // Hands the reference to the caller, who releases it.
    [[nodiscard]] Interface* Detach() noexcept { return std::exchange(object_, nullptr); }

    // For the calls that hand out a new reference through an out-parameter:
    // the reference held so far is released first.
    Interface** Receive() noexcept {
        Reset();
        return &object_;
    }

    // The object's interface `Other` (QueryInterface), empty when it has none.
    template <class Other>
    ComPtr<Other> As() const noexcept {
        void* found = nullptr;
        if (!object_ || FAILED(object_->QueryInterface(__uuidof(Other), &found))) return {};
        return ComPtr<Other>::Adopt(static_cast<Other*>(found));
    }

private:
    Interface* object_ = nullptr;
};

// Creates an in-process COM object and asks it for `Interface`; empty when
// the system has no such class or the object lacks the interface.
template <class Interface>
ComPtr<Interface> CreateInProcessObject(REFCLSID classId) noexcept {
    void* created = nullptr;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface), &created))) return {};
    return ComPtr<Interface>::Adopt(static_cast<Interface*>(created));
}

}  // namespace velora::win32
