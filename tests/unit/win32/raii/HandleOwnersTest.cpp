// The owners of the system's handles: each handle closed exactly once, by
// whoever owns it last. Windows only (run under Wine in the cross build).
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "win32/raii/KernelHandles.h"
#include "win32/raii/RegistryKey.h"
#include "win32/raii/UniqueHandle.h"

using namespace velora::win32;

namespace {

// Handles that are plain numbers, 0 for none, with a tally of the closes.
struct CountedTraits {
    using Handle = int;
    static std::map<int, int>& Closes() {
        static std::map<int, int> closes;
        return closes;
    }
    static Handle Invalid() noexcept { return 0; }
    static bool Close(Handle handle) noexcept {
        ++Closes()[handle];
        return handle != 99;  // the system refuses to close 99
    }
};
using Counted = UniqueHandle<CountedTraits>;

class UniqueHandleTest : public testing::Test {
protected:
    void SetUp() override { CountedTraits::Closes().clear(); }
    static int ClosesOf(int handle) { return CountedTraits::Closes()[handle]; }
};

bool IsOpenHandle(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

}  // namespace

TEST_F(UniqueHandleTest, EveryHandleIsClosedOnceByItsLastOwner) {
    {
        Counted first(1);
        Counted second(std::move(first));
        EXPECT_FALSE(first.Valid());
        EXPECT_EQ(second.Get(), 1);
        Counted third;
        third = std::move(second);
        EXPECT_EQ(ClosesOf(1), 0);
        // Taking over another handle closes the one held before.
        Counted fourth(4);
        third = std::move(fourth);
        EXPECT_EQ(ClosesOf(1), 1);
        // Moving onto itself keeps it.
        Counted& same = third;
        third = std::move(same);
        EXPECT_EQ(third.Get(), 4);
        EXPECT_EQ(ClosesOf(4), 0);
    }
    EXPECT_EQ(ClosesOf(1), 1);
    EXPECT_EQ(ClosesOf(4), 1);
    EXPECT_EQ(ClosesOf(0), 0);  // "none" is never closed
}

TEST_F(UniqueHandleTest, ReleaseHandsOnAndReceiveClosesFirst) {
    int released = 0;
    {
        Counted owner(5);
        released = owner.Release();
        EXPECT_FALSE(owner);
    }
    EXPECT_EQ(released, 5);
    EXPECT_EQ(ClosesOf(5), 0);

    Counted owner(6);
    int* slot = owner.Receive();
    EXPECT_EQ(ClosesOf(6), 1);
    EXPECT_EQ(*slot, 0);
    *slot = 7;  // as a call that hands out a handle does
    EXPECT_EQ(owner.Get(), 7);
    // Reset says when the system refused to close; the handle is let go anyway.
    EXPECT_TRUE(owner.Reset(99));
    EXPECT_FALSE(owner.Reset());
    EXPECT_FALSE(owner.Valid());
    EXPECT_EQ(ClosesOf(99), 1);
}

TEST(KernelHandles, TheSystemsObjectsCloseWithTheirOwner) {
    HANDLE raw = nullptr;
    {
        KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(event.Valid());
        raw = event.Get();
        KernelHandle moved = std::move(event);
        EXPECT_TRUE(IsOpenHandle(raw));
    }
    EXPECT_FALSE(IsOpenHandle(raw));

    // A file that cannot be opened is INVALID_HANDLE_VALUE, not null.
    const FileHandle missing(CreateFileW(L"C:\\velora-no-such-folder\\none.txt", GENERIC_READ, 0, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_FALSE(missing.Valid());
    EXPECT_EQ(missing.Get(), INVALID_HANDLE_VALUE);

    // A view keeps its mapping alive after the mapping's handle is closed,
    // and goes with its own owner.
    MappedView view;
    {
        const KernelHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, nullptr));
        ASSERT_TRUE(mapping.Valid());
        view.Reset(MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 4096));
    }
    ASSERT_TRUE(view.Valid());
    static_cast<char*>(view.Get())[0] = 'x';
    MEMORY_BASIC_INFORMATION info{};
    const void* address = view.Get();
    view.Reset();
    ASSERT_NE(VirtualQuery(address, &info, sizeof info), 0u);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE));
}

TEST(KernelHandles, MutexOwnershipGivesTheMutexBackOnEveryWayOut) {
    const KernelHandle mutex(CreateMutexW(nullptr, FALSE, nullptr));
    ASSERT_TRUE(mutex.Valid());
    try {
        ASSERT_EQ(WaitForSingleObject(mutex.Get(), 0), WAIT_OBJECT_0);
        const MutexOwnership ownership(mutex.Get());
        throw 1;
    } catch (int) {
    }
    // Another thread gets it at once: it was released, not abandoned.
    struct Attempt {
        HANDLE mutex;
        DWORD waited = WAIT_FAILED;
    } attempt{mutex.Get()};
    const KernelHandle thread(CreateThread(
        nullptr, 0,
        [](void* parameter) -> DWORD {
            auto* attempt = static_cast<Attempt*>(parameter);
            attempt->waited = WaitForSingleObject(attempt->mutex, 0);
            if (attempt->waited == WAIT_OBJECT_0) ReleaseMutex(attempt->mutex);
            return 0;
        },
        &attempt, 0, nullptr));
    ASSERT_TRUE(thread.Valid());
    ASSERT_EQ(WaitForSingleObject(thread.Get(), 5000), WAIT_OBJECT_0);
    EXPECT_EQ(attempt.waited, WAIT_OBJECT_0);
}

TEST(RegistryKey, CreatedOpenAndClosedWithItsOwner) {
    const std::wstring path = L"Software\\VELORA-tests\\" + std::to_wstring(GetCurrentProcessId());
    HKEY raw = nullptr;
    {
        const RegistryKey key = CreateRegistryKey(HKEY_CURRENT_USER, path.c_str(), KEY_SET_VALUE | KEY_QUERY_VALUE);
        ASSERT_TRUE(key.Valid());
        raw = key.Get();
        const DWORD value = 7;
        EXPECT_EQ(RegSetValueExW(raw, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
                  ERROR_SUCCESS);
    }
    // The handle is closed: the system no longer knows it.
    DWORD values = 0;
    EXPECT_NE(RegQueryInfoKeyW(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VELORA-tests"), ERROR_SUCCESS);

    // A key the system refuses leaves an empty owner.
    const HKEY noKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
    EXPECT_FALSE(CreateRegistryKey(noKey, L"x", KEY_READ).Valid());
}

#endif  // _WIN32
