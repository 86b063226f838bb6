// What every file system promises about replacing a file's content, checked
// for each implementation the build has.
#include <gtest/gtest.h>

#include "platform/std/StdFileSystem.h"
#include "settings/SettingsTestSupport.h"
#ifdef _WIN32
#include "win32/Win32FileSystem.h"
#endif

namespace velora::platform {
namespace {

using settings::testing::ScratchFolder;
using Names = std::vector<std::string>;

template <typename Files>
class FileSystemReplace : public ::testing::Test {
protected:
    ScratchFolder scratch;
    Files files;
};

#ifdef _WIN32
using Implementations = ::testing::Types<StdFileSystem, Win32FileSystem>;
#else
using Implementations = ::testing::Types<StdFileSystem>;
#endif
TYPED_TEST_SUITE(FileSystemReplace, Implementations);

TYPED_TEST(FileSystemReplace, TemporaryOfAnInterruptedWriteIsReusedAndOtherFilesStay) {
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

TYPED_TEST(FileSystemReplace, RenameReplacesTheTargetAndRemoveToleratesAMissingFile) {
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

}  // namespace
}  // namespace velora::platform
