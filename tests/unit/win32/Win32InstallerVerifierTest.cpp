// The Windows installer check on real signed programs the build made: the
// probe signed with the build's certificate, signed with another publisher's
// key from the same root, unsigned, and copies of the signed one with a byte
// changed.

#ifdef _WIN32

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "BuildConfig.h"
#include "win32/Win32InstallerVerifier.h"
#include "win32/raii/KernelHandles.h"
#include "settings/SettingsTestSupport.h"

namespace velora::win32 {
namespace {

using platform::InstallerTrust;
using settings::testing::ScratchFolder;

// The verdict on the file at `path`, held as the update dialog holds it;
// none when it cannot be held.
std::optional<InstallerTrust> Verdict(platform::InstallerVerifier& verifier, const std::string& path) {
    const auto held = verifier.Hold(path);
    if (!held) return std::nullopt;
    return held->Verify();
}

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

    std::optional<InstallerTrust> Verdict(const std::string& path) { return velora::win32::Verdict(verifier, path); }

    static constexpr const char* kSigned = VELORA_SIGNED_PROBE;
    ScratchFolder scratch;
    Win32InstallerVerifier verifier{app::build::PublisherKeySha256};
};

TEST_F(Win32InstallerCheck, OnlyTheUnchangedFileSignedWithThePublishersKeyIsTrusted) {
    EXPECT_EQ(Verdict(kSigned), InstallerTrust::Trusted);
    // Any name: the download is checked before it is renamed.
    const std::string download = scratch.File("update.exe.download");
    ScratchFolder::Write(download, ScratchFolder::Read(kSigned));
    EXPECT_EQ(Verdict(download), InstallerTrust::Trusted);

    // Same root, same subject, another key: only the pin tells them apart.
    EXPECT_EQ(Verdict(VELORA_OTHER_PUBLISHER_PROBE), InstallerTrust::OtherPublisher);
    EXPECT_EQ(Verdict(VELORA_UNSIGNED_PROBE), InstallerTrust::Unsigned);
    // A byte of the program, and a byte of the signature itself (it comes last).
    EXPECT_EQ(Verdict(ChangedCopy("code.exe", 0x400)), InstallerTrust::Invalid);
    EXPECT_EQ(Verdict(ChangedCopy("signature.exe", -200)), InstallerTrust::Invalid);
}

TEST_F(Win32InstallerCheck, WhatIsNoProgramOrMissingIsNeverTrusted) {
    const std::string empty = scratch.File("empty.exe");
    ScratchFolder::Write(empty, "");
    const std::string page = scratch.File("page.exe");
    ScratchFolder::Write(page, "<html><body>not found</body></html>");
    for (const std::string& path : {empty, page, scratch.File("missing.exe")})
        EXPECT_NE(Verdict(path), InstallerTrust::Trusted) << path;
    EXPECT_FALSE(verifier.Hold(scratch.File("missing.exe")));

    // Nor a file another program has open for writing: it could change
    // after its check. Once held, no other program gets it for writing.
    const std::string download = scratch.File("update.exe.download");
    ScratchFolder::Write(download, ScratchFolder::Read(kSigned));
    {
        const FileHandle writer(CreateFileA(download.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(writer);
        EXPECT_FALSE(verifier.Hold(download));
    }
    const auto held = verifier.Hold(download);
    ASSERT_TRUE(held);
    EXPECT_FALSE(FileHandle(CreateFileA(download.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE |
                                        FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    EXPECT_EQ(held->Verify(), InstallerTrust::Trusted);
}

TEST_F(Win32InstallerCheck, APinThatIsMissingOrMalformedTrustsNothing) {
    std::string upper = app::build::PublisherKeySha256;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Win32InstallerVerifier upperCase(upper);
    EXPECT_EQ(velora::win32::Verdict(upperCase, kSigned), InstallerTrust::Trusted);

    std::string otherKey = app::build::PublisherKeySha256;
    otherKey[0] = otherKey[0] == '0' ? '1' : '0';
    for (const std::string& pin : {std::string(), otherKey, otherKey.substr(1), otherKey + "0",
                                   std::string(64, 'g')}) {
        Win32InstallerVerifier pinned(pin);
        EXPECT_EQ(velora::win32::Verdict(pinned, kSigned), InstallerTrust::OtherPublisher) << pin;
    }
}

}  // namespace
}  // namespace velora::win32

#endif
