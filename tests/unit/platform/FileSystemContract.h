#pragma once
// What every file system promises the settings store and the downloads:
// replacing a file's content whole or not at all, renaming and removing,
// folders and the read-only state. A test file of an implementation
// instantiates the suite with it (once per test program: the suite is
// defined here):
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(Name, FileSystemContract, TheFileSystem);

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "settings/SettingsTestSupport.h"

namespace velora::platform::testing {

using settings::testing::ScratchFolder;

template <typename Files>
class FileSystemContract : public ::testing::Test {
protected:
    using Names = std::vector<std::string>;

    static std::size_t EntriesIn(const std::string& folder) {
        const auto native = ScratchFolder::Native(folder);
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(native), std::filesystem::directory_iterator()));
    }

    ScratchFolder scratch;
    Files files;
};

TYPED_TEST_SUITE_P(FileSystemContract);

TYPED_TEST_P(FileSystemContract, ReplaceFileSwapsInTheWholeFileAndLeavesNothingBehind) {
    const std::string file = this->scratch.File("settings.ini");

    this->files.ReplaceContents(file, "first\r\n");
    this->files.ReplaceContents(file, std::string("second\0\xff", 9));
    EXPECT_EQ(this->files.ReadFile(file), std::string("second\0\xff", 9));
    EXPECT_EQ(this->EntriesIn(this->scratch.Folder()), 1u);

    this->files.ReplaceContents(file, "");
    EXPECT_EQ(this->files.ReadFile(file), "");
    EXPECT_TRUE(this->files.FileExists(file));
    EXPECT_FALSE(this->files.FileExists(this->scratch.Folder()));
    EXPECT_FALSE(this->files.ReadFile(this->scratch.File("missing.ini")).has_value());
}

TYPED_TEST_P(FileSystemContract, FailedReplaceKeepsTheTargetAndRemovesTheTemporaryFile) {
    // A folder in the file's place cannot be replaced by a file.
    const std::string target = this->scratch.File("taken");
    this->files.CreateFolders(target + "\\inner");
    EXPECT_THROW(this->files.ReplaceContents(target, "bytes"), FileSystemError);
    EXPECT_TRUE(std::filesystem::is_directory(ScratchFolder::Native(target + "\\inner")));
    EXPECT_EQ(this->EntriesIn(this->scratch.Folder()), 1u);

    EXPECT_THROW(this->files.ReplaceContents(this->scratch.File("no\\such\\folder.ini"), "bytes"), FileSystemError);
    EXPECT_EQ(this->EntriesIn(this->scratch.Folder()), 1u);
}

TYPED_TEST_P(FileSystemContract, FoldersAndReadOnlyState) {
    this->files.CreateFolders(this->scratch.File("VELORA\\Desktop"));
    this->files.CreateFolders(this->scratch.File("VELORA\\Desktop"));  // already there
    EXPECT_TRUE(std::filesystem::is_directory(ScratchFolder::Native(this->scratch.File("VELORA\\Desktop"))));

    const std::string file = this->scratch.File("VELORA\\Desktop\\a.ini");
    this->files.ReplaceContents(file, "x");
    EXPECT_FALSE(this->files.IsReadOnly(file));
    std::filesystem::permissions(ScratchFolder::Native(file), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_TRUE(this->files.IsReadOnly(file));
    EXPECT_FALSE(this->files.IsReadOnly(this->scratch.File("missing.ini")));

    try {
        this->files.CreateFolders(file + "\\below");
        ADD_FAILURE() << "created a folder below a file";
    } catch (const FileSystemError& error) {
        EXPECT_STRNE(error.what(), "");
    }
}

TYPED_TEST_P(FileSystemContract, TemporaryOfAnInterruptedWriteIsReusedAndOtherFilesStay) {
    using Names = typename TestFixture::Names;
    const std::string file = this->scratch.File("VELORADesktop.ini");
    ScratchFolder::Write(file, "old");
    // A write killed before its rename leaves its temporary file behind.
    ScratchFolder::Write(file + ".tmp", "half of a wri");
    // Files that merely look alike belong to someone else.
    ScratchFolder::Write(file + ".tmp1a2b3c4d", "not ours");
    ScratchFolder::Write(this->scratch.File("VELORADesktop.tmp"), "not ours either");

    this->files.ReplaceContents(file, "new");
    this->files.ReplaceContents(file, "newer");

    EXPECT_EQ(ScratchFolder::Read(file), "newer");
    EXPECT_EQ(ScratchFolder::EntryNames(this->scratch.Folder()),
              (Names{"VELORADesktop.ini", "VELORADesktop.ini.tmp1a2b3c4d", "VELORADesktop.tmp"}));
    EXPECT_EQ(ScratchFolder::Read(file + ".tmp1a2b3c4d"), "not ours");
    EXPECT_EQ(ScratchFolder::Read(this->scratch.File("VELORADesktop.tmp")), "not ours either");
}

TYPED_TEST_P(FileSystemContract, RenameReplacesTheTargetAndRemoveToleratesAMissingFile) {
    using Names = typename TestFixture::Names;
    const std::string download = this->scratch.File("update.exe.download");
    const std::string installer = this->scratch.File("update.exe");
    ScratchFolder::Write(download, "new");
    ScratchFolder::Write(installer, "old");

    this->files.RenameFile(download, installer);
    EXPECT_EQ(ScratchFolder::EntryNames(this->scratch.Folder()), (Names{"update.exe"}));
    EXPECT_EQ(ScratchFolder::Read(installer), "new");
    // The file to rename is gone: reported, and the target stays.
    EXPECT_THROW(this->files.RenameFile(download, installer), FileSystemError);
    EXPECT_EQ(ScratchFolder::Read(installer), "new");

    this->files.RemoveFile(installer);
    EXPECT_FALSE(this->files.FileExists(installer));
    EXPECT_NO_THROW(this->files.RemoveFile(installer));
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, ReplaceFileSwapsInTheWholeFileAndLeavesNothingBehind,
                            FailedReplaceKeepsTheTargetAndRemovesTheTemporaryFile, FoldersAndReadOnlyState,
                            TemporaryOfAnInterruptedWriteIsReusedAndOtherFilesStay,
                            RenameReplacesTheTargetAndRemoveToleratesAMissingFile);

}  // namespace velora::platform::testing
