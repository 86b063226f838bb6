#pragma once
// The INI store the program uses: the document is read from and written to
// its file. Owners: the application module (the settings file) and the update
// dialog (the version file).

#include "settings/AppIniStorage.h"

namespace velora::settings {

class TAppIniFileStorage : public TCustomAppIniStorage {
public:
    TAppIniFileStorage(platform::FileSystem& fileSystem, const platform::KnownFolders& knownFolders,
                       const platform::RegionalSettings& regionalSettings);
    // Writes the file when FlushOnDestroy is on; a failure is swallowed.
    ~TAppIniFileStorage() override;

    // Replaces the document with the file's content, or empties it when there
    // is no file. Does nothing while an update is open.
    void Reload() override;
    // Creates the missing folders and rewrites the whole file; skipped without
    // a file name or while read-only. Raises EFCreateError
    // "Cannot create file "<name>". <reason>".
    void Flush() override;
};

}  // namespace velora::settings
