#include "win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "win32/SystemErrorText.h"
#include "win32/raii/KernelHandles.h"

namespace velora::win32 {

using win32::FileHandle;
using win32::SystemErrorText;

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// How far back (in 100 ns) a file's last write must lie before its time is
// trusted to tell a later write apart: the system updates file times at the
// pace of its timer, not at their resolution.
constexpr std::int64_t kSettledTicks = 2 * 10'000'000;

// The waits before each new attempt at a replace that another handle stands
// in the way of: short at first, about a second in all before the error is
// reported.
constexpr DWORD kRetryDelaysMs[] = {10, 20, 40, 80, 120, 160, 200, 200, 200};

// Errors that another process holding the file (or its temporary file) for a
// moment causes: a reader that does not share deletion, or a second writer.
bool IsHeldElsewhere(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written != chunk) return false;
        done += written;
    }
    return true;
}

// One attempt at replacing the file with the bytes through the temporary file;
// answers the system's error code. The temporary stays open, shared for
// reading and deletion only, until it has taken the file's place: another
// writer of the same file cannot write into it meanwhile and waits instead.
// A failed attempt deletes it through that same handle, never someone else's.
DWORD TryReplace(const std::string& path, const std::string& temporary, const std::string& bytes) {
    FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return GetLastError();
    if (WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get()) &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    FILE_DISPOSITION_INFO dispose{TRUE};
    SetFileInformationByHandle(file.Get(), FileDispositionInfo, &dispose, sizeof dispose);
    return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;  // a short write sets no error
}

// Written to "<path>.part" as the pieces come, through a handle shared for
// reading and deletion only, which also deletes the file when the
// replacement is dropped. The commit moves it over its target, waiting for
// another handle on the target as a replace does; no flush to the disk: what
// is written this way can be fetched again.
class Win32FileReplacement final : public platform::FileReplacement {
public:
    Win32FileReplacement(std::string temporary, HANDLE file) : temporary_(std::move(temporary)), file_(file) {}
    ~Win32FileReplacement() override { Discard(); }

    void Append(const char* data, std::size_t size) override {
        if (!WriteAll(file_.Get(), std::string_view(data, size)))
            throw platform::FileSystemError(SystemErrorText(GetLastError()));
    }
    void Commit(const std::string& path) override {
        DWORD error = MoveTo(path);
        for (const DWORD delay : kRetryDelaysMs) {
            if (!IsHeldElsewhere(error)) break;
            Sleep(delay);
            error = MoveTo(path);
        }
        if (error != ERROR_SUCCESS) {
            Discard();
            throw platform::FileSystemError(SystemErrorText(error));
        }
        file_.Reset();  // the file now stands under the target's name
    }

private:
    DWORD MoveTo(const std::string& path) {
        const BOOL moved =
            MoveFileExA(temporary_.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
        return moved ? ERROR_SUCCESS : GetLastError();
    }
    void Discard() {
        if (!file_.Valid()) return;
        FILE_DISPOSITION_INFO dispose{TRUE};
        SetFileInformationByHandle(file_.Get(), FileDispositionInfo, &dispose, sizeof dispose);
        file_.Reset();
    }

    std::string temporary_;
    FileHandle file_;
};

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

bool Win32FileSystem::FileExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::IsReadOnly(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::optional<platform::FileStamp> Win32FileSystem::Stamp(const std::string& path) const {
    // Opened for its attributes only, shared for everything: it stands in
    // nobody's way.
    FileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.Get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    platform::FileStamp stamp;
    stamp.volume = info.dwVolumeSerialNumber;
    stamp.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.lastWrite = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                                info.ftLastWriteTime.dwLowDateTime);
    stamp.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto nowTicks = static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                                                    now.dwLowDateTime);
    stamp.settled = nowTicks - stamp.lastWrite > kSettledTicks;
    return stamp;
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) const {
    // Shared for everything: a reader never keeps another process from
    // opening the file, and a replace that meets it waits (ReplaceContents).
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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
    // One temporary name per file: a write cut short leaves at most that one
    // file behind, and the next write takes it over.
    const std::string temporary = path + ".tmp";
    DWORD error = TryReplace(path, temporary, bytes);
    for (const DWORD delay : kRetryDelaysMs) {
        if (!IsHeldElsewhere(error)) break;
        Sleep(delay);
        error = TryReplace(path, temporary, bytes);
    }
    if (error != ERROR_SUCCESS) throw platform::FileSystemError(SystemErrorText(error));
}

void Win32FileSystem::RemoveFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) return;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
        throw platform::FileSystemError(SystemErrorText(error));
}

void Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw platform::FileSystemError(SystemErrorText(GetLastError()));
}

std::unique_ptr<platform::FileReplacement> Win32FileSystem::BeginReplacement(const std::string& path) {
    std::string temporary = path + ".part";
    const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw platform::FileSystemError(SystemErrorText(GetLastError()));
    return std::make_unique<Win32FileReplacement>(std::move(temporary), file);
}

void Win32FileSystem::DiscardStaleReplacement(const std::string& path) {
    // Opened for deletion and shared with nobody: a replacement being written
    // holds the part, and then the open fails and the part stays. Closing the
    // handle deletes the file.
    const FileHandle part(CreateFileA((path + ".part").c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_DELETE_ON_CLOSE, nullptr));
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
            throw platform::FileSystemError(SystemErrorText(error));
        }
    }
}

}  // namespace velora::win32
