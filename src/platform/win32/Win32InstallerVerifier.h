#pragma once
// The installer check on Windows: the system's Authenticode verification
// (signature, the file's digest and the certificate chain up to a trusted
// root, with no user interface, no revocation check and nothing fetched from
// the network), and the publisher pinned on top of it: the signing
// certificate's public key must be the one this program was built for. The
// pin also refuses a file that another holder of a trusted code-signing
// certificate signed.

#include <string>

#include "platform/InstallerVerifier.h"

namespace velora::win32 {

class Win32InstallerVerifier final : public platform::InstallerVerifier {
public:
    // The SHA-256 of the publisher certificate's DER-encoded
    // SubjectPublicKeyInfo as 64 hexadecimal digits, in either case; any
    // other text trusts no file at all.
    explicit Win32InstallerVerifier(const std::string& publisherKeySha256);

    platform::InstallerTrust Verify(const std::string& path) override;

private:
    std::string publisherKeySha256_;  // lower case, or empty
};

}  // namespace velora::win32
