#pragma once
// A downloaded installer takes the name it is started under only once its
// signature has been verified; anything else is deleted before it can run.

#include <string>

namespace velora::platform {
class FileSystem;
class InstallerVerifier;
}  // namespace velora::platform

namespace velora::app {

// Verifies the file `download`. A trusted one is renamed to `installer`,
// replacing an earlier file of that name; any other (and every file when
// there is no verifier) is deleted. True when `installer` now holds the
// verified download.
bool AcceptVerifiedInstaller(platform::FileSystem& files, platform::InstallerVerifier* verifier,
                             const std::string& download, const std::string& installer);

}  // namespace velora::app
