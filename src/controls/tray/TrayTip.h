#pragma once
// The tip text of the tray icon: what of the hint the shell is shown.

#include <string>
#include <string_view>

#include "controls/tray/TrayShell.h"

namespace velora::controls {

// The part of the hint before the first "|", cut to what the shell holds:
// 127 characters from shell version 5.0 on, 63 below.
std::string TrayTipText(std::string_view hint, ShellVersion shell);

// A hint as the tray icon keeps it: older shells show a single line, so each
// carriage return and line feed pair becomes " - " there.
std::string TrayHintForShell(std::string_view hint, ShellVersion shell);

}  // namespace velora::controls
