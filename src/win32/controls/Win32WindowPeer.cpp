#include "win32/controls/Win32WindowPeer.h"

#include "win32/WideText.h"
#include "win32/Win32Application.h"
#include "win32/Win32FormPeer.h"
#include "win32/raii/DeviceContexts.h"
#include "controls/Control.h"
#include "controls/FormLayout.h"
#include "controls/peers/ShownHint.h"

namespace velora::win32 {

Win32WindowPeer::Win32WindowPeer(controls::TControl& control, const Win32PeerContext& context)
    : control_(control), context_(context) {}

// The window goes with its owner; a kind with more windows destroys them in
// its own destructor, before.
Win32WindowPeer::~Win32WindowPeer() = default;

void Win32WindowPeer::CreateWindowNow() {
    Build();
    ApplyHint();
}

void Win32WindowPeer::Recreate() {
    context_.formPeer.SetHint(window_.Get(), "");
    DestroyExtraWindows();
    window_.Reset();
    CreateWindowNow();
    context_.formPeer.UpdateZOrder();
}

HWND Win32WindowPeer::CreateChild(const wchar_t* windowClass, const std::string& text, DWORD style, DWORD exStyle,
                                  bool takesFocus) {
    takesFocus_ = takesFocus;
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (takesFocus) {
        auto* winControl = dynamic_cast<controls::TWinControl*>(&control_);
        if (winControl && winControl->TabStop()) style |= WS_TABSTOP;
    }
    if (controls::VisibleOnForm(control_)) style |= WS_VISIBLE;
    if (!controls::EnabledOnForm(control_)) style |= WS_DISABLED;
    const RECT r = BoundsOnForm();
    HWND window = CreateWindowExW(exStyle, windowClass, Widen(text).c_str(), style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, context_.formWindow,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(context_.formPeer.NewControlId())),
                                  context_.application.Instance(), nullptr);
    if (window) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return window;
}

void Win32WindowPeer::PropertyChanged(std::string_view property) {
    if (!window_.Get() || OwnPropertyChanged(property)) return;
    ApplyCommonProperty(property);
}

void Win32WindowPeer::DpiChanged() {
    if (!window_.Get()) return;
    ApplyFont();
    ApplyBounds();
}

void Win32WindowPeer::ApplyBounds() {
    const RECT r = BoundsOnForm();
    SetWindowPos(window_.Get(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Win32WindowPeer::ApplyVisible() { ShowWindow(window_.Get(), controls::VisibleOnForm(control_) ? SW_SHOWNA : SW_HIDE); }

void Win32WindowPeer::ApplyEnabled() { EnableWindow(window_.Get(), controls::EnabledOnForm(control_)); }

void Win32WindowPeer::ApplyFont() { SendMessageW(window_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE); }

void Win32WindowPeer::ApplyHint() { context_.formPeer.SetHint(window_.Get(), controls::ShownHint(control_)); }

void Win32WindowPeer::ApplyCaption() { SetText(window_.Get(), control_.Caption()); }

void Win32WindowPeer::ApplyTabStop() {
    auto* winControl = dynamic_cast<controls::TWinControl*>(&control_);
    if (!takesFocus_ || !winControl) return;
    LONG_PTR style = GetWindowLongPtrW(window_.Get(), GWL_STYLE);
    style = winControl->TabStop() ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(window_.Get(), GWL_STYLE, style);
}

const controls::DpiScale& Win32WindowPeer::Scale() const { return context_.formPeer.Scale(); }

RECT Win32WindowPeer::BoundsOnForm() const {
    const controls::TRect r = controls::BoundsOnForm(control_, Scale());
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

HFONT Win32WindowPeer::Font() const { return context_.formPeer.FontFor(control_); }

int Win32WindowPeer::TextHeight() const {
    const ClientDC screen(nullptr);
    const SelectedObject font(screen.Get(), Font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return metrics.tmHeight;
}

std::string Win32WindowPeer::WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return Narrow(text);
}

void Win32WindowPeer::SetText(HWND window, const std::string& text) {
    SetWindowTextW(window, Widen(text).c_str());
}

}  // namespace velora::win32
