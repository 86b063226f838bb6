#pragma once
// The application's general error display: every exception that reaches the
// message loop, a window procedure or a start-up handler ends here, as a
// message box captioned with the program's name. Exceptions never cross a
// window procedure: each one catches and hands over to ShowException.

#include <windows.h>

#include <exception>
#include <string>

namespace velora::win32 {

std::string ExceptionMessage(std::exception_ptr error);
void ShowException(std::exception_ptr error, HWND owner = nullptr);

// The system's text for an error code, without the trailing line break.
std::string LastErrorText(DWORD code);

}  // namespace velora::win32
