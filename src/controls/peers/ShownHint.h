#pragma once
// The hint a control's tooltip shows: the part of Hint before "|" (the rest
// is the long hint for a status line), empty unless ShowHint.

#include <string>

namespace velora::controls {

class TControl;

std::string ShownHint(const TControl& control);

}  // namespace velora::controls
