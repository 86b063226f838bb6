#pragma once
// The GError a GLib call reports through its last argument, freed with its
// owner:
//
//   GlibError error;
//   if (!g_application_register(app, nullptr, error.Receive())) Log(error.Message());

#include <glib.h>

#include <string_view>
#include <utility>

namespace velora::gtk {

class GlibError {
public:
    GlibError() noexcept = default;
    ~GlibError() { Reset(); }

    GlibError(GlibError&& other) noexcept : error_(std::exchange(other.error_, nullptr)) {}
    GlibError& operator=(GlibError&& other) noexcept {
        if (this != &other) {
            Reset();
            error_ = std::exchange(other.error_, nullptr);
        }
        return *this;
    }
    GlibError(const GlibError&) = delete;
    GlibError& operator=(const GlibError&) = delete;

    // Where the call writes its error; one reported earlier is freed first,
    // since GLib refuses to write over an error that is set.
    GError** Receive() noexcept {
        Reset();
        return &error_;
    }

    const GError* Get() const noexcept { return error_; }
    explicit operator bool() const noexcept { return error_ != nullptr; }
    bool Matches(GQuark domain, int code) const noexcept { return g_error_matches(error_, domain, code); }
    std::string_view Message() const noexcept { return error_ && error_->message ? error_->message : ""; }

    void Reset() noexcept {
        if (GError* old = std::exchange(error_, nullptr)) g_error_free(old);
    }

private:
    GError* error_ = nullptr;
};

}  // namespace velora::gtk
