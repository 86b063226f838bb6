#include <gtest/gtest.h>

#include <filesystem>

#include "platform/std/StdFileSystem.h"
#include "settings/SettingsTestSupport.h"

namespace velora::platform {
namespace {

using settings::testing::ScratchFolder;

std::size_t EntriesIn(const std::string& folder) {
    const auto native = ScratchFolder::Native(folder);
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(native), std::filesystem::directory_iterator()));
}

TEST(StdFileSystem, ReplaceFileSwapsInTheWholeFileAndLeavesNothingBehind) {
    ScratchFolder scratch;
    StdFileSystem files;
    const std::string file = scratch.File("settings.ini");

    files.ReplaceContents(file, "first\r\n");
    files.ReplaceContents(file, std::string("second\0\xff", 9));
    EXPECT_EQ(files.ReadFile(file), std::string("second\0\xff", 9));
    EXPECT_EQ(EntriesIn(scratch.Folder()), 1u);

    files.ReplaceContents(file, "");
    EXPECT_EQ(files.ReadFile(file), "");
    EXPECT_TRUE(files.FileExists(file));
    EXPECT_FALSE(files.FileExists(scratch.Folder()));
    EXPECT_FALSE(files.ReadFile(scratch.File("missing.ini")).has_value());
}

TEST(StdFileSystem, FailedReplaceKeepsTheTargetAndRemovesTheTemporaryFile) {
    ScratchFolder scratch;
    StdFileSystem files;
    // A folder in the file's place cannot be replaced by a file.
    const std::string target = scratch.File("taken");
    files.CreateFolders(target + "\\inner");
    EXPECT_THROW(files.ReplaceContents(target, "bytes"), FileSystemError);
    EXPECT_TRUE(std::filesystem::is_directory(ScratchFolder::Native(target + "\\inner")));
    EXPECT_EQ(EntriesIn(scratch.Folder()), 1u);

    EXPECT_THROW(files.ReplaceContents(scratch.File("no\\such\\folder.ini"), "bytes"), FileSystemError);
    EXPECT_EQ(EntriesIn(scratch.Folder()), 1u);
}

TEST(StdFileSystem, FoldersAndReadOnlyState) {
    ScratchFolder scratch;
    StdFileSystem files;
    files.CreateFolders(scratch.File("VELORA\\Desktop"));
    files.CreateFolders(scratch.File("VELORA\\Desktop"));  // already there
    EXPECT_TRUE(std::filesystem::is_directory(ScratchFolder::Native(scratch.File("VELORA\\Desktop"))));

    const std::string file = scratch.File("VELORA\\Desktop\\a.ini");
    files.ReplaceContents(file, "x");
    EXPECT_FALSE(files.IsReadOnly(file));
    std::filesystem::permissions(ScratchFolder::Native(file), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_TRUE(files.IsReadOnly(file));
    EXPECT_FALSE(files.IsReadOnly(scratch.File("missing.ini")));

    try {
        files.CreateFolders(file + "\\below");
        ADD_FAILURE() << "created a folder below a file";
    } catch (const FileSystemError& error) {
        EXPECT_STRNE(error.what(), "");
    }
}

}  // namespace
}  // namespace velora::platform
