#pragma once
// Files in memory for the translator and language tests, with a log of the
// files read so that a test can see when a language file was loaded.

#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace velora::i18n::testing {

class MemoryFileSystem : public platform::FileSystem {
public:
    std::map<std::string, std::string> files;
    // "read <path>" for every ReadFile, found or not.
    std::vector<std::string>* log = nullptr;

    bool FileExists(const std::string& path) const override { return files.count(path) != 0; }
    bool IsReadOnly(const std::string&) const override { return false; }
    std::optional<std::string> ReadFile(const std::string& path) const override {
        if (log != nullptr) log->push_back("read " + path);
        const auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        return found->second;
    }
    void ReplaceContents(const std::string& path, const std::string& bytes) override { files[path] = bytes; }
    void RemoveFile(const std::string& path) override { files.erase(path); }
    void RenameFile(const std::string& from, const std::string& to) override {
        files[to] = files[from];
        files.erase(from);
    }
    void CreateFolders(const std::string&) override {}
};

}  // namespace velora::i18n::testing
