// The files through the Windows API: every file system's promises, and the
// settings file while other handles hold it, as when a second process of the
// program reads or writes it at the same time.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileSystemContract.h"
#include "settings/SettingsTestSupport.h"
#include "win32/Win32FileSystem.h"

namespace velora::win32 {
namespace {

using settings::testing::ScratchFolder;
using Names = std::vector<std::string>;

// A handle on the file as another program might open it.
class OpenedFile {
public:
    OpenedFile(const std::string& path, DWORD access, DWORD share)
        : handle_(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenedFile() { Close(); }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Close() {
        if (Valid()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Win32FileSystemTest : public ::testing::Test {
protected:
    Win32FileSystemTest() : file(scratch.File("VELORADesktop.ini")) { ScratchFolder::Write(file, "old"); }

    ScratchFolder scratch;
    Win32FileSystem files;
    const std::string file;
};

TEST_F(Win32FileSystemTest, ReadsAFileOthersHoldForWritingAndDeleting) {
    OpenedFile writer(file, GENERIC_WRITE | DELETE, kShareAll);
    ASSERT_TRUE(writer.Valid());
    EXPECT_EQ(files.ReadFile(file), "old");
}

TEST_F(Win32FileSystemTest, StampTellsEveryVersionOfTheFileApart) {
    const std::optional<platform::FileStamp> first = files.Stamp(file);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->size, 3u);
    EXPECT_FALSE(first->settled) << "written moments ago";
    EXPECT_EQ(files.Stamp(file), first);
    // Another file in its place, same size: another file index.
    files.ReplaceContents(file, "new");
    const std::optional<platform::FileStamp> replaced = files.Stamp(file);
    ASSERT_TRUE(replaced.has_value());
    EXPECT_NE(replaced, first);
    EXPECT_EQ(replaced->size, 3u);
    EXPECT_EQ(files.Stamp(scratch.File("missing.ini")), std::nullopt);
    EXPECT_EQ(files.Stamp(scratch.Folder()), std::nullopt);
}

TEST_F(Win32FileSystemTest, ReplaceWaitsForAHandleThatIsSoonClosed) {
    // A reader that shares nothing: the file cannot be replaced while it is open.
    std::promise<void> opened;
    std::thread reader([&] {
        OpenedFile held(file, GENERIC_READ, 0);
        opened.set_value();
        Sleep(300);
    });
    opened.get_future().wait();
    EXPECT_NO_THROW(files.ReplaceContents(file, "new"));
    reader.join();

    EXPECT_EQ(files.ReadFile(file), "new");
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), Names{"VELORADesktop.ini"});
}

TEST_F(Win32FileSystemTest, ReplaceGivesUpOnAFileHeldForGoodAndLeavesItAsItWas) {
    OpenedFile held(file, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(held.Valid());
    try {
        files.ReplaceContents(file, "new");
        ADD_FAILURE() << "replaced a file that is held open";
    } catch (const platform::FileSystemError& error) {
        EXPECT_STRNE(error.what(), "");
    }
    held.Close();

    EXPECT_EQ(files.ReadFile(file), "old");
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), Names{"VELORADesktop.ini"});
}

TEST_F(Win32FileSystemTest, TwoWritersAndAReaderAtOnceAllSucceed) {
    const std::string first(2000, 'a'), second(3000, 'b');
    std::atomic<int> failures{0};
    std::atomic<bool> writing{true};
    std::vector<std::string> errors(2);
    auto writer = [&](int index, const std::string& content) {
        for (int round = 0; round < 25; ++round) {
            try {
                files.ReplaceContents(file, content);
            } catch (const platform::FileSystemError& error) {
                ++failures;
                errors[index] = error.what();
            }
            Sleep(5);
        }
    };
    std::thread one(writer, 0, first), two(writer, 1, second);
    int torn = 0;
    std::thread reader([&] {
        while (writing) {
            const auto content = files.ReadFile(file);
            if (content && *content != "old" && *content != first && *content != second) ++torn;
            Sleep(5);
        }
    });
    one.join();
    two.join();
    writing = false;
    reader.join();

    EXPECT_EQ(failures, 0) << errors[0] << " / " << errors[1];
    EXPECT_EQ(torn, 0);
    const auto content = files.ReadFile(file);
    EXPECT_TRUE(content == first || content == second);
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), Names{"VELORADesktop.ini"});
}

TEST_F(Win32FileSystemTest, AReplacementTakesTheFilesPlaceOnlyWhenCommitted) {
    auto replacement = files.BeginReplacement(file);
    replacement->Append("ne", 2);
    replacement->Append("w", 1);
    EXPECT_EQ(files.ReadFile(file), "old");
    EXPECT_EQ(files.ReadFile(file + ".part"), "new");
    replacement->Commit(file);
    replacement.reset();
    EXPECT_EQ(files.ReadFile(file), "new");
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), Names{"VELORADesktop.ini"});

    // Dropped unfinished, it leaves nothing behind; committed under another
    // name, that file is written and the first one stays.
    files.BeginReplacement(file)->Append("cut", 3);
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), Names{"VELORADesktop.ini"});
    replacement = files.BeginReplacement(file);
    replacement->Append("other", 5);
    replacement->Commit(scratch.File("other.ini"));
    replacement.reset();
    EXPECT_EQ(files.ReadFile(scratch.File("other.ini")), "other");
    EXPECT_EQ(files.ReadFile(file), "new");
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), (Names{"VELORADesktop.ini", "other.ini"}));
}

TEST_F(Win32FileSystemTest, AReplacementThatCannotTakeThePlaceIsDropped) {
    OpenedFile held(file, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(held.Valid());
    auto replacement = files.BeginReplacement(file);
    replacement->Append("new", 3);
    EXPECT_THROW(replacement->Commit(file), platform::FileSystemError);
    replacement.reset();
    held.Close();

    EXPECT_EQ(files.ReadFile(file), "old");
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), Names{"VELORADesktop.ini"});
    EXPECT_THROW(files.BeginReplacement(scratch.File("missing\\file.ini")), platform::FileSystemError);
}

// A process that ended in the middle of a download leaves its part behind;
// the next download removes it before it starts, but never the part of a
// replacement still being written.
TEST_F(Win32FileSystemTest, AStalePartIsDiscardedAndOneBeingWrittenIsLeftAlone) {
    ScratchFolder::Write(file + ".part", "");
    files.DiscardStaleReplacement(file);
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), Names{"VELORADesktop.ini"});
    // Nothing left behind is nothing to do.
    files.DiscardStaleReplacement(file);
    files.DiscardStaleReplacement(scratch.File("missing\\file.ini"));

    auto replacement = files.BeginReplacement(file);
    replacement->Append("new", 3);
    files.DiscardStaleReplacement(file);
    EXPECT_EQ(files.ReadFile(file + ".part"), "new");
    replacement->Commit(file);
    replacement.reset();
    EXPECT_EQ(files.ReadFile(file), "new");
    EXPECT_EQ(ScratchFolder::EntryNames(scratch.Folder()), Names{"VELORADesktop.ini"});
}

}  // namespace
}  // namespace velora::win32

namespace velora::platform::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, win32::Win32FileSystem);

}  // namespace velora::platform::testing

#endif  // _WIN32
