#include "app/VerifiedInstaller.h"

#include "platform/FileSystem.h"
#include "platform/InstallerVerifier.h"

namespace velora::app {

namespace {
void DeleteQuietly(platform::FileSystem& files, const std::string& path) {
    try {
        files.RemoveFile(path);
    } catch (const platform::FileSystemError&) {
        // Left under its download name, which nothing ever starts.
    }
}
}  // namespace

bool AcceptVerifiedInstaller(platform::FileSystem& files, platform::InstallerVerifier* verifier,
                             const std::string& download, const std::string& installer) {
    if (!verifier || verifier->Verify(download) != platform::InstallerTrust::Trusted) {
        DeleteQuietly(files, download);
        return false;
    }
    try {
        files.RenameFile(download, installer);
        return true;
    } catch (const platform::FileSystemError&) {
        // The name is held (an earlier installer still runs): the user may try again.
        DeleteQuietly(files, download);
        return false;
    }
}

}  // namespace velora::app
