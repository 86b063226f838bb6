// The one wording of the system's error codes. Windows only (run under Wine
// in the cross build).
#ifdef _WIN32

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <string>

#include "win32/SystemErrorText.h"

using velora::win32::SystemErrorText;

namespace {

bool EndsClean(const std::string& text) {
    return !text.empty() && text.back() != '.' && text.back() != '\n' && text.back() != '\r' && text.back() != ' ';
}

}  // namespace

TEST(SystemErrorText, TheSystemsSentenceWithoutItsEnd) {
    const std::string denied = SystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(EndsClean(denied)) << denied;
    EXPECT_EQ(denied.find("System error"), std::string::npos) << denied;
    EXPECT_EQ(denied.find('\n'), std::string::npos) << denied;
}

TEST(SystemErrorText, ACodeNobodyKnowsGetsItsNumber) {
    EXPECT_EQ(SystemErrorText(0x20001234), "System error 536875572");
    // A module without a text for the code: the system's table, then the number.
    EXPECT_EQ(SystemErrorText(0x20001234, GetModuleHandleW(L"kernel32.dll")), "System error 536875572");
    EXPECT_EQ(SystemErrorText(ERROR_ACCESS_DENIED, GetModuleHandleW(L"kernel32.dll")),
              SystemErrorText(ERROR_ACCESS_DENIED));
}

TEST(SystemErrorText, WinInetCodesFromWinInetsTable) {
    const HMODULE wininet = LoadLibraryW(L"wininet.dll");
    ASSERT_NE(wininet, nullptr);
    const std::string timeout = SystemErrorText(ERROR_INTERNET_TIMEOUT, wininet);
    EXPECT_NE(timeout, "System error " + std::to_string(ERROR_INTERNET_TIMEOUT));
    EXPECT_TRUE(EndsClean(timeout)) << timeout;
    FreeLibrary(wininet);
}

#endif  // _WIN32
