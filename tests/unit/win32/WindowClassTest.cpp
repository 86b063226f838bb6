// The one registration of the program's window classes. Windows only (run
// under Wine in the cross build).
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "win32/WindowClass.h"
#include "support/ForeignWindowClass.h"

using namespace velora::win32;
using velora::fakes::ForeignWindowClass;

namespace {

constexpr wchar_t kName[] = L"VeloraWindowClassTest";

LRESULT CALLBACK Ours(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

WNDPROC RegisteredProcedure() {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    return GetClassInfoExW(GetModuleHandleW(nullptr), kName, &cls) ? cls.lpfnWndProc : nullptr;
}

class WindowClassTest : public testing::Test {
protected:
    void TearDown() override { UnregisterClassW(kName, GetModuleHandleW(nullptr)); }
    static WindowClassFields Fields() {
        return {.name = kName, .procedure = &Ours, .instance = GetModuleHandleW(nullptr), .style = CS_DBLCLKS};
    }
};

}  // namespace

TEST_F(WindowClassTest, RegisteredOnceAndKeptOnTheNextRegistration) {
    RegisterWindowClass(Fields());
    EXPECT_EQ(RegisteredProcedure(), &Ours);
    HWND window = CreateWindowExW(0, kName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS));
    // Again, with a window of the class alive: nothing to do, no error.
    EXPECT_NO_THROW(RegisterWindowClass(Fields()));
    DestroyWindow(window);
}

TEST_F(WindowClassTest, AForeignClassOfTheNameIsReplaced) {
    const ForeignWindowClass foreign(kName, ForeignWindowClass::Unused);
    ASSERT_TRUE(foreign.Ready(ForeignWindowClass::Unused));
    RegisterWindowClass(Fields());
    EXPECT_EQ(RegisteredProcedure(), &Ours);
}

TEST_F(WindowClassTest, AForeignClassThatCannotGoIsAnErrorWithTheSystemsText) {
    // A window of the foreign class keeps it registered.
    const ForeignWindowClass foreign(kName, ForeignWindowClass::InUse);
    ASSERT_TRUE(foreign.Ready(ForeignWindowClass::InUse));
    try {
        RegisterWindowClass(Fields());
        ADD_FAILURE() << "registered over a class in use";
    } catch (const std::runtime_error& error) {
        EXPECT_STRNE(error.what(), "");
    }
    EXPECT_NE(RegisteredProcedure(), &Ours);
}

#endif  // _WIN32
