#include "win32/Win32DataProtection.h"

#include <windows.h>
#include <wincrypt.h>

#include "win32/raii/DataBlob.h"

namespace velora::win32 {

namespace {

// Mixed into every protection: another program of the same user calling the
// same functions cannot read the password back without it. Changing it makes
// every stored password unreadable.
constexpr char kEntropy[] = "VELORA Desktop account\\password";

DATA_BLOB BlobOf(const std::string& bytes) {
    return DATA_BLOB{static_cast<DWORD>(bytes.size()), reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
}

DATA_BLOB Entropy() {
    return DATA_BLOB{static_cast<DWORD>(sizeof kEntropy - 1), reinterpret_cast<BYTE*>(const_cast<char*>(kEntropy))};
}

}  // namespace

std::optional<std::string> Win32DataProtection::Protect(const std::string& data) {
    DATA_BLOB in = BlobOf(data);
    DATA_BLOB entropy = Entropy();
    LocalDataBlob out;
    if (!CryptProtectData(&in, nullptr, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, out.Receive()))
        return std::nullopt;
    return out.Bytes();
}

std::optional<std::string> Win32DataProtection::Unprotect(const std::string& blob) {
    DATA_BLOB in = BlobOf(blob);
    DATA_BLOB entropy = Entropy();
    LocalDataBlob out;
    if (!CryptUnprotectData(&in, nullptr, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, out.Receive()))
        return std::nullopt;
    return out.Bytes();
}

}  // namespace velora::win32
