#pragma once
// The native side of the application object: the hidden top-level window of
// class "TApplication" that stands for the program (its taskbar button, the
// window other copies of the program bring to the front), and the message
// loop with the application-wide message hook.

#include <windows.h>

#include <functional>
#include <vector>

#include "win32/raii/UniqueWindow.h"

namespace velora::app {
class TApplication;
}

namespace velora::win32 {

class Win32Application {
public:
    explicit Win32Application(HINSTANCE instance);
    ~Win32Application();
    Win32Application(const Win32Application&) = delete;
    Win32Application& operator=(const Win32Application&) = delete;

    // Takes over the portable application object: its title and its end.
    void Attach(app::TApplication& application);

    HWND Handle() const { return window_.Get(); }
    HINSTANCE Instance() const { return instance_; }
    bool Terminated() const;

    // Sees every message taken from the queue before it is dispatched;
    // answering true stops the dispatch.
    using MessageHook = std::function<bool(MSG&)>;
    void SetMessageHook(MessageHook hook) { hook_ = std::move(hook); }

    // Top-level windows whose keyboard input goes through the dialog manager
    // (IsDialogMessage: Tab, arrows, Enter, Esc) after the message hook: the
    // form windows, which add and remove themselves.
    void AddDialogWindow(HWND window);
    void RemoveDialogWindow(HWND window);

    // Takes and dispatches one message, waiting for one. False when the loop
    // should end (WM_QUIT, which is then left in the queue for outer loops).
    bool HandleMessage();
    void Run();

    static Win32Application* Current() { return current_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Hands a message for a dialog window (or its children) to the dialog
    // manager; true when it took it.
    bool IsForDialogWindow(MSG& msg);

    HINSTANCE instance_;
    UniqueWindow window_;
    app::TApplication* application_ = nullptr;
    MessageHook hook_;
    std::vector<HWND> dialogWindows_;
    static Win32Application* current_;
};

}  // namespace velora::win32
