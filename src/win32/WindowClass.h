#pragma once
// The window classes the program registers, each through this one helper.

#include <windows.h>

namespace velora::win32 {

// What a class is made of; every field left out is zero (no icon, cursor,
// background or menu, class style 0).
struct WindowClassFields {
    const wchar_t* name = nullptr;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    UINT style = 0;
    // Also the small icon.
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
};

// Registers the class, once per process: a class of that name with this
// window procedure stays as it is; one with another procedure (left by
// another module) is replaced. Throws std::runtime_error with the system's
// error text when the class cannot be registered.
void RegisterWindowClass(const WindowClassFields& fields);

}  // namespace velora::win32
