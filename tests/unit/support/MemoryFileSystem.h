#pragma once
// Files kept in memory. A name in `unwritable` cannot be written; when `log`
// is set, every ReadFile adds "read <path>" to it (found or not), so that a
// test can see when a file was loaded.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace velora::fakes {

class MemoryFileSystem : public platform::FileSystem {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> unwritable;
    std::vector<std::string>* log = nullptr;

    bool FileExists(const std::string& path) const override { return files.count(path) != 0; }
    bool IsReadOnly(const std::string& path) const override { return unwritable.count(path) != 0; }
    std::optional<std::string> ReadFile(const std::string& path) const override {
        if (log != nullptr) log->push_back("read " + path);
        const auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        return found->second;
    }
    void ReplaceContents(const std::string& path, const std::string& bytes) override {
        if (unwritable.count(path)) throw platform::FileSystemError("Access denied");
        files[path] = bytes;
    }
    void RemoveFile(const std::string& path) override { files.erase(path); }
    void RenameFile(const std::string& from, const std::string& to) override {
        files[to] = files[from];
        files.erase(from);
    }
    void CreateFolders(const std::string&) override {}
};

}  // namespace velora::fakes
