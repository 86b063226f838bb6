// The system's data protection as the program uses it for the password:
// round trip, nothing of the plain text in the protected bytes, and none of
// a damaged blob or one made without the program's entropy opens. Windows
// only (run under Wine in the cross build).
#ifdef _WIN32

#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include "win32/Win32DataProtection.h"
#include "win32/raii/DataBlob.h"

using namespace velora::win32;

TEST(DataProtection, ProtectedPasswordOpensOnlyUndamagedAndWithTheProgramsEntropy) {
    Win32DataProtection protection;
    const std::string password = "gr\xFCn geheim";
    const std::optional<std::string> blob = protection.Protect(password);
    ASSERT_TRUE(blob.has_value());
    EXPECT_EQ(blob->find("geheim"), std::string::npos);
    EXPECT_EQ(protection.Unprotect(*blob), password);
    EXPECT_NE(protection.Protect(password), blob) << "every protection is salted anew";
    EXPECT_EQ(protection.Unprotect(*protection.Protect("")), std::string());

    // Changed in the encrypted data or in the signature after it (Wine does
    // not check the fields of the blob's head).
    for (const std::size_t fromEnd : {30u, 10u, 1u}) {
        std::string damaged = *blob;
        damaged[damaged.size() - fromEnd] ^= 0x55;
        EXPECT_EQ(protection.Unprotect(damaged), std::nullopt) << fromEnd;
    }
    EXPECT_EQ(protection.Unprotect(blob->substr(0, blob->size() - 8)), std::nullopt);
    EXPECT_EQ(protection.Unprotect(""), std::nullopt);
    EXPECT_EQ(protection.Unprotect("not protected at all"), std::nullopt);

    // Another program of the same user, protecting without the entropy.
    DATA_BLOB in{static_cast<DWORD>(password.size()), reinterpret_cast<BYTE*>(const_cast<char*>(password.data()))};
    LocalDataBlob other;
    ASSERT_TRUE(CryptProtectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, other.Receive()));
    EXPECT_EQ(protection.Unprotect(other.Bytes()), std::nullopt);
}

#endif  // _WIN32
