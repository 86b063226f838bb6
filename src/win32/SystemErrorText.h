#pragma once
// The one way the program words an error code of the system: the system's
// own text, as FormatMessage has it, without the closing period and line
// break ("Access is denied"), or "System error <code>" for a code nobody
// has a text for.

#include <windows.h>

#include <string>

namespace velora::win32 {

// `messages` names a module whose message table is asked first (WinInet's
// codes have their texts there); the system's table comes after it.
std::string SystemErrorText(DWORD code, HMODULE messages = nullptr);

}  // namespace velora::win32

namespace velora::win32 {

// Throws std::runtime_error with the text of the thread's last error: for a
// call of the system that failed where the program cannot go on without it.
[[noreturn]] void ThrowLastError();

}  // namespace velora::win32
