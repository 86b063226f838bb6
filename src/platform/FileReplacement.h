#pragma once
// New content for a file, written piece by piece, that takes the file's
// place only once it is complete. Dropped without Commit it leaves nothing
// behind: a download that broke off never stands under the file's name.

#include <cstddef>
#include <memory>
#include <string>

namespace velora::platform {

class FileSystem;

class FileReplacement {
public:
    virtual ~FileReplacement() = default;
    // Throws FileSystemError with the system's text.
    virtual void Append(const char* data, std::size_t size) = 0;
    // Puts the content in the place of the file `path` (not necessarily the
    // one the replacement began for), replacing it. Throws FileSystemError;
    // the content is dropped then too.
    virtual void Commit(const std::string& path) = 0;
};

// Keeps the pieces in memory and writes them with the file system's
// ReplaceContents at the commit, which must come while `files` exists.
std::unique_ptr<FileReplacement> ReplacementInMemory(FileSystem& files);

}  // namespace velora::platform
