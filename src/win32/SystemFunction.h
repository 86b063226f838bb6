#pragma once
// Calls that not every system the program runs on has (older Windows, Wine)
// are looked up when they are needed, so that the program still starts where
// one is missing and falls back on what that system offers instead.

#include <windows.h>

namespace velora::win32 {

// The function `name` of `module`, which the process has loaded already;
// nullptr when the module or the function is missing.
template <class Function>
Function FindFunction(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (!handle) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

}  // namespace velora::win32
