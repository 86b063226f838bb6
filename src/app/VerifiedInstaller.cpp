#include "app/VerifiedInstaller.h"

#include "platform/FileSystem.h"
#include "platform/InstallerVerifier.h"

namespace velora::app {

namespace {
// For a file that could not be held: nothing runs it under its download
// name, so one left behind does no harm.
void DeleteQuietly(platform::FileSystem& files, const std::string& path) {
    try {
        files.RemoveFile(path);
    } catch (const platform::FileSystemError&) {
    }
}
}  // namespace

InstallerStart StartVerifiedInstaller(platform::FileSystem& files, platform::InstallerVerifier* verifier,
                                      const std::string& download, const std::string& installer) {
    const auto held = verifier ? verifier->Hold(download) : nullptr;
    if (!held) {
        DeleteQuietly(files, download);
        return InstallerStart::NotVerified;
    }
    // A name that cannot be taken is held by an earlier installer that still
    // runs: the user may try again.
    if (held->Verify() != platform::InstallerTrust::Trusted || !held->MoveTo(installer)) {
        held->Discard();
        return InstallerStart::NotVerified;
    }
    return held->Start() ? InstallerStart::Started : InstallerStart::NotStarted;
}

}  // namespace velora::app
