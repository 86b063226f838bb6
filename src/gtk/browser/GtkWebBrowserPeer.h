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
// no web process runs. Once the window has been hidden for a while (five
// minutes; VELORA_BROWSER_IDLE_SECONDS sets another number of seconds) the
// view goes with its web context, which ends WebKit's web and network
// processes; the next page creates them again. The browser then shows no
// page, so a language switch meanwhile navigates nothing.

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

private:
    bool CreateView();
    void DropView();
    // The window (or the control) was hidden, or shown again.
    void Hidden();
    void Shown();
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
    unsigned dropTimer_ = 0;
    ServicePagePolicy policy_;
    // Kept for the next view: the page goes after idle, the zoom stays.
    int zoom_ = 100;
};

// The seconds a hidden window keeps its page: VELORA_BROWSER_IDLE_SECONDS
// when it holds a number from 0 to 86400, else 300.
unsigned BrowserIdleSeconds(const char* setting);

}  // namespace velora::gtk
