#pragma once
// Whether a downloaded installer may be started: only when it carries a valid
// signature made with the key of the publisher this program was built for.
// The download folder is open to every program of the user, so the file is
// held open from its check to its start: the file checked is the file that
// runs, never one put in its place by name in between.

#include <memory>
#include <string>

namespace velora::platform {

enum class InstallerTrust {
    Trusted,         // signed with the publisher's key; signature and certificate chain hold
    Unsigned,        // no signature at all, or not a file that can carry one
    Invalid,         // a signature that does not hold: changed bytes, a broken or untrusted chain
    OtherPublisher,  // a valid signature, made with another key than the publisher's
};

// A downloaded installer, open for as long as this object lives or until it
// is discarded or started. Meanwhile no other program can write, rename,
// replace or delete it; it may read it.
class HeldInstaller {
public:
    virtual ~HeldInstaller() = default;

    // Looks at the held file only: shows nothing and fetches nothing from the network.
    virtual InstallerTrust Verify() = 0;
    // Gives the held file the name `path`, replacing a file of that name.
    // False when the system refuses (an earlier installer still runs under
    // that name); the file then keeps its name.
    virtual bool MoveTo(const std::string& path) = 0;
    // Deletes the held file and lets it go; false when the system refuses.
    virtual bool Discard() = 0;
    // Starts the held file under its current name, without parameters, and
    // lets it go once its process exists; the name stays the installer's
    // for as long as that process runs. False when it could not be started.
    virtual bool Start() = 0;
};

class InstallerVerifier {
public:
    virtual ~InstallerVerifier() = default;
    // The file at `path`, held; null when it is missing or cannot be held
    // (another program has it open for writing or deletion).
    virtual std::unique_ptr<HeldInstaller> Hold(const std::string& path) = 0;
};

}  // namespace velora::platform
