#include "platform/win32/WindowClass.h"

#include <stdexcept>

#include "platform/win32/SystemErrorText.h"

namespace velora::win32 {

namespace {

// The procedure of the class of that name; nullptr when there is none.
WNDPROC RegisteredProcedure(const WindowClassSpec& spec) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    return GetClassInfoExW(spec.instance, spec.name, &existing) ? existing.lpfnWndProc : nullptr;
}

}  // namespace

void RegisterWindowClass(const WindowClassSpec& spec) {
    const WNDPROC registered = RegisteredProcedure(spec);
    if (registered == spec.procedure) return;
    // Fails while windows of the foreign class exist; the registration
    // below then fails and says why.
    if (registered) UnregisterClassW(spec.name, spec.instance);

    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = spec.style;
    cls.lpfnWndProc = spec.procedure;
    cls.hInstance = spec.instance;
    cls.hIcon = spec.icon;
    cls.hIconSm = spec.icon;
    cls.hCursor = spec.cursor;
    cls.hbrBackground = spec.background;
    cls.lpszClassName = spec.name;
    if (RegisterClassExW(&cls)) return;
    const DWORD error = GetLastError();
    // Another thread of the process may have registered it meanwhile.
    if (error == ERROR_CLASS_ALREADY_EXISTS && RegisteredProcedure(spec) == spec.procedure) return;
    throw std::runtime_error(SystemErrorText(error));
}

}  // namespace velora::win32
