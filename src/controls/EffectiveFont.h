#pragma once
// The font a control is drawn with. Every control carries a font of its own,
// which starts with the model's defaults; a value left at its default is
// taken from the containers and the form instead, and where none of them
// sets it either, the system's own dialog font is used. So a form can name a
// face once, and a label on it can ask for bold alone.

#include <string>

#include "controls/Control.h"

namespace velora::controls {

struct FontChoice {
    // Empty for the face of the system's dialog font.
    std::string Name;
    // In points; 0 for the size of the system's dialog font.
    int Size = 0;
    TFontStyles Style;
    TColor Color = clWindowText;

    bool operator==(const FontChoice&) const = default;
};

// Face and size come together from the nearest of the control, its
// containers and its form whose font differs from the default in name or
// size (a default name there means the system's face at that size); style
// and colour each from the nearest that sets one.
FontChoice EffectiveFont(const TControl& control);

}  // namespace velora::controls
