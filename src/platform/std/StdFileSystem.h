#pragma once
// The program's files through the standard library, for every system. Outside
// Windows the program's "\" between folders becomes "/".

#include "platform/FileSystem.h"

namespace velora::platform {

class StdFileSystem : public FileSystem {
public:
    bool FileExists(const std::string& path) const override;
    // The file exists and its owner may not write it.
    bool IsReadOnly(const std::string& path) const override;
    // Outside Windows the file's device and inode tell which file it is, and
    // its time is read in nanoseconds; the Windows build of this class cannot
    // tell and stamps nothing.
    std::optional<FileStamp> Stamp(const std::string& path) const override;
    std::optional<std::string> ReadFile(const std::string& path) const override;
    // Writes "<path>.tmp" beside the file, then renames it over the
    // file; on failure the temporary file is removed and the file untouched.
    void ReplaceContents(const std::string& path, const std::string& bytes) override;
    void RemoveFile(const std::string& path) override;
    void RenameFile(const std::string& from, const std::string& to) override;
    void CreateFolders(const std::string& folder) override;
};

}  // namespace velora::platform
