#pragma once
// The application's general error display: every exception that reaches the
// message loop, a window procedure or a start-up handler ends here, as a
// message box captioned with the program's name. Exceptions never cross a
// window procedure: each one catches and hands over to ShowException, most
// through HandleShowingErrors.

#include <windows.h>

#include <exception>

namespace velora::win32 {

// Shows controls/peers/ExceptionMessage.h's text; never throws itself.
void ShowException(std::exception_ptr error, HWND owner = nullptr) noexcept;

// Runs a window procedure's handling of one message and answers its result;
// an exception goes to the error display instead (in front of `owner`), and
// the answer is then 0.
template <class Handling>
LRESULT HandleShowingErrors(HWND owner, Handling&& handling) noexcept {
    try {
        return handling();
    } catch (...) {
        ShowException(std::current_exception(), owner);
        return 0;
    }
}

}  // namespace velora::win32
