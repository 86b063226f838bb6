#pragma once
// The version of the shell's library, which decides what the notification
// area takes: from 5.0 on longer tips on several lines, the set-version call
// and context-menu notifications for the right button.

#include "controls/tray/TrayShell.h"

namespace velora::win32 {

// The file version (major, minor) of shell32.dll.
struct ShellVersion {
    int major = 0;
    int minor = 0;
    bool IsAtLeast5() const { return major >= 5; }
};

// Read once, on first use.
ShellVersion CurrentShellVersion();

// 127 characters from 5.0 on, else 63 on a single line.
controls::TrayTipRules TipRulesFor(ShellVersion shell);

}  // namespace velora::win32
