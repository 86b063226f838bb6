#pragma once
// Fakes and a scratch folder for the settings store tests.

#include <chrono>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/KnownFolders.h"
#include "platform/RegionalSettings.h"
#include "platform/std/StdFileSystem.h"
#include "settings/AppIniFileStorage.h"
#ifdef _WIN32
#include "win32/Win32FileSystem.h"
#endif

namespace velora::settings::testing {

// A folder of its own below the system's temporary folder, removed at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("velora-settings-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder in the program's own notation.
    std::string Folder() const { return path_.string(); }
    std::string File(const std::string& relative) const { return Folder() + "\\" + relative; }

    // The same, as the system names it.
    static std::filesystem::path Native(std::string path) {
#ifndef _WIN32
        for (char& c : path)
            if (c == '\\') c = '/';
#endif
        return path;
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::filesystem::create_directories(Native(path).parent_path());
        std::ofstream(Native(path), std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(Native(path), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    // The names of the entries in a folder, sorted.
    static std::vector<std::string> EntryNames(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Native(folder)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
};

// The file system the program has on this system: under Windows only the
// system's own tells one version of a file from another.
#ifdef _WIN32
using SystemFileSystem = win32::Win32FileSystem;
#else
using SystemFileSystem = platform::StdFileSystem;
#endif

// The files on disk, counting what the store asks of them.
class CountingFileSystem : public SystemFileSystem {
public:
    std::optional<std::string> ReadFile(const std::string& path) const override {
        ++reads;
        return SystemFileSystem::ReadFile(path);
    }
    void ReplaceContents(const std::string& path, const std::string& bytes) override {
        ++writes;
        written.push_back(path);
        SystemFileSystem::ReplaceContents(path, bytes);
    }
    // How often the file was written.
    int WritesOf(const std::string& path) const { return static_cast<int>(std::count(written.begin(), written.end(), path)); }
    mutable int reads = 0;
    int writes = 0;
    std::vector<std::string> written;
};

// Moves a file's last write back in time, as if it had been written then.
inline void SetLastWriteBack(const std::string& path, std::chrono::seconds back) {
    const auto native = ScratchFolder::Native(path);
    std::filesystem::last_write_time(native, std::filesystem::file_time_type::clock::now() - back);
}

class FakeFolders : public platform::KnownFolders {
public:
    std::string appData, programFile, windows, temp;
    std::string AppDataFolder() const override { return appData; }
    std::string ProgramFile() const override { return programFile; }
    std::string WindowsFolder() const override { return windows; }
    std::string TempFolder() const override { return temp; }
};

class FixedFormats : public platform::RegionalSettings {
public:
    platform::DateTimeFormats formats;
    platform::DateTimeFormats Formats() const override { return formats; }
};

inline platform::DateTimeFormats GermanFormats() { return {"dd.MM.yyyy", "HH:mm:ss", "", ""}; }
inline platform::DateTimeFormats UsFormats() { return {"M/d/yyyy", "h:mm:ss tt", "AM", "PM"}; }

// The settings store as the application module sets it up.
inline void SetUpAsSettingsStore(TAppIniFileStorage& store) {
    store.BeginLoading();
    store.SetFileName("VELORA\\Desktop\\VELORADesktop.ini");
    store.SetLocation(flUserFolder);
    store.SetAutoFlush(true);
    store.SetAutoReload(true);
    store.SetDefaultSection("update");
    store.StorageOptions().SetBooleanStringTrueValues("true, TRUE, YES, Y");
    store.StorageOptions().SetBooleanStringFalseValues("false, FALSE, NO, N");
    store.EndLoading();
}

// A store on one file, both automatic modes off, like the version-file store.
inline void SetUpAsPlainStore(TAppIniFileStorage& store, const std::string& fullFileName) {
    store.BeginLoading();
    store.SetLocation(flCustom);
    store.SetFileName(fullFileName);
    store.EndLoading();
}

}  // namespace velora::settings::testing
