#include "settings/AppMemoryFileStorage.h"

namespace velora::settings {

TCustomAppMemoryFileStorage::TCustomAppMemoryFileStorage(platform::FileSystem& fileSystem,
                                                         const platform::KnownFolders& knownFolders,
                                                         const platform::RegionalSettings& regionalSettings,
                                                         std::unique_ptr<TCustomAppStorageOptions> options)
    : TCustomAppStorage(regionalSettings, std::move(options)), fileSystem_(fileSystem), knownFolders_(knownFolders) {}

const std::string& TCustomAppMemoryFileStorage::FullFileName() const {
    if (!fullFileName_) fullFileName_ = FullFileNameFor(fileName_, location_, knownFolders_);
    return *fullFileName_;
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
    const auto changeFile = [&] {
        change();
        fullFileName_.reset();
        loadedStamp_.reset();
        // The new file has not been written with this document.
        changed_ = true;
    };
    if (loading_ || UpdateCount() != 0) {
        changeFile();
        return;
    }
    Flush();
    changeFile();
    physicalReadOnly_.reset();
    Reload();
}

void TCustomAppMemoryFileStorage::EndLoading() {
    loading_ = false;
    Reload();
}

bool TCustomAppMemoryFileStorage::CheckPhysicalReadOnly() const {
    const std::string& fullName = FullFileName();
    return !fullName.empty() && fileSystem_.IsReadOnly(fullName);
}

bool TCustomAppMemoryFileStorage::PhysicalReadOnly() const {
    if (!physicalReadOnly_) physicalReadOnly_ = CheckPhysicalReadOnly();
    return *physicalReadOnly_;
}

void TCustomAppMemoryFileStorage::BeginReload(std::optional<bool> physicalReadOnly) {
    loaded_ = true;
    physicalReadOnly_ = physicalReadOnly;
}

}  // namespace velora::settings
