#pragma once
// The browser control shows pages the way the oldest engine did unless the
// program asks for the current one, per user and per program file name.

namespace velora::win32 {

// Writes the value named like the program's file (e.g. "VELORADesktop.exe"),
// DWORD 11001, into the current user's key
//   Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION
// Call once at start, before the first browser is created. A failure is
// silent; the answer is whether the value was written.
bool SetBrowserEmulation();

}  // namespace velora::win32
