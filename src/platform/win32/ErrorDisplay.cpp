#include "platform/win32/ErrorDisplay.h"

#include <stdexcept>

#include "app/uVars.h"
#include "platform/win32/WideText.h"

namespace velora::win32 {

std::string ExceptionMessage(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

void ShowException(std::exception_ptr error, HWND owner) {
    const std::wstring text = Widen(ExceptionMessage(error));
    MessageBoxW(owner, text.c_str(), Widen(app::AppTitle).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

std::string LastErrorText(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : "Error " + std::to_string(code);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace velora::win32
