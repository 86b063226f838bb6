#pragma once
// Files kept in memory. A name in `unwritable` cannot be written; when `log`
// is set, every ReadFile adds "read <path>" to it (found or not), so that a
// test can see when a file was loaded. A file being replaced piece by piece
// (from any thread) shows under its name in Parts() until the replacement is
// committed or dropped; one left unfinished by an earlier process is in
// staleParts.

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileReplacement.h"
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

    // Files whose replacement a process that ended left unfinished.
    std::set<std::string> staleParts;
    void DiscardStaleReplacement(const std::string& path) override {
        std::lock_guard lock(partsMutex_);
        if (!parts_.count(path)) staleParts.erase(path);
    }

    std::map<std::string, std::string> Parts() const {
        std::lock_guard lock(partsMutex_);
        return parts_;
    }
    std::unique_ptr<platform::FileReplacement> BeginReplacement(const std::string& path) override {
        if (unwritable.count(path)) throw platform::FileSystemError("Access denied");
        std::lock_guard lock(partsMutex_);
        parts_[path];
        return std::make_unique<Part>(*this, path);
    }

private:
    class Part : public platform::FileReplacement {
    public:
        Part(MemoryFileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
        ~Part() override {
            std::lock_guard lock(files_.partsMutex_);
            files_.parts_.erase(path_);
        }
        void Append(const char* data, std::size_t size) override {
            std::lock_guard lock(files_.partsMutex_);
            files_.parts_[path_].append(data, size);
        }
        void Commit(const std::string& path) override { files_.ReplaceContents(path, files_.Parts()[path_]); }

    private:
        MemoryFileSystem& files_;
        std::string path_;
    };

    mutable std::mutex partsMutex_;
    std::map<std::string, std::string> parts_;
};

}  // namespace velora::fakes
