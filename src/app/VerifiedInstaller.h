#pragma once
// A downloaded installer is started only once its signature has been
// verified, and only the very file verified: it is held from the check
// through its rename to the name it runs under until its process exists.
// Anything else is deleted before it can run.

#include <string>

namespace velora::platform {
class FileSystem;
class InstallerVerifier;
}  // namespace velora::platform

namespace velora::app {

enum class InstallerStart {
    Started,      // the verified installer runs
    NotVerified,  // refused and deleted: not trusted, not to be held, or its name could not be taken
    NotStarted,   // verified and under the installer's name, but the system did not start it
};

// Holds the file `download` and verifies it. A trusted one is renamed to
// `installer`, replacing an earlier file of that name, and started from
// there; any other (and every file when there is no verifier) is deleted.
InstallerStart StartVerifiedInstaller(platform::FileSystem& files, platform::InstallerVerifier* verifier,
                                      const std::string& download, const std::string& installer);

}  // namespace velora::app
