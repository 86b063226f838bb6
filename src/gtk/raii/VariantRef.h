#pragma once
// One reference to a GVariant, given back when its owner goes.
//
// A variant just built (g_variant_new...) is floating until someone sinks
// it; D-Bus calls sink what they are given, so only a variant that may not
// reach one needs an owner: Sink(v). A variant handed out "transfer full"
// (a D-Bus reply, g_variant_get_child_value) is adopted: Adopt(v).

#include <glib.h>

#include <utility>

namespace velora::gtk {

class VariantRef {
public:
    VariantRef() noexcept = default;
    ~VariantRef() { Reset(); }

    [[nodiscard]] static VariantRef Adopt(GVariant* variant) noexcept { return VariantRef(variant); }
    [[nodiscard]] static VariantRef Sink(GVariant* variant) noexcept {
        return VariantRef(variant ? g_variant_ref_sink(variant) : nullptr);
    }

    VariantRef(VariantRef&& other) noexcept : variant_(other.Release()) {}
    VariantRef& operator=(VariantRef&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    VariantRef(const VariantRef&) = delete;
    VariantRef& operator=(const VariantRef&) = delete;

    GVariant* Get() const noexcept { return variant_; }
    explicit operator bool() const noexcept { return variant_ != nullptr; }

    [[nodiscard]] GVariant* Release() noexcept { return std::exchange(variant_, nullptr); }

    void Reset(GVariant* variant = nullptr) noexcept {
        if (GVariant* old = std::exchange(variant_, variant)) g_variant_unref(old);
    }

private:
    explicit VariantRef(GVariant* variant) noexcept : variant_(variant) {}

    GVariant* variant_ = nullptr;
};

}  // namespace velora::gtk
