// The hand-over of a downloaded installer to the name it is started under:
// only a verified file gets there, everything else is deleted.

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
    bool Accept(platform::InstallerVerifier* verifier) {
        return AcceptVerifiedInstaller(files, verifier, download, installer);
    }

    ScratchFolder scratch;
    platform::StdFileSystem files;
    fakes::FakeInstallerVerifier verifier;
    const std::string download = scratch.File("update.exe.download");
    const std::string installer = scratch.File("update.exe");
};

TEST_F(VerifiedInstaller, ATrustedDownloadTakesTheInstallersName) {
    EXPECT_TRUE(Accept(&verifier));
    ASSERT_EQ(verifier.checks.size(), 1u);
    EXPECT_EQ(verifier.checks[0].path, download);
    EXPECT_EQ(ScratchFolder::Read(installer), "MZ new installer");
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), std::vector<std::string>{"update.exe"});
}

TEST_F(VerifiedInstaller, EveryOtherVerdictDeletesTheDownloadAndLeavesTheInstallerName) {
    for (const InstallerTrust verdict :
         {InstallerTrust::Unsigned, InstallerTrust::Invalid, InstallerTrust::OtherPublisher}) {
        ScratchFolder::Write(download, "MZ new installer");
        verifier.verdict = verdict;
        EXPECT_FALSE(Accept(&verifier));
        EXPECT_FALSE(files.FileExists(download));
        EXPECT_EQ(ScratchFolder::Read(installer), "MZ earlier installer");
    }
    // No verifier at all trusts nothing.
    ScratchFolder::Write(download, "MZ new installer");
    EXPECT_FALSE(Accept(nullptr));
    EXPECT_FALSE(files.FileExists(download));
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), std::vector<std::string>{"update.exe"});
}

TEST_F(VerifiedInstaller, ANameThatCannotBeTakenDeletesTheVerifiedDownloadToo) {
    // A folder holds the name, as a running installer would hold its file.
    std::filesystem::remove(ScratchFolder::Native(installer));
    std::filesystem::create_directories(ScratchFolder::Native(installer + "\\inside"));
    EXPECT_FALSE(Accept(&verifier));
    EXPECT_EQ(verifier.checks.size(), 1u);
    EXPECT_FALSE(files.FileExists(download));
    EXPECT_FALSE(files.FileExists(installer));
}

}  // namespace
}  // namespace velora::app
