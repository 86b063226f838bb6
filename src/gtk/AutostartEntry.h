#pragma once
// Start at log-on on a Linux desktop: a desktop entry in the user's autostart
// folder ($XDG_CONFIG_HOME/autostart/), which every desktop that follows the
// freedesktop.org autostart rules starts when the user logs on.

#include <string>
#include <string_view>

namespace velora::gtk {

inline constexpr const char* kAutostartFileName = "velora-desktop.desktop";

// The entry that runs `command`: the program's path, in double quotes or
// not (the program stores it quoted, as the Windows Run value holds it).
std::string AutostartEntryText(std::string_view command);

// The Exec value for a program path: in double quotes with the characters the
// entry format reserves escaped, so paths with blanks, quotes, "$" or "%" work.
std::string ExecValueFor(std::string_view programPath);

}  // namespace velora::gtk
