#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace velora::platform {

namespace {
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!Valid()) return true;
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle_;
};

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

[[noreturn]] void ThrowLastError() { throw FileSystemError(SystemErrorText(GetLastError())); }

std::string TemporaryNameFor(const std::string& path) {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp%08lx",
                  static_cast<unsigned long>(counter.LowPart ^ (GetCurrentProcessId() << 16)));
    return path + suffix;
}

// "C:" and "\\server\share" are where folders begin, not folders to create.
std::size_t FirstCreatableSeparator(const std::string& folder) {
    if (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\') {
        std::size_t pos = folder.find('\\', 2);                              // end of server
        if (pos != std::string::npos) pos = folder.find('\\', pos + 1);     // end of share
        return pos == std::string::npos ? folder.size() : pos + 1;
    }
    if (folder.size() >= 2 && folder[1] == ':') return folder.size() > 2 && folder[2] == '\\' ? 3 : 2;
    return folder.empty() || folder[0] != '\\' ? 0 : 1;
}
}  // namespace

std::string SystemErrorText(unsigned long code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer) text.assign(buffer, length);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty()) {
        char number[32];
        std::snprintf(number, sizeof number, "System error %lu", code);
        text = number;
    }
    return text;
}

bool Win32FileSystem::FileExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::IsReadOnly(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) const {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    std::string content;
    char buffer[16384];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        content.append(buffer, read);
    }
    return content;
}

void Win32FileSystem::ReplaceContents(const std::string& path, const std::string& bytes) {
    const std::string temporary = TemporaryNameFor(path);
    Handle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (!file.Valid()) ThrowLastError();

    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = ::WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    ok = ok && FlushFileBuffers(file.Get());
    DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    if (!file.Close() && ok) {
        ok = false;
        error = GetLastError();
    }
    if (ok && !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) {
        DeleteFileA(temporary.c_str());
        throw FileSystemError(SystemErrorText(error));
    }
}

void Win32FileSystem::CreateFolders(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    if (path.empty()) return;

    // Each prefix up to a backslash, from the top down, then the folder itself.
    for (std::size_t pos = FirstCreatableSeparator(path); pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '\\' && path[pos] != '/') continue;
        const std::string prefix = path.substr(0, pos);
        if (prefix.empty() || IsFolder(prefix)) continue;
        if (!CreateDirectoryA(prefix.c_str(), nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_ALREADY_EXISTS && IsFolder(prefix)) continue;
            throw FileSystemError(SystemErrorText(error));
        }
    }
}

}  // namespace velora::platform
