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
    // is no file. Does nothing while an update is open, and reads nothing
    // when the file's stamp (which file, its size, its last write) is the one
    // it had when it was last read and the document was not changed since.
    void Reload() override;
    // Creates the missing folders and rewrites the whole file; skipped without
    // a file name, while read-only, and when the file exists and the document
    // has not changed since it was read or written. Raises EFCreateError
    // "Cannot create file "<name>". <reason>".
    void Flush() override;
};

}  // namespace velora::settings
