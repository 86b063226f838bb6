#pragma once
// An open registry key, closed with its owner.

#include <windows.h>

#include "platform/win32/raii/UniqueHandle.h"

namespace velora::win32 {

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() noexcept { return nullptr; }
    static bool Close(Handle key) noexcept { return RegCloseKey(key) == ERROR_SUCCESS; }
};

using RegistryKey = UniqueHandle<RegistryKeyTraits>;

// The key below `root`, created when it is missing (RegCreateKeyEx), opened
// for `access`; an empty key when the system refuses.
RegistryKey CreateRegistryKey(HKEY root, const wchar_t* path, REGSAM access);

}  // namespace velora::win32
