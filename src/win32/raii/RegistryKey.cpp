#include "win32/raii/RegistryKey.h"

namespace velora::win32 {

RegistryKey CreateRegistryKey(HKEY root, const wchar_t* path, REGSAM access) {
    RegistryKey key;
    if (RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.Receive(), nullptr) !=
        ERROR_SUCCESS)
        key.Reset();  // the call leaves no key behind, but the variable may hold garbage
    return key;
}

}  // namespace velora::win32
