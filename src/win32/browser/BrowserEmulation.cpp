#include "win32/browser/BrowserEmulation.h"

#include <windows.h>

#include <string>

#include "win32/raii/RegistryKey.h"

namespace velora::win32 {

namespace {
constexpr wchar_t kEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";
// The current engine in its standards mode, whatever the page declares.
constexpr DWORD kCurrentEngine = 11001;
constexpr wchar_t kSpellCheckingKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_SPELLCHECKING";
constexpr DWORD kSpellCheckingOn = 1;

std::wstring ProgramFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
bool SetFeature(const wchar_t* feature, DWORD value) {
    const std::wstring name = ProgramFileName();
    if (name.empty()) return false;
    const RegistryKey key = CreateRegistryKey(HKEY_CURRENT_USER, feature, KEY_SET_VALUE);
    if (!key) return false;
    return RegSetValueExW(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}
}  // namespace

bool SetBrowserEmulation() { return SetFeature(kEmulationKey, kCurrentEngine); }

bool SetBrowserSpellChecking() { return SetFeature(kSpellCheckingKey, kSpellCheckingOn); }

}  // namespace velora::win32
