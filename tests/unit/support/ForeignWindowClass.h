#pragma once
// A window class of a name the program uses, as another module of the
// process would leave it: registered with the system's default window
// procedure. In use, it also has a window of its own, which keeps the class
// from being unregistered. Both go at the end of the test. Windows only.

#ifdef _WIN32

#include <windows.h>

namespace velora::fakes {

class ForeignWindowClass {
public:
    enum Use { Unused, InUse };

    ForeignWindowClass(const wchar_t* name, Use use) : name_(name) {
        // Ours may still stand from an earlier test of the same process.
        UnregisterClassW(name_, GetModuleHandleW(nullptr));
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = DefWindowProcW;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = name_;
        registered_ = RegisterClassExW(&cls) != 0;
        if (registered_ && use == InUse)
            window_ = CreateWindowExW(0, name_, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, cls.hInstance, nullptr);
    }
    ~ForeignWindowClass() {
        if (window_) DestroyWindow(window_);
        // Whoever registered the name last, the next test starts without it.
        UnregisterClassW(name_, GetModuleHandleW(nullptr));
    }
    ForeignWindowClass(const ForeignWindowClass&) = delete;
    ForeignWindowClass& operator=(const ForeignWindowClass&) = delete;

    // True when the class was registered (and, in use, its window created).
    bool Ready(Use use) const { return registered_ && (use == Unused || window_ != nullptr); }

private:
    const wchar_t* name_;
    bool registered_ = false;
    HWND window_ = nullptr;
};

}  // namespace velora::fakes

#endif  // _WIN32
