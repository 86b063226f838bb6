#pragma once
// Whether a downloaded installer may be started: only when it carries a valid
// signature made with the key of the publisher this program was built for.

#include <string>

namespace velora::platform {

enum class InstallerTrust {
    Trusted,         // signed with the publisher's key; signature and certificate chain hold
    Unsigned,        // no signature at all, or not a file that can carry one
    Invalid,         // a signature that does not hold: changed bytes, a broken or untrusted chain
    OtherPublisher,  // a valid signature, made with another key than the publisher's
};

class InstallerVerifier {
public:
    virtual ~InstallerVerifier() = default;
    // Looks at the file only: shows nothing and fetches nothing from the network.
    virtual InstallerTrust Verify(const std::string& path) = 0;
};

}  // namespace velora::platform
