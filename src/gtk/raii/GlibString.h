#pragma once
// A string GLib allocated and the caller must g_free (g_filename_to_uri,
// gtk_text_buffer_get_text, g_strdup_printf...), freed with its owner.

#include <glib.h>

#include <string>
#include <string_view>
#include <utility>

namespace velora::gtk {

class GlibString {
public:
    GlibString() noexcept = default;
    explicit GlibString(gchar* text) noexcept : text_(text) {}
    ~GlibString() { g_free(text_); }

    GlibString(GlibString&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    GlibString& operator=(GlibString&& other) noexcept {
        if (this != &other) {
            g_free(text_);
            text_ = std::exchange(other.text_, nullptr);
        }
        return *this;
    }
    GlibString(const GlibString&) = delete;
    GlibString& operator=(const GlibString&) = delete;

    const gchar* Get() const noexcept { return text_; }
    explicit operator bool() const noexcept { return text_ != nullptr; }
    // The text; no string at all reads as the empty one.
    std::string_view View() const noexcept { return text_ ? std::string_view(text_) : std::string_view(); }
    std::string Copy() const { return std::string(View()); }

private:
    gchar* text_ = nullptr;
};

}  // namespace velora::gtk
