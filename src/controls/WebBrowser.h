#pragma once
// The embedded web browser on a form. The model keeps no page of its own:
// with a browser attached it hands the navigation and the questions about
// the page to it; without one (no window system, as in the tests) a
// navigation only sets the location, so the caller's address can be checked.

#include <string>

#include "component/Events.h"
#include "controls/Control.h"
#include "controls/PageZoom.h"

namespace velora::platform {
class WebBrowser;
}

namespace velora::controls {

class TWebBrowser : public TWinControl {
public:
    explicit TWebBrowser(component::TComponent* owner);

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    // Starts a navigation and returns at once; without a backend, it starts
    // when one is attached.
    void Navigate(const std::string& url);
    // The address shown now; empty before the first navigation.
    std::string LocationURL() const;
    // A page is still loading.
    bool Busy() const;

    // The page's zoom in percent, within the bounds of PageZoom.h; the
    // browser attached now or later shows every page at it.
    int Zoom() const { return zoom_; }
    void SetZoom(int percent);
    // A zoom key or Ctrl with the wheel in the page: the next step, or back
    // to 100 %. OnZoomChange tells of every change the user made so.
    void ChangeZoom(ZoomChange change);
    component::TNotifyEvent OnZoomChange;

    // The browser that shows the pages. Not owned: it outlives the control
    // or is detached with nullptr.
    platform::WebBrowser* Backend() const { return backend_; }
    void SetBackend(platform::WebBrowser* backend);

private:
    platform::WebBrowser* backend_ = nullptr;
    std::string locationUrl_;
    int zoom_ = kZoomDefault;
    // Asked for while no backend was attached: the native browser comes with
    // its form's first showing, after the address.
    bool navigationPending_ = false;
};

}  // namespace velora::controls
