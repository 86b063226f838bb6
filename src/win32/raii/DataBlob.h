#pragma once
// The output of the system's crypto calls that allocate it for the caller
// (CryptProtectData, CryptUnprotectData): wiped, then given back with
// LocalFree, exactly once.

#include <windows.h>
#include <wincrypt.h>

#include <string>

namespace velora::win32 {

class LocalDataBlob {
public:
    LocalDataBlob() noexcept = default;
    ~LocalDataBlob() { Reset(); }
    LocalDataBlob(const LocalDataBlob&) = delete;
    LocalDataBlob& operator=(const LocalDataBlob&) = delete;

    // For the call that fills it; whatever was held is let go first.
    DATA_BLOB* Receive() noexcept {
        Reset();
        return &blob_;
    }
    std::string Bytes() const {
        return blob_.pbData ? std::string(reinterpret_cast<const char*>(blob_.pbData), blob_.cbData) : std::string();
    }

private:
    void Reset() noexcept {
        if (!blob_.pbData) return;
        SecureZeroMemory(blob_.pbData, blob_.cbData);
        LocalFree(blob_.pbData);
        blob_ = DATA_BLOB{};
    }

    DATA_BLOB blob_{};
};

}  // namespace velora::win32
