#include "win32/WindowClass.h"

#include <stdexcept>

#include "win32/SystemErrorText.h"

namespace velora::win32 {

namespace {

// The procedure of the class of that name; nullptr when there is none.
WNDPROC RegisteredProcedure(const WindowClassFields& fields) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    return GetClassInfoExW(fields.instance, fields.name, &existing) ? existing.lpfnWndProc : nullptr;
}

}  // namespace

void RegisterWindowClass(const WindowClassFields& fields) {
    const WNDPROC registered = RegisteredProcedure(fields);
    if (registered == fields.procedure) return;
    // Fails while windows of the foreign class exist; the registration
    // below then fails and says why.
    if (registered) UnregisterClassW(fields.name, fields.instance);

    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = fields.style;
    cls.lpfnWndProc = fields.procedure;
    cls.hInstance = fields.instance;
    cls.hIcon = fields.icon;
    cls.hIconSm = fields.icon;
    cls.hCursor = fields.cursor;
    cls.hbrBackground = fields.background;
    cls.lpszClassName = fields.name;
    if (RegisterClassExW(&cls)) return;
    const DWORD error = GetLastError();
    // Another thread of the process may have registered it meanwhile.
    if (error == ERROR_CLASS_ALREADY_EXISTS && RegisteredProcedure(fields) == fields.procedure) return;
    throw std::runtime_error(SystemErrorText(error));
}

}  // namespace velora::win32
