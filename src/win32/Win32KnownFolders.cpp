#include "win32/Win32KnownFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace velora::win32 {

namespace {
// Calls a "fill this buffer, return the length" function, growing the buffer
// while the answer does not fit.
template <typename Fill>
std::string AskForText(Fill fill) {
    std::vector<char> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size() - 1) return std::string(buffer.data(), length);
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, length + 1));
    }
    return std::string();
}
}  // namespace

std::string Win32KnownFolders::AppDataFolder() const {
    char path[MAX_PATH + 1] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return std::string();
    return path;
}

std::string Win32KnownFolders::ProgramFile() const {
    // GetModuleFileNameA fills the whole buffer (and cuts the name) when it is too small.
    return AskForText([](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
}

std::string Win32KnownFolders::WindowsFolder() const {
    return AskForText([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
}

std::string Win32KnownFolders::TempFolder() const {
    return AskForText([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

}  // namespace velora::win32
