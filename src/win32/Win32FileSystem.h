#pragma once
// The program's files through the Windows API, with paths in the ANSI code page.

#include "platform/FileSystem.h"

namespace velora::win32 {

class Win32FileSystem : public platform::FileSystem {
public:
    bool FileExists(const std::string& path) const override;
    bool IsReadOnly(const std::string& path) const override;
    // Volume serial number and file index, size and last-write time (100 ns).
    std::optional<platform::FileStamp> Stamp(const std::string& path) const override;
    std::optional<std::string> ReadFile(const std::string& path) const override;
    // Writes "<path>.tmp" beside the file, then moves it over the file. While
    // another handle holds the file (or a second writer its temporary file)
    // the attempt is repeated for about a second before the error is raised.
    void ReplaceContents(const std::string& path, const std::string& bytes) override;
    void RemoveFile(const std::string& path) override;
    void RenameFile(const std::string& from, const std::string& to) override;
    // Writes "<path>.part" as the pieces come; the commit moves it over the
    // target (on another volume, by copying), waiting for a handle that
    // stands in the way as ReplaceContents does.
    std::unique_ptr<platform::FileReplacement> BeginReplacement(const std::string& path) override;
    // Deletes "<path>.part" unless a replacement still holds it open.
    void DiscardStaleReplacement(const std::string& path) override;
    void CreateFolders(const std::string& folder) override;
};

}  // namespace velora::win32
