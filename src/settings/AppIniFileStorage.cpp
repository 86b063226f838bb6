#include "settings/AppIniFileStorage.h"

#include "platform/FileSystem.h"

namespace velora::settings {

TAppIniFileStorage::TAppIniFileStorage(platform::FileSystem& fileSystem, const platform::KnownFolders& knownFolders,
                                       const platform::RegionalSettings& regionalSettings)
    : TCustomAppIniStorage(fileSystem, knownFolders, regionalSettings) {}

TAppIniFileStorage::~TAppIniFileStorage() { FlushOnDestroyQuietly(); }

void TAppIniFileStorage::Reload() {
    if (UpdateCount() != 0) return;
    const std::string& fullName = FullFileName();
    // Taken before the read: a change made while we read shows as a new
    // stamp next time.
    const std::optional<platform::FileStamp> stamp = fullName.empty() ? std::nullopt : Files().Stamp(fullName);
    if (stamp && stamp == LoadedStamp() && !Changed()) {
        // Unchanged since we read it: the document holds what the file holds.
        KeepLoaded(stamp->readOnly);
        return;
    }
    BeginReload(stamp ? std::optional<bool>(stamp->readOnly) : std::nullopt);
    // A file that exists but cannot be read counts as no file.
    if (fullName.empty() || !Document().LoadFromFile(Files(), fullName)) {
        Document().Clear();
        MarkInStep(std::nullopt);
        return;
    }
    // A file written moments ago may change again within its time's tick:
    // read it again next time until its last write has settled.
    MarkInStep(stamp && stamp->settled ? stamp : std::nullopt);
}

void TAppIniFileStorage::Flush() {
    const std::string& fullName = FullFileName();
    if (fullName.empty() || IsReadOnly()) return;
    // A file that holds the document already is left alone; a missing one
    // is written, empty or not.
    if (!Changed() && Files().FileExists(fullName)) return;
    try {
        std::string folder = ExtractFilePath(fullName);
        if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
        if (!folder.empty()) Files().CreateFolders(folder);
        Document().SaveToFile(Files(), fullName);
    } catch (const platform::FileSystemError& error) {
        throw CannotCreateFileError(fullName, error.what());
    }
    // Read back once at the next access rather than trust a stamp taken
    // after the write: another writer may come between.
    MarkInStep(std::nullopt);
}

}  // namespace velora::settings
