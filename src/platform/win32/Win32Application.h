#pragma once
// The native side of the application object: the hidden top-level window of
// class "TApplication" that stands for the program (its taskbar button, the
// window other copies of the program bring to the front), and the message
// loop with the application-wide message hook.

#include <windows.h>

#include <functional>

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

    HWND Handle() const { return window_; }
    HINSTANCE Instance() const { return instance_; }
    bool Terminated() const;

    // Sees every message taken from the queue before it is dispatched;
    // answering true stops the dispatch.
    using MessageHook = std::function<bool(MSG&)>;
    void SetMessageHook(MessageHook hook) { hook_ = std::move(hook); }

    // Takes and dispatches one message, waiting for one. False when the loop
    // should end (WM_QUIT, which is then left in the queue for outer loops).
    bool HandleMessage();
    void Run();

    static Win32Application* Current() { return current_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    app::TApplication* application_ = nullptr;
    MessageHook hook_;
    static Win32Application* current_;
};

}  // namespace velora::win32
