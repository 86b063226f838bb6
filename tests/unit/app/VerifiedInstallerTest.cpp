// The hand-over of a downloaded installer: held from its check, renamed to
// the name it runs under and started from there while still held; anything
// else is deleted.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/VerifiedInstaller.h"
#include "settings/SettingsTestSupport.h"
#include "support/FakeInstallerVerifier.h"

namespace velora::app {
namespace {

using platform::InstallerTrust;
using settings::testing::ScratchFolder;

class VerifiedInstaller : public ::testing::Test {
protected:
    VerifiedInstaller() {
        ScratchFolder::Write(download, "MZ new installer");
        ScratchFolder::Write(installer, "MZ earlier installer");
    }
    InstallerStart Start(platform::InstallerVerifier* verifier) {
        return StartVerifiedInstaller(files, verifier, download, installer);
    }

    ScratchFolder scratch;
    platform::StdFileSystem files;
    fakes::FakeInstallerVerifier verifier;
    const std::string download = scratch.File("update.exe.download");
    const std::string installer = scratch.File("update.exe");
};

TEST_F(VerifiedInstaller, ATrustedDownloadIsHeldFromItsCheckUntilItRunsUnderTheInstallersName) {
    EXPECT_EQ(Start(&verifier), InstallerStart::Started);
    const std::vector<std::string> steps{"hold " + download, "verify", "move " + installer, "start " + installer,
                                         "let go"};
    EXPECT_EQ(verifier.steps, steps);
    ASSERT_EQ(verifier.checks.size(), 1u);
    EXPECT_EQ(verifier.checks[0].content, "MZ new installer");
    EXPECT_EQ(ScratchFolder::Read(installer), "MZ new installer");
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), std::vector<std::string>{"update.exe"});

    // Verified and in place, but the system would not start it: it stays there.
    ScratchFolder::Write(download, "MZ newer installer");
    verifier.startSucceeds = false;
    EXPECT_EQ(Start(&verifier), InstallerStart::NotStarted);
    EXPECT_EQ(ScratchFolder::Read(installer), "MZ newer installer");
    EXPECT_EQ(verifier.started, (std::vector<std::string>{installer, installer}));
}

TEST_F(VerifiedInstaller, EveryOtherVerdictDeletesTheHeldDownloadAndStartsNothing) {
    for (const InstallerTrust verdict :
         {InstallerTrust::Unsigned, InstallerTrust::Invalid, InstallerTrust::OtherPublisher}) {
        ScratchFolder::Write(download, "MZ new installer");
        verifier.verdict = verdict;
        verifier.steps.clear();
        EXPECT_EQ(Start(&verifier), InstallerStart::NotVerified);
        const std::vector<std::string> steps{"hold " + download, "verify", "discard", "let go"};
        EXPECT_EQ(verifier.steps, steps);
        EXPECT_FALSE(files.FileExists(download));
        EXPECT_EQ(ScratchFolder::Read(installer), "MZ earlier installer");
    }
    EXPECT_TRUE(verifier.started.empty());
}

TEST_F(VerifiedInstaller, WithoutAVerifierOrAHoldNothingIsTrusted) {
    // No verifier at all trusts nothing.
    EXPECT_EQ(Start(nullptr), InstallerStart::NotVerified);
    EXPECT_FALSE(files.FileExists(download));
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), std::vector<std::string>{"update.exe"});

    // A file that cannot be held is never verified, let alone started.
    ScratchFolder::Write(download, "MZ new installer");
    verifier.holds = false;
    EXPECT_EQ(Start(&verifier), InstallerStart::NotVerified);
    EXPECT_EQ(verifier.steps, std::vector<std::string>{"hold " + download});
    EXPECT_EQ(ScratchFolder::Read(installer), "MZ earlier installer");

    // Nor a download that is missing.
    verifier.holds = true;
    verifier.steps.clear();
    EXPECT_EQ(Start(&verifier), InstallerStart::NotVerified);
    EXPECT_EQ(verifier.steps, std::vector<std::string>{"hold " + download});
    EXPECT_TRUE(verifier.started.empty());
}

TEST_F(VerifiedInstaller, ANameThatCannotBeTakenDeletesTheVerifiedDownloadToo) {
    // A folder holds the name, as a running installer would hold its file.
    std::filesystem::remove(ScratchFolder::Native(installer));
    std::filesystem::create_directories(ScratchFolder::Native(installer + "\\inside"));
    EXPECT_EQ(Start(&verifier), InstallerStart::NotVerified);
    const std::vector<std::string> steps{"hold " + download, "verify", "move " + installer, "discard", "let go"};
    EXPECT_EQ(verifier.steps, steps);
    EXPECT_FALSE(files.FileExists(download));
    EXPECT_FALSE(files.FileExists(installer));
    EXPECT_TRUE(verifier.started.empty());
}

}  // namespace
}  // namespace velora::app
