#include "settings/AppIniFileStorage.h"

#include "platform/FileSystem.h"

namespace velora::settings {

TAppIniFileStorage::TAppIniFileStorage(platform::FileSystem& fileSystem, const platform::KnownFolders& knownFolders,
                                       const platform::RegionalSettings& regionalSettings)
    : TCustomAppIniStorage(fileSystem, knownFolders, regionalSettings) {}

TAppIniFileStorage::~TAppIniFileStorage() { FlushOnDestroyQuietly(); }

void TAppIniFileStorage::Reload() {
    if (UpdateCount() != 0) return;
    BeginReload();
    const std::string fullName = FullFileName();
    // A file that exists but cannot be read counts as no file.
    if (fullName.empty() || !Files().FileExists(fullName) || !Document().LoadFromFile(Files(), fullName))
        Document().Clear();
}

void TAppIniFileStorage::Flush() {
    const std::string fullName = FullFileName();
    if (fullName.empty() || IsReadOnly()) return;
    try {
        std::string folder = ExtractFilePath(fullName);
        if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
        if (!folder.empty()) Files().CreateFolders(folder);
        Document().SaveToFile(Files(), fullName);
    } catch (const platform::FileSystemError& error) {
        throw CannotCreateFileError(fullName, error.what());
    }
}

}  // namespace velora::settings
