#include "settings/AppMemoryFileStorage.h"

#include "platform/FileSystem.h"

namespace velora::settings {

TCustomAppMemoryFileStorage::TCustomAppMemoryFileStorage(platform::FileSystem& fileSystem,
                                                         const platform::KnownFolders& knownFolders,
                                                         const platform::RegionalSettings& regionalSettings,
                                                         std::unique_ptr<TCustomAppStorageOptions> options)
    : TCustomAppStorage(regionalSettings, std::move(options)), fileSystem_(fileSystem), knownFolders_(knownFolders) {}

std::string TCustomAppMemoryFileStorage::FullFileName() const {
    return FullFileNameFor(fileName_, location_, knownFolders_);
}

void TCustomAppMemoryFileStorage::SetFileName(const std::string& fileName) {
    std::string name = fileName;
    if (!name.empty() && ExtractFileExt(name).empty()) name += DefaultExtension();
    if (name == fileName_) return;
    ChangeFile([&] { fileName_ = name; });
}

void TCustomAppMemoryFileStorage::SetLocation(TFileLocation location) {
    if (location == location_) return;
    ChangeFile([&] { location_ = location; });
}

void TCustomAppMemoryFileStorage::ChangeFile(const std::function<void()>& change) {
    if (loading_ || UpdateCount() != 0) {
        change();
        return;
    }
    Flush();
    change();
    physicalReadOnly_ = CheckPhysicalReadOnly();
    Reload();
}

void TCustomAppMemoryFileStorage::EndLoading() {
    loading_ = false;
    Reload();
}

bool TCustomAppMemoryFileStorage::CheckPhysicalReadOnly() const {
    const std::string fullName = FullFileName();
    return !fullName.empty() && fileSystem_.IsReadOnly(fullName);
}

void TCustomAppMemoryFileStorage::BeginReload() {
    loaded_ = true;
    physicalReadOnly_ = CheckPhysicalReadOnly();
}

}  // namespace velora::settings
