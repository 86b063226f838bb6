#pragma once
// Menu shortcuts: a virtual key code in the low byte plus modifier bits, and
// their text as menus show it ("Ctrl+S", "Shift+Ctrl+F1", "Del").

#include <cstdint>
#include <string>
#include <string_view>

namespace velora::component {

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// Modifiers in the order Shift, Ctrl, Alt, then the key's name. A key
// without a name gives "" (so does 0).
std::string ShortCutToText(TShortCut shortCut);

// The reverse: modifier names ("Shift+", "Ctrl+", "Alt+") in any order, then
// exactly one key name, all without regard to case. Anything else gives 0.
TShortCut TextToShortCut(std::string_view text);

}  // namespace velora::component
