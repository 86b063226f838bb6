#pragma once
// The installer check on Windows: the system's Authenticode verification
// (signature, the file's digest and the certificate chain up to a trusted
// root, with no user interface, no revocation check and nothing fetched from
// the network), and the publisher pinned on top of it: the signing
// certificate's public key must be the one this program was built for. The
// pin also refuses a file that another holder of a trusted code-signing
// certificate signed.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/InstallerVerifier.h"

namespace velora::win32 {

class Win32InstallerVerifier final : public platform::InstallerVerifier {
public:
    // The SHA-256 of the publisher certificate's DER-encoded
    // SubjectPublicKeyInfo as 64 hexadecimal digits, in either case; any
    // other text trusts no file at all.
    explicit Win32InstallerVerifier(const std::string& publisherKeySha256);

    // Opened for reading and deletion, shared for reading only (see Win32HeldInstaller).
    std::unique_ptr<platform::HeldInstaller> Hold(const std::string& path) override;

    // Checks the bytes of the open `file`, which stands at `path`; the
    // system reads through the handle, not by the name.
    platform::InstallerTrust VerifyOpenFile(HANDLE file, const std::wstring& path) const;

private:
    std::string publisherKeySha256_;  // lower case, or empty
};

}  // namespace velora::win32
