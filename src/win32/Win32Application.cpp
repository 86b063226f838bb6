#include "win32/Win32Application.h"

#include <algorithm>

#include "app/Application.h"
#include "win32/ErrorDisplay.h"
#include "win32/ProgramIcon.h"
#include "win32/SystemErrorText.h"
#include "win32/WideText.h"
#include "win32/WindowClass.h"

namespace velora::win32 {

Win32Application* Win32Application::current_ = nullptr;

namespace {
constexpr wchar_t kClassName[] = L"TApplication";
}

Win32Application::Win32Application(HINSTANCE instance) : instance_(instance) {
    RegisterWindowClass({.name = kClassName,
                         .procedure = &Win32Application::WindowProc,
                         .instance = instance,
                         .icon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIconId))});
    // Never shown by the program itself; it carries the title and stands for
    // the program towards the shell and other copies of the program.
    window_.Reset(CreateWindowExW(0, kClassName, L"", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                                  nullptr, instance, nullptr));
    if (!window_) ThrowLastError();
    current_ = this;
}

Win32Application::~Win32Application() {
    window_.Reset();  // before its class goes
    UnregisterClassW(kClassName, instance_);
    if (current_ == this) current_ = nullptr;
}

void Win32Application::Attach(app::TApplication& application) {
    application_ = &application;
    application.OnTitleChanged = [this](const std::string& title) { SetWindowTextW(window_.Get(), Widen(title).c_str()); };
    // Terminate only flags the end; the quit message wakes whichever loop runs.
    application.OnTerminate = [] { PostQuitMessage(0); };
}

bool Win32Application::Terminated() const { return application_ && application_->Terminated(); }

void Win32Application::AddDialogWindow(HWND window) {
    if (window && std::find(dialogWindows_.begin(), dialogWindows_.end(), window) == dialogWindows_.end())
        dialogWindows_.push_back(window);
}

void Win32Application::RemoveDialogWindow(HWND window) { std::erase(dialogWindows_, window); }

bool Win32Application::IsForDialogWindow(MSG& msg) {
    if (!msg.hwnd) return false;
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (std::find(dialogWindows_.begin(), dialogWindows_.end(), top) == dialogWindows_.end()) return false;
    // IsDialogMessage translates and dispatches what it takes itself.
    return IsDialogMessageW(top, &msg) != FALSE;
}

bool Win32Application::HandleMessage() {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    try {
        if (hook_ && hook_(msg)) return true;
        if (IsForDialogWindow(msg)) return true;
    } catch (...) {
        ShowException(std::current_exception());
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void Win32Application::Run() {
    while (!Terminated() && HandleMessage()) {
    }
}

// Another program (the installer replacing this one, a task manager) asks the
// program to end by closing this window: it ends through its normal shutdown,
// as from the tray menu's exit entry, instead of losing only this window.
LRESULT CALLBACK Win32Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CLOSE) return DefWindowProcW(window, message, wParam, lParam);
    return HandleShowingErrors(nullptr, [] {
        if (current_ && current_->application_) current_->application_->Terminate();
        return LRESULT{0};
    });
}

}  // namespace velora::win32
