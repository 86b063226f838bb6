#pragma once
// The system's WebBrowser control, placed in place inside one of our windows
// and filling it. The container side of the conversation with the control
// lives in EmbeddedBrowser.cpp.

#include <windows.h>
#include <ole2.h>
#include <exdisp.h>

#include <string>

#include "win32/browser/BrowserEvents.h"
#include "win32/raii/ComPtr.h"

namespace velora::win32 {

class BrowserSite;

class EmbeddedBrowser {
public:
    // Creates the control inside `host`, filling its client area, starting
    // OLE on this thread on demand (raii/OleOnDemand.h). When the system offers no control the
    // browser simply does not exist: navigations go nowhere. A page's request
    // for a new window goes to `newWindow` (BrowserEvents.h); without one it
    // is refused.
    explicit EmbeddedBrowser(HWND host, NewWindowHandler newWindow = {});
    ~EmbeddedBrowser();
    EmbeddedBrowser(const EmbeddedBrowser&) = delete;
    EmbeddedBrowser& operator=(const EmbeddedBrowser&) = delete;

    bool Exists() const { return static_cast<bool>(browser_); }

    // Starts a navigation, without flags, target frame, post data or extra
    // headers, and returns at once.
    void Navigate(const std::string& url);
    // The address the control shows; empty before the first navigation.
    std::string LocationUrl() const;
    bool Busy() const;
    // The control's optical zoom of the page, in percent; fails (and may be
    // asked again) while the control has no page to zoom.
    HRESULT SetOpticalZoom(int percent);
    // The control's in-place active object, read once through its Application
    // property and kept until Close; nullptr when it has none.
    IOleInPlaceActiveObject* ActiveObject();

    // The host's client area changed.
    void FitTo(const RECT& area);
    // Hands the keyboard focus to the page.
    void Focus();
    // Deactivates and releases the control; it does not exist afterwards.
    // Must run while the host window still exists.
    void Close();

private:
    HWND host_;
    ComPtr<BrowserSite> site_;
    ComPtr<IOleObject> object_;
    ComPtr<IOleInPlaceObject> inPlace_;
    ComPtr<IWebBrowser2> browser_;
    ComPtr<IOleInPlaceActiveObject> activeObject_;
    // The event sink, advised at the control's connection point until Close.
    ComPtr<BrowserEvents> events_;
    ComPtr<IConnectionPoint> eventPoint_;
    DWORD eventCookie_ = 0;
};

}  // namespace velora::win32
