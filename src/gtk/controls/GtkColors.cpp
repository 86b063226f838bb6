#include "gtk/controls/GtkColors.h"

#include <cairo.h>

#include <cstdio>

namespace velora::gtk {

std::optional<Rgb> PlainColor(controls::TColor color) {
    const auto bits = static_cast<std::uint32_t>(color);
    if ((bits & 0xFF000000u) != 0) return std::nullopt;  // system colours and clNone
    return Rgb{static_cast<std::uint8_t>(bits & 0xFF), static_cast<std::uint8_t>((bits >> 8) & 0xFF),
               static_cast<std::uint8_t>((bits >> 16) & 0xFF)};
}

std::string CssColor(const Rgb& rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
    return text;
}

void SetSourceColor(cairo_t* cr, const Rgb& rgb) {
    cairo_set_source_rgb(cr, rgb.red / 255.0, rgb.green / 255.0, rgb.blue / 255.0);
}

}  // namespace velora::gtk
