#pragma once
// A store whose content lives in memory and belongs to one file: the file's
// name and location, whether it has been loaded, and whether the file itself
// is read-only.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

#include "settings/AppStorage.h"
#include "settings/FileLocation.h"

namespace velora::platform {
class KnownFolders;
}

namespace velora::settings {

class TCustomAppMemoryFileStorage : public TCustomAppStorage {
public:
    TCustomAppMemoryFileStorage(platform::FileSystem& fileSystem, const platform::KnownFolders& knownFolders,
                                const platform::RegionalSettings& regionalSettings,
                                std::unique_ptr<TCustomAppStorageOptions> options);

    // Relative or absolute; the default extension is appended to a name
    // without one. Changing the name or the location flushes the old file and
    // loads the new one (only recorded while loading or during an update).
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName);
    TFileLocation Location() const { return location_; }
    void SetLocation(TFileLocation location);
    // The file the store reads and writes; empty when it has no file name.
    // Worked out once for every name and location.
    const std::string& FullFileName() const;

    // While the owner sets up the store, name and location changes are only
    // recorded; the end of loading reloads once.
    void BeginLoading() { loading_ = true; }
    void EndLoading();
    bool Loading() const { return loading_; }

    bool Loaded() const { return loaded_; }
    // The file's read-only attribute, as last seen: looked at again after a
    // reload, when first asked for (a read does not need it).
    bool PhysicalReadOnly() const;
    bool IsReadOnly() const override { return ReadOnly() || PhysicalReadOnly(); }

protected:
    virtual std::string DefaultExtension() const { return std::string(); }
    virtual bool CheckPhysicalReadOnly() const;

    bool ReloadDue() const override { return !loaded_ || AutoReload(); }
    // For Reload: marks the store loaded; the file's attribute as the file's
    // stamp gave it, or looked at again when asked for.
    void BeginReload(std::optional<bool> physicalReadOnly);

    platform::FileSystem& Files() { return fileSystem_; }
    const platform::FileSystem& Files() const { return fileSystem_; }

    // The stamp the file had when the document was read from it; nothing
    // when the system could not stamp it or the file was written since.
    const std::optional<platform::FileStamp>& LoadedStamp() const { return loadedStamp_; }
    // The document was changed in memory and may differ from the file until
    // it is written (or read again).
    void MarkChanged() { changed_ = true; }
    bool Changed() const { return changed_; }
    // The document and the file hold the same again: just read or written.
    void MarkInStep(std::optional<platform::FileStamp> stamp) {
        loadedStamp_ = stamp;
        changed_ = false;
    }
    // For a reload that found the file unchanged.
    void KeepLoaded(bool physicalReadOnly) {
        loaded_ = true;
        physicalReadOnly_ = physicalReadOnly;
    }

private:
    void ChangeFile(const std::function<void()>& change);

    platform::FileSystem& fileSystem_;
    const platform::KnownFolders& knownFolders_;
    std::string fileName_;
    TFileLocation location_ = flExeFile;
    bool loading_ = false;
    bool loaded_ = false;
    mutable std::optional<bool> physicalReadOnly_;
    mutable std::optional<std::string> fullFileName_;
    std::optional<platform::FileStamp> loadedStamp_;
    bool changed_ = false;
};

}  // namespace velora::settings
