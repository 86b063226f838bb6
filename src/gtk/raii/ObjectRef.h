#pragma once
// One reference to a GObject (a widget, a pixbuf, a D-Bus connection, a
// cancellable...), given back exactly once when its owner goes.
//
// GLib hands references out in two ways, and the owner is made to match:
//   Adopt(p)  a reference the caller already owns ("transfer full": the
//             result of g_object_new, *_new, g_bus_get_finish...);
//   Share(p)  an object someone else owns ("transfer none"): one is added;
//   Sink(p)   a new object whose reference may still be floating (a widget
//             before it is put into a container): the floating one is taken.

#include <glib-object.h>

#include <utility>

namespace velora::gtk {

template <class Object>
class ObjectRef {
public:
    ObjectRef() noexcept = default;
    ~ObjectRef() { Reset(); }

    [[nodiscard]] static ObjectRef Adopt(Object* object) noexcept { return ObjectRef(object); }
    [[nodiscard]] static ObjectRef Share(Object* object) noexcept {
        return ObjectRef(object ? static_cast<Object*>(g_object_ref(object)) : nullptr);
    }
    [[nodiscard]] static ObjectRef Sink(Object* object) noexcept {
        return ObjectRef(object ? static_cast<Object*>(g_object_ref_sink(object)) : nullptr);
    }

    ObjectRef(ObjectRef&& other) noexcept : object_(other.Release()) {}
    ObjectRef& operator=(ObjectRef&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ObjectRef(const ObjectRef& other) noexcept : object_(Share(other.object_).Release()) {}
    ObjectRef& operator=(const ObjectRef& other) noexcept {
        if (this != &other) Reset(Share(other.object_).Release());
        return *this;
    }

    Object* Get() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    // Gives the reference up: the caller owns it now.
    [[nodiscard]] Object* Release() noexcept { return std::exchange(object_, nullptr); }

    // Drops the reference held, if any, and adopts `object`'s.
    void Reset(Object* object = nullptr) noexcept {
        if (Object* old = std::exchange(object_, object)) g_object_unref(old);
    }

private:
    explicit ObjectRef(Object* object) noexcept : object_(object) {}

    Object* object_ = nullptr;
};

}  // namespace velora::gtk
