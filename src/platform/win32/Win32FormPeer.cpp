#include "platform/win32/Win32FormPeer.h"

#include <stdexcept>
#include <vector>

#include "platform/win32/ErrorDisplay.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Application.h"
#include "ui/model/Form.h"

namespace velora::win32 {

Win32FormPeer::Win32FormPeer(ui::TForm& form, Win32Application& application)
    : form_(&form), application_(application), className_(Widen(form.ClassName())) {
    CreateNativeWindow();
    form.SetPeer(this);
}

Win32FormPeer::~Win32FormPeer() {
    if (!window_) return;
    // From here on the window's messages go to the system: the form may be
    // gone already.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

DWORD Win32FormPeer::Style() const {
    DWORD style = WS_CLIPCHILDREN | WS_CAPTION;
    switch (form_->BorderStyle()) {
        case ui::bsNone: style = WS_POPUP | WS_CLIPCHILDREN; break;
        case ui::bsSizeable:
        case ui::bsSizeToolWin: style |= WS_THICKFRAME; break;
        case ui::bsDialog: style |= DS_MODALFRAME; break;
        default: break;
    }
    const auto icons = form_->BorderIcons();
    if (form_->BorderStyle() != ui::bsNone && icons.Contains(ui::biSystemMenu)) {
        style |= WS_SYSMENU;
        // A dialog frame shows only the close box.
        if (form_->BorderStyle() != ui::bsDialog) {
            if (icons.Contains(ui::biMinimize)) style |= WS_MINIMIZEBOX;
            if (icons.Contains(ui::biMaximize)) style |= WS_MAXIMIZEBOX;
        }
    }
    return style;
}

DWORD Win32FormPeer::ExStyle() const {
    switch (form_->BorderStyle()) {
        case ui::bsDialog: return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        case ui::bsToolWindow:
        case ui::bsSizeToolWin: return WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
        default: return WS_EX_CONTROLPARENT;
    }
}

void Win32FormPeer::CreateNativeWindow() {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    if (!GetClassInfoExW(application_.Instance(), className_.c_str(), &cls)) {
        cls.cbSize = sizeof cls;
        cls.style = CS_DBLCLKS;
        cls.lpfnWndProc = &Win32FormPeer::WindowProc;
        cls.hInstance = application_.Instance();
        cls.hIcon = LoadIconW(application_.Instance(), MAKEINTRESOURCEW(1));
        cls.hIconSm = cls.hIcon;
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        cls.lpszClassName = className_.c_str();
        if (!RegisterClassExW(&cls)) throw std::runtime_error(LastErrorText(GetLastError()));
    }
    // Owned by the application window: no taskbar button of its own, and it
    // stays above the program's hidden window.
    window_ = CreateWindowExW(ExStyle(), className_.c_str(), Widen(form_->Caption()).c_str(), Style(), CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, application_.Handle(), nullptr, application_.Instance(), this);
    if (!window_) throw std::runtime_error(LastErrorText(GetLastError()));
    ApplyBounds();
}

// Size from the client size when the form names one, else its outer size;
// position from the model, or centred on the work area.
void Win32FormPeer::ApplyBounds() {
    int width = form_->Width(), height = form_->Height();
    if (form_->ClientWidth() > 0 || form_->ClientHeight() > 0) {
        RECT r{0, 0, form_->ClientWidth(), form_->ClientHeight()};
        AdjustWindowRectEx(&r, Style(), FALSE, ExStyle());
        width = r.right - r.left;
        height = r.bottom - r.top;
    }
    int left = form_->Left(), top = form_->Top();
    const auto position = form_->Position();
    if (position == ui::poScreenCenter || position == ui::poDesktopCenter || position == ui::poMainFormCenter ||
        position == ui::poOwnerFormCenter) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        left = work.left + (work.right - work.left - width) / 2;
        top = work.top + (work.bottom - work.top - height) / 2;
    }
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::PropertyChanged(ui::TComponent& component, std::string_view property) {
    if (&component != form_ || !window_) return;
    if (property == "Caption") {
        SetWindowTextW(window_, Widen(form_->Caption()).c_str());
    } else if (property == "Visible") {
        if (form_->Visible()) {
            ShowWindow(window_, SW_SHOWNORMAL);
        } else {
            ShowWindow(window_, SW_HIDE);
        }
    } else if (property == "Enabled") {
        EnableWindow(window_, form_->Enabled());
    } else if (property == "Left" || property == "Top" || property == "Width" || property == "Height" ||
               property == "ClientWidth" || property == "ClientHeight" || property == "Position") {
        ApplyBounds();
    } else if (property == "BorderStyle" || property == "BorderIcons") {
        SetWindowLongPtrW(window_, GWL_STYLE, Style() | (IsWindowVisible(window_) ? WS_VISIBLE : 0));
        SetWindowLongPtrW(window_, GWL_EXSTYLE, ExStyle());
        ApplyBounds();
    }
}

void Win32FormPeer::BringToFront(ui::TForm&) {
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
}

void Win32FormPeer::RunModal(ui::TForm& form) {
    // The other windows of the program take no input while the dialog runs.
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM self) -> BOOL {
            auto* peer = reinterpret_cast<Win32FormPeer*>(self);
            if (hwnd != peer->window_ && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
                EnableWindow(hwnd, FALSE);
                peer->disabledDuringModal_.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
    disabled.swap(disabledDuringModal_);

    for (;;) {
        // An end of the program requested meanwhile closes the dialog.
        if (application_.Terminated() && form.ModalResult() == ui::mrNone) form.SetModalResult(ui::mrCancel);
        if (form.ModalResult() != ui::mrNone) {
            if (form.CloseModal()) break;
            continue;
        }
        if (!application_.HandleMessage()) form.SetModalResult(ui::mrCancel);
    }

    for (HWND hwnd : disabled)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
}

void Win32FormPeer::HandleError(std::exception_ptr error) { ShowException(error, window_); }

LRESULT Win32FormPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            form_->Close();
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK Win32FormPeer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* peer = reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!peer || !peer->window_) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return peer->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ShowException(std::current_exception(), window);
        return 0;
    }
}

}  // namespace velora::win32
