#pragma once
// The native side of a TWebBrowser: the browser's host window at the
// control's place on the form. The peer is also the browser the model hands
// its navigations to.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/WebBrowser.h"
#include "win32/Win32ControlPeer.h"
#include "win32/browser/BrowserHostWindow.h"

namespace velora::controls {
class TWebBrowser;
}  // namespace velora::controls

namespace velora::win32 {

class Win32WebBrowserPeer final : public Win32ControlPeer, public platform::WebBrowser {
public:
    // Creates the host window in the form's window (or in `parent`) at the
    // control's place and attaches itself to the model as its browser.
    // Destruction leaves the model alone: it may be gone already. Without a
    // form peer the place is not scaled.
    Win32WebBrowserPeer(controls::TWebBrowser& browser, const Win32PeerContext& context);
    Win32WebBrowserPeer(controls::TWebBrowser& browser, HWND parent, const Win32FormPeer* formPeer = nullptr);

    HWND Handle() const override { return host_.Handle(); }
    void PropertyChanged(std::string_view property) override;
    void DpiChanged() override;

    void Navigate(const std::string& url) override { host_.Navigate(url); }
    std::string LocationUrl() const override { return host_.LocationUrl(); }
    bool Busy() const override { return host_.Busy(); }
    void SetZoom(int percent) override { host_.SetZoom(percent); }

    // The zoom keys and Ctrl with the wheel in the page change the model's
    // zoom (the control would zoom by itself, unknown to the settings);
    // every other message goes to BrowserHostWindow::BrowserMessageHook.
    bool BrowserMessageHook(MSG& message);
    const BrowserHostWindow& Host() const { return host_; }

private:
    // The control's rectangle in the form's client area.
    RECT BoundsOnForm() const;

    controls::TWebBrowser& model_;
    const Win32FormPeer* formPeer_;
    BrowserHostWindow host_;
};

// For the form's registry of control peers; nullptr for another component.
std::unique_ptr<Win32ControlPeer> CreateWebBrowserPeer(component::TComponent& component, Win32PeerContext& context);

// The main window's application message hook: the keyboard hand-over of
// BrowserHostWindow::BrowserMessageHook for the browser on the form. False
// (the message is dispatched as usual) when there is no browser or it has no
// window.
bool BrowserMessageHook(controls::TWebBrowser* browser, MSG& message);

}  // namespace velora::win32
