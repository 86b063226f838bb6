#include "win32/browser/Win32WebBrowserPeer.h"

#include "win32/Win32FormPeer.h"
#include "controls/FormLayout.h"
#include "controls/WebBrowser.h"

namespace velora::win32 {

Win32WebBrowserPeer::Win32WebBrowserPeer(controls::TWebBrowser& browser, const Win32PeerContext& context)
    : Win32WebBrowserPeer(browser, context.formWindow, &context.formPeer) {}

Win32WebBrowserPeer::Win32WebBrowserPeer(controls::TWebBrowser& browser, HWND parent, const Win32FormPeer* formPeer)
    : model_(browser), formPeer_(formPeer), host_(parent, BoundsOnForm(), controls::VisibleOnForm(browser)) {
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
