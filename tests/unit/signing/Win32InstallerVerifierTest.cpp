// The Windows installer check on real signed programs the build made: the
// probe signed with the build's certificate, signed with another publisher's
// key from the same root, unsigned, and copies of the signed one with a byte
// changed.

#ifdef _WIN32

#include <gtest/gtest.h>

#include <string>

#include "BuildConfig.h"
#include "platform/win32/Win32InstallerVerifier.h"
#include "settings/SettingsTestSupport.h"

namespace velora::win32 {
namespace {

using platform::InstallerTrust;
using settings::testing::ScratchFolder;

class Win32InstallerCheck : public ::testing::Test {
protected:
    // A copy of the signed probe with the byte at `offset` changed
    // (counted from the end when negative).
    std::string ChangedCopy(const std::string& name, long offset) {
        std::string bytes = ScratchFolder::Read(kSigned);
        const std::size_t at = offset < 0 ? bytes.size() + offset : static_cast<std::size_t>(offset);
        bytes.at(at) = static_cast<char>(bytes.at(at) ^ 0x01);
        const std::string path = scratch.File(name);
        ScratchFolder::Write(path, bytes);
        return path;
    }

    static constexpr const char* kSigned = VELORA_SIGNED_PROBE;
    ScratchFolder scratch;
    Win32InstallerVerifier verifier{build::PublisherKeySha256};
};

TEST_F(Win32InstallerCheck, OnlyTheUnchangedFileSignedWithThePublishersKeyIsTrusted) {
    EXPECT_EQ(verifier.Verify(kSigned), InstallerTrust::Trusted);
    // Any name: the download is checked before it is renamed.
    const std::string download = scratch.File("update.exe.download");
    ScratchFolder::Write(download, ScratchFolder::Read(kSigned));
    EXPECT_EQ(verifier.Verify(download), InstallerTrust::Trusted);

    // Same root, same subject, another key: only the pin tells them apart.
    EXPECT_EQ(verifier.Verify(VELORA_OTHER_PUBLISHER_PROBE), InstallerTrust::OtherPublisher);
    EXPECT_EQ(verifier.Verify(VELORA_UNSIGNED_PROBE), InstallerTrust::Unsigned);
    // A byte of the program, and a byte of the signature itself (it comes last).
    EXPECT_EQ(verifier.Verify(ChangedCopy("code.exe", 0x400)), InstallerTrust::Invalid);
    EXPECT_EQ(verifier.Verify(ChangedCopy("signature.exe", -200)), InstallerTrust::Invalid);
}

TEST_F(Win32InstallerCheck, WhatIsNoProgramOrMissingIsNeverTrusted) {
    const std::string empty = scratch.File("empty.exe");
    ScratchFolder::Write(empty, "");
    const std::string page = scratch.File("page.exe");
    ScratchFolder::Write(page, "<html><body>not found</body></html>");
    for (const std::string& path : {empty, page, scratch.File("missing.exe")})
        EXPECT_NE(verifier.Verify(path), InstallerTrust::Trusted) << path;
}

TEST_F(Win32InstallerCheck, APinThatIsMissingOrMalformedTrustsNothing) {
    std::string upper = build::PublisherKeySha256;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(Win32InstallerVerifier(upper).Verify(kSigned), InstallerTrust::Trusted);

    std::string otherKey = build::PublisherKeySha256;
    otherKey[0] = otherKey[0] == '0' ? '1' : '0';
    for (const std::string& pin : {std::string(), otherKey, otherKey.substr(1), otherKey + "0",
                                   std::string(64, 'g')})
        EXPECT_EQ(Win32InstallerVerifier(pin).Verify(kSigned), InstallerTrust::OtherPublisher) << pin;
}

}  // namespace
}  // namespace velora::win32

#endif
