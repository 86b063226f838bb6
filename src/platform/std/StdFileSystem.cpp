#include "platform/std/StdFileSystem.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <time.h>
#endif

namespace velora::platform {

namespace fs = std::filesystem;

namespace {
// How far back a file's last write must lie before its time is trusted to
// tell a later write apart.
constexpr long kSettledSeconds = 2;

fs::path NativePath(std::string path) {
#ifndef _WIN32
    for (char& c : path)
        if (c == '\\') c = '/';
#endif
    return fs::path(path);
}

// The system's text for the last failed stream operation.
std::string LastErrorText() {
    const int code = errno != 0 ? errno : EIO;
    return std::error_code(code, std::generic_category()).message();
}
}  // namespace

bool StdFileSystem::FileExists(const std::string& path) const {
    std::error_code error;
    return fs::is_regular_file(NativePath(path), error);
}

bool StdFileSystem::IsReadOnly(const std::string& path) const {
    std::error_code error;
    const fs::file_status status = fs::status(NativePath(path), error);
    if (error || !fs::is_regular_file(status)) return false;
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::optional<FileStamp> StdFileSystem::Stamp(const std::string& path) const {
#ifdef _WIN32
    (void)path;
    return std::nullopt;
#else
    struct stat status {};
    if (::stat(NativePath(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    FileStamp stamp;
    stamp.volume = static_cast<std::uint64_t>(status.st_dev);
    stamp.index = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    stamp.lastWrite = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    stamp.readOnly = (status.st_mode & S_IWUSR) == 0;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    stamp.settled = now.tv_sec - status.st_mtim.tv_sec > kSettledSeconds;
    return stamp;
#endif
}

std::optional<std::string> StdFileSystem::ReadFile(const std::string& path) const {
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string content;
    char buffer[16384];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        content.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return content;
}

void StdFileSystem::ReplaceContents(const std::string& path, const std::string& bytes) {
    const fs::path target = NativePath(path);
    // One temporary name per file: a write cut short leaves at most that one
    // file behind, and the next write takes it over.
    fs::path temporary = target;
    temporary += ".tmp";

    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw FileSystemError(LastErrorText());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const bool written = static_cast<bool>(out);
    const std::string writeError = written ? std::string() : LastErrorText();
    out.close();

    std::error_code error;
    if (!written || !out) {
        fs::remove(temporary, error);
        throw FileSystemError(written ? LastErrorText() : writeError);
    }
    fs::rename(temporary, target, error);
    if (error) {
        const std::string reason = error.message();
        fs::remove(temporary, error);
        throw FileSystemError(reason);
    }
}

void StdFileSystem::RemoveFile(const std::string& path) {
    std::error_code error;
    fs::remove(NativePath(path), error);
    if (error) throw FileSystemError(error.message());
}

void StdFileSystem::RenameFile(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::rename(NativePath(from), NativePath(to), error);
    if (error) throw FileSystemError(error.message());
}

void StdFileSystem::CreateFolders(const std::string& folder) {
    if (folder.empty()) return;
    std::error_code error;
    fs::create_directories(NativePath(folder), error);
    if (error) throw FileSystemError(error.message());
}

}  // namespace velora::platform
