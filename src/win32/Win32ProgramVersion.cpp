#include "win32/Win32ProgramVersion.h"

#include <windows.h>

#include <vector>

namespace velora::win32 {

std::optional<platform::FileVersion> Win32ProgramVersion::FileVersionOfProgram() const {
    wchar_t path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    if (length == 0 || length >= std::size(path)) return std::nullopt;

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path, 0, size, block.data())) return std::nullopt;

    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoLength = 0;
    // "\" names the root block, which holds the fixed file information.
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoLength) ||
        info == nullptr || infoLength < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;

    return platform::FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                 HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
}

}  // namespace velora::win32
