#include "win32/browser/Win32WebBrowserPeer.h"

#include "app/uModuleMain.h"
#include "platform/Desktop.h"
#include "win32/Win32FormPeer.h"
#include "controls/FormLayout.h"
#include "controls/PageZoom.h"
#include "controls/WebBrowser.h"

namespace velora::win32 {

Win32WebBrowserPeer::Win32WebBrowserPeer(controls::TWebBrowser& browser, const Win32PeerContext& context)
    : Win32WebBrowserPeer(browser, context.formWindow, &context.formPeer) {}

Win32WebBrowserPeer::Win32WebBrowserPeer(controls::TWebBrowser& browser, HWND parent, const Win32FormPeer* formPeer)
    : model_(browser),
      formPeer_(formPeer),
      // A page's new window opens in the system's browser, as on Linux.
      host_(parent, BoundsOnForm(), controls::VisibleOnForm(browser), [](const std::string& url) {
          if (app::moduleMain) app::moduleMain->Desktop().ShellOpen(url, "");
      }) {
    if (!controls::EnabledOnForm(browser)) EnableWindow(host_.Handle(), FALSE);
    browser.SetBackend(this);
}

RECT Win32WebBrowserPeer::BoundsOnForm() const {
    const controls::TRect r = controls::BoundsOnForm(model_, formPeer_ ? formPeer_->Scale() : controls::DpiScale());
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

void Win32WebBrowserPeer::DpiChanged() {
    if (host_.Handle()) host_.SetBounds(BoundsOnForm());
}

void Win32WebBrowserPeer::PropertyChanged(std::string_view property) {
    const HWND window = host_.Handle();
    if (!window) return;
    const bool moved = property == "Left" || property == "Top" || property == "Width" || property == "Height" ||
                       property == "Parent";
    if (moved) host_.SetBounds(BoundsOnForm());
    if (property == "Visible" || property == "Parent")
        ShowWindow(window, controls::VisibleOnForm(model_) ? SW_SHOWNA : SW_HIDE);
    if (property == "Enabled" || property == "Parent") EnableWindow(window, controls::EnabledOnForm(model_));
}

namespace {

controls::ZoomChange ZoomOf(const MSG& message) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (message.message == WM_KEYDOWN)
        return controls::ZoomKey(static_cast<unsigned>(message.wParam), ctrl, GetKeyState(VK_MENU) < 0);
    if (message.message == WM_MOUSEWHEEL)
        return controls::ZoomWheel(GET_WHEEL_DELTA_WPARAM(message.wParam),
                             (GET_KEYSTATE_WPARAM(message.wParam) & MK_CONTROL) != 0);
    return controls::ZoomChange::None;
}

}  // namespace

bool Win32WebBrowserPeer::BrowserMessageHook(MSG& message) {
    if (host_.IsForBrowser(message)) {
        const controls::ZoomChange change = ZoomOf(message);
        if (change != controls::ZoomChange::None) {
            model_.ChangeZoom(change);
            return true;
        }
    }
    return host_.BrowserMessageHook(message);
}

std::unique_ptr<Win32ControlPeer> CreateWebBrowserPeer(component::TComponent& component, Win32PeerContext& context) {
    auto* browser = dynamic_cast<controls::TWebBrowser*>(&component);
    if (!browser) return nullptr;
    return std::make_unique<Win32WebBrowserPeer>(*browser, context);
}

bool BrowserMessageHook(controls::TWebBrowser* browser, MSG& message) {
    if (!browser) return false;
    auto* peer = dynamic_cast<Win32WebBrowserPeer*>(browser->Backend());
    return peer && peer->BrowserMessageHook(message);
}

}  // namespace velora::win32
