#pragma once
// The tip text of the tray icon: what of the hint the system is shown.

#include <string>
#include <string_view>

#include "controls/tray/TrayShell.h"

namespace velora::controls {

// The part of the hint before the first "|", cut to what the system holds.
std::string TrayTipText(std::string_view hint, TrayTipRules rules);

// A hint as the tray icon keeps it: where tips have a single line, each
// carriage return and line feed pair becomes " - ".
std::string TrayHintForShell(std::string_view hint, TrayTipRules rules);

}  // namespace velora::controls
