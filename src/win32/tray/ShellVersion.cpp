#include "win32/tray/ShellVersion.h"

#include <windows.h>
#include <shlwapi.h>

#include "win32/SystemFunction.h"

namespace velora::win32 {

namespace {

// The shell library's DllGetVersion answers with the major and minor number
// of its file version.
ShellVersion ReadShellVersion() {
    ShellVersion version;
    if (auto getVersion = FindFunction<DLLGETVERSIONPROC>(L"shell32.dll", "DllGetVersion")) {
        DLLVERSIONINFO info{};
        info.cbSize = sizeof info;
        if (SUCCEEDED(getVersion(&info))) {
            version.major = static_cast<int>(info.dwMajorVersion);
            version.minor = static_cast<int>(info.dwMinorVersion);
        }
    }
    return version;
}

}  // namespace

ShellVersion CurrentShellVersion() {
    static const ShellVersion version = ReadShellVersion();
    return version;
}

controls::TrayTipRules TipRulesFor(ShellVersion shell) {
    if (shell.IsAtLeast5()) return {127, false};
    return {63, true};
}

}  // namespace velora::win32
