#pragma once
// The embedded browser on Linux: a WebKitWebView at the control's place on
// the form. The peer is also the browser the model hands its navigations to.
// Links and scripts that ask for a new window open in the desktop's own
// browser instead. The page takes its keys itself while it has the focus;
// there is no accelerator hand-over as on Windows.

#include <string>

#include "platform/WebBrowser.h"
#include "gtk/controls/GtkWidgetPeer.h"

namespace velora::controls {
class TWebBrowser;
}  // namespace velora::controls

namespace velora::gtk {

class GtkWebBrowserPeer final : public GtkWidgetPeer, public platform::WebBrowser {
public:
    // Attaches itself to the model as its browser; destruction leaves the
    // model alone, which may be gone already.
    GtkWebBrowserPeer(controls::TWebBrowser& browser, const GtkPeerContext& context);

    void Navigate(const std::string& url) override;
    std::string LocationUrl() const override;
    bool Busy() const override;

private:
    // A navigation that asks for a new window: to the desktop's browser.
    void OpenElsewhere(const std::string& uri);
};

}  // namespace velora::gtk
