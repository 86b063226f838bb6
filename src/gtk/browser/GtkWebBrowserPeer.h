#pragma once
// The embedded browser on Linux: a WebKitWebView at the control's place on
// the form. The peer is also the browser the model hands its navigations to.
// Links and scripts that ask for a new window open in the desktop's own
// browser instead; what else the service's pages may do is the policy's
// (ServicePagePolicy.h). The page takes its keys itself while it has the focus;
// there is no accelerator hand-over as on Windows. The zoom keys and Ctrl
// with the wheel are taken before the page sees them.
//
// As on Windows the browser comes with the first page: until then the
// control is an empty box, WebKit is not even loaded (WebKitLibrary.h), and
// no web process runs. The program's page window lives in a process of its
// own, which ends after the window has stayed hidden for a while
// (gtk/pagewindow/PageProcessFormPeer.h); the view's web context is its own,
// so that WebKit's web and network processes end with the view.

#include <functional>
#include <string>

#include "platform/WebBrowser.h"
#include "gtk/browser/ServicePagePolicy.h"
#include "gtk/controls/GtkWidgetPeer.h"
#include "gtk/raii/ObjectRef.h"
#include "controls/PageZoom.h"

typedef struct _WebKitWebContext WebKitWebContext;

namespace velora::controls {
class TWebBrowser;
}  // namespace velora::controls

namespace velora::gtk {

class GtkWebBrowserPeer final : public GtkWidgetPeer, public platform::WebBrowser {
public:
    // Attaches itself to the model as its browser; destruction leaves the
    // model alone, which may be gone already.
    GtkWebBrowserPeer(controls::TWebBrowser& browser, const GtkPeerContext& context);
    ~GtkWebBrowserPeer() override;

    // Creates the view first when there is none.
    void Navigate(const std::string& url) override;
    std::string LocationUrl() const override;
    bool Busy() const override;
    void SetZoom(int percent) override;

    // Called when the page's address or its loading state changes.
    void OnPageStateChanged(std::function<void()> changed) { pageStateChanged_ = std::move(changed); }

private:
    bool CreateView();
    void DropView();
    // A navigation that asks for a new window: to the desktop's browser.
    void OpenElsewhere(const std::string& uri);
    // A click on one of the page's notifications: the page's window comes up.
    void ShowWindow();
    // Ctrl with plus, minus, 0 or the wheel in the page: the model's zoom.
    void ConnectZoomInput();
    void ChangeZoom(controls::ZoomChange change);
    void ApplyZoom();

    ObjectRef<WebKitWebContext> webContext_;
    GtkWidget* view_ = nullptr;
    ServicePagePolicy policy_;
    // Set before the view exists, applied to it when it comes.
    int zoom_ = 100;
    std::function<void()> pageStateChanged_;
};

}  // namespace velora::gtk
