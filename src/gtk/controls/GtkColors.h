#pragma once
// Model colours on GTK: a plain colour as red, green and blue; a system
// colour has no fixed value and is left to the theme.

#include <cstdint>
#include <optional>
#include <string>

#include "controls/Color.h"

typedef struct _cairo cairo_t;

namespace velora::gtk {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
};

// Nothing for a system colour or clNone.
std::optional<Rgb> PlainColor(controls::TColor color);
std::string CssColor(const Rgb& rgb);
void SetSourceColor(cairo_t* cr, const Rgb& rgb);

}  // namespace velora::gtk
