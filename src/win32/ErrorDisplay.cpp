#include "win32/ErrorDisplay.h"

#include "app/uVars.h"
#include "win32/WideText.h"
#include "controls/peers/ExceptionMessage.h"

namespace velora::win32 {

void ShowException(std::exception_ptr error, HWND owner) noexcept {
    try {
        const std::wstring text = Widen(controls::ExceptionMessage(error));
        MessageBoxW(owner, text.c_str(), Widen(app::AppTitle).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
        // No memory left even for the text: the box says so without one.
        MessageBoxW(owner, L"Out of memory", nullptr, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
}

}  // namespace velora::win32
