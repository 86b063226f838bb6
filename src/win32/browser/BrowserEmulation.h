#pragma once
// The browser control's feature controls the program sets for itself, per
// user and per program file name: the control shows pages the way the
// oldest engine did unless the program asks for the current one, and checks
// no spelling in the page's text fields unless asked to (Windows 8.1 and
// later). The uninstaller removes both values again.

namespace velora::win32 {

// Writes the value named like the program's file (e.g. "VELORADesktop.exe"),
// DWORD 11001, into the current user's key
//   Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION
// Call once at start, before the first browser is created. A failure is
// silent; the answer is whether the value was written.
bool SetBrowserEmulation();

// The same for
//   Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_SPELLCHECKING
// with DWORD 1: the control's own spell checking, in the system's languages.
bool SetBrowserSpellChecking();

}  // namespace velora::win32
