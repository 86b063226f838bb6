#pragma once
// An open registry key, closed with its owner.

#include <windows.h>

#include "win32/raii/UniqueHandle.h"

namespace velora::win32 {

struct CloseRegistryKey {
    bool operator()(HKEY key) const noexcept { return RegCloseKey(key) == ERROR_SUCCESS; }
};

using RegistryKey = UniqueHandle<NullHandleTraits<HKEY, CloseRegistryKey>>;

// The key below `root`, created when it is missing (RegCreateKeyEx), opened
// for `access`; an empty key when the system refuses.
RegistryKey CreateRegistryKey(HKEY root, const wchar_t* path, REGSAM access);

}  // namespace velora::win32
