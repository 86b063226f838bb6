#include "win32/browser/BrowserHostWindow.h"

#include "win32/ErrorDisplay.h"
#include "win32/SystemErrorText.h"
#include "win32/WindowClass.h"
#include "controls/BrowserKeys.h"

namespace velora::win32 {

namespace {
constexpr wchar_t kClassName[] = L"TWebBrowserHost";
}  // namespace

BrowserHostWindow::BrowserHostWindow(HWND parent, const RECT& bounds, bool visible, NewWindowHandler newWindow)
    : newWindow_(std::move(newWindow)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass({.name = kClassName,
                         .procedure = &BrowserHostWindow::WindowProc,
                         .instance = instance,
                         .cursor = LoadCursorW(nullptr, IDC_ARROW),
                         .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
    // The children (the browser's own windows) take part in the dialog
    // manager's keyboard navigation.
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | (visible ? WS_VISIBLE : 0);
    // The window is this object's from WM_NCCREATE on.
    if (!CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", style, bounds.left, bounds.top,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr, instance, this))
        ThrowLastError();
}

BrowserHostWindow::~BrowserHostWindow() {
    // Destroyed here, if the parent has not been, while the browser is still
    // there: WM_DESTROY closes it while its windows still exist.
    window_.Reset();
}

void BrowserHostWindow::SetBounds(const RECT& bounds) {
    if (!window_.Get()) return;
    SetWindowPos(window_.Get(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void BrowserHostWindow::Navigate(const std::string& url) {
    if (!window_.Get()) return;
    // Fills the window from the start; a control the system cannot offer
    // is not asked for again.
    if (!browser_) browser_ = std::make_unique<EmbeddedBrowser>(window_.Get(), newWindow_);
    browser_->Navigate(url);
    // The page is shown at the zoom once it is there.
    zoomPending_ = true;
    zoomTried_ = false;
}

std::string BrowserHostWindow::LocationUrl() const { return browser_ ? browser_->LocationUrl() : std::string(); }

bool BrowserHostWindow::Busy() const { return browser_ && browser_->Busy(); }

void BrowserHostWindow::SetZoom(int percent) {
    zoom_ = percent;
    zoomPending_ = true;
    zoomTried_ = false;
    if (browser_ && !browser_->Busy()) ApplyZoom();
}

// A control without a page refuses: it is asked again when a page has
// loaded (BrowserMessageHook sees it go from busy to idle), not with every
// message.
void BrowserHostWindow::ApplyZoom() {
    if (!browser_ || !browser_->Exists()) return;
    appliedZoom_ = zoom_;
    zoomResult_ = browser_->SetOpticalZoom(zoom_);
    zoomTried_ = true;
    zoomPending_ = FAILED(zoomResult_);
}

bool BrowserHostWindow::IsForBrowser(const MSG& message) const {
    return window_.Get() && message.hwnd && (message.hwnd == window_.Get() || IsChild(window_.Get(), message.hwnd));
}

bool BrowserHostWindow::BrowserMessageHook(MSG& message) {
    if (!window_.Get() || !browser_ || !browser_->Exists()) return false;
    const bool busy = browser_->Busy();
    if (zoomPending_ && !busy && (!zoomTried_ || wasBusy_)) ApplyZoom();
    wasBusy_ = busy;
    const bool handled = IsDialogMessageW(window_.Get(), &message) != 0;
    if (handled && !busy) {
        IOleInPlaceActiveObject* active = browser_->ActiveObject();
        if (active && controls::PassesToBrowserAccelerator(message.message, static_cast<unsigned>(message.wParam)))
            active->TranslateAccelerator(&message);
    }
    return handled;
}

LRESULT BrowserHostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (browser_) {
                RECT area{0, 0, LOWORD(lParam), HIWORD(lParam)};
                browser_->FitTo(area);
            }
            return 0;
        case WM_SETFOCUS:
            if (browser_) browser_->Focus();
            return 0;
        case WM_DESTROY:
            // Released here, while the window the control lives in exists.
            if (browser_) browser_->Close();
            return 0;
        default:
            return DefWindowProcW(window_.Get(), message, wParam, lParam);
    }
}

LRESULT CALLBACK BrowserHostWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* host = static_cast<BrowserHostWindow*>(create->lpCreateParams);
        host->window_.Reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    }
    auto* host = reinterpret_cast<BrowserHostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!host) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed, by us or with the parent: nothing to do with it any more.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        (void)host->window_.Release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return HandleShowingErrors(window, [&] { return host->HandleMessage(message, wParam, lParam); });
}

}  // namespace velora::win32
