#include "win32/Win32InstallerVerifier.h"

#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "win32/Win32HeldInstaller.h"
#include "win32/WideText.h"
#include "win32/raii/KernelHandles.h"

namespace velora::win32 {

namespace {

// One WinVerifyTrust check of an open file; the state it keeps for reading
// the signer lives until the check is closed again.
class TrustCheck {
public:
    TrustCheck(HANDLE file, std::wstring path) : path_(std::move(path)) {
        file_.cbStruct = sizeof file_;
        // The name is required; the bytes are read through the handle.
        file_.pcwszFilePath = path_.c_str();
        file_.hFile = file;
        data_.cbStruct = sizeof data_;
        data_.dwUIChoice = WTD_UI_NONE;
        data_.fdwRevocationChecks = WTD_REVOKE_NONE;
        data_.dwUnionChoice = WTD_CHOICE_FILE;
        data_.pFile = &file_;
        data_.dwStateAction = WTD_STATEACTION_VERIFY;
        data_.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
        result_ = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
    }
    ~TrustCheck() {
        data_.dwStateAction = WTD_STATEACTION_CLOSE;
        WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
    }
    TrustCheck(const TrustCheck&) = delete;
    TrustCheck& operator=(const TrustCheck&) = delete;

    LONG Result() const { return result_; }
    // The certificate the file was signed with; null when there is none.
    PCCERT_CONTEXT Signer() const {
        CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data_.hWVTStateData);
        CRYPT_PROVIDER_SGNR* signer = provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
        CRYPT_PROVIDER_CERT* certificate = signer ? WTHelperGetProvCertFromChain(signer, 0) : nullptr;
        return certificate ? certificate->pCert : nullptr;
    }

private:
    std::wstring path_;
    GUID action_ = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    WINTRUST_FILE_INFO file_{};
    WINTRUST_DATA data_{};
    LONG result_ = TRUST_E_NOSIGNATURE;
};

// The SHA-256 of the certificate's DER-encoded SubjectPublicKeyInfo in lower-case hexadecimal.
std::string PublicKeySha256(PCCERT_CONTEXT certificate) {
    BYTE* encoded = nullptr;
    DWORD encodedSize = 0;
    if (!CryptEncodeObjectEx(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, &certificate->pCertInfo->SubjectPublicKeyInfo,
                             CRYPT_ENCODE_ALLOC_FLAG, nullptr, &encoded, &encodedSize))
        return std::string();
    BYTE hash[32];
    DWORD hashSize = sizeof hash;
    const BOOL hashed = CryptHashCertificate2(BCRYPT_SHA256_ALGORITHM, 0, nullptr, encoded, encodedSize, hash, &hashSize);
    LocalFree(encoded);
    if (!hashed || hashSize != sizeof hash) return std::string();
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const BYTE byte : hash) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::string NormalizedPin(std::string pin) {
    std::transform(pin.begin(), pin.end(), pin.begin(), [](unsigned char c) { return std::tolower(c); });
    const bool valid = pin.size() == 64 && std::all_of(pin.begin(), pin.end(), [](unsigned char c) {
                           return std::isdigit(c) || (c >= 'a' && c <= 'f');
                       });
    return valid ? pin : std::string();
}

}  // namespace

Win32InstallerVerifier::Win32InstallerVerifier(const std::string& publisherKeySha256)
    : publisherKeySha256_(NormalizedPin(publisherKeySha256)) {}

std::unique_ptr<platform::HeldInstaller> Win32InstallerVerifier::Hold(const std::string& path) {
    std::wstring name = Widen(path);
    FileHandle file(CreateFileW(name.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<Win32HeldInstaller>(*this, std::move(file), std::move(name));
}

platform::InstallerTrust Win32InstallerVerifier::VerifyOpenFile(HANDLE file, const std::wstring& path) const {
    const TrustCheck check(file, path);
    switch (check.Result()) {
        case ERROR_SUCCESS:
            break;
        case TRUST_E_NOSIGNATURE:
        case TRUST_E_SUBJECT_FORM_UNKNOWN:
        case TRUST_E_PROVIDER_UNKNOWN:
            return platform::InstallerTrust::Unsigned;
        default:
            return platform::InstallerTrust::Invalid;
    }
    const PCCERT_CONTEXT signer = check.Signer();
    if (!signer) return platform::InstallerTrust::Invalid;
    const std::string key = PublicKeySha256(signer);
    if (publisherKeySha256_.empty() || key != publisherKeySha256_) return platform::InstallerTrust::OtherPublisher;
    return platform::InstallerTrust::Trusted;
}

}  // namespace velora::win32
