#pragma once
// The files the program reads and writes, behind an interface so that the
// settings store and the language loader stay portable. Paths are the
// program's own single-byte texts with "\" between folders; an implementation
// maps them to what its system expects.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/FileReplacement.h"

namespace velora::platform {

// A failed file operation; the message is the system's error text.
class FileSystemError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What tells one version of a file from another without reading it: which
// file it is (a replace puts another file in its place), its size and its
// last write at the system's full resolution.
struct FileStamp {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    std::int64_t lastWrite = 0;
    bool readOnly = false;
    // The last write lies far enough back that a later write in place, of the
    // same size, would show as another time: file times tick coarser than
    // their unit (a few milliseconds, on some systems seconds).
    bool settled = false;
    friend bool operator==(const FileStamp& a, const FileStamp& b) {
        return a.volume == b.volume && a.index == b.index && a.size == b.size && a.lastWrite == b.lastWrite &&
               a.readOnly == b.readOnly;
    }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool FileExists(const std::string& path) const = 0;
    // True when the file exists and carries the read-only attribute.
    virtual bool IsReadOnly(const std::string& path) const = 0;
    // The stamp of the regular file at the path; nothing when there is none,
    // or when the system cannot tell (then a reader must read the file).
    virtual std::optional<FileStamp> Stamp(const std::string& /*path*/) const { return std::nullopt; }
    // The whole file, or nothing when it cannot be opened.
    virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;
    // Replaces the file's whole content without ever leaving a half-written
    // file behind: the bytes go to "<path>.tmp" in the same folder, which then
    // takes the file's place. A write cut short (the process killed) leaves at
    // most that one file, which the next write reuses; no other file is
    // touched. Throws FileSystemError with the system's text.
    virtual void ReplaceContents(const std::string& path, const std::string& bytes) = 0;
    // Deletes the file; one that does not exist is no failure. Throws
    // FileSystemError with the system's text.
    virtual void RemoveFile(const std::string& path) = 0;
    // Gives the file `from` the name `to` in the same folder, replacing a file
    // of that name. Throws FileSystemError with the system's text.
    virtual void RenameFile(const std::string& from, const std::string& to) = 0;
    // New content for the file at `path`, written piece by piece and put in
    // its place at the commit. This one keeps it in memory until then; a
    // system's own may write it to a file beside the target as it comes.
    // Throws FileSystemError.
    virtual std::unique_ptr<FileReplacement> BeginReplacement(const std::string& path);
    // Removes what a replacement of the file at `path` left beside it when its
    // process ended before the commit; a replacement still being written keeps
    // its file. One kept in memory leaves nothing. Never throws.
    virtual void DiscardStaleReplacement(const std::string& /*path*/) {}
    // Creates every missing folder of the path, from the top down.
    // Throws FileSystemError when one cannot be created.
    virtual void CreateFolders(const std::string& folder) = 0;
};

}  // namespace velora::platform
