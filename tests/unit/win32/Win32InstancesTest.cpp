// The instance list and the instance check through the real kernel objects.
#ifdef _WIN32

#include <gtest/gtest.h>

#include "app/InstanceHandOver.h"
#include <windows.h>

#include <string>
#include <vector>

#include "app/LockTestSupport.h"
#include "win32/Win32AppInstances.h"
#include "win32/uInstanceManager.h"

using namespace velora;

namespace {

std::string ProgramPath() {
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// A name no other run of the tests uses at the same time.
std::string UniqueTag() {
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
}

// Another process of the same program file, as far as the list can tell.
class OtherProcess final : public win32::Win32AppInstances {
public:
    OtherProcess(std::string path, std::uint32_t processId)
        : Win32AppInstances(std::move(path)), processId_(processId) {}
    std::uint32_t OwnProcessId() const override { return processId_; }

private:
    std::uint32_t processId_;
};

std::vector<std::uint32_t> ListedIds(win32::Win32AppInstances& process) {
    process.LockList();
    const app::InstanceListBlock list(process.ListBlock());
    std::vector<std::uint32_t> ids;
    for (std::size_t position = 0; position < list.Count(); ++position) ids.push_back(list.IdAt(position));
    process.UnlockList();
    return ids;
}

bool NamedMappingExists(const std::string& name) {
    const HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
    if (mapping) CloseHandle(mapping);
    return mapping != nullptr;
}

}  // namespace

TEST(Win32AppInstances, NamesTheKernelObjectsAfterTheRunningProgram) {
    const std::string path = ProgramPath();
    ASSERT_NE(path.find('\\'), std::string::npos);
    // The test program lies in an ASCII path.
    std::string expected = "AppInst";
    for (char c : path) expected += c == '\\' ? '_' : (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);

    win32::Win32AppInstances running;
    EXPECT_EQ(running.ListId(), expected);
    ASSERT_TRUE(running.OpenList());
    EXPECT_TRUE(NamedMappingExists(expected + "_Map"));
    EXPECT_NE(running.Message(), 0u);
    EXPECT_EQ(running.Message(), RegisterWindowMessageA((expected + "_Msg").c_str()));

    const HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, ("Lock_Event_" + expected + "_Otx").c_str());
    EXPECT_NE(event, nullptr);
    if (event) CloseHandle(event);

    // The spin count in the lock's block: 4000 with two or more processors.
    const HANDLE block = OpenFileMappingA(FILE_MAP_READ, FALSE, ("Lock_MMF_" + expected + "_Otx").c_str());
    ASSERT_NE(block, nullptr);
    const auto* values = static_cast<const std::uint32_t*>(MapViewOfFile(block, FILE_MAP_READ, 0, 0, 16));
    ASSERT_NE(values, nullptr);
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    EXPECT_EQ(values[0], info.dwNumberOfProcessors >= 2 ? 4000u : 0u);
    UnmapViewOfFile(values);
    CloseHandle(block);
}

TEST(Win32AppInstances, ListSharedByEveryOpeningInListOrder) {
    const std::string path = "C:\\velora-tests\\" + UniqueTag() + "\\VELORADesktop.exe";
    // Ids no real process has (those are multiples of four).
    OtherProcess first(path, 1001), second(path, 1002), third(path, 1003);
    app::TAppInstances firstList(first), secondList(second), thirdList(third);

    EXPECT_EQ(firstList.EnsureSingleInstance(2), std::nullopt);
    // Opening the existing block must not clear it.
    EXPECT_EQ(secondList.EnsureSingleInstance(2), std::nullopt);
    EXPECT_EQ(thirdList.EnsureSingleInstance(2), std::optional<int>(0));
    EXPECT_EQ(ListedIds(third), (std::vector<std::uint32_t>{1001, 1002, 1003}));
    first.LockList();
    EXPECT_EQ(app::InstanceListBlock(first.ListBlock()).Maximum(), 2);
    first.UnlockList();

    secondList.UnregisterInstance();
    EXPECT_EQ(ListedIds(first), (std::vector<std::uint32_t>{1001, 1003}));
    firstList.UnregisterInstance();
    EXPECT_EQ(ListedIds(third), (std::vector<std::uint32_t>{1003}));
}

TEST(Win32InstanceLock, ExcludesAcrossOpeningsAndNestsForTheOwner) {
    const std::string name = "AppInstVELORA-TESTS_" + UniqueTag() + "_Otx";
    win32::Win32InstanceLock one(name), other(name);
    ASSERT_TRUE(one.IsOpen());
    ASSERT_TRUE(other.IsOpen());

    // Each opening stands for another process; both reach one lock.
    app::InstanceLock oneLock(one), otherLock(other);
    const LockRun run = RunLockContest([&](int t) -> app::InstanceLock& { return t % 2 ? otherLock : oneLock; }, 2, 300);
    EXPECT_EQ(run.overlaps, 0);
    EXPECT_EQ(run.counted, 600);

    ExpectWaiterBlockedUntilFullyLeft(one, oneLock, otherLock);
    EXPECT_EQ(other.Read(app::LockField::Recursion), 0u);
}

// Runs only as the child process of the test below.
TEST(InstanceManagerChild, DISABLED_HandsOverToTheRunningInstance) {
    EXPECT_EQ(win32::RunInstanceCheck(GetModuleHandleA(nullptr)), win32::InstanceCheck::HandedOver);
    EXPECT_EQ(win32::InstanceWindow(), nullptr);
}

TEST(InstanceManager, FirstProcessOwnsTheWindowAndASecondStartHandsOver) {
    ASSERT_EQ(win32::RunInstanceCheck(GetModuleHandleA(nullptr)), win32::InstanceCheck::GoOn);
    const HWND window = win32::InstanceWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowA("TInstanceManager", "veloraTray"), window);
    EXPECT_FALSE(IsWindowVisible(window));
    // A hidden top-level window, so that FindWindow finds it.
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());

    int handOvers = 0;
    app::OnSecondInstance() = [&] { ++handOvers; };
    COPYDATASTRUCT data{0, 3, const_cast<char*>("abc")};
    // While start-up still runs, a hand-over is answered and waits for it.
    EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    EXPECT_EQ(handOvers, 0);
    app::SecondInstancesWelcome(true);
    EXPECT_EQ(handOvers, 1);

    // A second start of the program: it finds the window and hands over.
    std::string commandLine = "\"" + ProgramPath() +
                              "\" --gtest_filter=InstanceManagerChild.* --gtest_also_run_disabled_tests /send";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &child));
    // The hand-over is answered by this thread: keep taking messages.
    const ULONGLONG deadline = GetTickCount64() + 60000;
    while (MsgWaitForMultipleObjects(1, &child.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount64() < deadline) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(handOvers, 2);

    app::SecondInstancesWelcome(false);
    app::OnSecondInstance() = nullptr;
    win32::DestroyInstanceWindow();
    EXPECT_EQ(win32::InstanceWindow(), nullptr);
    EXPECT_EQ(FindWindowA("TInstanceManager", "veloraTray"), nullptr);
}

#endif  // _WIN32
